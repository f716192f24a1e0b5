#include "chart/RaceChart.h"

#include "chart/ChartPng.h"
#include "report/DrawingSvg.h"
#include "report/RecordingDevice.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace lanescope::chart {
namespace {

using report::RecordedItem;
using report::RecordedPage;

ChartTexts englishTexts()
{
    ChartTexts texts;
    texts.gapCaption = "Gap to leader (s)";
    texts.lapCaption = "Lap times (s)";
    texts.distanceCaption = "Distance (%s)";
    texts.legMark = "Leg %d";
    texts.noSplits = "No splits";
    return texts;
}

// Three swimmers of a 100 m race: A leads at the finish, B at 50 m, C is disqualified after 50 m.
RaceData smallRace()
{
    RaceData race;
    race.raceDistance = 100;
    race.swimmers = {
        {"1.", "Able Anna", "1:02.00", true, {{50, 30000}, {100, 62000}}},
        {"2.", "Baker Beth", "1:03.00", true, {{50, 29500}, {100, 63000}}},
        {"DSQ", "Carter Cleo", "", false, {{50, 29800}}},
    };
    return race;
}

RecordedPage drawn(const RaceData& race, int width = 960)
{
    RecordedPage page;
    report::RecordingCanvas canvas(96);
    canvas.setPage(&page);
    page.deviceWidth = width;
    page.deviceHeight = drawRaceChart(canvas, race, englishTexts(), width, 96);
    return page;
}

const RecordedItem* path(const RecordedPage& page, const std::string& name)
{
    const auto found = std::find_if(page.items.begin(), page.items.end(), [&](const RecordedItem& item) {
        return item.kind == RecordedItem::Kind::Path && item.style.name == name;
    });
    return found == page.items.end() ? nullptr : &*found;
}

int countPaths(const RecordedPage& page, const std::string& name)
{
    return static_cast<int>(
        std::count_if(page.items.begin(), page.items.end(), [&](const RecordedItem& item) {
            return item.kind == RecordedItem::Kind::Path && item.style.name == name;
        }));
}

TEST(RaceChart, GapsAreMeasuredFromTheFastestTimeAtEachSplit)
{
    const auto gaps = gapsToLeader(smallRace());
    ASSERT_EQ(gaps.size(), 3u);
    EXPECT_EQ(gaps[0][0].gapMs, 500); // 30.00 against Baker's 29.50
    EXPECT_EQ(gaps[0][1].gapMs, 0);   // leads at the finish
    EXPECT_EQ(gaps[1][0].gapMs, 0);
    EXPECT_EQ(gaps[1][1].gapMs, 1000);
    ASSERT_EQ(gaps[2].size(), 1u);
    EXPECT_EQ(gaps[2][0].gapMs, 300);

    const auto laps = lapTimes(smallRace().swimmers[1]);
    ASSERT_EQ(laps.size(), 2u);
    EXPECT_EQ(laps[0].timeMs, 29500);
    EXPECT_EQ(laps[1].timeMs, 33500);
}

TEST(RaceChart, DisqualifiedSwimEndsAtItsLastSplitWithACross)
{
    const RecordedPage page = drawn(smallRace());
    const RecordedItem* able = path(page, "gap 1");
    const RecordedItem* carter = path(page, "gap 3");
    ASSERT_TRUE(able && carter);
    ASSERT_EQ(able->points.size(), 2u);
    ASSERT_EQ(carter->points.size(), 1u + 1u); // one split, drawn as a short stroke
    // Carter's line stops at 50 m, where Able's first point lies; Able's goes on to 100 m.
    EXPECT_EQ(carter->points.front().x, able->points.front().x);
    EXPECT_LT(carter->points.back().x, able->points.back().x);
    EXPECT_EQ(countPaths(page, "end"), 2); // the cross: two strokes, for Carter only
    // Zero is the top of the gap panel: the leader at the finish lies above the one 1 s behind.
    const RecordedItem* baker = path(page, "gap 2");
    EXPECT_LT(able->points.back().y, baker->points.back().y);
}

TEST(RaceChart, RelayLegsAreMarkedAtTheirBoundaries)
{
    RaceData race;
    race.raceDistance = 400;
    race.legDistance = 100;
    RaceSwimmer team{"1.", "Team", "3:30.00", true, {}};
    for (int distance = 50; distance <= 400; distance += 50)
        team.splits.push_back({distance, distance * 525});
    race.swimmers = {team};
    const RecordedPage page = drawn(race);
    const RecordedItem* line = path(page, "gap 1");
    ASSERT_TRUE(line);
    std::vector<int> legX;
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Kind::Path && item.style.name == "leg")
            legX.push_back(item.points.front().x);
    // The line's points lie at 50, 100, ... 400 m: the marks at its 2nd, 4th and 6th point.
    EXPECT_EQ(legX, (std::vector<int>{line->points[1].x, line->points[3].x, line->points[5].x}));
    const std::vector<std::string> texts = page.texts();
    for (const char* mark : {"Leg 2", "Leg 3", "Leg 4"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), mark), texts.end()) << mark;
}

