#include "browser/EventListDrawing.h"

#include "EventsMeet.h"

#include <string>
#include <vector>

namespace lanescope::browser {
namespace {

using testing::EventsMeetTest;
using testing::kEventsMeet;

// A recorded item as "text@x,y/flags"; lines as "line x,y-x2,y2/pen".
std::string describe(const PaintItem& item)
{
    if (item.kind == PaintItem::Kind::Line)
        return "line " + std::to_string(item.x) + "," + std::to_string(item.y) + "-" +
               std::to_string(item.x2) + "," + std::to_string(item.y2) + "/" + std::to_string(item.pen);
    return item.text + "@" + std::to_string(item.x) + "," + std::to_string(item.y) + "/" +
           std::to_string(item.flags);
}

std::vector<std::string> describeAll(const TvnxPaintBox& box)
{
    std::vector<std::string> texts;
    for (const PaintItem& item : box.items())
        texts.push_back(describe(item));
    return texts;
}

std::string replaced(std::string text, std::string_view from, std::string_view to)
{
    if (const auto at = text.find(from); at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class EventListDrawing : public EventsMeetTest
{
protected:
    EventPageDrawing draw(const char* nodePrefix, EventPageOptions options = {})
    {
        const EventTreeNode* found = nodePrefix != nullptr ? node(nodePrefix) : nullptr;
        if (nodePrefix != nullptr) {
            EXPECT_NE(found, nullptr) << nodePrefix;
        }
        return drawEventsPage(box, header, found, document, lists, options);
    }

    TvnxPaintBox box;
    EventHeader header = defaultEventHeader();
};

// Columns: place to 36, name to 179, club to 322, time to 375; without a point table the last section
// has width 0, so comments start at 380.
TEST_F(EventListDrawing, ResultsAndEntriesRowByRow)
{
    load(kEventsMeet);
    const EventPageDrawing page = draw("Event 4 ");
    EXPECT_EQ(page.title, "Event 4 - 50m Backstroke Women");
    EXPECT_TRUE(page.headerVisible);
    EXPECT_TRUE(page.hasResults);
    EXPECT_EQ(page.rowHeight, 15);
    EXPECT_EQ(page.scrollTop, -1);
    EXPECT_EQ(header[3].text, "Time");
    EXPECT_EQ(header[4].text, "Points");
    EXPECT_EQ(header[4].width, 0);
    EXPECT_EQ(header[4].alignment, SectionAlignment::Centre);
    const std::vector<std::string> expected = {
        "1.@17,5/4",
        "Roth Mia, 05@39,5/0",
        "SC Nord@182,5/0",
        "   30.90@372,5/10",
        "Meet record@380,5/0",
        "2.@17,20/4",
        "Weber Lena, 04@39,20/0",
        "SC Nord@182,20/0",
        "   31.20@372,20/10",
        "DSQ@17,35/4",
        "Kern Ida, 06@39,35/0",
        "SC Nord@182,35/0",
        "   33.00@372,35/18",
        "Holm Ina, 08@39,50/0",
        "SV Süd@182,50/0",
        "@372,50/2",
        "Lind Ola, 11@39,65/0",
        "SV Süd@182,65/0",
        "   59.00@372,65/2",
        "Graf Eva, 07@39,80/0",
        "SV Süd@182,80/0",
        " 1:05.00@372,80/2",
        "3 / 5@385,80/0",
    };
    EXPECT_EQ(describeAll(box), expected);
    EXPECT_EQ(box.items()[1].clipWidth, 137);
    EXPECT_FALSE(box.recording());
}

// The filter hides the invalid result, but the found row still counts it.
TEST_F(EventListDrawing, ValidOnlyFilterAndFoundRowHighlight)
{
    load(kEventsMeet);
    const EventPageDrawing page = draw("Event 4 ", {false, true, 3, 60, {}});
    std::vector<std::string> highlighted;
    for (const PaintItem& item : box.items()) {
        EXPECT_EQ(item.brush == ColourRole::Highlight, item.fontColour == ColourRole::HighlightText);
        if (item.brush == ColourRole::Highlight)
            highlighted.push_back(describe(item));
    }
    EXPECT_EQ(highlighted, (std::vector<std::string>{"Holm Ina, 08@39,35/0"}));
    for (const PaintItem& item : box.items())
        EXPECT_EQ(item.text.find("Kern"), std::string::npos);
    // Drawn at y 35 (the hidden row takes no room); the view shows it and two rows below it.
    EXPECT_EQ(page.scrollTop, 35 + 15 + 2 * 15 - 60);
}

// With splits the rows are taller than the row height: the scroll position follows where the found row
// was drawn, so a hit far down the list is inside the view after the search.
TEST_F(EventListDrawing, FoundRowWithSplitsIsScrolledIntoView)
{
    std::string swimmers;
    for (int rank = 3; rank < 23; ++rank)
        swimmers +=
            "<PERSON><NAME>Swimmer</NAME><FNAME>" + std::to_string(rank) + "</FNAME><RESULTS><RESULT><EID>4" +
            "</EID><RANK>" + std::to_string(rank) + "</RANK><TIME>V00h00:40.00</TIME><SPLITS><SPLIT " +
            "dis=\"25\">V00h00:19.00</SPLIT><SPLIT dis=\"50\">V00h00:40.00</SPLIT></SPLITS></RESULT>" +
            "</RESULTS></PERSON>";
    load(replaced(std::string(kEventsMeet), "<CLUB><NAME>SV Süd</NAME><PERSONS>",
                  "<CLUB><NAME>SV Süd</NAME><PERSONS>" + swimmers));
    constexpr int kClientHeight = 200;
    const EventPageDrawing page = draw("Event 4 ", {true, false, 20, kClientHeight, {}});
    std::vector<int> highlightedY;
    for (const PaintItem& item : box.items())
        if (item.brush == ColourRole::Highlight)
            highlightedY.push_back(item.y);
    ASSERT_EQ(highlightedY.size(), 1u);
    EXPECT_GT(highlightedY[0], 20 * page.rowHeight + kClientHeight); // far below a plain row's place
    EXPECT_LE(page.scrollTop, highlightedY[0]);
    EXPECT_GE(page.scrollTop + kClientHeight, highlightedY[0] + 2 * page.rowHeight);
}

TEST_F(EventListDrawing, EntriesOnlyListShowsHeatAndLane)
{
    load(kEventsMeet);
    const EventPageDrawing page = draw("Event 2 ");
    EXPECT_FALSE(page.hasResults);
    EXPECT_EQ(header[3].text, "Entry time");
    EXPECT_EQ(header[4].text, "Heat / Lane");
    EXPECT_EQ(header[4].width, 70);
    EXPECT_EQ(header[4].alignment, SectionAlignment::Left);
    EXPECT_EQ(describeAll(box), (std::vector<std::string>{"Graf Eva, 07@39,5/0", "SV Süd@182,5/0",
                                                          "   35.00@372,5/2", "1 / 2@385,5/0"}));
}

TEST_F(EventListDrawing, PointTableOpensThePointsColumn)
{
    std::string meet = replaced(std::string(kEventsMeet), "<PL>50</PL>",
                                "<PL>50</PL><POINTTABLE><NAME>FINA</NAME></POINTTABLE>");
    load(replaced(meet, "<COMMENT>", "<POINTS>700</POINTS><COMMENT>"));
    draw("Event 4 ");
    EXPECT_EQ(header[4].width, 40);
    const std::vector<std::string> texts = describeAll(box);
    const std::vector<std::string> firstRow(texts.begin(), texts.begin() + 6);
    EXPECT_EQ(firstRow,
              (std::vector<std::string>{"1.@17,5/4", "Roth Mia, 05@39,5/0", "SC Nord@182,5/0",
                                        "   30.90@372,5/10", "Meet record@420,5/0", "700@393,5/4"}));
}

// 4 x 100 m in a 50 m pool: a name line per leg carrying the leg's 50 m split, the 100 m split on its own
// line with the leg time left of the label; the fourth swimmer is unknown, so that name line stays empty.
// Block: left 36, name width 197, labels at 236, times at 318, laps at 370, leg times at 228.
TEST_F(EventListDrawing, RelaySplitsAndNames)
{
    load(kEventsMeet);
    const EventPageDrawing page = draw("Event 9 ", {true, false, -1, 400, {}});
    EXPECT_EQ(page.rowHeight, 17);
    const std::vector<std::string> expected = {
        "1.@17,5/4",
        "SC Nord I, mixed@39,5/0",
        "SC Nord@182,5/0",
        " 4:00.00@372,5/10",
        "Weber Lena, 04@39,21/0",
        "50m:@236,21/0",
        "   28.00@318,21/2",
        "(28.00)@370,21/2",
        "100m:@236,36/0",
        "   59.00@318,36/2",
        "(31.00)@370,36/2",
        "   59.00@228,36/2",
        "Roth Mia, 05@39,51/0",
        "150m:@236,51/0",
        " 1:27.50@318,51/2",
        "(28.50)@370,51/2",
        "200m:@236,66/0",
        " 1:59.80@318,66/2",
        "(32.30)@370,66/2",
        " 1:00.80@228,66/2",
        "Kern Ida, 06@39,81/0",
        "250m:@236,81/0",
        " 2:28.00@318,81/2",
        "(28.20)@370,81/2",
        "300m:@236,96/0",
        " 3:00.10@318,96/2",
        "(32.10)@370,96/2",
        " 1:00.30@228,96/2",
        "350m:@236,111/0",
        " 3:29.00@318,111/2",
        "(28.90)@370,111/2",
        "400m:@236,126/0",
        " 4:00.00@318,126/2",
        "(31.00)@370,126/2",
        "   59.90@228,126/2",
        "line 5,145-374,145/1",
    };
    EXPECT_EQ(describeAll(box), expected);
    EXPECT_EQ(box.items()[4].clipWidth, 192);
}

// Three splits fill two rows of the left column and one of the right; a time without hundredths makes the
// following lap times end in "*"; an invalid split time is italic.
TEST_F(EventListDrawing, IndividualSplitsInTwoColumns)
{
    load(kEventsMeet);
    const EventPageDrawing page = draw("15 - 18", {true, false, -1, 400, {}});
    EXPECT_EQ(page.title, "Event 3 - 200m Breaststroke Men, Final, 15 - 18 years");
    const std::vector<std::string> expected = {
        "1.@17,5/4",         "Weber Lena, 04@39,5/0", "SC Nord@182,5/0",  " 2:40.00@372,5/10",
        "50m:@39,21/0",      "   30.50@121,21/2",     "(30.50)@173,21/2", "100m:@39,36/0",
        " 1:03.4*@121,36/2", "(32.9*)@173,36/2",      "150m:@236,21/0",   " 1:37.20@318,21/18",
        "(33.8*)@370,21/18", "line 5,55-374,55/1",
    };
    EXPECT_EQ(describeAll(box), expected);
}

struct PoolCase
{
    const char* pool; // replaces <PL>50</PL>
    int names;        // swimmer name lines of the relay
    int splits;       // split labels
};

class EventListPoolLength : public EventListDrawing, public ::testing::WithParamInterface<PoolCase>
{
};

// A pool length of 0 or less walks no lengths at all; a missing one means 50.
TEST_P(EventListPoolLength, RelayWalkEndsForEveryPoolLength)
{
    load(replaced(std::string(kEventsMeet), "<PL>50</PL>", GetParam().pool));
    draw("Event 9 ", {true, false, -1, 400, {}});
    int names = 0;
    int splits = 0;
    for (const PaintItem& item : box.items()) {
        names += item.y > 5 && item.x == 39;
        splits += item.text.ends_with("m:");
    }
    EXPECT_EQ(names, GetParam().names);
    EXPECT_EQ(splits, GetParam().splits);
}

constexpr PoolCase kPools[] = {
    {"<PL>0</PL>", 0, 0}, {"<PL>-25</PL>", 0, 0}, {"", 3, 8}, {"<PL>25</PL>", 3, 8}, {"<PL>100</PL>", 3, 4},
};
INSTANTIATE_TEST_SUITE_P(EventListPools, EventListPoolLength, ::testing::ValuesIn(kPools));

TEST_F(EventListDrawing, NodesWithoutListsLeaveTheSurfaceEmpty)
{
    load(kEventsMeet);
    for (const char* prefix : {static_cast<const char*>(nullptr), "Morning"}) {
        SCOPED_TRACE(prefix != nullptr ? prefix : "no node");
        const EventPageDrawing page = draw(prefix, {false, false, 2, 10, {}});
        EXPECT_FALSE(page.headerVisible);
        EXPECT_TRUE(box.items().empty());
        EXPECT_EQ(box.imageWidth(), 1);
    }
    // An age group without a swim says so.
    EXPECT_FALSE(draw("13 - 14").headerVisible);
    ASSERT_EQ(box.items().size(), 1U);
    EXPECT_EQ(box.items()[0].text, "No results");
    EXPECT_EQ(draw("Morning").title, "");
    EXPECT_EQ(draw("13 - 14").title, "Event 3 - 200m Breaststroke Men, Final, 13 - 14 years");
}

} // namespace
} // namespace lanescope::browser
