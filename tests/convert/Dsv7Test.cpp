#include "base/FormatSettings.h"
#include "base/Strings.h"
#include "convert/Dsv7Values.h"
#include "convert/VnxLenexConverterDSV7.h"
#include "support/TestFiles.h"
#include "swim/ResultRankings.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lanescope::convert {
namespace {

using namespace lenex;

const std::string kDataDir = LANESCOPE_TEST_DATA_DIR "/convert/dsv7/";

struct Loaded
{
    TLenex document;
    int errors = 0;
    std::string message;
};

std::unique_ptr<Loaded> loadBytes(std::string bytes)
{
    auto loaded = std::make_unique<Loaded>();
    TVnxLenexConverterDSV7 converter(loaded->document);
    converter.LoadBytes(std::move(bytes));
    loaded->errors = converter.errorCount();
    loaded->message = converter.errorMessage();
    return loaded;
}

std::unique_ptr<Loaded> loadFixture(const std::string& name)
{
    auto loaded = std::make_unique<Loaded>();
    TVnxLenexConverterDSV7 converter(loaded->document);
    converter.Load(kDataDir + name);
    loaded->errors = converter.errorCount();
    loaded->message = converter.errorMessage();
    return loaded;
}

const TLnxObject& competition(const TLenex& document)
{
    return *document.root()->findCollection(tag::COMPETITIONS)->itemAt(0);
}

std::vector<const TLnxObject*> items(const TLnxAbstractObject& owner, TLnxTagId collection)
{
    std::vector<const TLnxObject*> list;
    if (const TLnxCollection* found = owner.findCollection(collection))
        for (int i = 0; i < found->childCount(); ++i)
            list.push_back(found->itemAt(i));
    return list;
}

std::vector<const TLnxObject*> events(const TLenex& document)
{
    std::vector<const TLnxObject*> list;
    for (const TLnxObject* session : items(competition(document), tag::PERIODS))
        for (const TLnxObject* event : items(*session, tag::EVENTS))
            list.push_back(event);
    return list;
}

const TLnxObject* club(const TLenex& document, const std::string& name)
{
    for (const TLnxObject* item : items(competition(document), tag::CLUBS))
        if (item->getText(tag::NAME) == name)
            return item;
    return nullptr;
}

const TLnxObject* person(const TLenex& document, const std::string& name)
{
    for (const TLnxObject* item : items(competition(document), tag::CLUBS))
        for (const TLnxObject* found : items(*item, tag::PERSONS))
            if (found->getText(tag::NAME) == name)
                return found;
    return nullptr;
}

// Splits as "dis=time" joined with blanks.
std::string splitsText(const TLnxObject& result)
{
    std::string text;
    if (const TLnxCollection* splits = result.findCollection(tag::SPLITS))
        for (int i = 0; i < splits->childCount(); ++i) {
            const TLnxDataElement* split = splits->childAsData(i);
            text += (text.empty() ? "" : " ") + split->getAttribute(lxaDIS) + "=" + split->value();
        }
    return text;
}

// Legs as "num:pid" joined with blanks.
std::string positionsText(const TLnxObject& swim)
{
    std::string text;
    for (const TLnxObject* position : items(swim, tag::POSITIONS))
        text += (text.empty() ? "" : " ") + std::to_string(position->getInteger(tag::NUM)) + ":" +
                std::to_string(position->getInteger(tag::PID));
    return text;
}

TEST(Dsv7Results, OneResultPerSwimWithTheNarrowestRankingSplitsAndStatus)
{
    const auto loaded = loadFixture("results.dsv7");
    ASSERT_EQ(loaded->errors, 0) << loaded->message;
    const TLenex& document = loaded->document;
    const TLnxObject& meet = competition(document);
    EXPECT_EQ(document.root()->getText(tag::VERSION), "DSV7");
    EXPECT_EQ(meet.getText(tag::NAME), "\"Frühjahrsschwimmen\" 2025");
    EXPECT_EQ(meet.getText(tag::PLACE), "Köln");
    EXPECT_EQ(meet.poolIndex(), 1);
    EXPECT_EQ(meet.getText(tag::TI), "M1");
    EXPECT_EQ(meet.getText(tag::ORGANIZER), "SV Köln");
    EXPECT_EQ(meet.findObject(tag::CONTACT)->getText(tag::FNAME), "Anna");
    const auto sessions = items(meet, tag::PERIODS);
    ASSERT_EQ(sessions.size(), 2u);
    EXPECT_EQ(sessions[0]->getText(tag::TIME), "0930");
    EXPECT_FALSE(sessions[1]->hasChild(tag::TIME));

    // Heats and final linked; an exercise event named in the federation's words.
    const auto list = events(document);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1]->getInteger(tag::PEID), list[0]->id());
    EXPECT_EQ(list[3]->getText(tag::STR), "XX");
    EXPECT_EQ(list[3]->getText(tag::NAME), "50m Brust Beine");
    EXPECT_EQ(list[2]->getInteger(tag::DISCNT), 4);
    EXPECT_EQ(list[2]->getText(tag::SEX), "X");
    EXPECT_EQ(items(*list[0], tag::CATS).size(), 2u);

    // Two rows, one RESULT: RANK and CID of the narrowest ranking, splits once, the finish added.
    const TLnxObject* lea = person(document, "Berg");
    ASSERT_TRUE(lea);
    EXPECT_EQ(lea->id(), 7);
    EXPECT_EQ(lea->getText(tag::LICENSE), "123456");
    const auto leaResults = items(*lea, tag::RESULTS);
    ASSERT_EQ(leaResults.size(), 2u);
    EXPECT_EQ(leaResults[0]->getInteger(tag::CID), 11);
    EXPECT_EQ(leaResults[0]->getInteger(tag::RANK), 1);
    const auto rankings = swim::resultRankings(*leaResults[0]);
    ASSERT_EQ(rankings.size(), 2u);
    EXPECT_EQ(rankings[1].ageGroupId, 12);
    EXPECT_EQ(rankings[1].place, 1);
    EXPECT_EQ(leaResults[0]->getText(tag::TIME), "V00h01:20.50");
    EXPECT_EQ(splitsText(*leaResults[0]), "50=V00h00:38.20 100=V00h01:20.50");
    EXPECT_EQ(leaResults[0]->getText(tag::RT),
              "-0" + std::string(1, base::currentFormatSettings().decimalSeparator) + "03");

    struct StatusCase
    {
        const char* name;
        const char* time;
        const char* code;
        const char* comment;
    };
    const StatusCase statuses[] = {
        {"Klein", "I00h01:30.00", "DQ", "Wende"},
        {"Lang", "", "DNS", ""},
        {"Frei", "V00h01:40.00", "", ""},
    };
    for (const StatusCase& expected : statuses) {
        const TLnxObject* swimmer = person(document, expected.name);
        ASSERT_TRUE(swimmer) << expected.name;
        const TLnxObject& result = *items(*swimmer, tag::RESULTS).at(0);
        EXPECT_EQ(result.getText(tag::TIME), expected.time) << expected.name;
        EXPECT_EQ(result.getText(tag::CODE), expected.code) << expected.name;
        EXPECT_EQ(result.getText(tag::COMMENT), expected.comment) << expected.name;
        EXPECT_FALSE(result.hasChild(tag::RANK)) << expected.name;
    }

    // Clubs by exact name, else a new one; rows of missing events and records after DATEIENDE add nothing.
    ASSERT_TRUE(club(document, "Club Étranger"));
    EXPECT_FALSE(club(document, "Club Étranger")->hasChild(tag::CODE));
    EXPECT_EQ(club(document, "SV Köln")->getText(tag::LSC), "05");
    ASSERT_TRUE(club(document, "Neuer Verein"));
    EXPECT_FALSE(person(document, "Nirgends"));
    EXPECT_FALSE(person(document, "Nach"));
    EXPECT_EQ(items(competition(document), tag::CLUBS).size(), 3u);
}

