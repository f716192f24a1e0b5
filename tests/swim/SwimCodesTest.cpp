#include "swim/SwimCodes.h"

#include "swim/DisplayLists.h"

#include <gtest/gtest.h>

namespace lanescope::swim {
namespace {

TEST(Gender, ParsesPiecesOfTheKeys)
{
    const std::pair<const char*, int> cases[] = {
        {"M", gdMale},   {"H", gdMale},   {"HM", gdMale},    {"m", gdMale},  {"F", gdFemale},
        {"w", gdFemale}, {"D", gdFemale}, {"FW", gdFemale},  {"X", gdMixed}, {"mixed", gdMixed},
        {"", gdMixed},   {"MH", gdMixed}, {"DFWX", gdMixed}, {"ü", gdMixed},
    };
    for (auto [text, gender] : cases)
        EXPECT_EQ(genderOf(text), gender) << text;
}

TEST(Gender, TextsClampThePosition)
{
    EXPECT_EQ(genderText(gdMale, true), "Men");
    EXPECT_EQ(genderText(gdFemale, false), "W");
    EXPECT_EQ(genderText(gdMixed, true), "mixed");
    EXPECT_EQ(genderText(-1, true), "Men");
    EXPECT_EQ(genderText(7, false), "X");
}

struct StatusCase
{
    const char* code;
    int number;
    const char* text;
};

constexpr StatusCase kStatuses[] = {
    {"", 0, ""},
    {"EX", 1, "EX"},
    {"dsq", 2, "DQ"},
    {"Dq", 2, "DQ"},
    {"DNS", 3, "DNS"},
    {"dnf", 4, "DNF"},
    {"DQFULL", 5, "DQ sport."},
    {"DQ10", 7, "DQ 10%"},
    {"dq20", 8, "DQ 20%"},
    {"RJC", 0, ""},
    {"DQ1", 0, ""},
    {" DQ", 0, ""},
};

TEST(Status, NumberOfCodeAndText)
{
    for (const StatusCase& c : kStatuses) {
        EXPECT_EQ(statusNumberOf(c.code), c.number) << c.code;
        EXPECT_EQ(statusText(statusNumberOf(c.code)), c.text) << c.code;
    }
    EXPECT_EQ(statusText(6), "DNS. no r.");
    EXPECT_EQ(statusText(9), "RJC");
    EXPECT_EQ(statusText(10), "");
}

// The four codes a list shows come from their own list; other known codes keep their status text, unknown
// ones their own letters.
TEST(Status, CodeTextInTheLoadedLanguage)
{
    const std::pair<const char*, const char*> english[] = {
        {"DSQ", "DSQ"},
        {"dq", "DSQ"},
        {" DNS ", "DNS"},
        {"DNF", "DNF"},
        {"wdr", "WDR"},
        {"EX", "EX"},
        {"DQ10", "DQ 10%"},
        {"", ""},
        {"  ", ""},
        // Codes outside the table stand as the file writes them.
        {"SICK", "SICK"},
        {" SUI.RED10 ", "SUI.RED10"},
    };
    for (auto [code, text] : english)
        EXPECT_EQ(statusCodeText(code), text) << code;
    EXPECT_EQ(statusNumberOf("WDR"), 3);

    refreshDisplayLists([](char section, int number) {
        return section == 'S' && number == 80 ? std::string("disq.;n.a.;aufg.;abgem.") : std::string();
    });
    EXPECT_EQ(statusCodeText("DQ"), "disq.");
    EXPECT_EQ(statusCodeText("WDR"), "abgem.");
    resetDisplayLists();
}

TEST(PoolText, ByPoolIndex)
{
    EXPECT_EQ(poolText(0), "25m Pool");
    EXPECT_EQ(poolText(3), "33m Pool");
    EXPECT_EQ(poolText(4), "");
    EXPECT_EQ(poolText(-1), "25m Pool");
}

TEST(TeamLabel, NumberAndGender)
{
    EXPECT_EQ(teamLabel(3, -1), "3. team");
    EXPECT_EQ(teamLabel(1, gdFemale), "1. team, Women");
    EXPECT_EQ(teamLabel(2, gdMixed), "2. team, mixed");
}

TEST(RoundText, ByRoundCode)
{
    const std::pair<const char*, const char*> cases[] = {
        {"PRE", "Prelims"},
        {"SOS", "Swim offs"},
        {"SOF", "Swim offs"},
        {"SEM", "Semi finals"},
        {"FIN", "Final"},
        {"FHT", "Fastest heat"},
        {"TIM", ""},
        {"fin", "Final"},
        {"", ""},
        {"SOP", "Swim offs"},
        {" sop ", "Swim offs"},
        {"SO4", "Swim offs"},
        {"SOQ", "Swim offs"},
        {"QUA", "QUA"},
        {"tim", ""},
    };
    for (auto [code, text] : cases)
        EXPECT_EQ(roundText(code), text) << code;
}

} // namespace
} // namespace lanescope::swim
