#include "browser/EventTree.h"

#include "EventsMeet.h"
#include "browser/ClipboardTexts.h"
#include "browser/EventListDrawing.h"
#include "lenex/LnxTime.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace lanescope::browser {
namespace {

using namespace lenex;
using testing::EventsMeetTest;
using testing::kEventsMeet;

// "Weber" for a person's item, the relay name for a relay's item.
std::string ownerName(const TLnxObject* item) { return item->parent()->parent()->getText(tag::NAME); }

std::vector<std::string> ownerNames(const ResultList* list)
{
    std::vector<std::string> names;
    if (list != nullptr)
        for (const TLnxObject* item : *list)
            names.push_back(ownerName(item));
    return names;
}

class EventTreeBuild : public EventsMeetTest
{
};

TEST_F(EventTreeBuild, OrdersSessionsEventsAndAgeGroups)
{
    load(kEventsMeet);
    std::vector<std::string> texts;
    std::vector<int> levels;
    std::vector<int> images;
    for (const EventTreeNode* node : tree.nodesInOrder()) {
        texts.push_back(node->level == 0 ? node->text.substr(0, node->text.find(" - ")) : node->text);
        levels.push_back(node->level);
        images.push_back(node->imageIndex);
    }
    // Event 2 and 4 share ORDER and start time, so NUM decides; event 3 starts later; ORDER 10 follows 9.
    const std::vector<std::string> expected = {
        "Morning",
        "Event 2 - 50m Butterfly Women, XYZ",
        "Event 4 - 50m Backstroke Women",
        "Event 3 - 200m Breaststroke Men, Final",
        "15 - 18 years",
        "13 - 14 years",
        "Event 5 - 100m Freestyle Women, 13 - 16 years, Youth",
        "Event 7 - 200m Breaststroke Men, Fastest heat",
        "Event 8 - 200m Breaststroke Men, Fastest heat",
        "Afternoon",
        "Event 9 - 4 x 100m Freestyle Relay mixed",
    };
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(levels, (std::vector<int>{0, 1, 1, 1, 2, 2, 1, 1, 1, 0, 1}));
    EXPECT_EQ(images, (std::vector<int>{11, 12, 12, 12, 13, 13, 12, 12, 12, 11, 12}));
    EXPECT_EQ(tree.sessions()[0]->text.substr(0, 10), "Morning - ");
}

TEST_F(EventTreeBuild, CreatesListsPerEventAndPerAgeGroupOfMultiAgeGroupEvents)
{
    load(kEventsMeet);
    std::vector<std::string> keys;
    for (int i = 0; i < lists.count(); ++i)
        keys.push_back(lists.keyAt(i));
    EXPECT_EQ(keys, (std::vector<std::string>{"3", "3;31", "3;32", "4", "5", "6", "7", "8", "9"}));
}

TEST_F(EventTreeBuild, ReportsProgressPerEventAndPerSortedList)
{
    load(kEventsMeet);
    std::vector<std::string> texts;
    EventTree other;
    ResultLists otherLists;
    other.BuildEventTree(document, otherLists, [&texts](const std::string& text) { texts.push_back(text); });
    otherLists.SortResultLists([&texts](const std::string& text) { texts.push_back(text); });
    ASSERT_EQ(texts.size(), 7u + 9u);
    EXPECT_EQ(texts.front(), "1 events scanned ...");
    EXPECT_EQ(texts[6], "7 events scanned ...");
    EXPECT_EQ(texts[7], "1 resultlists sorted...");
    EXPECT_EQ(texts.back(), "9 resultlists sorted...");
}

TEST_F(EventTreeBuild, CompetitionWithoutSessionsGivesNoNodesAndNoLists)
{
    load(R"(<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS><COMPETITION><NAME>Empty</NAME>
</COMPETITION></COMPETITIONS></LENEX>)");
    EXPECT_TRUE(tree.sessions().empty());
    EXPECT_EQ(lists.count(), 0);
}

class EventTreeLists : public EventsMeetTest
{
};

struct ListCase
{
    const char* node;                // prefix of the node text
    std::vector<std::string> owners; // owners of the listed items in list order
};

TEST_F(EventTreeLists, FilesSortsAndRedirectsLists)
{
    load(kEventsMeet);
    const ListCase cases[] = {
        // Ranked by place, then the unranked result, then entries by time with the one without time first.
        {"Event 4 ", {"Roth", "Weber", "Kern", "Holm", "Lind", "Graf"}},
        // A CID of no age group of the event falls back to the event's own list.
        {"Event 3 ", {"Roth"}},
        {"15 - 18", {"Weber"}},
        {"13 - 14", {}},
        // One age group: items with its CID are on the event list; "05" finds no list at all.
        {"Event 5 ", {"Lind"}},
        // A fastest heat without items shows the list its PEID names, or its own when it names no event.
        {"Event 7 ", {"Roth"}},
        {"Event 8 ", {}},
        {"Event 9 ", {"SC Nord I"}},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.node);
        const EventTreeNode* found = node(c.node);
        ASSERT_NE(found, nullptr);
        const ResultList* list = ResultListFor(found, lists);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ownerNames(list), c.owners);
    }
    EXPECT_EQ(ResultListFor(node("Morning"), lists), nullptr);
    EXPECT_EQ(ResultListFor(nullptr, lists), nullptr);
}