TEST(Dsv7Results, RelaySwimmersLegsSplitsAndTheDisqualifiedLeg)
{
    const auto loaded = loadFixture("results.dsv7");
    ASSERT_EQ(loaded->errors, 0) << loaded->message;
    const TLenex& document = loaded->document;
    const auto relays = items(*club(document, "SV Köln"), tag::RELAYS);
    ASSERT_EQ(relays.size(), 2u);
    EXPECT_EQ(relays[0]->getText(tag::SEX), "X");
    EXPECT_EQ(relays[0]->findObject(tag::CAT)->getText(tag::NAME), "AK 80+");
    const TLnxObject& swim = *items(*relays[0], tag::RESULTS).at(0);
    EXPECT_EQ(swim.getInteger(tag::RANK), 1);

    // Legs in leg order; a swimmer named in another case is the club's person; one without a swim is new,
    // numbered above the file's ids; a repeated leg counts once.
    const TLnxObject* tom = person(document, "Neu");
    ASSERT_TRUE(tom);
    EXPECT_EQ(tom->id(), 12);
    EXPECT_FALSE(tom->hasChild(tag::RESULTS));
    EXPECT_EQ(positionsText(swim), "1:7 2:9 3:10 4:12");
    EXPECT_EQ(splitsText(swim), "50=V00h00:32.00 100=V00h01:05.00 200=V00h02:10.00");
    EXPECT_FALSE(items(swim, tag::POSITIONS)[1]->getText(tag::RT).empty());

    const TLnxObject& disqualified = *items(*relays[1], tag::RESULTS).at(0);
    EXPECT_EQ(disqualified.getText(tag::CODE), "DQ");
    EXPECT_EQ(disqualified.getText(tag::TIME), "I00h02:30.00");
    ASSERT_EQ(items(disqualified, tag::POSITIONS).size(), 1u);
    EXPECT_EQ(items(disqualified, tag::POSITIONS)[0]->getText(tag::CODE), "DQ");
}

