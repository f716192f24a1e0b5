#include "browser/ClubTree.h"

#include "browser/ParticipantsMeet.h"

#include <array>
#include <string>
#include <vector>

namespace lanescope::browser {
namespace {

using namespace lenex;
using testing::MeetTest;

constexpr int kFirstFlag = 21;

using Counts = std::array<int, 10>;

// first, second, third, individual entries, relay entries, individual starts, relay starts, members,
// semifinals, finals
Counts countsOf(const TClubStatistic& s)
{
    return {s.firstPlaces,      s.secondPlaces, s.thirdPlaces, s.individualEntries, s.relayEntries,
            s.individualStarts, s.relayStarts,  s.members,     s.semifinals,        s.finals};
}

class ClubTreeTest : public MeetTest
{
protected:
    void build(std::string_view text)
    {
        load(text);
        filed.clear();
        tree.BuildClubTree(
            document, images, [this](TLnxObject& item) { filed.push_back(&item); },
            [this](const std::string& progressText) { progress.push_back(progressText); });
    }
    /** Every node in display order as "level|text|image". */
    std::vector<std::string> shape() const
    {
        std::vector<std::string> nodes;
        for (const ClubTreeNode* node = tree.firstNode(); node; node = tree.nextNode(*node))
            nodes.push_back(std::to_string(node->level()) + "|" + node->text + "|" +
                            std::to_string(node->imageIndex));
        return nodes;
    }
    const ClubTreeNode* node(std::string_view text, int level = -1) const
    {
        for (const ClubTreeNode* n = tree.firstNode(); n; n = tree.nextNode(*n))
            if (n->text == text && (level < 0 || n->level() == level))
                return n;
        ADD_FAILURE() << "no node " << text;
        return nullptr;
    }

