#pragma once

#include "base/LanguageTexts.h"
#include "browser/EventTree.h"
#include "lenex/Lenex.h"
#include "lenex/LnxParser.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <string_view>

/**
 * A small meet for the event tree and the events page: sessions out of number order, events ordered by
 * ORDER, start time and number, an event with one age group and one with two, fastest-heat events, results
 * ranked and unranked, entries with and without times, a 4 x 100 m relay with splits, and an individual
 * result with three splits in document order 100, 50, 150.
 */
namespace lanescope::browser::testing {

inline constexpr std::string_view kEventsMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Cup</NAME><PL>50</PL><PM>m</PM>
<PERIODS>
<PERIOD><NUM>2</NUM><NAME>Afternoon</NAME><DATE>20261018</DATE><EVENTS>
<EVENT id="9"><NUM>9</NUM><ORDER>1</ORDER><DIS>100</DIS><DISCNT>4</DISCNT><STR>FR</STR><SEX>X</SEX></EVENT>
</EVENTS></PERIOD>
<PERIOD><NUM>1</NUM><NAME>Morning</NAME><DATE>20261017</DATE><EVENTS>
<EVENT id="5"><NUM>5</NUM><ORDER>10</ORDER><TIME>0900</TIME><DIS>100</DIS><STR>FR</STR><SEX>F</SEX>
<CATS><CAT id="51"><MIN>2010</MIN><MAX>2013</MAX><NAME>Youth</NAME></CAT></CATS></EVENT>
<EVENT id="3"><NUM>3</NUM><ORDER>9</ORDER><TIME>1000</TIME><DIS>200</DIS><STR>BR</STR><SEX>M</SEX><TYPE>FIN</TYPE>
<CATS><CAT id="31"><MIN>2012</MIN><MAX>2013</MAX></CAT><CAT id="32"><MIN>2008</MIN><MAX>2011</MAX></CAT></CATS></EVENT>
<EVENT id="4"><NUM>4</NUM><ORDER>9</ORDER><TIME>0930</TIME><DIS>50</DIS><STR>BA</STR><SEX>F</SEX></EVENT>
<EVENT id="6"><NUM>2</NUM><ORDER>9</ORDER><TIME>0930</TIME><DIS>50</DIS><STR>BU</STR><SEX>F</SEX><TYPE>XYZ</TYPE></EVENT>
<EVENT id="7"><NUM>7</NUM><ORDER>11</ORDER><DIS>200</DIS><STR>BR</STR><SEX>M</SEX><TYPE>FHT</TYPE><PEID>3</PEID></EVENT>
<EVENT id="8"><NUM>8</NUM><ORDER>12</ORDER><DIS>200</DIS><STR>BR</STR><SEX>M</SEX><TYPE>FHT</TYPE><PEID>99</PEID></EVENT>
</EVENTS></PERIOD>
</PERIODS>
<CLUBS>
<CLUB><NAME>SC Nord</NAME><PERSONS>
<PERSON id="11"><NAME>Weber</NAME><FNAME>Lena</FNAME><YOB>2004</YOB><RESULTS>
<RESULT><EID>4</EID><RANK>2</RANK><TIME>V00h00:31.20</TIME></RESULT>
<RESULT><EID>3</EID><CID>32</CID><RANK>1</RANK><TIME>V00h02:40.00</TIME>
<SPLITS><SPLIT dis="100">V00h01:03.4</SPLIT><SPLIT dis="50">V00h00:30.50</SPLIT><SPLIT dis="150">I00h01:37.20</SPLIT></SPLITS>
</RESULT></RESULTS></PERSON>
<PERSON id="12"><NAME>Roth</NAME><FNAME>Mia</FNAME><YOB>2005</YOB><RESULTS>
<RESULT><EID>4</EID><RANK>1</RANK><TIME>V00h00:30.90</TIME><COMMENT>Meet record</COMMENT></RESULT>
<RESULT><EID>3</EID><CID>99</CID><TIME>V00h02:50.00</TIME></RESULT>
</RESULTS></PERSON>
<PERSON id="13"><NAME>Kern</NAME><FNAME>Ida</FNAME><YOB>2006</YOB><RESULTS>
<RESULT><EID>4</EID><CODE>DSQ</CODE><TIME>I00h00:33.00</TIME></RESULT>
<RESULT><EID>05</EID><RANK>1</RANK><TIME>V00h01:00.00</TIME></RESULT>
</RESULTS></PERSON>
</PERSONS>
<RELAYS><RELAY><NAME>SC Nord I</NAME><RESULTS>
<RESULT><EID>9</EID><RANK>1</RANK><TIME>V00h04:00.00</TIME>
<SPLITS><SPLIT dis="50">V00h00:28.00</SPLIT><SPLIT dis="100">V00h00:59.00</SPLIT><SPLIT dis="150">V00h01:27.50</SPLIT>
<SPLIT dis="200">V00h01:59.80</SPLIT><SPLIT dis="250">V00h02:28.00</SPLIT><SPLIT dis="300">V00h03:00.10</SPLIT>
<SPLIT dis="350">V00h03:29.00</SPLIT><SPLIT dis="400">V00h04:00.00</SPLIT></SPLITS>
<POSITIONS><POSITION><NUM>2</NUM><PID>12</PID></POSITION><POSITION><NUM>1</NUM><PID>11</PID></POSITION>
<POSITION><NUM>3</NUM><PID>13</PID></POSITION><POSITION><NUM>4</NUM><PID>999</PID></POSITION>
<POSITION><NUM>5</NUM><PID>11</PID></POSITION></POSITIONS>
</RESULT></RESULTS></RELAY></RELAYS></CLUB>
<CLUB><NAME>SV Süd</NAME><PERSONS>
<PERSON id="14"><NAME>Graf</NAME><FNAME>Eva</FNAME><YOB>2007</YOB><ENTRIES>
<ENTRY><EID>4</EID><TIME>E00h01:05.00</TIME><HEAT>3</HEAT><LANE>5</LANE></ENTRY>
<ENTRY><EID>6</EID><TIME>E00h00:35.00</TIME><HEAT>1</HEAT><LANE>2</LANE></ENTRY>
</ENTRIES></PERSON>
<PERSON id="15"><NAME>Holm</NAME><FNAME>Ina</FNAME><YOB>2008</YOB><ENTRIES><ENTRY><EID>4</EID></ENTRY></ENTRIES></PERSON>
<PERSON id="16"><NAME>Lind</NAME><FNAME>Ola</FNAME><YOB>2011</YOB><ENTRIES>
<ENTRY><EID>4</EID><TIME>E00h00:59.00</TIME></ENTRY><ENTRY><EID>5</EID><CID>51</CID><TIME>E00h01:10.00</TIME></ENTRY>
</ENTRIES></PERSON>
</PERSONS></CLUB>
</CLUBS>
</COMPETITION></COMPETITIONS></LENEX>)";