TEST(Dsv7Definition, EventsAgeClassesFeesLimitsAndNoClubs)
{
    const auto loaded = loadFixture("definition.dsv7");
    ASSERT_EQ(loaded->errors, 0) << loaded->message;
    const TLenex& document = loaded->document;
    const TLnxObject& meet = competition(document);
    EXPECT_EQ(meet.getText(tag::NATION), "AUT");
    EXPECT_EQ(meet.getText(tag::POOLNAME), "Hallenbad");
    EXPECT_EQ(meet.getText(tag::DEADLINE), "20250210");
    EXPECT_EQ(meet.findObject(tag::CONTACT)->getText(tag::INTERNET), "https://example.org/cup");
    EXPECT_EQ(items(meet, tag::CLUBS).size(), 0u);
    EXPECT_EQ(items(meet, tag::PERIODS)[0]->getText(tag::TIME), "0900");

    const auto list = events(document);
    ASSERT_EQ(list.size(), 3u);
    const int fees[] = {600, 1200, 850};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(list[i]->getInteger(tag::FEE), fees[i]) << i;
        EXPECT_EQ(list[i]->findChild(tag::FEE)->getAttribute(lxaCURRENCY), "EUR");
    }
    // Ages against the meet's year: a masters class of five years, a relay class of summed ages, open years.
    const std::pair<int, int> bounds[] = {{1926, 1930}, {1906, 1925}, {2000, -1}};
    for (std::size_t i = 0; i < 3; ++i) {
        const TLnxObject& cat = *items(*list[i], tag::CATS).at(0);
        EXPECT_EQ(cat.getInteger(tag::MIN), bounds[i].first) << i;
        EXPECT_EQ(cat.getInteger(tag::MAX), bounds[i].second) << i;
    }
    const TLnxObject& limited = *items(*list[2], tag::CATS).at(0);
    EXPECT_EQ(limited.getText(tag::LCT), "L00h01:30.00");
}

