#include "swim/TextFormat.h"

#include <gtest/gtest.h>

namespace lanescope::swim {
namespace {

struct FormatCase
{
    const char* format;
    const char* filled; // with the arguments 7 and "x"
};

constexpr FormatCase kFormats[] = {
    {"%d. team", "7. team"},
    {"Heat %d of %s", "Heat 7 of x"},
    {"%s years", "7 years"}, // a number for %s is written in decimal
    {"%d%d", "7x"},          // a text for %d stands as it is
    {"%.4d|%s", "0007|x"},
    {"%.12d", "000000000007"},
    {"%d %s %d %s", "7 x %d %s"}, // directives without an argument stay
    {"%n%x%p%5d%-s%0:s%", "%n%x%p%5d%-s%0:s%"},
    {"%.d %.123d %.4", "%.d %.123d %.4"},
    {"100%% %d", "100% 7"},
    {"", ""},
    {"no directive", "no directive"},
};

TEST(FormatText, FillsOnlyKnownDirectives)
{
    for (const FormatCase& c : kFormats)
        EXPECT_EQ(formatText(c.format, {7, "x"}), c.filled) << c.format;
}

TEST(FormatText, NegativeAndExtremeNumbers)
{
    EXPECT_EQ(formatText("%.4d", {-1}), "-0001");
    EXPECT_EQ(formatText("%d", {INT32_MIN}), "-2147483648");
    EXPECT_EQ(formatText("%s%s", {}), "%s%s");
    EXPECT_EQ(formatText("%.99d", {1}).size(), 99u);
}

} // namespace
} // namespace lanescope::swim