// Items filed after a sort are sorted in with the earlier ones: the list is ordered as a whole again.
TEST_F(EventTreeLists, SortingAgainOrdersItemsFiledAfterTheFirstSort)
{
    load(kEventsMeet);
    const ResultList* list = ResultListFor(node("Event 4 "), lists);
    ASSERT_NE(list, nullptr);
    for (TLnxObject* item : ResultList(list->rbegin(), list->rend()))
        lists.AddToResultList(*item);
    lists.SortResultLists();
    EXPECT_EQ(ownerNames(list), (std::vector<std::string>{"Roth", "Roth", "Weber", "Weber", "Kern", "Kern",
                                                          "Holm", "Holm", "Lind", "Lind", "Graf", "Graf"}));
}

// Meets file the results of a timed final with slower heats under the timed final or under its fastest
// heat: whichever of the pair holds items, both nodes show them; a pair that both hold items keeps its own.
TEST_F(EventTreeLists, FastestHeatPairsShowTheListThatHoldsTheItems)
{
    load(R"(<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS><COMPETITION><NAME>Cup</NAME><PERIODS>
<PERIOD><NUM>1</NUM><NAME>Heats</NAME><EVENTS>
<EVENT id="10"><NUM>10</NUM><ORDER>1</ORDER><TYPE>TIM</TYPE></EVENT>
<EVENT id="12"><NUM>12</NUM><ORDER>2</ORDER><TYPE>TIM</TYPE></EVENT>
<EVENT id="13"><NUM>13</NUM><ORDER>3</ORDER><TYPE>TIM</TYPE></EVENT></EVENTS></PERIOD>
<PERIOD><NUM>2</NUM><NAME>Finals</NAME><EVENTS>
<EVENT id="110"><NUM>10</NUM><ORDER>1</ORDER><TYPE>FHT</TYPE><PEID>10</PEID></EVENT>
<EVENT id="112"><NUM>12</NUM><ORDER>2</ORDER><TYPE>FHT</TYPE><PEID>12</PEID></EVENT>
<EVENT id="113"><NUM>13</NUM><ORDER>3</ORDER><TYPE>FHT</TYPE><PEID>13</PEID></EVENT></EVENTS></PERIOD>
</PERIODS><CLUBS><CLUB><NAME>Team</NAME><PERSONS>
<PERSON id="1"><NAME>Berg</NAME><RESULTS><RESULT><EID>110</EID><RANK>2</RANK></RESULT>
<RESULT><EID>12</EID><RANK>1</RANK></RESULT><RESULT><EID>13</EID><RANK>1</RANK></RESULT></RESULTS></PERSON>
<PERSON id="2"><NAME>Aal</NAME><RESULTS><RESULT><EID>110</EID><RANK>1</RANK></RESULT>
<RESULT><EID>113</EID><RANK>1</RANK></RESULT></RESULTS></PERSON>
</PERSONS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)");
    const std::vector<std::pair<int, std::vector<std::string>>> cases = {
        {10, {"Aal", "Berg"}}, {110, {"Aal", "Berg"}}, {12, {"Berg"}},
        {112, {"Berg"}},       {13, {"Berg"}},         {113, {"Aal"}},
    };
    for (const auto& [id, owners] : cases) {
        SCOPED_TRACE(id);
        const auto nodes = tree.nodesInOrder();
        const auto found = std::find_if(nodes.begin(), nodes.end(), [id = id](const EventTreeNode* n) {
            return n->level == 1 && n->data->id() == id;
        });
        ASSERT_NE(found, nodes.end());
        EXPECT_EQ(ownerNames(ResultListFor(*found, lists)), owners);
    }
}

// Roth's swim is ranked 1st among the juniors (CID 32) and 3rd in the open class (31, named twice); Lind's
// swim in an event without age groups names a further age group that has no list of its own.
constexpr std::string_view kRankedTwiceMeet = R"(<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Cup</NAME><PL>25</PL><PM>m</PM><PERIODS><PERIOD><NUM>1</NUM><EVENTS>
<EVENT id="3"><NUM>3</NUM><DIS>50</DIS><STR>BR</STR><SEX>F</SEX><TYPE>FIN</TYPE><CATS>
<CAT id="31"><MIN>-1</MIN><MAX>-1</MAX><NAME>Open</NAME></CAT>
<CAT id="32"><MIN>2010</MIN><MAX>2013</MAX><NAME>Juniors</NAME></CAT></CATS></EVENT>
<EVENT id="4"><NUM>4</NUM><DIS>50</DIS><STR>FR</STR><SEX>F</SEX></EVENT>
</EVENTS></PERIOD></PERIODS>
<CLUBS><CLUB><NAME>SC Nord</NAME><PERSONS>
<PERSON id="11"><NAME>Roth</NAME><FNAME>Mia</FNAME><YOB>2011</YOB><RESULTS>
<RESULT><EID>3</EID><CID>32</CID><RANK>1</RANK><TIME>V00h00:40.00</TIME><RANK id="31">3</RANK><RANK id="31">3</RANK>
</RESULT>
</RESULTS></PERSON>
<PERSON id="12"><NAME>Weber</NAME><FNAME>Lena</FNAME><YOB>2004</YOB><RESULTS>
<RESULT><EID>3</EID><CID>31</CID><RANK>2</RANK><TIME>V00h00:38.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="13"><NAME>Kern</NAME><FNAME>Ida</FNAME><YOB>2003</YOB><RESULTS>
<RESULT><EID>3</EID><CID>31</CID><RANK>1</RANK><TIME>V00h00:35.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="14"><NAME>Lind</NAME><FNAME>Ola</FNAME><YOB>2011</YOB><RESULTS>
<RESULT><EID>4</EID><CID>41</CID><RANK>1</RANK><TIME>V00h00:30.00</TIME><RANK id="42">2</RANK></RESULT>
</RESULTS></PERSON>
</PERSONS></CLUB></CLUBS>
</COMPETITION></COMPETITIONS></LENEX>)";

