#include "browser/AthleteListDrawing.h"

#include "browser/ParticipantsMeet.h"
#include "swim/LenexTexts.h"

#include <string>
#include <vector>

namespace lanescope::browser {
namespace {

using namespace lenex;
using testing::MeetTest;

/** Recorded items as "x y width flags text" or "line x1 y1 x2 y2 pen". */
std::vector<std::string> recorded(const TvnxPaintBox& box)
{
    std::vector<std::string> items;
    for (const PaintItem& item : box.items()) {
        if (item.kind == PaintItem::Kind::Line)
            items.push_back("line " + std::to_string(item.x) + " " + std::to_string(item.y) + " " +
                            std::to_string(item.x2) + " " + std::to_string(item.y2) + " " +
                            std::to_string(item.pen));
        else
            items.push_back(std::to_string(item.x) + " " + std::to_string(item.y) + " " +
                            std::to_string(item.clipWidth) + " " + std::to_string(item.flags) + " " +
                            item.text);
    }
    return items;
}

class AthleteListDrawingTest : public MeetTest
{
protected:
    void SetUp() override
    {
        MeetTest::SetUp();
        load(testing::kParticipantsMeet);
        tree.BuildClubTree(document, images, {});
        header = defaultClubHeader();
    }
    ClubPageDrawing draw(std::string_view nodeText, ClubPageOptions options = {})
    {
        const ClubTreeNode* node = tree.firstNode();
        while (node && node->text != nodeText)
            node = tree.nextNode(*node);
        EXPECT_NE(node, nullptr) << nodeText;
        return drawClubsPage(box, header, node, document, options);
    }