/** The English wording of the language texts the event tree and the events page use. */
inline std::string englishText(char section, int number)
{
    static const std::map<std::pair<char, int>, std::string> texts = {
        {{'S', 17}, "Entry time"},  {{'S', 18}, "Event "}, {{'V', 11}, "Time"}, {{'V', 12}, "Points"},
        {{'V', 13}, "Heat / Lane"}, {{'V', 28}, "Place"},  {{'V', 29}, "Name"}, {{'V', 30}, "Club"},
    };
    const auto found = texts.find({section, number});
    return found == texts.end() ? std::string() : found->second;
}

/** Loads a meet, builds the event tree and files every RESULT and ENTRY of the clubs as the club scan does.
 */
class EventsMeetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        base::setLanguageTextSource(
            [](char section, int number, int) { return englishText(section, number); });
    }
    void TearDown() override { base::setLanguageTextSource({}); }

    void load(std::string_view text)
    {
        lists.ClearResultLists();
        tree.clear();
        document.clear();
        lenex::TLnxParser parser(document);
        document.setRoot(parser.parseText(text));
        ASSERT_TRUE(document.errors().empty()) << document.errors().front();
        document.buildIndexes();
        ASSERT_TRUE(document.hasCompetitions());
        document.selectCompetition(0);
        tree.BuildEventTree(document, lists);
        fileClubItems();
        lists.SortResultLists();
    }

    /** The node whose text starts with the prefix, or nullptr. */
    const EventTreeNode* node(std::string_view prefix) const
    {
        for (const EventTreeNode* candidate : tree.nodesInOrder())
            if (candidate->text.starts_with(prefix))
                return candidate;
        return nullptr;
    }

    lenex::TLenex document;
    ResultLists lists;
    EventTree tree;

private:
    // Each athlete and relay of a club gives its RESULTS, or its ENTRIES when it has no RESULTS.
    void fileClubItems()
    {
        using namespace lenex;
        const TLnxCollection* clubs = document.currentCompetition()->findCollection(tag::CLUBS);
        for (int c = 0; clubs != nullptr && c < clubs->childCount(); ++c)
            for (const TLnxTagId owners : {tag::PERSONS, tag::RELAYS})
                if (const TLnxCollection* members = clubs->itemAt(c)->findCollection(owners))
                    for (int m = 0; m < members->childCount(); ++m) {
                        const TLnxObject* member = members->itemAt(m);
                        const TLnxCollection* items = member->findCollection(tag::RESULTS);
                        if (items == nullptr)
                            items = member->findCollection(tag::ENTRIES);
                        for (int i = 0; items != nullptr && i < items->childCount(); ++i)
                            lists.AddToResultList(*items->itemAt(i));
                    }
    }
};

} // namespace lanescope::browser::testing
