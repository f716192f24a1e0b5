#include "base/DateTime.h"
#include "base/TempFolder.h"
#include "convert/SdifReader.h"
#include "convert/VnxLenexConverterSDIF.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace lanescope::convert {
namespace {

using namespace lenex;

const std::string kDataDir = LANESCOPE_TEST_DATA_DIR "/convert/sdif/";

/** A record with the texts placed at their 1-based columns. */
std::string record(const char* code, const std::vector<std::pair<int, std::string>>& fields)
{
    std::string line(160, ' ');
    line.replace(0, 2, code);
    for (const auto& [column, text] : fields)
        line.replace(static_cast<std::size_t>(column - 1), text.size(), text);
    return line;
}

std::string lines(const std::vector<std::string>& records)
{
    std::string text;
    for (const std::string& line : records)
        text += line + "\r\n";
    return text;
}

const std::string kA0 = record("A0", {{4, "V3"}, {12, "02"}, {44, "TestSoft"}, {64, "1.0"}});
const std::string kB1 = record("B1", {{12, "Meet"}, {122, "06112008"}, {130, "06122008"}});
const std::string kC1 = record("C1", {{14, "TEAM"}, {18, "Team"}});

std::string swim(const std::string& style, const std::string& finalTime, char course = 'S')
{
    return record("D0", {{12, "Doe, Jo"},
                         {56, "01012000"},
                         {66, "M"},
                         {68, style},
                         {73, "1"},
                         {77, "UNOV"},
                         {81, "06112008"},
                         {116, finalTime},
                         {124, std::string(1, course)}});
}

// ---- Records

struct FieldCase
{
    const char* line;
    int column;
    int width;
    const char* text;
    int integer;
};
const FieldCase kFields[] = {
    {"D0  12  ", 3, 4, "12", 12},
    {"D0  1x  ", 3, 4, "1x", 0},
    {"D0", 3, 4, "", 0},
    {"D0", 150, 1, "", 0},                          // an 80-column line reads as 160 columns
    {"D0", 160, 5, "", 0},                          // cut at column 160
    {"D0", 161, 1, "", 0},                          // beyond the record
    {"C1\xE9t\xE9 ", 3, 4, "\xC3\xA9t\xC3\xA9", 0}, // fields are decoded as Windows-1252
};
class SdifRecordField : public ::testing::TestWithParam<FieldCase>
{
};
TEST_P(SdifRecordField, ReadsTrimmedFixedColumns)
{
    const TSDifRecord rec(GetParam().line);
    EXPECT_EQ(rec.raw().size(), 160u);
    EXPECT_EQ(rec.text(GetParam().column, GetParam().width), GetParam().text);
    EXPECT_EQ(rec.integer(GetParam().column, GetParam().width), GetParam().integer);
}
INSTANTIATE_TEST_SUITE_P(Sdif, SdifRecordField, ::testing::ValuesIn(kFields));

TEST(SdifRecord, DatesAndTimes)
{
    struct DateCase
    {
        const char* field;
        base::TDateTime date;
    };
    const DateCase dates[] = {
        {"06122008", base::encodeDate(2008, 6, 12)},
        {"        ", 0},
        {"xx12xxxx", base::encodeDate(1900, 1, 12)},
    };
    for (const DateCase& c : dates)
        EXPECT_EQ(TSDifRecord(std::string("D0") + c.field).date(3), c.date) << c.field;
    EXPECT_THROW(TSDifRecord("D002302008").date(3), std::runtime_error); // 30 February
    EXPECT_EQ(TSDifRecord("D0 1:02.34").time(3), 623040);
    EXPECT_EQ(TSDifRecord("D099:99.99").time(3), TSDifRecord("D059:59.99").time(3));
    EXPECT_EQ(TSDifRecord("D0      DQ").time(3), 0);
    // A longer line is cut after column 160.
    EXPECT_EQ(TSDifRecord(std::string(159, ' ') + "ABC").text(158, 5), "A");
}

// ---- Reader

TEST(SdifReader, FindsTheCourseInTheFirstD0WithALetter)
{
    struct CourseCase
    {
        std::vector<std::string> letters; // seed, preliminary and final course letter of each D0
        int course;
    };
    const CourseCase cases[] = {
        {{"  L"}, 1},
        {{"3  ", "Y  "}, 2},
        {{" S "}, 0},
        {{"   "}, -1},
    };
    for (const CourseCase& c : cases) {
        std::vector<std::string> file = {kA0, kB1, kC1};
        for (const std::string& letters : c.letters)
            file.push_back(record(
                "D0",
                {{97, letters.substr(0, 1)}, {106, letters.substr(1, 1)}, {124, letters.substr(2, 1)}}));
        TSDifReader reader;
        reader.OpenBytes(lines(file));
        EXPECT_EQ(reader.courseIndex(), c.course) << c.letters.front();
    }
}

TEST(SdifReader, WalksEachTeamUpToTheNext)
{
    TSDifReader reader;
    reader.OpenBytes(lines({kA0, kB1, record("D0", {}), record("C1", {{14, "SAME"}}), record("D0", {}),
                            record("D3", {}), record("C1", {{14, "SAME"}, {150, "X"}}), record("D0", {})}) +
                     "C1");
    EXPECT_EQ(reader.fileCode(), 2);
    EXPECT_EQ(reader.softwareName(), "TestSoft");
    EXPECT_EQ(reader.meetStartDate(), base::encodeDate(2008, 6, 11));
    // The D0 before the first team belongs to none; two teams with one code stay two.
    ASSERT_EQ(reader.teamCount(), 3);
    EXPECT_EQ(reader.teamKey(0), "SAME");
    EXPECT_EQ(reader.teamKey(1), "SAMEX");
    const int expected[] = {2, 1, 0};
    for (int team = 0; team < reader.teamCount(); ++team) {
        reader.MoveToTeam(team);
        int records = 0;
        while (reader.NextInTeam())
            ++records;
        EXPECT_EQ(records, expected[team]) << team;
    }
}

TEST(SdifReader, FileWithoutA0StaysEmpty)
{
    TSDifReader reader;
    reader.OpenBytes(lines({kB1, kC1}));
    EXPECT_EQ(reader.fileCode(), 0);
    EXPECT_EQ(reader.teamCount(), 0);
    reader.OpenBytes("");
    EXPECT_EQ(reader.fileCode(), 0);
}

TEST(SdifReader, ReadsTheFirstArchiveMemberAndDeletesItsCopy)
{
    const std::string zip = base::privateTempFolder() + "/meet.zip";
    testing::writeZip(zip, {{"results.sd3", lines({kA0, kB1, kC1})}, {"other.hy3", "x"}});
    TSDifReader reader;
    reader.Open(zip);
    EXPECT_EQ(reader.teamCount(), 1);
    for (const auto& entry : std::filesystem::directory_iterator(base::privateTempFolder()))
        EXPECT_EQ(entry.path().filename(), "meet.zip");
    std::filesystem::remove(zip);
}

// ---- Converter on a whole meet

class SdifMeet : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        document = new TLenex;
        TVnxLenexConverterSDIF converter(*document);
        converter.Load(kDataDir + "meet-results.cl2");
        errorCount = converter.errorCount();
        errorMessage = converter.errorMessage();
    }
    static void TearDownTestSuite() { delete document; }

    static TLnxObject* competition()
    {
        return document->root()->findCollection(tag::COMPETITIONS)->itemAt(0);
    }
    static TLnxCollection* sessions() { return competition()->findCollection(tag::PERIODS); }
    static TLnxObject* club(int index) { return competition()->findCollection(tag::CLUBS)->itemAt(index); }
    /** The event with the number and TYPE, from any session. */
    static TLnxObject* event(int number, const char* type)
    {
        for (int s = 0; s < sessions()->childCount(); ++s) {
            const TLnxCollection* events = sessions()->itemAt(s)->findCollection(tag::EVENTS);
            for (int e = 0; e < events->childCount(); ++e)
                if (events->itemAt(e)->getInteger(tag::NUM) == number &&
                    events->itemAt(e)->getText(tag::TYPE) == type)
                    return events->itemAt(e);
        }
        return nullptr;
    }
    static TLnxObject* person(int clubIndex, int index)
    {
        return club(clubIndex)->findCollection(tag::PERSONS)->itemAt(index);
    }
    static TLnxObject* relay(int index) { return club(0)->findCollection(tag::RELAYS)->itemAt(index); }
    /** The owner's results for the event. */
    static std::vector<TLnxObject*> resultsOf(const TLnxObject* owner, const TLnxObject* ofEvent)
    {
        std::vector<TLnxObject*> found;
        const TLnxCollection* results = owner->findCollection(tag::RESULTS);
        for (int i = 0; i < results->childCount(); ++i)
            if (results->itemAt(i)->getInteger(tag::EID) == ofEvent->id())
                found.push_back(results->itemAt(i));
        return found;
    }
    static std::vector<std::string> splits(const TLnxObject* result)
    {
        std::vector<std::string> found;
        const TLnxCollection* list = result->findCollection(tag::SPLITS);
        for (int i = 0; list && i < list->childCount(); ++i)
            found.push_back(list->childAt(i)->getAttribute(lxaDIS) + "=" + list->childAsData(i)->value());
        return found;
    }
    static TLnxObject* ageGroup(const TLnxObject* ofEvent, const TLnxObject* result)
    {
        const TLnxCollection* cats = ofEvent->findCollection(tag::CATS);
        for (int i = 0; i < cats->childCount(); ++i)
            if (cats->itemAt(i)->id() == result->getInteger(tag::CID))
                return cats->itemAt(i);
        return nullptr;
    }

    static inline TLenex* document = nullptr;
    static inline int errorCount = 0;
    static inline std::string errorMessage;
};