    ClubImages images{21};
    ClubTree tree;
    ClubHeader header;
    TvnxPaintBox box;
};

TEST_F(AthleteListDrawingTest, ClubShowsItsCountsAndContact)
{
    const ClubPageDrawing page = draw("SC Zürich");
    EXPECT_EQ(page.title, "SC Zürich");
    EXPECT_FALSE(page.headerVisible);
    // Zero counts are left out; the email and URL captions stand even without an address.
    const std::vector<std::string> expected = {
        "10 5 0 0 Athletes",
        "200 5 0 2 3",
        "10 20 0 0 Individual entries",
        "200 20 0 2 1",
        "10 35 0 0 Individual starts",
        "200 35 0 2 2",
        "10 50 0 0 Relay starts",
        "200 50 0 2 1",
        "10 65 0 0 First places",
        "200 65 0 2 2",
        "10 80 0 0 Second places",
        "200 80 0 2 1",
        "10 95 0 0 Finals",
        "200 95 0 2 1",
        "10 120 0 0 Contact:",
        "10 135 0 0 Eva Muster",
        "10 150 0 0 Seeweg 1",
        "10 165 0 0 8000 Zürich",
        "10 180 0 0 Phone: 044 123",
        "10 195 0 0 Email: eva@scz.example",
        "10 210 0 0 URL: ",
    };
    EXPECT_EQ(recorded(box), expected);
}

TEST_F(AthleteListDrawingTest, EmptyNodesShowOnlyTheirTitle)
{
    for (const char* node : {"Others", "Basel Dolphins", "Zeller Ida, 09"}) {
        const ClubPageDrawing page = draw(node);
        EXPECT_EQ(page.title, node);
        EXPECT_FALSE(page.headerVisible);
        EXPECT_TRUE(box.items().empty()) << node;
    }
    EXPECT_TRUE(drawClubsPage(box, header, nullptr, document, {}).title.empty());
}

TEST_F(AthleteListDrawingTest, ResultsWithRoundsPlacesAndPoints)
{
    const ClubPageDrawing page = draw("Weber Lena, 04");
    EXPECT_TRUE(page.headerVisible);
    EXPECT_TRUE(page.hasResults);
    EXPECT_EQ(header[3].text, "Time");
    EXPECT_EQ(header[5].text, "Points");
    EXPECT_EQ(header[5].width, 40); // the meet has a point table
    EXPECT_EQ(header[5].alignment, SectionAlignment::Centre);
    // Edges 45 155 265 325 365 405; the place column centres on 344. The prelim place is plain, the final's
    // bold; entries of an athlete with results are not shown. The relay she swam the first leg of comes
    // between prelims and final (rounds order the swims of a session without times of day); heat and lane
    // follow the round.
    const std::vector<std::string> expected = {
        "21 5 0 4 1",
        "48 5 104 0 100m Freestyle",
        "322 5 0 10    58.20",
        "342 5 0 4 3.",
        "410 5 0 0 (Prelims),  Heat 2, lane 4",
        "21 20 0 4 4",
        "48 20 104 0 4 x 100m Freestyle…",
        "322 20 0 10  4:00.00",
        "344 20 0 12 1.",
        "410 20 0 0 Leg 1: SC Zürich",
        "21 35 0 4 2",
        "48 35 104 0 100m Freestyle",
        "322 35 0 10    57.90",
        "344 35 0 12 2.",
        "410 35 0 0 (Final),  Best",
        "383 35 0 4 700",
    };
    EXPECT_EQ(recorded(box), expected);
}

// A newly chosen athlete's event section fits its longest event ("4 x 100m Freestyle Relay") where the pane
// has room beside the remarks; a narrow pane keeps the sections' smallest widths; a club changes nothing.
TEST_F(AthleteListDrawingTest, EventAndAgeGroupSectionsFitTheAthletesTexts)
{
    const ArialMeasure measure;
    const auto nodeWithText = [this](std::string_view text) {
        const ClubTreeNode* node = tree.firstNode();
        while (node && node->text != text)
            node = tree.nextNode(*node);
        return node;
    };
    const ClubTreeNode* athlete = nodeWithText("Weber Lena, 04");
    ASSERT_NE(athlete, nullptr);
    fitAthleteColumns(header, measure, athlete, document, 1200);
    EXPECT_EQ(header[1].width, measure.textWidth("4 x 100m Freestyle Relay", FontStyle::Plain) + 8);
    draw("Weber Lena, 04");
    for (const PaintItem& item : box.items())
        EXPECT_TRUE(item.fullText.empty()) << item.fullText;

    fitAthleteColumns(header, measure, athlete, document, 300);
    EXPECT_EQ(header[1].width, header[1].minWidth);
    EXPECT_EQ(header[2].width, header[2].minWidth);

    const ClubHeader before = header;
    fitAthleteColumns(header, measure, nodeWithText("SC Zürich"), document, 1200);
    EXPECT_EQ(header[1].width, before[1].width);
}

TEST_F(AthleteListDrawingTest, TimedFinalInAnAgeGroupHasNoRemark)
{
    draw("Brunner Mia, 10");
    const std::vector<std::string> expected = {
        "21 5 0 4 3",
        "48 5 104 0 200m Breaststroke",
        "158 5 104 0 " + swim::ageGroupText(document, document.ageGroupByIds(3, 31)),
        "322 5 0 10  2:35.40",
        "344 5 0 12 1.",
        "21 20 0 4 4",
        "48 20 104 0 4 x 100m Freestyle…",
        "322 20 0 10  4:00.00",
        "344 20 0 12 1.",
        "410 20 0 0 Leg 2: SC Zürich",
    };
    EXPECT_EQ(recorded(box), expected);
}

TEST_F(AthleteListDrawingTest, InvalidResultIsItalicUnlessFilteredOut)
{
    draw("Müller Jana, 05");
    const std::vector<std::string> all = recorded(box);
    ASSERT_EQ(all.size(), 10u);
    EXPECT_EQ(all[7], "322 20 0 18    58.00");
    EXPECT_EQ(all[8], "342 20 0 4 DSQ"); // unranked: plain
    EXPECT_EQ(all[9], "410 20 0 0 (Final),  False start");

    draw("Müller Jana, 05", {false, true, {}});
    const std::vector<std::string> valid = recorded(box);
    EXPECT_EQ(valid, std::vector<std::string>(all.begin(), all.begin() + 5));
}

TEST_F(AthleteListDrawingTest, EntriesShowHeatAndLane)
{
    const ClubPageDrawing page = draw("Äbi Sara, 11", {true, true, {}});
    EXPECT_FALSE(page.hasResults);
    EXPECT_EQ(header[3].text, "Entry time");
    EXPECT_EQ(header[5].text, "Heat / Lane");
    EXPECT_EQ(header[5].width, 70);
    EXPECT_EQ(header[5].alignment, SectionAlignment::Left);
    // Entries stay under the valid-only filter and get no splits block; the relay she swam in follows.
    const std::vector<std::string> expected = {
        "21 5 0 4 1",
        "48 5 104 0 100m Freestyle",
        "322 5 0 2  1:01.00",
        "375 5 0 0 1 / 3",
    };
    const std::vector<std::string> drawn = recorded(box);
    ASSERT_GE(drawn.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(drawn.begin(), drawn.begin() + 4), expected);
    EXPECT_EQ(drawn[4], "21 20 0 4 4");
}

TEST_F(AthleteListDrawingTest, SplitsModeDrawsTheBlockAndARuleUnderEachRow)
{
    draw("Weber Lena, 04", {true, false, {}});
    std::vector<const PaintItem*> lines;
    std::vector<int> numberRows;
    for (const PaintItem& item : box.items()) {
        if (item.kind == PaintItem::Kind::Line)
            lines.push_back(&item);
        else if (item.x == 21)
            numberRows.push_back(item.y);
    }
    ASSERT_EQ(lines.size(), 3u); // prelims, her relay leg, final
    ASSERT_EQ(numberRows.size(), 3u);
    EXPECT_EQ(numberRows[0], 5);
    // The rule runs to max(x1 + 300, x5 - 1) = 364; the next row starts 17 below the block's end.
    EXPECT_EQ(lines[0]->x, 5);
    EXPECT_EQ(lines[0]->x2, 364);
    EXPECT_EQ(lines[0]->pen, 1);
    EXPECT_EQ(numberRows[1], lines[0]->y - 14 + 17);
    // The single 50 m split of the first row sits in the block, left edge x1 = 45.
    bool splitLabel = false;
    for (const PaintItem& item : box.items())
        splitLabel = splitLabel || (item.text == "50m:" && item.y > 5 && item.y < lines[0]->y);
    EXPECT_TRUE(splitLabel);
}

TEST_F(AthleteListDrawingTest, WithoutPointTableResultsHaveNoLastColumn)
{
    document.currentCompetition()->removeChildByTag(tag::POINTTABLE);
    document.selectCompetition(0);
    draw("Weber Lena, 04");
    EXPECT_EQ(header[5].width, 0);
    EXPECT_EQ(recorded(box)[4], "370 5 0 0 (Prelims),  Heat 2, lane 4"); // remark 5 after the place column
}

} // namespace
} // namespace lanescope::browser
