#include "base/FormatSettings.h"

#include <gtest/gtest.h>

using namespace lanescope::base;

namespace {

TFormatSettings german()
{
    TFormatSettings s;
    s.longMonthNames = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    s.longDayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    s.shortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    s.decimalSeparator = ',';
    s.dateSeparator = '.';
    s.timeSeparator = '.';
    s.shortDateFormat = "dd/mm/yyyy";
    s.longDateFormat = "dddd, d. mmmm yyyy";
    s.shortTimeFormat = "hh:nn";
    s.longTimeFormat = "hh:nn:ss";
    return s;
}

struct PatternCase
{
    const char* pattern;
    int hour; // on Tuesday 5 March 2024
    int minute;
    bool germanSettings;
    const char* expected;
};

const PatternCase kPatterns[] = {
    {"yyyymmddhhnnss", 7, 8, false, "20240305070800"},
    {"d.m.yy", 0, 0, false, "5.3.24"},
    {"DD/MM/YYYY", 0, 0, true, "05.03.2024"}, // letters in either case, "/" is the date separator
    {"ddd, mmm d", 0, 0, false, "Tue, Mar 5"},
    {"dddd, d. mmmm yyyy", 0, 0, true, "Dienstag, 5. März 2024"},
    {"h:mm", 7, 8, false, "7:08"}, // m right after an hour is the minute
    {"hh:nn:ss", 7, 8, true, "07.08.00"},
    {"h:nn am/pm", 19, 8, false, "7:08 pm"},
    {"h:nn AM/PM", 0, 5, false, "12:05 AM"},
    {"h a/p", 12, 0, false, "12 p"},
    {"hh ampm", 13, 0, false, "01 PM"},
    {"hh 'h' nn \"mm\"", 19, 8, false, "19 h 08 mm"}, // quoted text stays as written
    {"d 'open", 0, 0, false, "5 open"},
    {"c", 0, 0, true, "05.03.2024"}, // midnight: no time
    {"c", 7, 8, true, "05.03.2024 07.08.00"},
    {"ddddd|dddddd", 0, 0, true, "05.03.2024|Dienstag, 5. März 2024"},
    {"t", 19, 8, false, "7:08 PM"},
    {"xz!", 0, 0, false, "xz!"},
};

class FormatDateTimePatterns : public ::testing::TestWithParam<PatternCase>
{
};

TEST_P(FormatDateTimePatterns, WritesTheValue)
{
    const PatternCase& c = GetParam();
    const TDateTime value = encodeDate(2024, 3, 5) + encodeTime(c.hour, c.minute);
    EXPECT_EQ(formatDateTime(c.pattern, value, c.germanSettings ? german() : TFormatSettings()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, FormatDateTimePatterns, ::testing::ValuesIn(kPatterns));

TEST(FormatDateTime, FormatsThatNameThemselvesStop)
{
    TFormatSettings s;
    s.shortDateFormat = "ddddd";
    EXPECT_EQ(formatDateTime("ddddd|yy", encodeDate(2009, 1, 1), s), "|09");
}

TEST(FormatDateTime, UsesTheCurrentSettingsByDefault)
{
    setCurrentFormatSettings(german());
    EXPECT_EQ(formatDateTime("dddd", encodeDate(2024, 3, 3)), "Sonntag");
    setCurrentFormatSettings(TFormatSettings());
    EXPECT_EQ(formatDateTime("dddd", encodeDate(2024, 3, 3)), "Sunday");
}

struct DecimalCase
{
    double value;
    int decimals;
    char separator;
    const char* expected;
};

const DecimalCase kDecimals[] = {
    {0.65, 2, ',', "0,65"},  {12.5, 2, '.', "12.50"}, {-0.001, 2, ',', "0,00"},
    {-1.25, 1, ',', "-1,2"}, {7, 0, ',', "7"},
};

class FormatDecimal : public ::testing::TestWithParam<DecimalCase>
{
};

TEST_P(FormatDecimal, UsesTheDecimalSeparator)
{
    const DecimalCase& c = GetParam();
    TFormatSettings s;
    s.decimalSeparator = c.separator;
    EXPECT_EQ(formatDecimal(c.value, c.decimals, s), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, FormatDecimal, ::testing::ValuesIn(kDecimals));

struct ParseCase
{
    const char* text;
    char separator;
    std::optional<double> expected;
};

const ParseCase kParses[] = {
    {"0,65", ',', 0.65},
    {" -1.5e2 ", '.', -150.0},
    {"+2", '.', 2.0},
    {".5", '.', 0.5},
    {"1.", '.', 1.0},
    {"0.65", ',', std::nullopt},
    {"", '.', std::nullopt},
    {".", '.', std::nullopt},
    {"1e", '.', std::nullopt},
    {"inf", '.', std::nullopt},
    {"0x1A", '.', std::nullopt},
    {"1.2.3", '.', std::nullopt},
};

class ParseDecimal : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseDecimal, AcceptsOnlyTheDecimalSeparator)
{
    const ParseCase& c = GetParam();
    TFormatSettings s;
    s.decimalSeparator = c.separator;
    EXPECT_EQ(parseDecimal(c.text, s), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, ParseDecimal, ::testing::ValuesIn(kParses));

} // namespace
