#include "base/TextCase.h"

#include "base/NameCollation.h"

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
    {"иванова жанна", "ИВАНОВА ЖАННА"},
    {"παπαδοπούλου", "ΠΑΠΑΔΟΠΟΎΛΟΥ"},
    {"ǆ ș ț ơ ư", "Ǆ Ș Ț Ơ Ư"},
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

// Letters without a partner of their own, characters that are no letters and malformed bytes.
const CaseCase kIrregular[] = {
    {"ß", "ß", "ß"},
    {"×÷", "×÷", "×÷"},
    {"ı", "I", "ı"},
    {"İ", "İ", "i"},
    {"ĸ", "ĸ", "ĸ"},
    {"ŉ", "ŉ", "ŉ"},
    {"ſ", "S", "ſ"},
    {"µ", "Μ", "µ"},
    {"Ωω Жж", "ΩΩ ЖЖ", "ωω жж"},
    {"ς", "Σ", "ς"},
    {"ẞ", "ẞ", "ß"},
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
    {"ΟΔΟΣ", "οδος", 0},
    {"Жанна", "жАННА", 0},
    {"_", "a", -1}, // '_' sorts below the lower-case letters, as in the lower-cased texts
    {"a\xFF", "A\xFF", 0},
};

class TextOrder : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(TextOrder, ComparesFoldedBytes)
{
    const OrderCase& c = GetParam();
    EXPECT_EQ(sign(compareText(c.a, c.b)), c.sign);
    EXPECT_EQ(sign(compareText(c.b, c.a)), -c.sign);
    EXPECT_EQ(sign(foldCase(c.a).compare(foldCase(c.b))), c.sign);
    EXPECT_EQ(sameText(c.a, c.b), c.sign == 0);
}

INSTANTIATE_TEST_SUITE_P(Pairs, TextOrder, ::testing::ValuesIn(kOrder));

TEST(CompareText, AgreesWithComparingFoldedCopies)
{
    const char* texts[] = {"",   "a",  "A",  "ab",     "aB",     "Ab",    "ä",         "Ä",  "å", "ß", "ſ",
                           "s",  "S",  "İ",  "i",      "I",      "ı",     "ÿ",         "Ÿ",  "ŉ", "z", "Ź",
                           "ź",  "~",  "_",  "@",      "\xC3",   "\xC3(", "a\xC4\x80", "aĀ", "€", "🏊", "ÀÁ",
                           "àá", "Ö1", "ö2", "Łódź 1", "łÓDŹ 2", "ŁÓDŹ",  "ς",         "σ",  "Σ", "Ж", "ж"};
    for (const char* a : texts) {
        for (const char* b : texts) {
            EXPECT_EQ(sign(compareText(a, b)), sign(foldCase(a).compare(foldCase(b)))) << a << " vs " << b;
            EXPECT_EQ(sameText(a, b), foldCase(a) == foldCase(b)) << a << " vs " << b;
        }
    }
}

// Names sort by the rules of the screen language, without regard to case.
TEST(CompareNames, FollowTheCollationLanguage)
{
    struct NameCase
    {
        const char* locale;
        const char* a;
        const char* b;
        int sign;
    };
    const NameCase cases[] = {
        {"de", "Ärger", "Zorn", -1}, // German: Ä sorts with A
        {"sv", "Ärger", "Zorn", 1},  // Swedish: after Z
        {"de", "Müller", "Muller", 1}, {"de", "Mueller", "Müller", -1},
        {"de", "müller", "MÜLLER", 1}, // equal for the rules: the bytes decide, so the order stays total
        {"de", "Ábel", "Adam", -1},    {"ru", "Жанна", "Анна", 1},
        {"ru", "жанна", "Борис", 1},   {"", "Łukasz", "Lars", 1},
        {"", "Ωmega", "Alpha", 1},     {"", "same", "same", 0},
    };
    for (const NameCase& c : cases) {
        setCollationLocale(c.locale);
        EXPECT_EQ(sign(compareNames(c.a, c.b)), c.sign) << c.locale << ": " << c.a << " vs " << c.b;
        EXPECT_EQ(sign(compareNames(c.b, c.a)), -c.sign) << c.locale << ": " << c.b << " vs " << c.a;
    }
    setCollationLocale("");
}

} // namespace