TEST_F(SdifMeet, MeetClubsAndSessions)
{
    ASSERT_EQ(errorCount, 0) << errorMessage;
    EXPECT_EQ(document->root()->getText(tag::VERSION), "V3");
    EXPECT_EQ(competition()->getText(tag::NAME), "Spring Open");
    EXPECT_EQ(competition()->getText(tag::PLACE), "Springfield");
    EXPECT_EQ(competition()->poolIndex(), 0);
    EXPECT_EQ(club(0)->getText(tag::CODE), "ALPHX");
    EXPECT_EQ(club(0)->getText(tag::LSC), "PV");
    EXPECT_EQ(club(1)->getText(tag::NAME), "Beta Aquatics");
    // 11 June (50 m, from a swim dated before the meet) comes before 12 June (25 m).
    ASSERT_EQ(sessions()->childCount(), 2);
    EXPECT_EQ(sessions()->itemAt(0)->getText(tag::DATE), "20080611");
    EXPECT_EQ(sessions()->itemAt(0)->poolIndex(), 1);
    EXPECT_EQ(sessions()->itemAt(0)->getInteger(tag::NUM), 1);
    EXPECT_EQ(sessions()->itemAt(1)->getText(tag::DATE), "20080612");
    EXPECT_EQ(sessions()->itemAt(1)->poolIndex(), 0);
    EXPECT_EQ(sessions()->itemAt(1)->getInteger(tag::NUM), 2);
}

