#include "library/AthleteMatcher.h"
#include "library/LibraryFixtures.h"
#include "library/LibrarySchema.h"
#include "library/TextKey.h"

namespace lanescope::library {
namespace {

struct KeyCase
{
    const char* text;
    const char* key;
};
constexpr KeyCase kKeys[] = {
    {"Müller", "muller"},  {"  MÜLLER  Anna ", "muller anna"},
    {"Strauß", "strauss"}, {"Éléonore", "eleonore"},
    {"Dvořák", "dvorak"},  {"ΣΟΦΙΑ", "σοφια"},
    {"Łukasz", "łukasz"},  {"", ""},
};

TEST(TextKey, FoldsCaseAndAccentsOfEveryScript)
{
    for (const KeyCase& c : kKeys)
        EXPECT_EQ(textKey(c.text), c.key) << c.text;
}

AthleteRecord person(const char* last, const char* first, const char* license, int year, int gender = 2)
{
    return {license, last, first, year, gender, "SV", "GER"};
}

// Whether the second record is matched to the athlete of the first.
struct MatchCase
{
    const char* what;
    AthleteRecord first;
    AthleteRecord second;
    bool same;
};

class AthleteMatching : public ::testing::TestWithParam<MatchCase>
{
};

TEST_P(AthleteMatching, DecidesWhoIsWho)
{
    const MatchCase& c = GetParam();
    SqliteDatabase database(":memory:");
    applySchema(database, ":memory:");
    AthleteMatcher matcher(database);
    const auto first = matcher.matchOrCreate(c.first);
    EXPECT_EQ(matcher.find(c.second).value_or(0) == first.athlete, c.same);
    const auto second = matcher.matchOrCreate(c.second);
    EXPECT_EQ(second.athlete == first.athlete, c.same);
    // Asking again gives the same answer: the decision is stored.
    EXPECT_EQ(matcher.matchOrCreate(c.second).athlete, second.athlete);
}

const MatchCase kMatches[] = {
    {"same registration number, other spelling", person("Mueller", "Anna", "445", 2010),
     person("Müller", "Anna-Lena", "445", 2010), true},
    {"same name, case and accents differ", person("Müller", "Anna", "", 2010),
     person("MULLER", "anna", "", 2010), true},
    {"same name, another birth year", person("Müller", "Anna", "", 2010), person("Müller", "Anna", "", 2011),
     false},
    {"same name, another gender", person("Kim", "Alex", "", 2010, 1), person("Kim", "Alex", "", 2010, 2),
     false},
    {"number joins a namesake without one", person("Müller", "Anna", "", 2010),
     person("Müller", "Anna", "445", 2010), true},
    {"name without number joins the one numbered namesake", person("Müller", "Anna", "445", 2010),
     person("Müller", "Anna", "", 2010), true},
    {"two different numbers never merge by name", person("Müller", "Anna", "445", 2010),
     person("Müller", "Anna", "446", 2010), false},
    {"zeros are no number", person("Müller", "Anna", "000000", 2010),
     person("Schmidt", "Eva", "000000", 2011), false},
    {"a number reused by another person counts as none", person("Müller", "Anna", "777", 2010),
     person("Schmidt", "Eva", "777", 2012), false},
};

INSTANTIATE_TEST_SUITE_P(Cases, AthleteMatching, ::testing::ValuesIn(kMatches),
                         [](const auto& param) { return lanescope::testing::testName(param.param.what); });

TEST(AthleteMatching, NameOnlyIsNotGuessedBetweenTwoNumberedNamesakes)
{
    SqliteDatabase database(":memory:");
    applySchema(database, ":memory:");
    AthleteMatcher matcher(database);
    const auto a = matcher.matchOrCreate(person("Müller", "Anna", "445", 2010));
    const auto b = matcher.matchOrCreate(person("Müller", "Anna", "446", 2010));
    const auto plain = matcher.matchOrCreate(person("Müller", "Anna", "", 2010));
    EXPECT_NE(plain.athlete, a.athlete);
    EXPECT_NE(plain.athlete, b.athlete);
}

} // namespace
} // namespace lanescope::library
