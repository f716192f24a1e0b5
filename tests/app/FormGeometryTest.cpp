#include "app/FormGeometry.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

using namespace lanescope::app;

namespace lanescope::app {

// Readable failure messages for the rectangles.
void PrintTo(const Rect& r, std::ostream* out)
{
    *out << "{" << r.left << "," << r.top << "," << r.width << "," << r.height << "}";
}

void PrintTo(const FormGeometry& g, std::ostream* out)
{
    PrintTo(g.bounds, out);
    *out << " state " << static_cast<int>(g.state);
}

} // namespace lanescope::app

namespace {

const Rect kScreen{0, 0, 1280, 1024};
const Rect kForm{20, 30, 400, 300};

TEST(FormGeometry, FormatsAndParsesTheSavedText)
{
    const FormGeometry maximised{{-8, 12, 1296, 1000}, WindowState::Maximized};
    EXPECT_EQ(formatGeometry(maximised), "-8,12,1296,1000,2");
    EXPECT_EQ(parseGeometry("-8,12,1296,1000,2", {}), maximised);

    const FormGeometry fallback{kForm, WindowState::Minimized};
    const struct
    {
        const char* text;
        Rect bounds;
        WindowState state;
    } cases[] = {
        {"100,200", {100, 200, 400, 300}, WindowState::Minimized},
        {"x,200,0,-5,7", {20, 200, 400, 300}, WindowState::Minimized},
        {" 1 , 2 , 3 , 4 , 0 ", {1, 2, 3, 4}, WindowState::Normal},
        {"1,2,3,4,1,99", {1, 2, 3, 4}, WindowState::Minimized},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const FormGeometry expected{c.bounds, c.state};
        EXPECT_EQ(parseGeometry(c.text, fallback), expected);
    }
    EXPECT_EQ(parseGeometry("  ", fallback), std::nullopt);
}

struct RestoreCase
{
    const char* name;
    const char* saved;
    bool resizable;
    Rect bounds;
    WindowState state;
};

const RestoreCase kRestores[] = {
    {"nothing saved: centred", "", true, {440, 362, 400, 300}, WindowState::Normal},
    {"kept as saved", "100,50,600,400,0", true, {100, 50, 600, 400}, WindowState::Normal},
    {"fixed size keeps its own", "100,50,600,400,0", false, {100, 50, 400, 300}, WindowState::Normal},
    {"far above and left: pulled in", "-5000,-3000,600,400,0", true, {0, 0, 600, 400}, WindowState::Normal},
    {"far right: 10 pixels stay", "9000,100,600,400,0", true, {1270, 100, 600, 400}, WindowState::Normal},
    {"below the caption line: centred",
     "100,1000,600,400,2",
     true,
     {340, 312, 600, 400},
     WindowState::Maximized},
    {"too narrow off the left: centred", "-400,100,5,300,0", true, {637, 362, 5, 300}, WindowState::Normal},
    {"larger than the screen", "0,0,3000,2000,0", true, {0, 0, 1270, 1014}, WindowState::Normal},
    {"unreadable: own bounds", "left,top", true, kForm, WindowState::Normal},
};

void PrintTo(const RestoreCase& c, std::ostream* out) { *out << c.name; }

class RestoreFromSettings : public ::testing::TestWithParam<RestoreCase>
{
};

TEST_P(RestoreFromSettings, LimitsToTheScreen)
{
    const RestoreCase& c = GetParam();
    const FormGeometry restored = restoreGeometry(c.saved, kForm, kScreen, c.resizable);
    EXPECT_EQ(restored.bounds, c.bounds);
    EXPECT_EQ(restored.state, c.state);
}

INSTANTIATE_TEST_SUITE_P(FormGeometry, RestoreFromSettings, ::testing::ValuesIn(kRestores));

TEST(FormGeometry, RestoresOnAScreenThatDoesNotStartAtZero)
{
    const Rect second{1280, 0, 1920, 1080};
    EXPECT_EQ(restoreGeometry("0,0,600,400,0", kForm, second, true).bounds, (Rect{1280, 0, 600, 400}));
    EXPECT_EQ(restoreGeometry("", kForm, second, true).bounds, (Rect{2040, 390, 400, 300}));
}

struct PlaceCase
{
    const char* name;
    Rect before;
    PlacementSwitches switches;
    Rect after;
};

// A 1280 x 1024 screen with a 40-pixel task bar at the bottom.
const Rect kWorkArea{0, 0, 1280, 984};
constexpr PlacementSwitches kSnapOnly{false, true};
constexpr PlacementSwitches kInScreenOnly{true, false};
constexpr PlacementSwitches kBoth{true, true};
constexpr PlacementSwitches kNeither{false, false};

const PlaceCase kPlacements[] = {
    {"left within 20 snaps", {20, 300, 400, 300}, kSnapOnly, {0, 300, 400, 300}},
    {"left just past 20 stays", {21, 300, 400, 300}, kSnapOnly, {21, 300, 400, 300}},
    {"slightly off the left snaps back", {-15, -20, 400, 300}, kSnapOnly, {0, 0, 400, 300}},
    {"right edge snaps", {865, 300, 400, 300}, kSnapOnly, {880, 300, 400, 300}},
    {"right edge beyond snaps back", {895, 300, 400, 300}, kSnapOnly, {880, 300, 400, 300}},
    {"bottom snaps onto the task bar", {300, 670, 400, 300}, kSnapOnly, {300, 684, 400, 300}},
    {"off screen may stay without the switch", {1200, 900, 400, 300}, kSnapOnly, {1200, 900, 400, 300}},
    {"pushed back into the screen", {1200, 900, 400, 300}, kInScreenOnly, {880, 684, 400, 300}},
    {"negative becomes 0", {-300, -50, 400, 300}, kInScreenOnly, {0, 0, 400, 300}},
    {"wider than the screen ends at the left", {100, 100, 1400, 300}, kInScreenOnly, {0, 100, 1400, 300}},
    {"in screen, then snapped", {-300, 30, 400, 300}, kBoth, {0, 30, 400, 300}},
    {"untouched without switches", {-300, 2000, 400, 300}, kNeither, {-300, 2000, 400, 300}},
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

class PlaceOnMove : public ::testing::TestWithParam<PlaceCase>
{
};

TEST_P(PlaceOnMove, KeepsInScreenAndSnaps)
{
    const PlaceCase& c = GetParam();
    EXPECT_EQ(placeForm(c.before, kWorkArea, c.switches), c.after);
}

INSTANTIATE_TEST_SUITE_P(FormGeometry, PlaceOnMove, ::testing::ValuesIn(kPlacements));

// A 1920 x 1080 primary screen with a 40-pixel task bar and a 1280 x 1024 screen to its right.
TEST(FormGeometry, OpensOnTheScreenOfItsSavedPositionOrWithinReach)
{
    const ScreenArea primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
    const ScreenArea second{{1920, 0, 1280, 1024}, {1920, 0, 1280, 1024}};
    const std::vector<ScreenArea> both{primary, second};
    const std::vector<ScreenArea> primaryOnly{primary};
    const struct
    {
        const char* name;
        const char* saved;
        const std::vector<ScreenArea>& screens;
        FormGeometry opened;
    } cases[] = {
        {"on the second screen", "2100,100,800,600,0", both, {{2100, 100, 800, 600}, WindowState::Normal}},
        {"second screen gone",
         "2100,100,800,600,0",
         primaryOnly,
         {{1120, 100, 800, 600}, WindowState::Normal}},
        {"maximised, second screen gone",
         "2100,100,800,600,2",
         primaryOnly,
         {{1120, 100, 800, 600}, WindowState::Maximized}},
        {"partly below the task bar", "300,900,800,600,0", both, {{300, 900, 800, 600}, WindowState::Normal}},
        {"near the edges: snapped",
         "1110,15,800,600,0",
         primaryOnly,
         {{1120, 0, 800, 600}, WindowState::Normal}},
        {"nothing saved", "", both, {{760, 390, 400, 300}, WindowState::Normal}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(openGeometry(c.saved, kForm, c.screens, true, {}), c.opened) << c.name;
    EXPECT_EQ(openGeometry("2100,100,800,600,0", kForm, {}, true, {}).bounds, kForm);
}

} // namespace