TEST_F(EventTreeLists, ASwimRankedInTwoAgeGroupsShowsInBothListsWithItsPlaceThere)
{
    load(kRankedTwiceMeet);
    const EventTreeNode* event = node("Event 3 ");
    ASSERT_NE(event, nullptr);
    ASSERT_EQ(event->children.size(), 2u);
    const EventTreeNode* open = event->children[0].get();
    const EventTreeNode* juniors = event->children[1].get();
    EXPECT_EQ(ownerNames(ResultListFor(open, lists)), (std::vector<std::string>{"Kern", "Weber", "Roth"}));
    EXPECT_EQ(ownerNames(ResultListFor(juniors, lists)), (std::vector<std::string>{"Roth"}));
    EXPECT_EQ(ownerNames(ResultListFor(node("Event 4 "), lists)), (std::vector<std::string>{"Lind"}));

    // The copy text and the drawn list give each list's own place.
    const std::string openText = CopyEventList(document, lists, *open, {});
    EXPECT_NE(openText.find("\t3.\tRoth Mia"), std::string::npos) << openText;
    EXPECT_NE(CopyEventList(document, lists, *juniors, {}).find("\t1.\tRoth Mia"), std::string::npos);
    TvnxPaintBox box;
    EventHeader header = defaultEventHeader();
    drawEventsPage(box, header, open, document, lists, {});
    std::vector<std::string> places;
    for (const PaintItem& item : box.items())
        if (item.flags & textflag::centre)
            places.push_back(item.text);
    EXPECT_EQ(places, (std::vector<std::string>{"1.", "2.", "3."}));
}

TEST_F(EventTreeLists, ValidResultsNeedTheKindLetterV)
{
    load(kEventsMeet);
    const ResultList& list = *ResultListFor(node("Event 4 "), lists);
    std::vector<bool> valid;
    for (const TLnxObject* item : list)
        valid.push_back(IsValidResult(*item));
    EXPECT_EQ(valid, (std::vector<bool>{true, true, false, false, false, false}));
}

TEST_F(EventTreeLists, ClearEmptiesTheIndex)
{
    load(kEventsMeet);
    lists.ClearResultLists();
    EXPECT_EQ(lists.count(), 0);
    EXPECT_EQ(lists.find("4"), nullptr);
}

// Every node of the sample meet finds its list, every list keeps the display order and the tree keeps
// sessions by number and events by their ORDER.
TEST_F(EventTreeLists, SampleMeetListsAreCompleteAndOrdered)
{
    std::ifstream in(std::string(LANESCOPE_SAMPLES_DIR) + "/autumn-open-2026.lef", std::ios::binary);
    ASSERT_TRUE(in) << "sample meet missing";
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    load(text);
    ASSERT_FALSE(tree.sessions().empty());
    int listed = 0;
    for (const EventTreeNode* node : tree.nodesInOrder()) {
        if (node->level == 0)
            continue;
        const ResultList* list = ResultListFor(node, lists);
        ASSERT_NE(list, nullptr) << node->text;
        listed += static_cast<int>(list->size());
        // group 0 ranked, 1 unranked result, 2 entry; within ranks and entry times ascending
        std::pair<int, int> last{0, 0};
        for (const TLnxObject* item : *list) {
            const int rank = item->getInteger(tag::RANK);
            const std::pair<int, int> key =
                rank > 0                     ? std::pair{0, rank}
                : item->tag() == tag::RESULT ? std::pair{1, 0}
                                             : std::pair{2, lenexTimeRead(item->getText(tag::TIME), tkAny)};
            EXPECT_LE(last, key) << node->text;
            last = key;
        }
    }
    EXPECT_GT(listed, 0);
    for (const auto& session : tree.sessions())
        for (std::size_t i = 1; i < session->children.size(); ++i)
            EXPECT_LE(session->children[i - 1]->data->getInteger(tag::ORDER),
                      session->children[i]->data->getInteger(tag::ORDER));
}

} // namespace
} // namespace lanescope::browser