TEST(Dsv7ClubEntries, AthletesAndRelaysWithTheirEntries)
{
    const auto loaded = loadFixture("entries.dsv7");
    ASSERT_EQ(loaded->errors, 0) << loaded->message;
    const TLenex& document = loaded->document;
    const auto list = events(document);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2]->getInteger(tag::DIS), 17);
    EXPECT_EQ(list[2]->getText(tag::NAME), "17m Sonderform");

    const TLnxObject* haren = club(document, "SV Haren");
    ASSERT_TRUE(haren);
    EXPECT_EQ(haren->findObject(tag::CONTACT)->getText(tag::NAME), "Dietrich");
    // One event number for an individual heat and a relay: each entry finds the event it fits.
    const TLnxObject& maja = *person(document, "Kern");
    EXPECT_EQ(items(maja, tag::ENTRIES).at(0)->getInteger(tag::EID), list[0]->id());
    EXPECT_EQ(items(maja, tag::ENTRIES).at(0)->getText(tag::TIME), "E00h01:10.00");
    EXPECT_FALSE(items(*person(document, "Ulrich"), tag::ENTRIES).at(0)->hasChild(tag::TIME));
    const TLnxObject& relay = *items(*haren, tag::RELAYS).at(0);
    EXPECT_EQ(relay.getText(tag::SEX), "X");
    EXPECT_EQ(relay.findObject(tag::CAT)->getInteger(tag::MIN), 2004);
    const TLnxObject& entry = *items(relay, tag::ENTRIES).at(0);
    EXPECT_EQ(entry.getInteger(tag::EID), list[1]->id());
    EXPECT_EQ(positionsText(entry), "2:643 1:644");
}

TEST(Dsv7ClubResults, PersonsRelaysAndTheirResults)
{
    const auto loaded = loadFixture("clubresults.dsv7");
    ASSERT_EQ(loaded->errors, 0) << loaded->message;
    const TLenex& document = loaded->document;
    const TLnxObject& nora = *person(document, "Stein");
    const TLnxObject& result = *items(nora, tag::RESULTS).at(0);
    EXPECT_EQ(result.getInteger(tag::RANK), 3);
    EXPECT_EQ(result.getText(tag::TIME), "V00h00:35.10");
    EXPECT_EQ(splitsText(result), "25=V00h00:17.00 50=V00h00:35.10");
    const TLnxObject& relay = *items(*club(document, "SV Bonn"), tag::RELAYS).at(0);
    const TLnxObject& swim = *items(relay, tag::RESULTS).at(0);
    EXPECT_EQ(swim.getInteger(tag::RANK), 1);
    EXPECT_EQ(positionsText(swim), "1:5");
}

struct TextCase
{
    const char* name;
    std::string bytes;
    bool loads;
    bool warns;
};

const std::string kHead = "FORMAT:Wettkampfergebnisliste;7;\nVERANSTALTUNG:Cup;Bonn;25;AUTOMATISCH;\n";

