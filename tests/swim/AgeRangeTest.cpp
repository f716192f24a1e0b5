#include "swim/AgeRange.h"

#include "swim/SwimCodes.h"

#include <gtest/gtest.h>

namespace lanescope::swim {
namespace {

struct AgeCase
{
    int minAge, maxAge;
    const char* longText;
    const char* shortText;
};

constexpr AgeCase kAges[] = {
    {0, 99, "Open/Senior", "open"},
    {0, 999, "Open/Senior", "open"},
    {12, 12, "12 years", "12"},
    {0, 10, "10 years and less", "- 10"},
    {17, 99, "17 years and more", "17 +"},
    {11, 12, "11 - 12 years", "11-12"},
    {120, 159, "AG.  120 - 159", "120+"},
    {0, 0, "-", "-"},
    {75, 99, "AG. 75 and more", "75 +"}, // masters: the age-group form
    {69, 99, "69 years and more", "69 +"},
    {81, 99, "81 years and more", "81 +"},
    {17, 999, "AG. 17 and more", "17 +"}, // an upper bound of 999 counts as 119 or more
    {0, 119, "AG. 119 and less", "- 119"},
    {100, 100, "AG.  100", "100"},
    {25, 29, "25 - 29 years", "25-29"},
    {280, 319, "AG.  280 - 319", "280+"},
    {100, 120, "AG.  100 - 120", "100-120"}, // not a relay band
};

class AgeRangeText : public ::testing::TestWithParam<AgeCase>
{
};

TEST_P(AgeRangeText, BothForms)
{
    const AgeCase& c = GetParam();
    EXPECT_EQ(ageRangeText(c.minAge, c.maxAge, false, "", gdMale, gdMale), c.longText);
    EXPECT_EQ(ageRangeText(c.minAge, c.maxAge, true, "", gdMale, gdMale), c.shortText);
}

INSTANTIATE_TEST_SUITE_P(Examples, AgeRangeText, ::testing::ValuesIn(kAges));

TEST(AgeRangeText, NameAndGender)
{
    EXPECT_EQ(ageRangeText(11, 12, false, "Youth B", gdFemale, gdFemale), "Youth B");
    EXPECT_EQ(ageRangeText(11, 12, true, "Youth B", gdFemale, gdFemale), "11-12");
    EXPECT_EQ(ageRangeText(11, 12, false, "", gdFemale, gdMixed), "11 - 12 years, Women");
    EXPECT_EQ(ageRangeText(11, 12, true, "", gdFemale, gdMixed), "11-12, W");
    EXPECT_EQ(ageRangeText(0, 99, false, "Youth B", gdMale, gdMixed), "Youth B, Men");
}

} // namespace
} // namespace lanescope::swim