    ClubImages images{kFirstFlag};
    ClubTree tree;
    std::vector<TLnxObject*> filed;
    std::vector<std::string> progress;
};

TEST_F(ClubTreeTest, NationsClubsAndParticipantsInOrderWithImages)
{
    build(testing::kParticipantsMeet);
    // "Äbi" sorts with "A": names follow the collation rules, nation codes their bytes.
    const std::vector<std::string> expected = {
        "0|SUI|21",
        "1|Basel Dolphins|14",
        "1|SC Zürich|57",
        "2|Äbi Sara, 11|9",
        "2|Brunner Mia, 10|9",
        "2|Weber Lena, 04|9",
        "2|SC Zürich|5", // the club's only relay, without a name of its own
        "0|XYZ|7",
        "1|Aqua Nova|14",
        "2|Keller Anna, 06|9",
        "2|Müller Jana, 05|9",
        "0|Others|7",
        "1|Lone Swimmers|14",
        "2|Zeller Ida, 09|9",
    };
    EXPECT_EQ(shape(), expected);
    EXPECT_EQ(tree.otherNation(), tree.nations().back().get());
    EXPECT_EQ(progress, (std::vector<std::string>{"1 clubs scanned ...", "2 clubs scanned ...",
                                                  "3 clubs scanned ...", "4 clubs scanned ..."}));

    // Walking back visits the same nodes in reverse.
    std::vector<std::string> backwards;
    for (const ClubTreeNode* n = tree.lastNode(); n; n = tree.previousNode(*n))
        backwards.insert(backwards.begin(),
                         std::to_string(n->level()) + "|" + n->text + "|" + std::to_string(n->imageIndex));
    EXPECT_EQ(backwards, expected);
}

TEST_F(ClubTreeTest, ParticipantsPointToResultsElseEntries)
{
    build(testing::kParticipantsMeet);
    EXPECT_EQ(node("Weber Lena, 04")->items->tag(), tag::RESULTS);
    EXPECT_EQ(node("Äbi Sara, 11")->items->tag(), tag::ENTRIES);
    EXPECT_EQ(node("SC Zürich", 2)->items->tag(), tag::RESULTS);
    EXPECT_EQ(node("Zeller Ida, 09")->items, nullptr);
    EXPECT_EQ(node("SC Zürich")->statistic->club->getText(tag::CODE), "LN");
    EXPECT_EQ(node("SUI")->statistic->club, nullptr);

    // Scan order: clubs in document order, persons before relays; Weber's entry stays out.
    std::vector<std::string> eids;
    for (const TLnxObject* item : filed)
        eids.push_back(std::string(item->tagName()) + item->getText(tag::EID));
    EXPECT_EQ(eids, (std::vector<std::string>{"RESULT1", "RESULT2", "RESULT3", "ENTRY1", "RESULT4", "RESULT1",
                                              "RESULT2", "RESULT2", "RESULT1"}));
}

// Entry files give every athlete an empty RESULTS collection beside the ENTRIES.
TEST_F(ClubTreeTest, EmptyResultsDoNotHideEntries)
{
    build(R"(<LENEX><COMPETITIONS><COMPETITION><PERIODS><PERIOD><EVENTS><EVENT id="1"/></EVENTS></PERIOD>
</PERIODS><CLUBS><CLUB><NAME>Club</NAME><PERSONS><PERSON id="1"><NAME>Entered</NAME><RESULTS/>
<ENTRIES><ENTRY><EID>1</EID></ENTRY></ENTRIES></PERSON><PERSON id="2"><NAME>Idle</NAME><RESULTS/>
</PERSON></PERSONS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)");
    const ClubTreeNode* club = node("Club");
    ASSERT_EQ(club->children.size(), 2u);
    for (const auto& athlete : club->children)
        EXPECT_EQ(athlete->items->tag(),
                  athlete->items->parent()->getText(tag::NAME) == "Entered" ? tag::ENTRIES : tag::RESULTS);
    ASSERT_EQ(filed.size(), 1u);
    EXPECT_EQ(filed[0]->tag(), tag::ENTRY);
    EXPECT_EQ(countsOf(*club->statistic), (Counts{0, 0, 0, 1, 0, 0, 0, 2, 0, 0}));
}

TEST_F(ClubTreeTest, StatisticsOfClubsAndNations)
{
    build(testing::kParticipantsMeet);
    struct Case
    {
        const char* node;
        Counts counts;
    };
    // Weber: final place 2 and a prelim start; Brunner: timed-final win (a place and a start); Äbi: an
    // entry; the relay: a timed-final win as relay start, no member. Müller's disqualification counts for
    // nothing, her prelim win is a start but no place.
    const Case cases[] = {
        {"SC Zürich", {2, 1, 0, 1, 0, 2, 1, 3, 0, 1}},
        {"SUI", {2, 1, 0, 1, 0, 2, 1, 3, 0, 1}},
        {"Basel Dolphins", {}},
        {"Aqua Nova", {1, 0, 0, 0, 0, 2, 0, 2, 0, 1}},
        {"XYZ", {1, 0, 0, 0, 0, 2, 0, 2, 0, 1}},
        {"Lone Swimmers", {}},
        {"Others", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(countsOf(*node(c.node)->statistic), c.counts) << c.node;
}

// One item per row against a fresh record: round types, pieces of the type texts, validity, owners.
TEST_F(ClubTreeTest, CountsOneItemByRoundValidityAndOwner)
{
    load(R"(<LENEX><COMPETITIONS><COMPETITION><PERIODS><PERIOD><EVENTS>
<EVENT id="1"><TYPE>FIN</TYPE></EVENT><EVENT id="2"><TYPE>TIM</TYPE></EVENT><EVENT id="3"><TYPE>PRE</TYPE></EVENT>
<EVENT id="4"><TYPE>SEM</TYPE></EVENT><EVENT id="5"><TYPE>-TIM</TYPE></EVENT><EVENT id="6"><TYPE>SOS</TYPE></EVENT>
</EVENTS></PERIOD></PERIODS><CLUBS><CLUB><PERSONS><PERSON id="1"><RESULTS>
<RESULT><EID>1</EID><RANK>1</RANK><TIME>V00h01:00.00</TIME></RESULT>
<RESULT><EID>2</EID><RANK>3</RANK><TIME>V00h01:00.00</TIME></RESULT>
<RESULT><EID>3</EID><RANK>2</RANK><TIME>V00h01:00.00</TIME></RESULT>
<RESULT><EID>4</EID><RANK>1</RANK><TIME>V00h01:00.00</TIME></RESULT>
<RESULT><EID>5</EID><RANK>2</RANK><TIME>V00h01:00.00</TIME></RESULT>
<RESULT><EID>6</EID><RANK>1</RANK><TIME>V00h01:00.00</TIME></RESULT>
<RESULT><EID>1</EID><RANK>1</RANK><TIME>I00h01:00.00</TIME></RESULT>
<RESULT><EID>9</EID><RANK>1</RANK><TIME>V00h01:00.00</TIME></RESULT>
<RESULT><EID>01</EID><RANK>4</RANK><TIME>V00h01:00.00</TIME></RESULT>
</RESULTS></PERSON><PERSON id="2"><ENTRIES><ENTRY><EID>1</EID></ENTRY></ENTRIES></PERSON></PERSONS><RELAYS>
<RELAY><NUM>2</NUM><RESULTS><RESULT><EID>2</EID><RANK>1</RANK><TIME>V00h01:00.00</TIME></RESULT></RESULTS></RELAY>
<RELAY><NUM>3</NUM><ENTRIES><ENTRY><EID>2</EID></ENTRY></ENTRIES></RELAY>
<RELAY><RESULTS><RESULT><EID>2</EID><RANK>5</RANK><TIME>V00h01:00.00</TIME></RESULT></RESULTS></RELAY>
</RELAYS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)");
    const Counts expected[] = {
        {1, 0, 0, 0, 0, 0, 0, 0, 0, 1}, // final win: a place and a final, no start
        {0, 0, 1, 0, 0, 1, 0, 0, 0, 0}, // timed final: a place and a start
        {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}, // prelims: a start, no place
        {0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, // semifinal: only the round
        {0, 1, 0, 0, 0, 1, 0, 0, 0, 0}, // "-TIM" is a piece of both round texts
        {},                             // swim-off counts for nothing
        {},                             // invalid time
        {},                             // unknown event: empty type
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, // "01" still finds event 1: a final, rank 4 no place
        {0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, // entry of a person
        {1, 0, 0, 0, 0, 0, 1, 0, 0, 0}, // relay with NUM 2: relay start and place
        {0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, // relay entry
        {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}, // a relay without NUM counts as individual
    };
    std::vector<TLnxObject*> items;
    ClubImages noImages{0};
    ClubTree scan;
    scan.BuildClubTree(document, noImages, [&items](TLnxObject& item) { items.push_back(&item); });
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        TClubStatistic statistic;
        countItem(statistic, document, *items[i]);
        EXPECT_EQ(countsOf(statistic), expected[i]) << "item " << i;
    }
}

TEST_F(ClubTreeTest, SampleMeet)
{
    load(testing::readSample("autumn-open-2026.lef"));
    tree.BuildClubTree(document, images, {});
    std::vector<std::string> nations;
    int members = 0;
    for (const auto& nation : tree.nations()) {
        nations.push_back(nation->text);
        members += nation->statistic->members;
    }
    EXPECT_EQ(nations, (std::vector<std::string>{"FRA", "GER", "SWE", "Others"}));
    EXPECT_EQ(members, 38);
    // "Étoile Nautique" sorts with "E", after "Club Nautique".
    EXPECT_EQ(tree.nations()[0]->children[0]->text, "Club Nautique Belle-Île");
    EXPECT_EQ(tree.nations()[0]->children[0]->imageIndex, kClubImage);
    EXPECT_EQ(tree.nations()[0]->imageIndex, kFirstFlag + 9);
}

} // namespace
} // namespace lanescope::browser