const TextCase kTextCases[] = {
    {"Empty", "", false, false},
    {"FirstRecordNotFormat", "VERANSTALTUNG:Cup;Bonn;25;AUTOMATISCH;\n" + kHead + "DATEIENDE\n", false,
     false},
    {"UnknownListType", "FORMAT:Meldeergebnisliste;7;\nDATEIENDE\n", false, false},
    {"VersionBelowSix", "FORMAT:Wettkampfergebnisliste;5;\nDATEIENDE\n", false, false},
    {"CommentsAndBlankLinesBeforeFormat", "(* writer *)\r\n\r\n" + kHead + "DATEIENDE;", true, false},
    {"ByteOrderMarkAndCrLf",
     "\xEF\xBB\xBF"
     "FORMAT:wettkampfergebnisliste;8;\r\nDATEIENDE\r\n",
     true, false},
    {"WithoutDateiende", kHead + "ABSCHNITT:1;01.03.2025;10:00;N;\n", true, true},
    {"ResultRecordsInAnInvitation",
     "FORMAT:Wettkampfdefinitionsliste;7;\nWETTKAMPF:1;E;1;1;50;F;GL;M;SW;;;\nVEREIN:A;1;1;GER;\n"
     "PNERGEBNIS:1;E;1;1;;A, B;0;1;M;2000;;A;1;00:00:30,00;;;;;;\nDATEIENDE",
     true, false},
    {"LastRecordCutMidLine", kHead + "WETTKAMPF:1;E;1;1;10", false, false},
    {"MissingAndExtraFields", kHead + "WETTKAMPF:1;E\nWERTUNG:1;E;5;JG;2010;2010;W;A;x;y;z;\nDATEIENDE", true,
     false},
    {"IdsThatPointNowhere",
     kHead + "PNZWISCHENZEIT:1;1;E;50;00:00:30,00;\nSTAFFELPERSON:4;2;E;A, B;0;1;M;2000;;\n"
             "PNERGEBNIS:7;E;1;1;;A, B;0;1;M;2000;;C;0;00:00:30,00;;;;;;\nDATEIENDE",
     true, false},
};

