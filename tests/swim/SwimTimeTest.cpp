#include "swim/SwimTime.h"

#include <gtest/gtest.h>

namespace lanescope::swim {
namespace {

struct FormatCase
{
    const char* text;
    TSwimTime time;
    const char* shown; // without the NT flag; empty means "NT" with it
};

constexpr FormatCase kFormatCases[] = {
    {"1:23.45", 834050, " 1:23.45"},
    {"23.45", 234050, "   23.45"},
    {"1:23.4", 834100, " 1:23.4*"},
    {"1:23.4x", 834100, " 1:23.4*"},
    {"0:00.02", 20, "   00.02"},
    {"0:00.01", 10, ""},
    {"59:59.99", 35999090, ""},
    {"10:00.00", 6000000, "10:00.00"},
    {"", 0, ""},
    {"0:09.50", 95000, "   09.50"},
    {"1:02:03.45", 37234050, "1:02:03.45"},
};

class SwimTimeFormat : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(SwimTimeFormat, ParsesAndShowsFixedWidth)
{
    const FormatCase& c = GetParam();
    const TSwimTime time = lenex::parseSwimTime(c.text);
    ASSERT_EQ(time, c.time);
    EXPECT_EQ(formatSwimTime(time, false), c.shown);
    EXPECT_EQ(formatSwimTime(time, true), *c.shown ? c.shown : "NT");
}

INSTANTIATE_TEST_SUITE_P(Examples, SwimTimeFormat, ::testing::ValuesIn(kFormatCases));

TEST(SwimTimeFormat, RangeEndsAreInclusive)
{
    EXPECT_EQ(formatSwimTime(11, false), "   00.01");
    EXPECT_EQ(formatSwimTime(35999089, false), "59:59.98");
    EXPECT_EQ(formatSwimTime(36000000, false), "1:00:00.00"); // from the hour on, a time again
    EXPECT_EQ(formatSwimTime(-834050, true), "NT");
}

TEST(MillisecondTime, FormatsWithoutLeadingZeroMinutes)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {23450, "23.45"},        {83450, "1:23.45"},   {1, "00.00"},
        {3599989, "59:59.98"},   {600000, "10:00.00"}, {3600000, "1:00:00.00"},
        {3723450, "1:02:03.45"},
    };
    for (auto [ms, shown] : cases)
        EXPECT_EQ(formatMilliseconds(ms, true), shown) << ms;
    for (std::int32_t ms : {0, -5, 3599990, 3599999}) {
        EXPECT_EQ(formatMilliseconds(ms, true), "NT") << ms;
        EXPECT_EQ(formatMilliseconds(ms, false), "") << ms;
    }
}

TEST(SwimTimeConversion, UnmeasuredHundredthCountsAsZero)
{
    EXPECT_EQ(swimTimeToHundredths(834050), 8345);
    EXPECT_EQ(swimTimeToHundredths(834100), 8340);
    EXPECT_EQ(swimTimeToMilliseconds(834050), 83450);
    EXPECT_EQ(swimTimeToMilliseconds(834100), 83400);
    EXPECT_EQ(swimTimeToMilliseconds(0), 0);
}

struct DifferenceCase
{
    TSwimTime a, b, lap;
};

constexpr DifferenceCase kDifferences[] = {
    {834050, 234020, 600030}, // 1:23.45 - 23.42 = 1:00.03
    {834050, 234070, 599080}, // borrows a tenth: 59.98
    {834100, 234050, 600100}, // unmeasured hundredth in a
    {834050, 234100, 600100}, // unmeasured hundredth in b
    {300000, 0, 300000},      // first lap: the split itself
};

TEST(SwimTimeDifference, LapTimesBetweenSplits)
{
    for (const DifferenceCase& c : kDifferences) {
        EXPECT_EQ(swimTimeDifference(c.a, c.b), c.lap) << c.a << " - " << c.b;
    }
    EXPECT_EQ(formatSwimTime(swimTimeDifference(834100, 234050), false), " 1:00.0*");
}

} // namespace
} // namespace lanescope::swim