TEST_F(SdifMeet, FinalsPointAtTheirPreliminaries)
{
    const TLnxObject* prelim = event(1, "TIM");
    const TLnxObject* final = event(1, "FIN");
    ASSERT_TRUE(prelim && final);
    EXPECT_EQ(prelim->parent(), final->parent()); // one session
    EXPECT_EQ(final->getInteger(tag::PEID), prelim->id());
    EXPECT_EQ(prelim->getInteger(tag::PEID), -1);
    // A final without a preliminary is a timed final.
    EXPECT_EQ(event(2, "FIN"), nullptr);
    ASSERT_NE(event(2, "TIM"), nullptr);
    EXPECT_EQ(event(2, "TIM")->getInteger(tag::PEID), -1);

    const TLnxObject* anna = person(0, 0);
    const std::vector<TLnxObject*> finals = resultsOf(anna, final);
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0]->getText(tag::TIME), "V00h01:01.00");
    EXPECT_EQ(finals[0]->getInteger(tag::RANK), 2);
    EXPECT_EQ(splits(finals[0]), (std::vector<std::string>{"50=V00h00:29.00", "100=V00h01:01.00"}));
}

TEST_F(SdifMeet, StatusWordsBecomeResultCodes)
{
    // A disqualified final stays a result, with no time and no place.
    const std::vector<TLnxObject*> individual = resultsOf(person(0, 0), event(3, "FIN"));
    ASSERT_EQ(individual.size(), 1u);
    EXPECT_EQ(individual[0]->getText(tag::CODE), "DQ");
    EXPECT_FALSE(individual[0]->hasChild(tag::TIME));
    EXPECT_EQ(individual[0]->getInteger(tag::RANK), -1);
    ASSERT_NE(event(3, "TIM"), nullptr);
    EXPECT_EQ(event(3, "FIN")->getInteger(tag::PEID), event(3, "TIM")->id());

    const TLnxObject* relayEvent = event(7, "TIM");
    ASSERT_NE(relayEvent, nullptr);
    const std::vector<TLnxObject*> relayResults = resultsOf(relay(1), relayEvent);
    ASSERT_EQ(relayResults.size(), 1u);
    EXPECT_EQ(relayResults[0]->getText(tag::CODE), "DQ");
    EXPECT_FALSE(relayResults[0]->hasChild(tag::TIME));
    EXPECT_EQ(relayResults[0]->getInteger(tag::RANK), -1);
}

