#include "browser/Search.h"

#include "browser/EventListDrawing.h"
#include "browser/ParticipantsMeet.h"

#include <string>
#include <vector>

namespace lanescope::browser {
namespace {

using namespace lenex;
using testing::MeetTest;

TEST(SearchNames, MatchAnywhereWithoutRegardToCase)
{
    struct Case
    {
        const char* findText;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"mül", "Müller Jana, 05", true},  {"ÜLL", "Müller Jana, 05", true}, {"äb", "Äbi Sara, 11", true},
        {"jana", "Müller Jana, 05", true}, {"05", "Müller Jana, 05", true},  {"ue", "Müller Jana, 05", false},
        {"", "Müller Jana, 05", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nameMatches(c.findText, c.name), c.matches) << c.findText << " in " << c.name;
}

class SearchTest : public MeetTest
{
protected:
    void SetUp() override
    {
        MeetTest::SetUp();
        load(testing::kParticipantsMeet);
        lists.ClearResultLists();
        events.BuildEventTree(document, lists);
        clubs.BuildClubTree(document, images, [this](TLnxObject& item) { lists.AddToResultList(item); });
        lists.SortResultLists();
        nodes = events.nodesInOrder();
    }
    /** One step as the window runs it: select the hit and forget the found row after drawing it. */
    std::string eventsStep(SearchDirection direction, const char* findText)
    {
        const EventTreeNode* hit =
            searchEventsStep(events, lists, selected, nodes.front(), direction, findText, state);
        if (!hit)
            return "none";
        selected = hit;
        const std::string where = hit->text + " row " + std::to_string(state.FFoundRow);
        EXPECT_EQ(state.FLastFoundRow, state.FFoundRow);
        return where;
    }
    std::string clubsStep(SearchDirection direction, const char* findText)
    {
        const ClubTreeNode* hit =
            searchClubsStep(clubs, selectedClub, clubs.firstNode(), direction, findText);
        if (!hit)
            return "none";
        selectedClub = hit;
        return hit->text;
    }
    std::string eventText(int index) const { return nodes[static_cast<std::size_t>(index)]->text; }

    ResultLists lists;
    EventTree events;
    ClubImages images{21};
    ClubTree clubs;
    std::vector<const EventTreeNode*> nodes;
    const EventTreeNode* selected = nullptr;
    const ClubTreeNode* selectedClub = nullptr;
    SearchState state;
};

// Lists: event 1 Müller, Keller, Weber, Äbi (entry); event 2 Keller, Weber, Müller (disqualified);
// event 3 Brunner; event 4 the relay; event 5, the fastest heat without items of its own, shows the list of
// event 2. Nodes: the session, then events 1 to 5.
TEST_F(SearchTest, EventsStepsDownThroughRowsAndLists)
{
    const std::vector<std::string> hits = {eventText(1) + " row 0",
                                           eventText(1) + " row 1",
                                           eventText(2) + " row 0",
                                           eventText(2) + " row 2",
                                           eventText(5) + " row 0",
                                           eventText(5) + " row 2",
                                           "none"};
    for (const std::string& hit : hits)
        EXPECT_EQ(eventsStep(SearchDirection::Down, "ll"), hit);
}

// Up from a hit in a list's first row the step goes on to the lists before it, up to the end of the tree.
TEST_F(SearchTest, EventsUpFromNothingStartsAtTheLastRowOfTheLastNode)
{
    const std::vector<std::string> hits = {eventText(5) + " row 2",
                                           eventText(5) + " row 0",
                                           eventText(2) + " row 2",
                                           eventText(2) + " row 0",
                                           eventText(1) + " row 1",
                                           eventText(1) + " row 0",
                                           "none"};
    for (const std::string& hit : hits)
        EXPECT_EQ(eventsStep(SearchDirection::Up, "ll"), hit);
    state = {};
    selected = nullptr;
    EXPECT_EQ(eventsStep(SearchDirection::Up, "zürich"), eventText(4) + " row 0"); // the club's relay
    EXPECT_EQ(eventsStep(SearchDirection::Up, "xyz"), "none");
}

// A node chosen between two steps is searched from its first (down) or last (up) row when no hit was
// made yet.
TEST_F(SearchTest, EventsStartInTheSelectedNodesList)
{
    selected = nodes[2];
    EXPECT_EQ(eventsStep(SearchDirection::Up, "ll"), eventText(2) + " row 2");
    state = {};
    selected = nodes[2];
    EXPECT_EQ(eventsStep(SearchDirection::Down, "ll"), eventText(2) + " row 0");
}

TEST_F(SearchTest, EventsFindUmlautsAndEntries)
{
    EXPECT_EQ(eventsStep(SearchDirection::Down, "ÄB"), eventText(1) + " row 3");
}

TEST_F(SearchTest, SecondHitIsHighlightedOnTheEventsPage)
{
    eventsStep(SearchDirection::Down, "ll");
    state.FFoundRow = -1; // the drawing of the first hit forgets it
    eventsStep(SearchDirection::Down, "ll");
    TvnxPaintBox box;
    EventHeader header = defaultEventHeader();
    EventPageOptions options;
    options.foundRow = state.FFoundRow;
    drawEventsPage(box, header, selected, document, lists, options);
    std::vector<std::string> highlighted;
    for (const PaintItem& item : box.items())
        if (item.brush == ColourRole::Highlight)
            highlighted.push_back(item.text);
    EXPECT_EQ(highlighted, std::vector<std::string>{"Keller Anna, 06"});
}

TEST_F(SearchTest, ClubsStepsOverAthletesAndRelays)
{
    EXPECT_EQ(clubsStep(SearchDirection::Down, "ll"), "Keller Anna, 06");
    EXPECT_EQ(clubsStep(SearchDirection::Down, "ll"), "Müller Jana, 05");
    EXPECT_EQ(clubsStep(SearchDirection::Down, "ll"), "Zeller Ida, 09");
    EXPECT_EQ(clubsStep(SearchDirection::Down, "ll"), "none");
    EXPECT_EQ(clubsStep(SearchDirection::Up, "ll"), "Müller Jana, 05");

    selectedClub = nullptr;
    EXPECT_EQ(clubsStep(SearchDirection::Up, "ll"), "Zeller Ida, 09"); // the last node itself
    selectedClub = nullptr;
    EXPECT_EQ(clubsStep(SearchDirection::Down, "zürich"), "SC Zürich"); // the relay, named after its club
    selectedClub = nullptr;
    EXPECT_EQ(clubsStep(SearchDirection::Down, "SUI"), "none"); // nations and clubs never match
}

} // namespace
} // namespace lanescope::browser
