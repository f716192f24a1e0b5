#pragma once

#include "base/LanguageTexts.h"
#include "lenex/Lenex.h"
#include "lenex/LnxParser.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <string_view>

/**
 * A small meet for the participants tree, its page, search and copy: two Swiss clubs, a club of an
 * unknown nation and one without nation; prelims, a final, a timed final with one age group, a mixed
 * 4 x 100 m relay in a 50 m pool and a fastest heat of the final without items of its own; valid, invalid and
 * split times, entries only and both.
 */
namespace lanescope::browser::testing {

inline constexpr std::string_view kParticipantsMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Cup</NAME><PL>50</PL><PM>m</PM><POINTTABLE><NAME>FINA</NAME></POINTTABLE>
<PERIODS><PERIOD><NUM>1</NUM><DATE>20261017</DATE><EVENTS>
<EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX><TYPE>PRE</TYPE></EVENT>
<EVENT id="2"><NUM>2</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX><TYPE>FIN</TYPE></EVENT>
<EVENT id="3"><NUM>3</NUM><DIS>200</DIS><STR>BR</STR><SEX>F</SEX><TYPE>TIM</TYPE>
<CATS><CAT id="31"><MIN>2008</MIN><MAX>2012</MAX><NAME>Youth</NAME></CAT></CATS></EVENT>
<EVENT id="4"><NUM>4</NUM><DIS>100</DIS><DISCNT>4</DISCNT><STR>FR</STR><SEX>X</SEX><TYPE>TIM</TYPE></EVENT>
<EVENT id="5"><NUM>5</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX><TYPE>FHT</TYPE><PEID>2</PEID></EVENT>
</EVENTS></PERIOD></PERIODS>
<CLUBS>
<CLUB><NAME>SC Zürich</NAME><NATION>SUI</NATION><CODE>LN</CODE>
<CONTACT><NAME>Muster</NAME><FNAME>Eva</FNAME><STREET>Seeweg 1</STREET><ZIP>8000</ZIP><PLACE>Zürich</PLACE>
<PHONE>044 123</PHONE><EMAIL>eva@scz.example</EMAIL></CONTACT>
<PERSONS>
<PERSON id="11"><NAME>Weber</NAME><FNAME>Lena</FNAME><YOB>2004</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>3</RANK><TIME>V00h00:58.20</TIME><HEAT>2</HEAT><LANE>4</LANE>
<SPLITS><SPLIT dis="50">V00h00:28.10</SPLIT></SPLITS></RESULT>
<RESULT><EID>2</EID><RANK>2</RANK><TIME>V00h00:57.90</TIME><POINTS>700</POINTS><COMMENT>Best</COMMENT></RESULT>
</RESULTS><ENTRIES><ENTRY><EID>3</EID><TIME>E00h02:40.00</TIME></ENTRY></ENTRIES></PERSON>
<PERSON id="12"><NAME>Brunner</NAME><FNAME>Mia</FNAME><YOB>2010</YOB><RESULTS>
<RESULT><EID>3</EID><CID>31</CID><RANK>1</RANK><TIME>V00h02:35.40</TIME><SPLITS>
<SPLIT dis="150">V00h01:56.00</SPLIT><SPLIT dis="50">V00h00:36.50</SPLIT><SPLIT dis="100">V00h01:16.0</SPLIT>
</SPLITS></RESULT></RESULTS></PERSON>
<PERSON id="13"><NAME>Äbi</NAME><FNAME>Sara</FNAME><YOB>2011</YOB><ENTRIES>
<ENTRY><EID>1</EID><TIME>E00h01:01.00</TIME><HEAT>1</HEAT><LANE>3</LANE></ENTRY></ENTRIES></PERSON>
</PERSONS>
<RELAYS><RELAY><NUM>1</NUM><SEX>X</SEX><RESULTS><RESULT><EID>4</EID><RANK>1</RANK><TIME>V00h04:00.00</TIME>
<POSITIONS><POSITION><NUM>1</NUM><PID>11</PID></POSITION><POSITION><NUM>2</NUM><PID>12</PID></POSITION>
<POSITION><NUM>3</NUM><PID>13</PID></POSITION><POSITION><NUM>4</NUM><PID>22</PID></POSITION></POSITIONS>
<SPLITS><SPLIT dis="50">V00h00:28.00</SPLIT><SPLIT dis="100">V00h00:59.00</SPLIT>
<SPLIT dis="150">V00h01:29.00</SPLIT><SPLIT dis="200">V00h02:00.00</SPLIT>
<SPLIT dis="250">V00h02:30.00</SPLIT><SPLIT dis="300">V00h03:01.00</SPLIT>
<SPLIT dis="350">V00h03:30.00</SPLIT><SPLIT dis="400">V00h04:00.00</SPLIT></SPLITS>
</RESULT></RESULTS></RELAY></RELAYS>
</CLUB>
<CLUB><NAME>Aqua Nova</NAME><NATION>XYZ</NATION><CODE>AN</CODE><PERSONS>
<PERSON id="21"><NAME>Müller</NAME><FNAME>Jana</FNAME><YOB>2005</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>1</RANK><TIME>V00h00:57.00</TIME></RESULT>
<RESULT><EID>2</EID><CODE>DSQ</CODE><TIME>I00h00:58.00</TIME><COMMENT>False start</COMMENT></RESULT>
</RESULTS></PERSON>
<PERSON id="22"><NAME>Keller</NAME><FNAME>Anna</FNAME><YOB>2006</YOB><RESULTS>
<RESULT><EID>2</EID><RANK>1</RANK><TIME>V00h00:56.50</TIME></RESULT>
<RESULT><EID>1</EID><RANK>2</RANK><TIME>V00h00:57.50</TIME></RESULT></RESULTS></PERSON>
</PERSONS></CLUB>
<CLUB><NAME>Lone Swimmers</NAME><PERSONS><PERSON id="31"><NAME>Zeller</NAME><FNAME>Ida</FNAME><YOB>2009</YOB>
</PERSON></PERSONS></CLUB>
<CLUB><NAME>Basel Dolphins</NAME><NATION>SUI</NATION><CODE>XX</CODE></CLUB>
</CLUBS></COMPETITION></COMPETITIONS></LENEX>)";