TEST_F(SdifMeet, SwimStylesFromDistanceAndStroke)
{
    struct StyleCase
    {
        int number;
        const char* type;
        const char* dis;
        const char* str;
        const char* discnt;
        const char* sex;
    };
    const StyleCase styles[] = {
        {1, "FIN", "100", "FR", "", "F"},  {2, "TIM", "200", "BA", "", "F"},
        {4, "TIM", "1500", "FR", "", "M"}, {5, "TIM", "50", "FR", "", "M"},
        {6, "TIM", "100", "FR", "4", "F"}, {7, "TIM", "50", "FR", "4", "M"}, // "2006": four legs of 50
    };
    for (const StyleCase& c : styles) {
        const TLnxObject* found = event(c.number, c.type);
        ASSERT_NE(found, nullptr) << c.number;
        EXPECT_EQ(found->getText(tag::DIS), c.dis) << c.number;
        EXPECT_EQ(found->getText(tag::STR), c.str) << c.number;
        EXPECT_EQ(found->getText(tag::DISCNT), c.discnt) << c.number;
        EXPECT_EQ(found->getText(tag::SEX), c.sex) << c.number;
    }
}

TEST_F(SdifMeet, AgeGroupsFromAgeCodes)
{
    struct AgeCase
    {
        const TLnxObject* owner;
        int number;
        const char* type;
        int max;
        int min;
    };
    const AgeCase groups[] = {
        {person(0, 0), 1, "TIM", 1997, 1996}, // 1112 in 2008
        {person(0, 1), 4, "TIM", -1, 1998},   // UN10
        {person(0, 1), 5, "TIM", -1, -1},     // UNOV
        {relay(0), 6, "TIM", 1848, -1},       // UNOV, relay of total age 160
    };
    for (const AgeCase& c : groups) {
        const TLnxObject* ofEvent = event(c.number, c.type);
        ASSERT_NE(ofEvent, nullptr) << c.number;
        const std::vector<TLnxObject*> results = resultsOf(c.owner, ofEvent);
        ASSERT_EQ(results.size(), 1u) << c.number;
        const TLnxObject* group = ageGroup(ofEvent, results[0]);
        ASSERT_NE(group, nullptr) << c.number;
        EXPECT_EQ(group->getInteger(tag::MAX), c.max) << c.number;
        EXPECT_EQ(group->getInteger(tag::MIN), c.min) << c.number;
    }
    // The relay's own age class: 1112 in the meet year 2008.
    EXPECT_EQ(relay(1)->findObject(tag::CAT)->getInteger(tag::MAX), 1997);
    EXPECT_EQ(relay(1)->findObject(tag::CAT)->getInteger(tag::MIN), 1996);
    EXPECT_EQ(relay(0)->findObject(tag::CAT), nullptr);
}

TEST_F(SdifMeet, SplitsOfLongSwimsAndRelayLegs)
{
    const std::vector<TLnxObject*> mile = resultsOf(person(0, 1), event(4, "TIM"));
    ASSERT_EQ(mile.size(), 1u);
    const std::vector<std::string> found = splits(mile[0]);
    ASSERT_EQ(found.size(), 20u);
    EXPECT_EQ(found[0], "50=V00h00:30.00");
    EXPECT_EQ(found[10], "550=V00h05:10.00");
    EXPECT_EQ(found[19], "1000=V00h05:19.00");

    const std::vector<TLnxObject*> relayFinal = resultsOf(relay(0), event(6, "TIM"));
    ASSERT_EQ(relayFinal.size(), 1u);
    EXPECT_EQ(splits(relayFinal[0]), (std::vector<std::string>{"250=V00h02:30.00", "300=V00h02:59.00"}));
    const TLnxCollection* positions = relayFinal[0]->findCollection(tag::POSITIONS);
    ASSERT_EQ(positions->childCount(), 4);
    EXPECT_EQ(positions->itemAt(0)->getInteger(tag::PID), person(0, 0)->id()); // Anna swims the first leg
    EXPECT_EQ(positions->itemAt(2)->getInteger(tag::NUM), 3);
}

