#include "swim/DisplayLists.h"

#include "swim/AgeRange.h"
#include "swim/SwimCodes.h"
#include "swim/SwimStyle.h"

#include <gtest/gtest.h>
#include <map>
#include <utility>

namespace lanescope::swim {
namespace {

using Texts = std::map<int, std::string>;

// Every test starts and ends with the English lists, whatever order the tests run in.
class DisplayListsTest : public ::testing::Test
{
protected:
    void SetUp() override { resetDisplayLists(); }
    void TearDown() override { resetDisplayLists(); }

    static void refresh(Texts texts)
    {
        refreshDisplayLists([texts = std::move(texts)](char section, int number) {
            const auto it = texts.find(number);
            return section == 'S' && it != texts.end() ? it->second : std::string();
        });
    }
};

TEST_F(DisplayListsTest, ItemsAreOneBased)
{
    EXPECT_EQ(displayItem(DisplayList::RecordNames, 2), "World Record");
    EXPECT_EQ(displayItem(DisplayList::RecordNames, 11), "Junior European Record");
    EXPECT_EQ(displayItem(DisplayList::RecordNames, 12), "");
    EXPECT_EQ(displayItem(DisplayList::RecordNames, 0), "Meet Record");
    EXPECT_EQ(displayItem(DisplayList::RecordNames, -5), "Meet Record");
    EXPECT_EQ(displayItem(DisplayList::StrokeAbbreviations, 7), "..");
    EXPECT_EQ(displayItem(DisplayList::FinalNames, 6), "Heat %d");
    EXPECT_EQ(displayItem(DisplayList::FinalShortNames, 5), "S%d");
    EXPECT_EQ(displayItem(DisplayList::Statuses, 1), "");
}

TEST_F(DisplayListsTest, RefreshReplacesTheLanguageTexts)
{
    refresh({{1, "Einzel;4 x;5 x;8 x;10 x;2 x;3 x;6 x"},
             {2, "Freistil;Schmetterling;Rücken;Brust;Lagen;Beine;Frei"},
             {28, "Freistilstaffel;Schmetterlingstaffel;Rückenstaffel;Bruststaffel;Lagenstaffel;Beine;Frei"},
             {3, "Männer;Frauen;mixed"},
             {9, "%s Jahre;AK %s"},
             {13, "Meeting-Rekord;Weltrekord"},
             {21, "25m Bahn"},
             {23, "25y Bahn"},
             {29, "%d. Mannschaft"},
             {40, "Vorläufe;Stechen;Halbfinale;Finale"}});
    EXPECT_EQ(swimStyleText(1, 2, 4, ""), "4 x 100m Lagenstaffel");
    EXPECT_EQ(swimStyleText(0, 1, 2, ""), "50m Rücken");
    EXPECT_EQ(ageRangeText(11, 12, false, "", gdFemale, gdMixed), "11 - 12 Jahre, Frauen");
    EXPECT_EQ(teamLabel(2, gdMale), "2. Mannschaft, Männer");
    EXPECT_EQ(roundText("FIN"), "Finale");
    EXPECT_EQ(displayItem(DisplayList::RecordNames, 2), "Weltrekord");
    EXPECT_EQ(displayItem(DisplayList::RecordNames, 3), "");

    // Pool names are one text each; a missing one keeps its English name.
    EXPECT_EQ(poolText(0), "25m Bahn");
    EXPECT_EQ(poolText(1), "50m Pool");
    EXPECT_EQ(poolText(2), "25y Bahn");
    EXPECT_EQ(poolText(4), "");
}

TEST_F(DisplayListsTest, MissingTextsKeepEnglish)
{
    refresh({{3, "Männer;Frauen;mixed"}});
    refresh({{2, "Freistil;Schmetterling;Rücken;Brust;Lagen;Beine;Frei"}});
    EXPECT_EQ(strokeText(0, false), "Freistil");
    EXPECT_EQ(strokeText(0, true), "Freestyle Relay");
    EXPECT_EQ(genderText(gdMale, true), "Men"); // the earlier language's text is gone too
    EXPECT_EQ(statusText(2), "DQ");
    EXPECT_EQ(ageRangeText(0, 99, false, "", 0, 0), "Open/Senior");
    EXPECT_EQ(displayItem(DisplayList::FinalNames, 1), "Final");

    refresh({});
    EXPECT_EQ(strokeText(0, false), "Freestyle");
    EXPECT_EQ(poolText(3), "33m Pool");
}

TEST_F(DisplayListsTest, HostileFormatTextsAreFilledSafely)
{
    refresh({{9, "%s%s%n%x;%p%.999999d%s"},
             {10, "%s%s%s%s%s%s%s%s%s%s%s%s%n"},
             {11, "%*d %1$s %ls"},
             {29, "%s%s%n %d"}});
    EXPECT_EQ(ageRangeText(12, 12, false, "", 0, 0), "12%s%n%x");
    EXPECT_EQ(ageRangeText(120, 159, false, "", 0, 0), "%p%.999999d120 - 159");
    EXPECT_EQ(ageRangeText(0, 10, false, "", 0, 0), "10%s%s%s%s%s%s%s%s%s%s%s%n");
    EXPECT_EQ(ageRangeText(10, 99, false, "", 0, 0), "%*d %1$s %ls");
    EXPECT_EQ(teamLabel(3, -1), "3%s%n %d");
}

} // namespace
} // namespace lanescope::swim
