#include "lenex/LnxTime.h"

#include "lenex/LnxSwimStyle.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace lanescope::lenex {
namespace {

struct ParseCase
{
    const char* text;
    TSwimTime time;
};

constexpr ParseCase kParseCases[] = {
    {"1:23.45", 834050},
    {"23.45", 234050},
    {"1:23.4", 834100},
    {"1:23.4x", 834100},
    {"1:23", 12030},
    {"0:00.01", 10},
    {"0:00.02", 20},
    {"59:59.99", 35999090},
    {"99:99.99", 35999090},
    {"99:99,99", 35999090},
    {"23,45", 234050},
    {"", 0},
    {"123", 0},
    {"0:00.0", 0},
    {"a:b.cd", 100},
    {"2:05.10", 1251000},
    {"1:02:03.45", 37234050},
};

class SwimTimeParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(SwimTimeParse, ReadsTheValue)
{
    EXPECT_EQ(parseSwimTime(GetParam().text), GetParam().time) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Examples, SwimTimeParse, ::testing::ValuesIn(kParseCases));

TEST(LenexTime, WritesAndReadsByKind)
{
    EXPECT_EQ(lenexTimeWrite(tkValid, 834050), "V00h01:23.45");
    EXPECT_EQ(lenexTimeWrite(tkEntry, 834100), "E00h01:23.40"); // an unmeasured hundredth is written as 0
    EXPECT_EQ(lenexTimeRead("V00h01:23.45", tkValid), 834050);
    EXPECT_EQ(lenexTimeRead("V00h01:23.45", tkAny), 834050);
    EXPECT_EQ(lenexTimeRead("V00h01:23.45", tkEntry), 0);

    // The hour field carries times of an hour and more both ways.
    const std::pair<TSwimTime, const char*> hours[] = {
        {62 * 600000 + 34050, "V01h02:03.45"},
        {60 * 600000, "V01h00:00.00"},
        {59 * 600000 + 599000 + 90, "V00h59:59.99"},
        {(59 * 60 + 39) * 600000, "V59h39:00.00"},
    };
    for (const auto& [time, text] : hours) {
        EXPECT_EQ(lenexTimeWrite(tkValid, time), text);
        EXPECT_EQ(lenexTimeRead(text, tkValid), time) << text;
    }
    EXPECT_EQ(lenexTimeWrite(tkValid, INT32_MAX), "V59h39:08.34"); // the largest time keeps two hour digits
    EXPECT_EQ(lenexTimeWrite(tkLimit, -5), "L00h00:00.00");
    EXPECT_EQ(lenexTimeRead("Vx1h02:03.45", tkValid), 2 * 600000 + 34050); // no hour field: minutes only
    EXPECT_EQ(lenexTimeRead("V99h00:00.00", tkValid), 0);                  // beyond the swim time's range
    EXPECT_EQ(lenexTimeRead("", tkAny), 0);
    EXPECT_EQ(lenexTimeRead("V", tkAny), 0);

    EXPECT_EQ(lenexTimeKind("I00h00:31.20"), tkInvalid);
    EXPECT_EQ(lenexTimeKind("L00h00:31.20"), tkLimit);
    EXPECT_EQ(lenexTimeKind("V00h00:31.20"), tkValid);
    EXPECT_EQ(lenexTimeKind("E00h00:31.20"), 0);
    EXPECT_EQ(lenexTimeKind(""), 0);
}

TEST(SwimStyleLists, IndexesAreSearchedFromTheEnd)
{
    EXPECT_EQ(relayCountIndexOf(4), 1);
    EXPECT_EQ(relayCountIndexOf(6), 7);
    EXPECT_EQ(relayCountIndexOf(7), -1);
    EXPECT_EQ(distanceIndexOf(100), 2);
    EXPECT_EQ(distanceIndexOf(1650), 14);
    EXPECT_EQ(distanceIndexOf(75), -1);
}

TEST(SwimStyleLists, StrokeCodesInAnyCase)
{
    const std::pair<const char*, int> cases[] = {
        {"FR", 0}, {"fr", 0}, {"BU", 1}, {"RÜ", 2},  {"rü", 2}, {"Rü", 2}, {"BA", 2},
        {"BR", 3}, {"IM", 4}, {"KI", 5}, {"XX", -1}, {"", -1},  {"R", -1}, {"$$$", -1},
    };
    for (auto [text, stroke] : cases)
        EXPECT_EQ(strokeIndexOf(text), stroke) << text;
}

} // namespace
} // namespace lanescope::lenex