class Dsv7Text : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(Dsv7Text, LoadsOrFailsWithAMessage)
{
    const auto loaded = loadBytes(GetParam().bytes);
    if (!GetParam().loads) {
        EXPECT_EQ(loaded->errors, 1);
        EXPECT_FALSE(loaded->message.empty());
        return;
    }
    ASSERT_EQ(loaded->errors, 0) << loaded->message;
    EXPECT_EQ(loaded->document.warnings().size(), GetParam().warns ? 1u : 0u);
    EXPECT_EQ(items(competition(loaded->document), tag::CLUBS).size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, Dsv7Text, ::testing::ValuesIn(kTextCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Dsv7Text, WindowsBytesAreReadAsWindows1252)
{
    const auto loaded =
        loadBytes("FORMAT:Wettkampfergebnisliste;7;\nVERANSTALTUNG:Pokal;K\xF6ln;25;;\nDATEIENDE\n");
    ASSERT_EQ(loaded->errors, 0) << loaded->message;
    EXPECT_EQ(competition(loaded->document).getText(tag::PLACE), "Köln");
}

// Dates come as DD.MM.YYYY or, from one conversion tool, YYYY-MM-DD; anything else is left out with a
// warning.
TEST(Dsv7Values, Dates)
{
    const struct
    {
        const char* field;
        const char* date;
        int year;
        bool warns;
    } cases[] = {
        {"04.12.2022", "20221204", 2022, false},
        {" 2025-07-17 ", "20250717", 2025, false},
        {"", "", 0, false},
        {"4.12.2022", "", 0, true},
        {"2025-7-17", "", 0, true},
        {"17/07/2025", "", 0, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dsv7::dateText(c.field), c.date) << c.field;
        EXPECT_EQ(dsv7::yearOf(c.field), c.year) << c.field;
        const auto loaded = loadBytes(kHead + "ABSCHNITT:1;" + c.field +
                                      ";10:00;N;\nMELDESCHLUSS:" + c.field + ";12:00;\nDATEIENDE\n");
        ASSERT_EQ(loaded->errors, 0) << loaded->message;
        const TLnxObject* session = items(competition(loaded->document), tag::PERIODS).at(0);
        EXPECT_EQ(session->getText(tag::DATE), c.date) << c.field;
        EXPECT_EQ(competition(loaded->document).getText(tag::DEADLINE), c.date) << c.field;
        const std::vector<std::string>& warnings = loaded->document.warnings();
        ASSERT_EQ(warnings.size(), c.warns ? 2u : 0u) << c.field;
        const std::string message = ": the date \"" + base::trim(c.field) +
                                    "\" is neither DD.MM.YYYY nor YYYY-MM-DD and is left out.";
        for (const char* line : {"Line 3", "Line 4"}) {
            if (c.warns) {
                EXPECT_NE(std::find(warnings.begin(), warnings.end(), line + message), warnings.end())
                    << line;
            }
        }
    }
}

TEST(Dsv7Values, AgeBounds)
{
    struct Case
    {
        const char* type;
        const char* lower;
        const char* upper;
        bool relay;
        int min;
        int max;
        int width;
    };
    const Case cases[] = {
        {"JG", "2012", "2012", false, 2012, 2012, 0},
        {"JG", "0", "2006", false, -1, 2006, 80},
        {"JG", "2010", "0", false, 2010, -1, 15},
        {"JG", "0", "9999", false, -1, -1, 99},
        {"JG", "2010", "", false, 2010, 2010, 0},
        {"AK", "95", "", false, 1926, 1930, 4},
        {"AK", "80+", "", true, -1, 1945, 19},
        {"AK", "119+", "100+", true, 1906, 1925, 19},
        // Years of birth in either order: the younger year first is the same class.
        {"JG", "2013", "2011", false, 2011, 2013, 2},
        {"JG", "2011", "2013", false, 2011, 2013, 2},
        {"JG", "2013", "9999", false, 2013, -1, 12},
        {"JG", "1900", "2013", false, 1900, 2013, 113},
    };
    for (const Case& c : cases) {
        const dsv7::AgeBounds bounds = dsv7::ageBounds(c.type, c.lower, c.upper, c.relay, 2025);
        EXPECT_EQ(bounds.min, c.min) << c.type << c.lower << ";" << c.upper;
        EXPECT_EQ(bounds.max, c.max) << c.type << c.lower << ";" << c.upper;
        EXPECT_EQ(bounds.width, c.width) << c.type << c.lower << ";" << c.upper;
    }
}

TEST(Dsv7Values, FieldForms)
{
    EXPECT_EQ(dsv7::dateText("04.12.2022"), "20221204");
    EXPECT_EQ(dsv7::dateText("4.12.2022"), "");
    EXPECT_EQ(dsv7::daytimeText("09:05"), "0905");
    EXPECT_EQ(dsv7::daytimeText("00:00"), "");
    EXPECT_EQ(dsv7::swimTime("00:00:00,00"), 0);
    EXPECT_EQ(dsv7::swimTime("00:01:05,30"), dsv7::swimTime("00:00:65,30"));
    EXPECT_EQ(dsv7::moneyInHundredths("6,00"), 600);
    EXPECT_EQ(dsv7::moneyInHundredths("12,5"), 1250);
    EXPECT_EQ(dsv7::moneyInHundredths("x"), -1);
    EXPECT_EQ(dsv7::sexCode("W"), "F");
    EXPECT_EQ(dsv7::sexCode("D"), "X");
    EXPECT_EQ(dsv7::styleName(4, 50, "F", "GL"), "4x50m Freistil");
    EXPECT_EQ(dsv7::styleName(1, 25, "X", "X"), "25m Sonderform");
    EXPECT_EQ(dsv7::styleName(1, 50, "R", "KR"), "50m Rücken Kicks Rückenlage");
    EXPECT_EQ(dsv7::reactionTimeText("+", "00:00:00,65", '.'), "0.65");
    EXPECT_EQ(dsv7::reactionTimeText("-", "0,03", ','), "-0,03");
    EXPECT_EQ(dsv7::reactionTimeText("+", "", '.'), "");
    EXPECT_EQ(dsv7::associationCode("5"), "05");
    EXPECT_EQ(dsv7::associationCode("00"), "");
}

} // namespace
} // namespace lanescope::convert
