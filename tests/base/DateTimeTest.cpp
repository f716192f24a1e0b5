#include "base/DateTime.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace lanescope::base;

namespace {

struct DateCase
{
    int year;
    int month;
    int day;
    TDateTime value; // 0 for a date that does not exist
};

const DateCase kDates[] = {
    {1899, 12, 30, 0},   {1899, 12, 31, 1},       {1899, 12, 29, -1},
    {1900, 1, 1, 2},     {1900, 3, 1, 61}, // 1900 is no leap year
    {2000, 1, 1, 36526}, {2000, 2, 29, 36585},    {2024, 2, 29, 45351},
    {1, 1, 1, -693593},  {9999, 12, 31, 2958465}, {2023, 2, 29, 0},
    {2024, 2, 30, 0},    {2100, 2, 29, 0},        {2024, 4, 31, 0},
    {2024, 13, 1, 0},    {2024, 0, 1, 0},         {2024, 1, 0, 0},
    {0, 1, 1, 0},        {10000, 1, 1, 0},
};

class EncodeDate : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(EncodeDate, CountsDaysFromTheEpochOrGivesZero)
{
    const DateCase& c = GetParam();
    EXPECT_EQ(encodeDate(c.year, c.month, c.day), c.value);
    if (c.value != 0) {
        const DateParts parts = decodeDate(c.value + 0.75); // the time of day does not move the date
        EXPECT_EQ(parts.year, c.year);
        EXPECT_EQ(parts.month, c.month);
        EXPECT_EQ(parts.day, c.day);
    }
}

INSTANTIATE_TEST_SUITE_P(Dates, EncodeDate, ::testing::ValuesIn(kDates));

TEST(DateTime, EveryDayFollowsTheDayBefore)
{
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    TDateTime expected = encodeDate(1, 1, 1);
    for (int year = 1; year <= 9999; ++year) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        for (int month = 1; month <= 12; ++month) {
            const int days = kMonthDays[month - 1] + (month == 2 && leap ? 1 : 0);
            for (int day = 1; day <= days; ++day, ++expected) {
                if (expected == 0)
                    continue; // 30 Dec 1899 encodes to the "no date" value
                ASSERT_EQ(encodeDate(year, month, day), expected) << year << '-' << month << '-' << day;
                const DateParts parts = decodeDate(expected);
                ASSERT_TRUE(parts.year == year && parts.month == month && parts.day == day) << expected;
            }
            EXPECT_EQ(encodeDate(year, month, days + 1), 0);
        }
    }
}

struct TimeCase
{
    int hour;
    int minute;
    int second;
    TDateTime value;
};

const TimeCase kTimes[] = {
    {0, 0, 0, 0},     {6, 0, 0, 0.25},        {12, 0, 0, 0.5},
    {18, 0, 0, 0.75}, {0, 0, 1, 1 / 86400.0}, {23, 59, 59, 86399 / 86400.0},
    {24, 0, 0, 0},    {0, 60, 0, 0},          {0, 0, 60, 0},
    {-1, 0, 0, 0},    {0, -1, 0, 0},          {0, 0, -1, 0},
};

class EncodeTime : public ::testing::TestWithParam<TimeCase>
{
};

TEST_P(EncodeTime, GivesFractionOfDayOrZero)
{
    const TimeCase& c = GetParam();
    EXPECT_DOUBLE_EQ(encodeTime(c.hour, c.minute, c.second), c.value);
}

INSTANTIATE_TEST_SUITE_P(Times, EncodeTime, ::testing::ValuesIn(kTimes));

TEST(DateTime, EverySecondOfTheDaySurvivesEncodeAndDecode)
{
    const TDateTime date = encodeDate(2024, 6, 15);
    for (int second = 0; second < 86400; ++second) {
        const int h = second / 3600;
        const int m = second / 60 % 60;
        const int s = second % 60;
        const TimeParts parts = decodeTime(date + encodeTime(h, m, s));
        ASSERT_TRUE(parts.hour == h && parts.minute == m && parts.second == s) << h << ':' << m << ':' << s;
    }
}

TEST(DateTime, DecodeTimeRoundsToTheNearestSecond)
{
    const TimeParts justBelowNoon = decodeTime(45351 + 0.5 - 0.4 / 86400);
    EXPECT_TRUE(justBelowNoon.hour == 12 && justBelowNoon.minute == 0 && justBelowNoon.second == 0);
    const TimeParts afterNoon = decodeTime(0.5 + 0.6 / 86400);
    EXPECT_TRUE(afterNoon.hour == 12 && afterNoon.minute == 0 && afterNoon.second == 1);
}

TEST(DateTime, DecodeDateOutsideTheCalendarGivesZeros)
{
    for (const TDateTime value :
         {encodeDate(1, 1, 1) - 1, encodeDate(9999, 12, 31) + 1, 1e300, -1e300,
          std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        const DateParts parts = decodeDate(value);
        EXPECT_TRUE(parts.year == 0 && parts.month == 0 && parts.day == 0) << value;
    }
}

} // namespace