TEST(RaceChart, SvgHoldsOnePathPerSwimmerAndTheirNames)
{
    RaceData race = smallRace();
    race.swimmers.push_back({"3.", "王 芳", "1:04.00", true, {{50, 30500}, {100, 64000}}});
    race.swimmers.push_back({"4.", "Øster & <Ørn>", "1:05.00", true, {{50, 31000}, {100, 65000}}});
    race.swimmers.push_back({"5.", "Иванова Мария", "1:06.00", true, {{50, 31500}, {100, 66000}}});
    const std::string svg = report::svgFile(drawn(race), 96);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(svg.c_str())) << svg.substr(0, 200);
    int gapPaths = 0;
    std::vector<std::string> texts;
    for (const pugi::xpath_node& node : document.select_nodes("//path"))
        if (std::string(node.node().attribute("class").value()).rfind("gap ", 0) == 0)
            ++gapPaths;
    for (const pugi::xpath_node& node : document.select_nodes("//text"))
        texts.push_back(node.node().child_value());
    EXPECT_EQ(gapPaths, static_cast<int>(race.swimmers.size()));
    for (const RaceSwimmer& swimmer : race.swimmers) {
        const std::string legend =
            swimmer.place + " " + swimmer.name + (swimmer.finalTime.empty() ? "" : "  " + swimmer.finalTime);
        EXPECT_NE(std::find(texts.begin(), texts.end(), legend), texts.end()) << legend;
    }
}

TEST(RaceChart, PngIsPaintedAtTheDrawingsSize)
{
    RaceData race = smallRace();
    race.swimmers.push_back({"3.", "王 芳", "1:04.00", true, {{50, 30500}, {100, 64000}}});
    const RecordedPage page = drawn(race, 640);
    const std::filesystem::path file = std::filesystem::path(::testing::TempDir()) / "race.png";
    ASSERT_TRUE(writePng(page, 96, file.string()));
    std::ifstream in(file, std::ios::binary);
    std::string head(24, '\0');
    in.read(head.data(), 24);
    EXPECT_EQ(head.substr(1, 3), "PNG");
    // The width and height of the IHDR chunk, big-endian.
    const auto number = [&head](std::size_t at) {
        return (static_cast<unsigned char>(head[at]) << 24) |
               (static_cast<unsigned char>(head[at + 1]) << 16) |
               (static_cast<unsigned char>(head[at + 2]) << 8) | static_cast<unsigned char>(head[at + 3]);
    };
    EXPECT_EQ(number(16), 640);
    EXPECT_EQ(number(20), page.deviceHeight);
    std::filesystem::remove(file);
    RecordedPage empty;
    EXPECT_FALSE(writePng(empty, 96, file.string()));
}

TEST(RaceChart, LegendMovesBelowWhenCrowded)
{
    RaceData race = smallRace();
    const auto legendY = [](const RecordedPage& page) { return path(page, "legend 1")->points.front().y; };
    const auto gapBottom = [](const RecordedPage& page) {
        int bottom = 0;
        for (const RecordedItem& item : page.items)
            if (item.kind == RecordedItem::Kind::Path && item.style.name.rfind("gap ", 0) == 0)
                for (const auto& point : item.points)
                    bottom = std::max(bottom, point.y);
        return bottom;
    };
    const RecordedPage wide = drawn(race);
    EXPECT_LT(legendY(wide), gapBottom(wide)); // beside the panels
    for (int k = 0; k < 7; ++k)
        race.swimmers.push_back({std::to_string(k + 3) + ".",
                                 "Swimmer " + std::to_string(k),
                                 "1:10.00",
                                 true,
                                 {{50, 33000 + k}, {100, 70000 + k}}});
    const RecordedPage crowded = drawn(race);
    EXPECT_GT(legendY(crowded), gapBottom(crowded)); // ten swimmers: below them
}

TEST(RaceChart, ListWithoutSplitsSaysSo)
{
    RaceData race;
    race.swimmers = {{"1.", "Able Anna", "1:02.00", true, {}}};
    const std::vector<std::string> texts = drawn(race).texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "No splits"), texts.end());
}

} // namespace
} // namespace lanescope::chart
