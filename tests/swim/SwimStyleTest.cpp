#include "swim/SwimStyle.h"

#include <gtest/gtest.h>

namespace lanescope::swim {
namespace {

struct StyleCase
{
    int relayCountIndex, distanceIndex, strokeIndex;
    const char* name;
    const char* text;
};

constexpr StyleCase kStyles[] = {
    {0, 2, 0, "", "100m Freestyle"},
    {1, 2, 0, "", "4 x 100m Freestyle Relay"},
    {1, 1, 4, "", "4 x 50m Medley Relay"},
    {0, 3, 4, "", "200m Individual Medley"},
    {0, 8, 2, "ignored", "1500m Backstroke"},
    {0, 1, 6, "Fin swimming", "Fin swimming"},
    {0, 1, 6, "", "50m Free"},
    {5, 15, 3, "", "2 x 33m Breaststroke Relay"},
    {0, -1, -1, "", "25m Freestyle"}, // indexes below the lists read the first items
};

TEST(SwimStyleText, BuiltInEnglish)
{
    for (const StyleCase& c : kStyles)
        EXPECT_EQ(swimStyleText(c.relayCountIndex, c.distanceIndex, c.strokeIndex, c.name), c.text) << c.text;
}

TEST(SwimStyleText, PiecesAndUnits)
{
    EXPECT_EQ(relayPrefix(0), "");
    EXPECT_EQ(relayPrefix(-1), "");
    EXPECT_EQ(relayPrefix(4), "10 x ");
    EXPECT_EQ(lenex::distanceIndexOf(75), -1);
    EXPECT_EQ(distanceText(lenex::distanceIndexOf(75)), "25m");
    EXPECT_EQ(distanceText(14, 'y'), "1650y");
    EXPECT_EQ(distanceText(2, ' '), "100");
    EXPECT_EQ(distanceText(18), "m");
    EXPECT_EQ(strokeText(1, false), "Butterfly");
    EXPECT_EQ(strokeText(1, true), "Butterfly Relay");
    EXPECT_EQ(strokeText(7, false), "");
}

TEST(SwimStyleCompare, IdAndNameAreIgnored)
{
    const TSwimStyle a{1, 1, 2, 0, "A"};
    EXPECT_TRUE(sameSwimStyle(a, TSwimStyle{2, 1, 2, 0, "B"}));
    EXPECT_FALSE(sameSwimStyle(a, TSwimStyle{1, 0, 2, 0, "A"}));
    EXPECT_FALSE(sameSwimStyle(a, TSwimStyle{1, 1, 3, 0, "A"}));
    EXPECT_FALSE(sameSwimStyle(a, TSwimStyle{1, 1, 2, 1, "A"}));

    EXPECT_EQ(totalDistance(1, 2), 400);
    EXPECT_EQ(totalDistance(0, 8), 1500);
    EXPECT_EQ(totalDistance(8, 2), 0);
    EXPECT_EQ(totalDistance(0, -1), 0);
}

TEST(SwimStyleSortKey, GenderRelayStrokeOrderDistance)
{
    EXPECT_EQ(swimStyleSortKey(1, TSwimStyle{0, 1, 1, 4, ""}), "1140001");
    EXPECT_EQ(swimStyleSortKey(0, TSwimStyle{0, 0, 12, 1, ""}), "0030012"); // butterfly sorts as 3
    EXPECT_EQ(swimStyleSortKey(0, TSwimStyle{0, 0, -1, -1, ""}), "009-0001");

    // Freestyle, backstroke, breaststroke, butterfly, medley, kick, special, unknown.
    const int byStroke[] = {0, 2, 3, 1, 4, 5, 6, -1};
    for (std::size_t i = 1; i < std::size(byStroke); ++i)
        EXPECT_LT(swimStyleSortKey(0, TSwimStyle{0, 0, 2, byStroke[i - 1], ""}),
                  swimStyleSortKey(0, TSwimStyle{0, 0, 2, byStroke[i], ""}))
            << byStroke[i];
}

} // namespace
} // namespace lanescope::swim