TEST_F(SdifMeet, AthletesPerTeam)
{
    const TLnxObject* anna = person(0, 0);
    EXPECT_EQ(anna->getText(tag::NAME), "Miller");
    EXPECT_EQ(anna->getText(tag::FNAME), "Anna");
    EXPECT_EQ(anna->getText(tag::LICENSE), "123456789ABCDE");
    EXPECT_EQ(anna->getText(tag::BIRTHDATE), "19960315");
    EXPECT_EQ(anna->getInteger(tag::YOB), 1996);
    EXPECT_EQ(person(0, 1)->getText(tag::NAME), "Brown"); // split at the blank without a comma
    EXPECT_EQ(person(0, 1)->getText(tag::FNAME), "Tom");
    // Anna, Tom and three more relay swimmers; Anna again under the second team.
    EXPECT_EQ(club(0)->findCollection(tag::PERSONS)->childCount(), 5);
    ASSERT_EQ(club(1)->findCollection(tag::PERSONS)->childCount(), 1);
    EXPECT_NE(person(1, 0)->id(), anna->id());
    EXPECT_EQ(relay(0)->getInteger(tag::NUM), 1);
    EXPECT_EQ(relay(1)->getInteger(tag::NUM), 2);
}

TEST(SdifConverter, EntryFilesBecomeEntries)
{
    TLenex document;
    TVnxLenexConverterSDIF converter(document);
    converter.Load(kDataDir + "club-entries.cl2");
    ASSERT_EQ(converter.errorCount(), 0) << converter.errorMessage();
    const TLnxObject* lia = document.root()
                                ->findCollection(tag::COMPETITIONS)
                                ->itemAt(0)
                                ->findCollection(tag::CLUBS)
                                ->itemAt(0)
                                ->findCollection(tag::PERSONS)
                                ->itemAt(0);
    const TLnxCollection* entries = lia->findCollection(tag::ENTRIES);
    ASSERT_EQ(entries->childCount(), 2);
    EXPECT_EQ(entries->itemAt(0)->getText(tag::TIME), "E00h00:41.94");
    EXPECT_FALSE(entries->itemAt(1)->hasChild(tag::TIME)); // "NT": entered without a time
    EXPECT_EQ(lia->findCollection(tag::RESULTS)->childCount(), 0);
}

/** Converts the records; the document holds the result, the converter the outcome. */
struct Converted
{
    TLenex document;
    int errorCount = 0;
    std::string errorMessage;

    explicit Converted(const std::vector<std::string>& records)
    {
        const std::string path = base::privateTempFolder() + "/records.sd3";
        testing::writeFile(path, lines(records));
        TVnxLenexConverterSDIF converter(document);
        converter.Load(path);
        errorCount = converter.errorCount();
        errorMessage = converter.errorMessage();
        std::filesystem::remove(path);
    }
    TLnxObject* competition() const { return document.root()->findCollection(tag::COMPETITIONS)->itemAt(0); }
    TLnxObject* club() const { return competition()->findCollection(tag::CLUBS)->itemAt(0); }
    int eventCount() const
    {
        int events = 0;
        const TLnxCollection* sessions = competition()->findCollection(tag::PERIODS);
        for (int i = 0; i < sessions->childCount(); ++i)
            events += sessions->itemAt(i)->findCollection(tag::EVENTS)->childCount();
        return events;
    }
};

