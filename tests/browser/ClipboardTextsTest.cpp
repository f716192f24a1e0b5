#include "browser/ClipboardTexts.h"

#include "browser/ParticipantsMeet.h"
#include "swim/LenexTexts.h"

#include <string>

namespace lanescope::browser {
namespace {

using namespace lenex;
using testing::MeetTest;

// The relay's eight 50 m splits in the 4 x 100 m event: a swimmer opens each leg, every second line
// carries the leg time in front of its label.
const std::string kRelaySplits = "\tWeber Lena, 04\t\t50m:\t   28.00\t(28.00)\r\n"
                                 "\t\t   59.00\t100m:\t   59.00\t(31.00)\r\n"
                                 "\tBrunner Mia, 10\t\t150m:\t 1:29.00\t(30.00)\r\n"
                                 "\t\t 1:01.00\t200m:\t 2:00.00\t(31.00)\r\n"
                                 "\tÄbi Sara, 11\t\t250m:\t 2:30.00\t(30.00)\r\n"
                                 "\t\t 1:01.00\t300m:\t 3:01.00\t(31.00)\r\n"
                                 "\tKeller Anna, 06\t\t350m:\t 3:30.00\t(29.00)\r\n"
                                 "\t\t   59.00\t400m:\t 4:00.00\t(30.00)\r\n";

class ClipboardTextsTest : public MeetTest
{
protected:
    void SetUp() override
    {
        MeetTest::SetUp();
        load(testing::kParticipantsMeet);
        events.BuildEventTree(document, lists);
        clubs.BuildClubTree(document, images, [this](TLnxObject& item) { lists.AddToResultList(item); });
        lists.SortResultLists();
    }
    std::string eventList(int eventNumber, CopyOptions options = {}) const
    {
        const EventTreeNode& node =
            *events.sessions().front()->children[static_cast<std::size_t>(eventNumber - 1)];
        return CopyEventList(document, lists, node, options);
    }
    std::string athleteList(std::string_view text, CopyOptions options = {}) const
    {
        // Athletes and relays; the club's only relay reads as the club.
        for (const ClubTreeNode* node = clubs.firstNode(); node; node = clubs.nextNode(*node))
            if (node->level() == 2 && node->text == text)
                return CopyAthleteList(document, *node, options);
        ADD_FAILURE() << "no node " << text;
        return {};
    }