/** The bytes of a file of the bundled sample meets. */
inline std::string readSample(const std::string& name)
{
    std::ifstream in(std::string(LANESCOPE_SAMPLES_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

/** The English wording of the language texts the participants page and search use. */
inline const std::map<std::pair<char, int>, std::string>& englishTexts()
{
    static const std::map<std::pair<char, int>, std::string> texts = {
        {{'V', 10}, "Others"},
        {{'V', 11}, "Time"},
        {{'V', 12}, "Points"},
        {{'V', 13}, "Heat / Lane"},
        {{'V', 14}, "First places"},
        {{'V', 15}, "Second places"},
        {{'V', 16}, "Third places"},
        {{'V', 17}, "Athletes"},
        {{'V', 18}, "Individual entries"},
        {{'V', 19}, "Relay entries"},
        {{'V', 20}, "Individual starts"},
        {{'V', 21}, "Relay starts"},
        {{'V', 22}, "Finals"},
        {{'V', 23}, "Semifinals"},
        {{'V', 24}, "Contact:"},
        {{'V', 25}, "Phone: "},
        {{'V', 26}, "Fax: "},
        {{'S', 17}, "Entry time"},
    };
    return texts;
}

/** Loads a Lenex text into a document, selects its first competition and installs the English texts. */
class MeetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        base::setLanguageTextSource([](char section, int number, int) {
            const auto found = englishTexts().find({section, number});
            return found == englishTexts().end() ? std::string() : found->second;
        });
    }
    void TearDown() override { base::setLanguageTextSource({}); }

    void load(std::string_view text)
    {
        document.clear();
        lenex::TLnxParser parser(document);
        document.setRoot(parser.parseText(text));
        ASSERT_TRUE(document.errors().empty()) << document.errors().front();
        document.buildIndexes();
        ASSERT_TRUE(document.hasCompetitions());
        document.selectCompetition(0);
    }

    lenex::TLenex document;
};

} // namespace lanescope::browser::testing
