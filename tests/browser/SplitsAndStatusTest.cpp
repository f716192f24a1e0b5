#include "ParticipantsMeet.h"
#include "browser/BrowserModels.h"
#include "browser/ClipboardTexts.h"
#include "browser/ListCells.h"
#include "browser/SplitsBlock.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

/**
 * Laps and relay legs from splits that files leave out or write wrongly, and status codes outside the table,
 * the same on the drawn page, in the copy text and (through the same cells) in the reports.
 */
namespace lanescope::browser {
namespace {

using namespace lenex;
using testing::MeetTest;

constexpr TSwimTime seconds(int whole, int hundredths = 0) { return whole * 10000 + hundredths * 10; }

std::vector<SplitTime> splitsOf(const std::vector<std::pair<int, TSwimTime>>& splits)
{
    std::vector<SplitTime> result;
    for (const auto& [distance, time] : splits)
        result.push_back({std::to_string(distance), time, 'V'});
    return result;
}

TEST(Laps, NoLapWhereTheSplitIsNotLaterThanTheOneBefore)
{
    const struct
    {
        TSwimTime time;
        TSwimTime previous;
        const char* lap;
    } cases[] = {
        {seconds(59), seconds(28), "(31.00)"},
        {seconds(28), 0, "(28.00)"},
        {seconds(28), seconds(30), ""}, // a 25 m split later than the 50 m split
        {seconds(28), seconds(28), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lapText(c.time, c.previous), c.lap) << c.time << " after " << c.previous;
}

TEST(RelayLegs, ALegTimeNeedsTheSplitsAtBothEnds)
{
    // 4 x 100 m: a leg ends at 100, 200, 300 and 400.
    const std::vector<std::pair<int, TSwimTime>> all = {
        {50, seconds(28)},   {100, seconds(59)},  {150, seconds(89)},
        {200, seconds(120)}, {300, seconds(181)}, {400, seconds(240)},
    };
    std::vector<std::pair<int, TSwimTime>> without100 = all;
    without100.erase(without100.begin() + 1);
    std::vector<std::pair<int, TSwimTime>> late200 = all;
    late200[3].second = seconds(190); // later than the 300 m split
    const struct
    {
        const char* name;
        const std::vector<std::pair<int, TSwimTime>>& splits;
        int end;
        TSwimTime leg;
    } cases[] = {
        {"first leg from the start", all, 100, seconds(59)},
        {"second leg", all, 200, seconds(61)},
        {"leg with a missing split at its end", without100, 100, 0},
        {"leg with a missing split at its start", without100, 200, 0},
        {"the leg after it", without100, 300, seconds(61)},
        {"a leg that would be negative", late200, 300, 0},
        {"no split at all", {}, 400, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(relayLegTime(splitsOf(c.splits), c.end, 100), c.leg) << c.name;
}

// A 4 x 100 m relay in a 50 m pool without its 100 m split, an individual swim whose 25 m split is later
// than its 50 m split, and a swim with a league's own status code beside its time.
constexpr std::string_view kMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Cup</NAME><PL>50</PL><PM>m</PM>
<PERIODS><PERIOD><NUM>1</NUM><DATE>20261017</DATE><EVENTS>
<EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX><TYPE>TIM</TYPE></EVENT>
<EVENT id="4"><NUM>4</NUM><DIS>100</DIS><DISCNT>4</DISCNT><STR>FR</STR><SEX>F</SEX><TYPE>TIM</TYPE></EVENT>
</EVENTS></PERIOD></PERIODS>
<CLUBS><CLUB><NAME>SC Zürich</NAME><NATION>SUI</NATION><PERSONS>
<PERSON id="11"><NAME>Weber</NAME><FNAME>Lena</FNAME><YOB>2004</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>1</RANK><TIME>V00h00:58.00</TIME>
<SPLITS><SPLIT dis="25">V00h00:30.00</SPLIT><SPLIT dis="50">V00h00:28.00</SPLIT></SPLITS></RESULT>
</RESULTS></PERSON>
<PERSON id="12"><NAME>Brunner</NAME><FNAME>Mia</FNAME><YOB>2010</YOB><RESULTS>
<RESULT><EID>1</EID><CODE>SUI.RED10</CODE><TIME>V00h01:00.00</TIME></RESULT></RESULTS></PERSON>
</PERSONS>
<RELAYS><RELAY><NUM>1</NUM><SEX>F</SEX><RESULTS><RESULT><EID>4</EID><RANK>1</RANK><TIME>V00h04:00.00</TIME>
<POSITIONS><POSITION><NUM>1</NUM><PID>11</PID></POSITION><POSITION><NUM>2</NUM><PID>12</PID></POSITION>
</POSITIONS>
<SPLITS><SPLIT dis="50">V00h00:28.00</SPLIT>
<SPLIT dis="150">V00h01:29.00</SPLIT><SPLIT dis="200">V00h02:00.00</SPLIT>
<SPLIT dis="250">V00h02:30.00</SPLIT><SPLIT dis="300">V00h03:01.00</SPLIT>
<SPLIT dis="350">V00h03:30.00</SPLIT><SPLIT dis="400">V00h04:00.00</SPLIT></SPLITS>
</RESULT></RESULTS></RELAY></RELAYS>
</CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)";

class SplitsAndStatus : public MeetTest
{
protected:
    void SetUp() override
    {
        MeetTest::SetUp();
        load(kMeet);
        models.build(document, 0);
    }
    void TearDown() override
    {
        models.clear();
        MeetTest::TearDown();
    }
    const EventTreeNode& eventNode(int number) const
    {
        for (const EventTreeNode* node : models.events.nodesInOrder())
            if (node->level == 1 && node->data && node->data->getInteger(tag::NUM) == number)
                return *node;
        throw std::runtime_error("no event " + std::to_string(number));
    }
    std::vector<std::string> drawnTexts(const TLnxObject& item, const TLnxObject* event)
    {
        TvnxPaintBox box;
        drawSplitsAndNames(box, document, item, 0, 600, 0, event);
        box.Finish();
        std::vector<std::string> texts;
        for (const PaintItem& drawn : box.items())
            texts.push_back(drawn.text);
        return texts;
    }
    TLnxObject& resultOf(const EventTreeNode& node, std::size_t index) const
    {
        return *ResultListFor(&node, models.lists)->at(index);
    }

    BrowserModels models;
};

TEST_F(SplitsAndStatus, StatusCodeOutsideTheTableStandsBesideTheTime)
{
    const EventTreeNode& event = eventNode(1);
    TLnxObject& penalised = resultOf(event, 1);
    // The place cell the page, the copy and the reports share, and the time cell beside it.
    EXPECT_EQ(placeText(penalised), "SUI.RED10");
    EXPECT_EQ(timeCell(penalised).text, " 1:00.00");
    EXPECT_EQ(CopyEventList(document, models.lists, event, {false, true}),
              event.text + "\r\n\t1.\tWeber Lena, 04\tSC Zürich\t   58.00\r\n"
                           "\tSUI.RED10\tBrunner Mia, 10\tSC Zürich\t 1:00.00\r\n");
}

TEST_F(SplitsAndStatus, ASplitLaterThanTheNextShowsNoLap)
{
    const EventTreeNode& event = eventNode(1);
    const TLnxObject& swim = resultOf(event, 0);
    const std::string copied = splitText(document, swim, event.data);
    EXPECT_EQ(copied, "\t25m:\t   30.00\t(30.00)\t50m:\t   28.00\t\r\n");
    std::vector<std::string> laps;
    for (const std::string& text : drawnTexts(swim, event.data))
        if (text.starts_with("("))
            laps.push_back(text);
    EXPECT_EQ(laps, std::vector<std::string>{"(30.00)"}); // the 25 m lap only; no "()" at 50 m
}

TEST_F(SplitsAndStatus, NoLegTimeAcrossAMissingLegSplit)
{
    const EventTreeNode& event = eventNode(4);
    const TLnxObject& relay = resultOf(event, 0);
    // Legs 1 and 2 lack the 100 m split at their end or start; legs 3 and 4 are whole. The line of the
    // missing split is left out.
    const std::string copied = splitText(document, relay, event.data);
    EXPECT_EQ(copied, "\tWeber Lena, 04\t\t50m:\t   28.00\t(28.00)\r\n"
                      "\tBrunner Mia, 10\t\t150m:\t 1:29.00\t(1:01.00)\r\n"
                      "\t\t\t200m:\t 2:00.00\t(31.00)\r\n"
                      "\t\t\t250m:\t 2:30.00\t(30.00)\r\n"
                      "\t\t 1:01.00\t300m:\t 3:01.00\t(31.00)\r\n"
                      "\t\t\t350m:\t 3:30.00\t(29.00)\r\n"
                      "\t\t   59.00\t400m:\t 4:00.00\t(30.00)\r\n");
    const std::vector<std::string> drawn = drawnTexts(relay, event.data);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), " 2:00.00"), 1); // the split, not a leg time of two legs
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), " 1:01.00"), 1); // the third leg's time
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "   59.00"), 1); // the fourth leg's time
}

} // namespace
} // namespace lanescope::browser