    ResultLists lists;
    EventTree events;
    ClubImages images{21};
    ClubTree clubs;
};

TEST_F(ClipboardTextsTest, EventListOfRankedAndDisqualifiedResults)
{
    // The disqualified row shows its status code in the place field and keeps its comment, without time.
    // The fastest heat of the final has no items of its own, so it copies the final's list, as it shows it.
    const std::string rows = "\t1.\tKeller Anna, 06\tAqua Nova\t   56.50\r\n"
                             "\t2.\tWeber Lena, 04\tSC Zürich\t   57.90\tBest\r\n"
                             "\tDSQ\tMüller Jana, 05\tAqua Nova\t\tFalse start\r\n";
    EXPECT_EQ(eventList(2), "2 - 100m Freestyle Women, Final\r\n" + rows);
    EXPECT_EQ(eventList(5), events.sessions().front()->children[4]->text + "\r\n" + rows);
}

TEST_F(ClipboardTextsTest, ValidOnlyLeavesOutEntriesAndInvalidResults)
{
    const std::string title = events.sessions().front()->children[0]->text + "\r\n";
    const std::string ranked = "\t1.\tMüller Jana, 05\tAqua Nova\t   57.00\r\n"
                               "\t2.\tKeller Anna, 06\tAqua Nova\t   57.50\r\n"
                               "\t3.\tWeber Lena, 04\tSC Zürich\t   58.20\r\n";
    // The entry's row loses its trailing tabs; its entry time is not copied.
    EXPECT_EQ(eventList(1), title + ranked + "\t\tÄbi Sara, 11\tSC Zürich\r\n");
    EXPECT_EQ(eventList(1, {false, true}), title + ranked);
    // Her entry and the relay she swam the third leg of.
    const std::string relay = "\t4\t4 x 100m Freestyle Relay\t\t 4:00.00\t1.\tLeg 3: SC Zürich\r\n";
    EXPECT_EQ(athleteList("Äbi Sara, 11"),
              "Äbi Sara, 11\r\n\t1\t100m Freestyle\t\t\t\t(Prelims),  Heat 1, lane 3\r\n" + relay);
    EXPECT_EQ(athleteList("Äbi Sara, 11", {false, true}), "Äbi Sara, 11\r\n" + relay);
    EXPECT_EQ(athleteList("Zeller Ida, 09", {true, false}), "Zeller Ida, 09\r\n");
}

// With the heat/lane and reaction columns shown, result lines end with them after the comment field, which
// stays in place when empty; entries get no heat/lane of a result.
TEST_F(ClipboardTextsTest, ShownOptionalColumnsEndTheResultLines)
{
    CopyOptions options;
    options.heatLane = true;
    options.reaction = true;
    const std::string title = events.sessions().front()->children[0]->text + "\r\n";
    EXPECT_EQ(eventList(1, options), title + "\t1.\tMüller Jana, 05\tAqua Nova\t   57.00\r\n"
                                             "\t2.\tKeller Anna, 06\tAqua Nova\t   57.50\r\n"
                                             "\t3.\tWeber Lena, 04\tSC Zürich\t   58.20\t\t2 / 4\r\n"
                                             "\t\tÄbi Sara, 11\tSC Zürich\r\n");
    options.heatLane = false;
    EXPECT_EQ(eventList(2, options), eventList(2));
}

TEST_F(ClipboardTextsTest, EventListWithSplits)
{
    EXPECT_EQ(eventList(4, {true, false}), events.sessions().front()->children[3]->text + "\r\n" +
                                               "\t1.\tSC Zürich, mixed\tSC Zürich\t 4:00.00\r\n" +
                                               kRelaySplits);
    const std::string prelims = eventList(1, {true, true});
    EXPECT_NE(prelims.find("\t3.\tWeber Lena, 04\tSC Zürich\t   58.20\r\n\t50m:\t   28.10\t(28.10)\r\n"),
              std::string::npos);
}

TEST_F(ClipboardTextsTest, AthleteListWithRoundsAndSplits)
{
    EXPECT_EQ(athleteList("Weber Lena, 04"), "Weber Lena, 04\r\n"
                                             "\t1\t100m Freestyle\t\t   58.20\t3.\t(Prelims),  Heat 2, lane 4\r\n"
                                             "\t4\t4 x 100m Freestyle Relay\t\t 4:00.00\t1.\tLeg 1: SC Zürich\r\n"
                                             "\t2\t100m Freestyle\t\t   57.90\t2.\t(Final),  Best\r\n");
    EXPECT_EQ(athleteList("Müller Jana, 05"), "Müller Jana, 05\r\n"
                                              "\t1\t100m Freestyle\t\t   57.00\t1.\t(Prelims)\r\n"
                                              "\t2\t100m Freestyle\t\t\tDSQ\t(Final),  False start\r\n");
    // Three splits in two columns, ordered by distance; a split without hundredths carries its star
    // into the laps that use it.
    const std::string ageGroup = swim::ageGroupText(document, document.ageGroupByIds(3, 31));
    EXPECT_EQ(athleteList("Brunner Mia, 10", {true, false}),
              "Brunner Mia, 10\r\n"
              "\t3\t200m Breaststroke\t" +
                  ageGroup +
                  "\t 2:35.40\t1.\r\n"
                  "\t50m:\t   36.50\t(36.50)\t150m:\t 1:56.00\t(40.0*)\r\n"
                  "\t100m:\t 1:16.0*\t(39.5*)\r\n"
                  "\t4\t4 x 100m Freestyle Relay\t\t 4:00.00\t1.\tLeg 2: SC Zürich\r\n" +
                  kRelaySplits);
    EXPECT_EQ(athleteList("SC Zürich", {true, false}),
              "SC Zürich\r\n\t4\t4 x 100m Freestyle Relay\t\t 4:00.00\t1.\r\n" + kRelaySplits);
}

TEST(ClipboardSplitText, InvalidSplitsLeaveEmptyCells)
{
    TLenex document;
    TLnxParser parser(document);
    document.setRoot(parser.parseText(R"(<LENEX><COMPETITIONS><COMPETITION><PL>25</PL><PM>y</PM><CLUBS><CLUB>
<PERSONS><PERSON id="1"><RESULTS><RESULT><SPLITS><SPLIT dis="25">V00h00:12.00</SPLIT>
<SPLIT dis="50">I00h00:25.00</SPLIT><SPLIT dis="75">V00h00:38.00</SPLIT></SPLITS></RESULT>
<RESULT><SPLITS/></RESULT><RESULT/></RESULTS></PERSON></PERSONS></CLUB></CLUBS>
</COMPETITION></COMPETITIONS></LENEX>)"));
    document.buildIndexes();
    document.selectCompetition(0);
    const TLnxCollection& results = *document.personById(1)->findCollection(tag::RESULTS);
    EXPECT_EQ(splitText(document, *results.itemAt(0), nullptr),
              "\t25y:\t   12.00\t(12.00)\t75y:\t   38.00\t(26.00)\r\n\t50y:\t\t\r\n");
    EXPECT_EQ(splitText(document, *results.itemAt(1), nullptr), "\r\n");
    EXPECT_EQ(splitText(document, *results.itemAt(2), nullptr), "");
}

} // namespace
} // namespace lanescope::browser