// Dual meets carry diving in D0 and E0 records: stroke "H", distance 1, a score in the time field.
TEST(SdifConverter, DivesAreLeftOutWithAWarning)
{
    std::string dive = swim("   1H", " 245.50");
    dive.replace(11, 10, "Diver, Dee");
    const Converted meet(
        {kA0, kB1, kC1, swim(" 1001", "1:00.00"), dive, record("D3", {{3, "DIVERLICENSE"}}),
         record("G0", {{56, "1"}, {59, "  50"}, {63, "C"}, {72, "  29.00"}, {144, "F"}}),
         record("E0",
                {{12, "A"}, {21, "M"}, {22, " 4008"}, {27, "  2"}, {31, "UNOV"}, {73, "4:00.00"}, {81, "S"}}),
         record("F0", {{23, "Relay, Rita"}, {66, "01012000"}, {76, "F"}, {79, "1"}})});
    ASSERT_EQ(meet.errorCount, 0) << meet.errorMessage;
    EXPECT_EQ(meet.eventCount(), 1);
    const TLnxCollection* persons = meet.club()->findCollection(tag::PERSONS);
    ASSERT_EQ(persons->childCount(), 1);
    EXPECT_FALSE(persons->itemAt(0)->hasChild(tag::LICENSE));
    EXPECT_EQ(persons->itemAt(0)->findCollection(tag::RESULTS)->childCount(), 1);
    EXPECT_EQ(meet.club()->findCollection(tag::RELAYS)->childCount(), 0);
    ASSERT_EQ(meet.document.warnings().size(), 1u);
    EXPECT_EQ(meet.document.warnings()[0].substr(0, 11), "2 diving or");
}

// A seed time without a result is an entry in registrations (01) and club entry packages (20); in a
// result file (02) it is a swim that did not happen and makes neither an entry nor an event.
TEST(SdifConverter, OnlyEntryFilesMakeEntries)
{
    const std::string seedOnly = record("D0", {{12, "Doe, Jo"},
                                               {56, "01012000"},
                                               {66, "M"},
                                               {68, " 1001"},
                                               {73, "1"},
                                               {77, "UNOV"},
                                               {81, "06112008"},
                                               {89, "1:05.00"},
                                               {97, "S"}});
    for (const auto& [code, entries] : {std::pair{"01", 1}, {"02", 0}, {"20", 1}}) {
        const Converted file({record("A0", {{12, code}}), kB1, kC1, seedOnly});
        ASSERT_EQ(file.errorCount, 0) << code << ": " << file.errorMessage;
        const TLnxObject* person = file.club()->findCollection(tag::PERSONS)->itemAt(0);
        const TLnxCollection* found = person->findCollection(tag::ENTRIES);
        EXPECT_EQ(found ? found->childCount() : 0, entries) << code;
        EXPECT_EQ(file.eventCount(), entries) << code;
    }
}

// Age codes are read in their four columns as they stand: " 810" is 8 to 10, "  OV" has no oldest age.
TEST(SdifConverter, AgeCodesKeepTheirColumns)
{
    std::string young = swim(" 1001", "1:00.00");
    young.replace(76, 4, " 810");
    const Converted meet({kA0, kB1, kC1, young,
                          record("E0", {{12, "A"},
                                        {21, "M"},
                                        {22, " 4006"},
                                        {27, "  2"},
                                        {31, "  OV"},
                                        {38, "06112008"},
                                        {73, "4:00.00"},
                                        {81, "S"}})});
    ASSERT_EQ(meet.errorCount, 0) << meet.errorMessage;
    const TLnxObject* swimmer = meet.club()->findCollection(tag::PERSONS)->itemAt(0);
    const TLnxObject* result = swimmer->findCollection(tag::RESULTS)->itemAt(0);
    const TLnxObject* event =
        meet.competition()->findCollection(tag::PERIODS)->itemAt(0)->findCollection(tag::EVENTS)->itemAt(0);
    const TLnxObject* group = event->findCollection(tag::CATS)->itemAt(0);
    EXPECT_EQ(group->id(), result->getInteger(tag::CID));
    EXPECT_EQ(group->getInteger(tag::MAX), 2000);
    EXPECT_EQ(group->getInteger(tag::MIN), 1998);
    const TLnxObject* relayClass = meet.club()->findCollection(tag::RELAYS)->itemAt(0)->findObject(tag::CAT);
    ASSERT_NE(relayClass, nullptr);
    EXPECT_EQ(relayClass->getInteger(tag::MIN), -1);
}

