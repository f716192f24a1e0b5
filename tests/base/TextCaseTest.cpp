#include "base/TextCase.h"

#include <gtest/gtest.h>
#include <string>

using namespace lanescope::base;

namespace {

struct CasePair
{
    const char* lower;
    const char* upper;
};

// Pairs that map both ways.
const CasePair kPairs[] = {
    {"müller", "MÜLLER"},
    {"łódź", "ŁÓDŹ"},
    {"àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ", "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"},
    {"āăąćĉċčďđēĕėęěĝğġģĥħĩīĭįĳĵķ", "ĀĂĄĆĈĊČĎĐĒĔĖĘĚĜĞĠĢĤĦĨĪĬĮĲĴĶ"},
    {"ĺļľŀłńņň", "ĹĻĽĿŁŃŅŇ"},
    {"ŋōŏőœŕŗřśŝşšţťŧũūŭůűųŵŷ", "ŊŌŎŐŒŔŖŘŚŜŞŠŢŤŦŨŪŬŮŰŲŴŶ"},
    {"źżž", "ŹŻŽ"},
    {"ÿ", "Ÿ"},
    {"sv 1899 köln e.v.", "SV 1899 KÖLN E.V."},
};

class TextCasePair : public ::testing::TestWithParam<CasePair>
{
};

TEST_P(TextCasePair, MapsBothWays)
{
    EXPECT_EQ(upperCase(GetParam().lower), GetParam().upper);
    EXPECT_EQ(lowerCase(GetParam().upper), GetParam().lower);
    EXPECT_TRUE(sameText(GetParam().lower, GetParam().upper));
}

INSTANTIATE_TEST_SUITE_P(Letters, TextCasePair, ::testing::ValuesIn(kPairs));

struct CaseCase
{
    const char* text;
    const char* upper;
    const char* lower;
};

// Letters without a simple partner, characters outside the handled blocks and malformed bytes.
const CaseCase kIrregular[] = {
    {"ß", "ß", "ß"},
    {"×÷", "×÷", "×÷"},
    {"ı", "I", "ı"},
    {"İ", "İ", "i"},
    {"ĸ", "ĸ", "ĸ"},
    {"ŉ", "ŉ", "ŉ"},
    {"ſ", "S", "ſ"},
    {"µ", "µ", "µ"},
    {"Ωω Жж", "Ωω Жж", "Ωω Жж"},
    {"€ 🏊", "€ 🏊", "€ 🏊"},
    {"[@`{]", "[@`{]", "[@`{]"},
    {"a\xC3", "A\xC3", "a\xC3"},
    {"\xC3(z", "\xC3(Z", "\xC3(z"},
    {"\xFF\xC4", "\xFF\xC4", "\xFF\xC4"},
};

class TextCaseIrregular : public ::testing::TestWithParam<CaseCase>
{
};

TEST_P(TextCaseIrregular, MapsSensibly)
{
    EXPECT_EQ(upperCase(GetParam().text), GetParam().upper);
    EXPECT_EQ(lowerCase(GetParam().text), GetParam().lower);
}

INSTANTIATE_TEST_SUITE_P(Characters, TextCaseIrregular, ::testing::ValuesIn(kIrregular));

int sign(int value) { return (value > 0) - (value < 0); }

struct OrderCase
{
    const char* a;
    const char* b;
    int sign;
};

const OrderCase kOrder[] = {
    {"", "", 0},
    {"", "a", -1},
    {"abc", "ABC", 0},
    {"Müller", "MÜLLER", 0},
    {"ŁÓDŹ", "łódź", 0},
    {"İstanbul", "istanbul", 0},
    {"a", "B", -1},
    {"Zander", "apfel", 1},
    {"abc", "ABCD", -1},
    {"Zürich", "zurich", 1},
    {"Ärger", "Zorn", 1},
    {"Müller", "Müllers", -1},
    {"ss", "ß", -1},
    {"_", "a", -1}, // '_' sorts below the lower-case letters, as in the lower-cased texts
    {"a\xFF", "A\xFF", 0},
};

class TextOrder : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(TextOrder, ComparesLowerCasedBytes)
{
    const OrderCase& c = GetParam();
    EXPECT_EQ(sign(compareText(c.a, c.b)), c.sign);
    EXPECT_EQ(sign(compareText(c.b, c.a)), -c.sign);
    EXPECT_EQ(sign(lowerCase(c.a).compare(lowerCase(c.b))), c.sign);
    EXPECT_EQ(sameText(c.a, c.b), c.sign == 0);
}

INSTANTIATE_TEST_SUITE_P(Pairs, TextOrder, ::testing::ValuesIn(kOrder));

TEST(CompareText, AgreesWithComparingLowerCasedCopies)
{
    const char* texts[] = {"",  "a", "A",  "ab", "aB", "Ab", "ä",      "Ä",      "å",         "ß",
                           "ſ", "s", "S",  "İ",  "i",  "I",  "ı",      "ÿ",      "Ÿ",         "ŉ",
                           "z", "Ź", "ź",  "~",  "_",  "@",  "\xC3",   "\xC3(",  "a\xC4\x80", "aĀ",
                           "€", "🏊", "ÀÁ", "àá", "Ö1", "ö2", "Łódź 1", "łÓDŹ 2", "ŁÓDŹ"};
    for (const char* a : texts) {
        for (const char* b : texts) {
            EXPECT_EQ(sign(compareText(a, b)), sign(lowerCase(a).compare(lowerCase(b)))) << a << " vs " << b;
            EXPECT_EQ(sameText(a, b), lowerCase(a) == lowerCase(b)) << a << " vs " << b;
        }
    }
}

} // namespace
