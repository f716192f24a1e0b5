#include "base/Strings.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

using namespace lanescope::base;

namespace {

struct TrimCase
{
    std::string text;
    std::string both;
    std::string left;
    std::string right;
};

const TrimCase kTrims[] = {
    {"", "", "", ""},
    {"   ", "", "", ""},
    {"abc", "abc", "abc", "abc"},
    {"  a b  ", "a b", "a b  ", "  a b"},
    {"\t\r\nabc\x01\x1F", "abc", "abc\x01\x1F", "\t\r\nabc"},
    {std::string("\0x\0", 3), "x", std::string("x\0", 2), std::string("\0x", 2)},
    {"\x7Fx\xA0", "\x7Fx\xA0", "\x7Fx\xA0", "\x7Fx\xA0"}, // DEL and a Latin-1 no-break space are no blanks
    // Unicode spaces in UTF-8: no-break space, em space, ideographic space, mixed with blanks.
    {"Jana\u00A0", "Jana", "Jana\u00A0", "Jana"},
    {"\u2003 \u00A0W\u00A0eiss \u3000\t", "W\u00A0eiss", "W\u00A0eiss \u3000\t", "\u2003 \u00A0W\u00A0eiss"},
    {"\u00A0\u3000", "", "", ""},
    // Letters that are no spaces stay, and so does a broken UTF-8 sequence.
    {"\u00E9x\u00FC", "\u00E9x\u00FC", "\u00E9x\u00FC", "\u00E9x\u00FC"},
    {"\xC2x\xC2", "\xC2x\xC2", "\xC2x\xC2", "\xC2x\xC2"},
};

class Trim : public ::testing::TestWithParam<TrimCase>
{
};

TEST_P(Trim, CutsBlanksAndControlCharacters)
{
    const TrimCase& c = GetParam();
    EXPECT_EQ(trim(c.text), c.both);
    EXPECT_EQ(trimLeftView(c.text), c.left);
    EXPECT_EQ(trimRightView(c.text), c.right);
}

INSTANTIATE_TEST_SUITE_P(Texts, Trim, ::testing::ValuesIn(kTrims));

struct IntCase
{
    const char* text;
    bool accepted;
    std::int32_t value;
};

const IntCase kInts[] = {
    {"12", true, 12},
    {" 12", true, 12},
    {"\t5", true, 5},
    {"+7", true, 7},
    {"-3", true, -3},
    {"007", true, 7},
    {"-0", true, 0},
    {"2147483647", true, INT32_MAX},
    {"-2147483648", true, INT32_MIN},
    {"2147483648", false, 0},
    {"-2147483649", false, 0},
    {"99999999999999999999", false, 0},
    {"12a", false, 0},
    {"12 ", false, 0},
    {"1 2", false, 0},
    {"1.5", false, 0},
    {"0x10", false, 0},
    {"", false, 0},
    {"   ", false, 0},
    {"+", false, 0},
    {"-", false, 0},
    {"+-3", false, 0},
    {"-+3", false, 0},
    {"++3", false, 0},
    {"- 3", false, 0},
};

class StrToInt : public ::testing::TestWithParam<IntCase>
{
};

TEST_P(StrToInt, AcceptsOnlyWholeDecimalNumbers)
{
    const IntCase& c = GetParam();
    EXPECT_EQ(isInteger(c.text), c.accepted);
    EXPECT_EQ(strToIntDef(c.text, -99), c.accepted ? c.value : -99);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToInt, ::testing::ValuesIn(kInts));

struct SameTextCase
{
    const char* a;
    const char* b;
    bool same;
};

const SameTextCase kSameTexts[] = {
    {"", "", true},       {"abc", "ABC", true}, {"Lenex", "lENEX", true}, {"abc", "abd", false},
    {"abc", "ab", false}, {"[", "{", false}, // 0x5B and 0x7B differ only in the case bit, but are no letters
    {"@", "`", false},    {"ü", "Ü", false}, // ASCII only
};

class AsciiSameText : public ::testing::TestWithParam<SameTextCase>
{
};

TEST_P(AsciiSameText, IgnoresCaseOfAsciiLettersOnly)
{
    EXPECT_EQ(asciiSameText(GetParam().a, GetParam().b), GetParam().same);
    EXPECT_EQ(asciiSameText(GetParam().b, GetParam().a), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(Pairs, AsciiSameText, ::testing::ValuesIn(kSameTexts));

TEST(AsciiCase, ChangesOnlyAsciiLetters)
{
    EXPECT_EQ(asciiLower("AbZ[@`{ÄÖ"), "abz[@`{ÄÖ");
    EXPECT_EQ(asciiUpper("aBz[@`{äö"), "ABZ[@`{äö");
}

} // namespace