TEST(SdifConverter, EventWithBothSexesBecomesMixed)
{
    const std::string path = base::privateTempFolder() + "/mixed.sd3";
    std::string woman = swim(" 1001", "1:00.00");
    woman.replace(65, 1, "F");
    testing::writeFile(path, lines({kA0, kB1, kC1, swim(" 1001", "1:00.00"), woman}));
    TLenex document;
    TVnxLenexConverterSDIF converter(document);
    converter.Load(path);
    ASSERT_EQ(converter.errorCount(), 0) << converter.errorMessage();
    const TLnxCollection* events = document.root()
                                       ->findCollection(tag::COMPETITIONS)
                                       ->itemAt(0)
                                       ->findCollection(tag::PERIODS)
                                       ->itemAt(0)
                                       ->findCollection(tag::EVENTS);
    ASSERT_EQ(events->childCount(), 1);
    EXPECT_EQ(events->itemAt(0)->getText(tag::SEX), "X");
    std::filesystem::remove(path);
}

// ---- Converter errors

struct ErrorCase
{
    const char* defect;
    std::vector<std::string> records;
    const char* message; // a piece of the error message
};
const ErrorCase kErrors[] = {
    {"no A0 record", {kB1, kC1}, "A0"},
    {"rankings file", {record("A0", {{12, "07"}}), kB1}, "file code 07"},
    {"no course letter", {kA0, kB1, kC1, swim(" 1001", "1:00.00", ' ')}, "pool index -1"},
    {"unknown course letter",
     {kA0, kB1, kC1, swim(" 1001", "1:00.00", 'S'), swim(" 1001", "1:00.00", 'Q')},
     "course letter"},
    {"30 February", {kA0, record("B1", {{122, "02302008"}}), kC1, swim(" 1001", "1:00.00")}, "Invalid date"},
    {"individual 150", {kA0, kB1, kC1, swim(" 1501", "1:00.00")}, "Distance"},
};
class SdifConverterError : public ::testing::TestWithParam<ErrorCase>
{
};
TEST_P(SdifConverterError, EndsTheConversionWithAMessage)
{
    const std::string path = base::privateTempFolder() + "/broken.sd3";
    testing::writeFile(path, lines(GetParam().records));
    TLenex document;
    TVnxLenexConverterSDIF converter(document);
    converter.Load(path);
    EXPECT_EQ(converter.errorCount(), 1) << GetParam().defect;
    EXPECT_NE(converter.errorMessage().find(GetParam().message), std::string::npos)
        << GetParam().defect << ": " << converter.errorMessage();
    std::filesystem::remove(path);
}
INSTANTIATE_TEST_SUITE_P(Sdif, SdifConverterError, ::testing::ValuesIn(kErrors));

TEST(SdifConverter, MissingFilesAndEmptyArchivesAreErrors)
{
    const std::string emptyZip = base::privateTempFolder() + "/empty.zip";
    testing::writeZip(emptyZip, {});
    for (const std::string& path : {kDataDir + "missing.sd3", emptyZip}) {
        TLenex document;
        TVnxLenexConverterSDIF converter(document);
        converter.Load(path);
        EXPECT_EQ(converter.errorCount(), 1) << path;
        EXPECT_FALSE(converter.errorMessage().empty()) << path;
    }
    std::filesystem::remove(emptyZip);
}

TEST(SdifConverter, TruncatedRecordsAreReadAsBlanks)
{
    const std::string path = base::privateTempFolder() + "/truncated.sd3";
    // The D0 ends inside its birth date: the missing columns read as blanks, so it names no stroke and is
    // left out like any other record that is no swim.
    testing::writeFile(path, lines({kA0, kB1, kC1, swim(" 1001", "1:00.00"),
                                    record("D0", {{12, "Cut, Al"}}).substr(0, 58)}));
    TLenex document;
    TVnxLenexConverterSDIF converter(document);
    converter.Load(path);
    ASSERT_EQ(converter.errorCount(), 0) << converter.errorMessage();
    const TLnxObject* club =
        document.root()->findCollection(tag::COMPETITIONS)->itemAt(0)->findCollection(tag::CLUBS)->itemAt(0);
    EXPECT_EQ(club->findCollection(tag::PERSONS)->childCount(), 1);
    EXPECT_EQ(document.warnings().size(), 1u);
    const TLnxObject* session = document.root()
                                    ->findCollection(tag::COMPETITIONS)
                                    ->itemAt(0)
                                    ->findCollection(tag::PERIODS)
                                    ->itemAt(0);
    EXPECT_EQ(session->findCollection(tag::EVENTS)->childCount(), 1);
    std::filesystem::remove(path);
}

} // namespace
} // namespace lanescope::convert
