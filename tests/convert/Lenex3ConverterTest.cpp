#include "base/FormatSettings.h"
#include "base/Strings.h"
#include "convert/ConverterChoice.h"
#include "convert/Lenex3Text.h"
#include "convert/Lenex3Values.h"
#include "convert/VnxLenexConverterLenex3.h"
#include "lenex/LnxWriter.h"
#include "support/TestFiles.h"
#include "swim/ResultRankings.h"

#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <utility>
#include <vector>

namespace lanescope::convert {
namespace {

using namespace lenex;

// ---- value forms

TEST(Lenex3Values, TimesDatesAndReactionTimes)
{
    EXPECT_EQ(lenex3::swimTime("00:01:02.34"), 623040);
    EXPECT_EQ(lenex3::swimTime("00:00:57.9"), 579100); // a missing hundredth is "not measured"
    EXPECT_EQ(lenex3::swimTime("01:02:03.45"), 62 * 600000 + 34050);
    EXPECT_EQ(lenex3::swimTime("30:00:00.00"), 30 * 60 * 600000);
    for (const char* none : {"NT", "", "00:00:00.00", "12.34", "x:00:10.00", "60:00:00.00", "-1:00:10.00"})
        EXPECT_EQ(lenex3::swimTime(none), 0) << none;

    EXPECT_EQ(lenex3::dateText("2025-03-15"), "20250315");
    EXPECT_EQ(lenex3::dateText("2025-03-15T09:30:00"), "20250315");
    EXPECT_EQ(lenex3::dateText("15.03.2025"), "");
    EXPECT_EQ(lenex3::yearOf("2025-03-15"), 2025);
    EXPECT_EQ(lenex3::daytimeText("09:05"), "0905");
    EXPECT_EQ(lenex3::daytimeText("9:05"), "");

    EXPECT_EQ(lenex3::reactionTimeText("+65", '.'), "0.65");
    EXPECT_EQ(lenex3::reactionTimeText("-3", ','), "-0,03");
    EXPECT_EQ(lenex3::reactionTimeText("+123", '.'), "1.23");
    EXPECT_EQ(lenex3::reactionTimeText("0", '.'), "0.00");
    EXPECT_EQ(lenex3::reactionTimeText("fast", '.'), "");
}

TEST(Lenex3Values, CodesOfCoursesTimingsStatusesStrokesAndGenders)
{
    const std::pair<const char*, int> courses[] = {{"LCM", 1},   {"SCM", 0},   {"SCY", 2}, {"SCM33", 3},
                                                   {"SCM16", 4}, {"OPEN", -1}, {"", -1},   {"lcm", -1}};
    for (const auto& [course, pool] : courses)
        EXPECT_EQ(lenex3::poolIndexOfCourse(course), pool) << course;
    const std::pair<const char*, const char*> timings[] = {
        {"AUTOMATIC", "A"}, {"MANUAL3", "M3"}, {"MANUAL2", "M1"}, {"MANUAL1", "M1"}, {"SEMIAUTOMATIC", "A"}};
    for (const auto& [timing, code] : timings)
        EXPECT_EQ(lenex3::timingCode(timing), code) << timing;
    const std::pair<const char*, const char*> statuses[] = {{"DSQ", "DQ"}, {"DNS", "DNS"}, {"DNF", "DNF"},
                                                            {"EXH", "EX"}, {"WDR", "WDR"}, {"SICK", "DNS"},
                                                            {"OTL", "OTL"}};
    for (const auto& [status, code] : statuses)
        EXPECT_EQ(lenex3::statusCode(status), code) << status;
    const std::pair<const char*, const char*> strokes[] = {
        {"FREE", "FR"},   {"BACK", "BA"},    {"BREAST", "BR"},  {"FLY", "BU"},
        {"MEDLEY", "IM"}, {"IMRELAY", "IM"}, {"UNKNOWN", "XX"}, {"SURFACE", "XX"}};
    for (const auto& [stroke, code] : strokes)
        EXPECT_EQ(kStrokeCodes[lenex3::strokeIndexOf(stroke)], code) << stroke;
    EXPECT_EQ(lenex3::sexCode("M"), "M");
    EXPECT_EQ(lenex3::sexCode("F"), "F");
    EXPECT_EQ(lenex3::sexCode("X"), "X");
    EXPECT_EQ(lenex3::sexCode("A"), "X");
}

TEST(Lenex3Text, RootStartTagDecidesTheGeneration)
{
    const std::pair<const char*, bool> heads[] = {
        {R"(<LENEX version="3.0">)", true},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- exported -->\n<LENEX version='2.1' >", true},
        {"<?xml version=\"1.0\"?><!DOCTYPE LENEX [<!ENTITY x \"y\">]><LENEX\n  version=\"3\"/>", true},
        {R"(<LENEX revision="3" version="10.0">)", true},
        {R"(<LENEX version="01.03.0007">)", false},
        {"<LENEX><VERSION>01.03.0007</VERSION>", false},
        {R"(<LENEX version="1.9">)", false},
        {R"(<LENEXX version="3.0">)", false},
        {R"(<lenex version="3.0">)", false},
        {R"(<LENEX version="three">)", false},
        {R"(<?xml version="1.0")", false},
        {"", false},
    };
    for (const auto& [head, lenex3] : heads)
        EXPECT_EQ(lenex3::startsAsLenex3(head), lenex3) << head;
}

// ---- converting files

std::string tempPath(const std::string& name) { return ::testing::TempDir() + "/" + name; }

struct Converted
{
    std::unique_ptr<TLenex> document = std::make_unique<TLenex>();
    int errorCount = 0;
    std::string errorMessage;

    TLnxObject* competition(int index = 0) const
    {
        return document->root()->findCollection(tag::COMPETITIONS)->itemAt(index);
    }
};

Converted convertFile(const std::string& path)
{
    Converted converted;
    TVnxLenexConverterLenex3 converter(*converted.document);
    converter.Load(path);
    converted.errorCount = converter.errorCount();
    converted.errorMessage = converter.errorMessage();
    return converted;
}

Converted convertText(const std::string& text, const std::string& name = "meet.lef")
{
    const std::string path = tempPath(name);
    testing::writeFile(path, text);
    Converted converted = convertFile(path);
    std::filesystem::remove(path);
    return converted;
}

// The whole tree as first-generation text, for comparing two trees.
std::string treeText(TLnxObject& root)
{
    std::vector<std::string> lines;
    writeNode(root, lines, "");
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TLnxObject* item(const TLnxAbstractObject* owner, TLnxTagId collection, int index = 0)
{
    const TLnxCollection* list = owner ? owner->findCollection(collection) : nullptr;
    return list && index < list->childCount() ? list->itemAt(index) : nullptr;
}

// One meet that touches every row of the mapping.
constexpr const char* kMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0">
  <CONSTRUCTOR name="Meet Desk" version="7.1"><CONTACT name="Vendor"/></CONSTRUCTOR>
  <MEETS>
    <MEET name=" Spring Cup &amp; Gala " city="Bern" nation="SUI" organizer="SC Bern" course="SCM"
          deadline="2026-03-01" timing="MANUAL2">
      <AGEDATE type="YEAR" value="2026-12-31"/>
      <POOL lanemin="1" lanemax="8" name="Hallenbad"/>
      <POINTTABLE pointtableid="3015" name="World Aquatics" version="2026"/>
      <CONTACT name="Muster, Eva" street="Weg 1" street2="Postfach" zip="3000" city="Bern" state="BE"
               phone="031" fax="032" email="eva@example.org" internet="www.example.org" country="SUI"/>
      <RECORDLISTS><RECORDLIST name="ignored"/></RECORDLISTS>
      <SESSIONS>
        <SESSION number="1" date="2026-03-14" daytime="09:30" name="Morning" course="LCM">
          <POOL lanemin="0" lanemax="9"/>
          <EVENTS>
            <EVENT eventid="11" number="1" order="2" daytime="09:45" gender="F" round="PRE">
              <FEE value="700" currency="CHF"/>
              <SWIMSTYLE distance="100" relaycount="1" stroke="BREAST"/>
              <AGEGROUPS>
                <AGEGROUP agegroupid="1" agemin="-1" agemax="-1" name="Open">
                  <RANKINGS><RANKING place="2" resultid="501"/><RANKING place="1" resultid="502"/>
                    <RANKING place="3" resultid="9999"/></RANKINGS>
                </AGEGROUP>
                <AGEGROUP agegroupid="2" agemin="11" agemax="12" gender="F">
                  <RANKINGS><RANKING place="1" resultid="501"/></RANKINGS>
                </AGEGROUP>
                <AGEGROUP agegroupid="3" agemin="10" agemax="11">
                  <RANKINGS><RANKING place="4" resultid="501"/></RANKINGS>
                </AGEGROUP>
              </AGEGROUPS>
              <HEATS><HEAT heatid="7001" number="3"/></HEATS>
            </EVENT>
            <EVENT eventid="12" number="2" gender="A">
              <SWIMSTYLE distance="75" relaycount="1" stroke="FREE"/>
            </EVENT>
            <EVENT number="3" gender="X" round="XYZ" preveventid="11">
              <SWIMSTYLE swimstyleid="77" distance="25" relaycount="1" stroke="UNKNOWN" name="Fins"/>
            </EVENT>
            <EVENT eventid="14" number="4" gender="M">
              <SWIMSTYLE distance="100" relaycount="4" stroke="MEDLEY"/>
            </EVENT>
          </EVENTS>
        </SESSION>
        <SESSION number="2" date="2026-03-15"/>
      </SESSIONS>
      <CLUBS>
        <CLUB name="Schweiz" code="SUI" nation="SUI" region="BE" type="NATIONALTEAM">
          <CONTACT name="Team Office"/>
          <ATHLETES>
            <ATHLETE athleteid="41" lastname="Berg" nameprefix="van den" firstname="Lea" gender="F"
                     birthdate="2014-05-06" license="CH-1" nation="SUI" passport="X1">
              <ENTRIES>
                <ENTRY eventid="11" entrytime="00:01:25.30" heatid="7001" lane="4">
                  <MEETINFO date="2025-11-02" city="Thun" nation="SUI"/>
                </ENTRY>
                <ENTRY eventid="12" entrytime="NT" heat="2" lane="1"/>
              </ENTRIES>
              <RESULTS>
                <RESULT resultid="501" eventid="11" swimtime="00:01:24.56" reactiontime="+65" points="512"
                        lane="4" heatid="7001" comment="PB" place="9">
                  <SPLITS><SPLIT distance="50" swimtime="00:00:40.12"/>
                    <SPLIT distance="100" swimtime="00:01:24.56"/></SPLITS>
                </RESULT>
                <RESULT resultid="503" eventid="12" status="DSQ" swimtime="00:00:59.00" place="7"><SPLITS/></RESULT>
                <RESULT resultid="504" eventid="12" status="WDR" swimtime="NT"/>
              </RESULTS>
            </ATHLETE>
            <ATHLETE athleteid="42" lastname="Kurz" firstname="Ida" gender="F" birthdate="2013-01-01">
              <RESULTS><RESULT resultid="502" eventid="11" swimtime="01:02:03.45" reactiontime="-3"/></RESULTS>
            </ATHLETE>
            <ATHLETE lastname="Ohne" firstname="Id" gender="M"/>
          </ATHLETES>
          <RELAYS>
            <RELAY number="2" name="Schweiz B" gender="M" agemin="-1" agemax="-1" agetotalmin="100"
                   agetotalmax="119">
              <ENTRIES><ENTRY eventid="14" entrytime="00:04:10.00"><RELAYPOSITIONS>
                <RELAYPOSITION number="1" athleteid="41"/></RELAYPOSITIONS></ENTRY></ENTRIES>
              <RESULTS>
                <RESULT resultid="601" eventid="14" swimtime="00:04:01.00" place="1">
                  <SPLITS><SPLIT distance="100" swimtime="00:01:01.00"/><SPLIT distance="200" swimtime="00:02:01.50"/>
                    <SPLIT distance="300" swimtime="00:03:02.00"/></SPLITS>
                  <RELAYPOSITIONS>
                    <RELAYPOSITION number="1" athleteid="41" reactiontime="+70"/>
                    <RELAYPOSITION number="2" athleteid="42" reactiontime="+12" status="DSQ"/>
                  </RELAYPOSITIONS>
                </RESULT>
              </RESULTS>
            </RELAY>
            <RELAY number="1" gender="X" agemin="13" agemax="-1"/>
          </RELAYS>
        </CLUB>
        <CLUB name="Verein" type="CLUB"/>
      </CLUBS>
    </MEET>
    <MEET name="Second" city="Thun"/>
  </MEETS>
</LENEX>
)";

class Lenex3Meet : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        base::TFormatSettings settings;
        settings.decimalSeparator = ',';
        base::setCurrentFormatSettings(settings);
        meet = new Converted(convertText(kMeet));
        base::setCurrentFormatSettings(base::TFormatSettings{});
    }
    static void TearDownTestSuite()
    {
        delete meet;
        meet = nullptr;
    }
    void SetUp() override { ASSERT_EQ(meet->errorCount, 0) << meet->errorMessage; }

    static TLnxObject* event(int index)
    {
        return item(item(meet->competition(), tag::PERIODS), tag::EVENTS, index);
    }
    static TLnxObject* club(int index = 0) { return item(meet->competition(), tag::CLUBS, index); }
    static TLnxObject* athlete(int index) { return item(club(), tag::PERSONS, index); }
    static TLnxObject* relay(int index) { return item(club(), tag::RELAYS, index); }

    static Converted* meet;
};
Converted* Lenex3Meet::meet = nullptr;

// A status the program knows makes the swim's time invalid; a league's own code ("SUI.RED10") leaves the time
// valid and the code stands as it is written.
TEST(Lenex3Status, TimeStaysValidBesideAnUnknownCode)
{
    const struct
    {
        const char* status;
        const char* code;
        const char* time;
    } cases[] = {
        {"", "", "V00h00:59.00"},
        {"DSQ", "DQ", "I00h00:59.00"},
        {"EXH", "EX", "I00h00:59.00"},
        {"SUI.RED10", "SUI.RED10", "V00h00:59.00"},
    };
    for (const auto& c : cases) {
        const Converted meet = convertText(
            std::string(
                R"(<LENEX version="3.0"><MEETS><MEET name="M"><SESSIONS><SESSION number="1"><EVENTS>)"
                R"(<EVENT eventid="1" number="1"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE"/>)"
                R"(</EVENT></EVENTS></SESSION></SESSIONS><CLUBS><CLUB name="C"><ATHLETES><ATHLETE )"
                R"(athleteid="1" lastname="A" firstname="B" gender="F"><RESULTS><RESULT resultid="1" )"
                R"(eventid="1" swimtime="00:00:59.00" status=")") +
            c.status + R"("/></RESULTS></ATHLETE></ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>)");
        ASSERT_EQ(meet.errorCount, 0) << meet.errorMessage;
        const TLnxObject* result =
            item(item(item(meet.competition(), tag::CLUBS), tag::PERSONS), tag::RESULTS);
        ASSERT_NE(result, nullptr) << c.status;
        EXPECT_EQ(result->getText(tag::CODE), c.code) << c.status;
        EXPECT_EQ(result->getText(tag::TIME), c.time) << c.status;
    }
}

TEST_F(Lenex3Meet, DocumentMeetAndSessions)
{
    EXPECT_EQ(meet->document->fileInformationText(),
              "LENEX version 3.0 created with :\r\nMeet Desk, version 7.1");
    EXPECT_EQ(meet->document->competitionCount(), 2);
    const TLnxObject* competition = meet->competition();
    EXPECT_EQ(competition->getText(tag::NAME), "Spring Cup & Gala");
    EXPECT_EQ(competition->poolIndex(), 0);
    EXPECT_EQ(competition->getText(tag::PLACE), "Bern");
    EXPECT_EQ(competition->getText(tag::NATION), "SUI");
    EXPECT_EQ(competition->getText(tag::ORGANIZER), "SC Bern");
    EXPECT_EQ(competition->getText(tag::DEADLINE), "20260301");
    EXPECT_EQ(competition->getText(tag::TI), "M1");
    EXPECT_EQ(competition->getText(tag::AGEDATE), "20261231");
    EXPECT_EQ(competition->getInteger(tag::LANEMIN), 1);
    EXPECT_EQ(competition->getInteger(tag::LANEMAX), 8);
    EXPECT_EQ(competition->getText(tag::POOLNAME), "Hallenbad");
    const TLnxObject* pointTable = competition->findObject(tag::POINTTABLE);
    ASSERT_NE(pointTable, nullptr);
    EXPECT_EQ(pointTable->id(), 3015);
    EXPECT_EQ(pointTable->getText(tag::NAME), "World Aquatics");
    EXPECT_EQ(pointTable->getText(tag::VERSION), "2026");
    const TLnxObject* contact = competition->findObject(tag::CONTACT);
    ASSERT_NE(contact, nullptr);
    const std::pair<TLnxTagId, const char*> fields[] = {{tag::NAME, "Muster, Eva"},
                                                        {tag::STREET, "Weg 1"},
                                                        {tag::STREET2, "Postfach"},
                                                        {tag::ZIP, "3000"},
                                                        {tag::PLACE, "Bern"},
                                                        {tag::STATE, "BE"},
                                                        {tag::PHONE, "031"},
                                                        {tag::FAX, "032"},
                                                        {tag::EMAIL, "eva@example.org"},
                                                        {tag::INTERNET, "www.example.org"}};
    for (const auto& [field, value] : fields)
        EXPECT_EQ(contact->getText(field), value) << tagName(field);

    const TLnxObject* first = item(competition, tag::PERIODS, 0);
    EXPECT_EQ(first->getInteger(tag::NUM), 1);
    EXPECT_EQ(first->getText(tag::DATE), "20260314");
    EXPECT_EQ(first->getText(tag::TIME), "0930");
    EXPECT_EQ(first->getText(tag::NAME), "Morning");
    EXPECT_EQ(first->poolIndex(), 1);
    EXPECT_EQ(first->getInteger(tag::LANEMAX), 9);
    const TLnxObject* second = item(competition, tag::PERIODS, 1);
    EXPECT_FALSE(second->hasChild(tag::PL)); // takes the meet's course
    ASSERT_NE(second->findCollection(tag::EVENTS), nullptr);

    const TLnxObject* other = meet->competition(1);
    EXPECT_EQ(other->getText(tag::NAME), "Second");
    EXPECT_EQ(other->poolIndex(), 1); // a meet without a course gets the default 50 m pool
    EXPECT_EQ(other->getText(tag::TI), "A");
}

TEST_F(Lenex3Meet, EventsAndSwimStyles)
{
    const TLnxObject* breast = event(0);
    EXPECT_EQ(breast->id(), 11);
    EXPECT_EQ(breast->getInteger(tag::NUM), 1);
    EXPECT_EQ(breast->getInteger(tag::ORDER), 2);
    EXPECT_EQ(breast->getText(tag::TIME), "0945");
    EXPECT_EQ(breast->getText(tag::SEX), "F");
    EXPECT_EQ(breast->getText(tag::TYPE), "PRE");
    EXPECT_EQ(breast->getInteger(tag::PEID), -1);
    EXPECT_EQ(breast->getText(tag::FEE), "700");
    EXPECT_EQ(breast->findChild(tag::FEE)->getAttribute(lxaCURRENCY), "CHF");
    EXPECT_EQ(breast->getInteger(tag::DIS), 100);
    EXPECT_EQ(breast->getText(tag::STR), "BR");
    EXPECT_EQ(breast->getInteger(tag::DISCNT), 1);

    const TLnxObject* odd = event(1); // a distance outside the fixed list is kept as it stands
    EXPECT_EQ(odd->getInteger(tag::DIS), 75);
    EXPECT_EQ(odd->getText(tag::STR), "FR");
    EXPECT_EQ(odd->getText(tag::SEX), "X");
    EXPECT_EQ(odd->getText(tag::TYPE), "TIM");

    const TLnxObject* special = event(2);
    EXPECT_EQ(special->id(), 15); // no eventid: the next id above the file's largest
    EXPECT_EQ(special->getText(tag::STR), "XX");
    EXPECT_EQ(special->findChild(tag::STR)->getAttribute(lxaID), "77");
    EXPECT_EQ(special->getText(tag::NAME), "Fins");
    EXPECT_EQ(special->getText(tag::TYPE), "XYZ");
    EXPECT_EQ(special->getInteger(tag::PEID), 11);

    const TLnxObject* relayEvent = event(3);
    EXPECT_EQ(relayEvent->getInteger(tag::DISCNT), 4);
    EXPECT_EQ(relayEvent->getText(tag::STR), "IM");
    EXPECT_EQ(relayEvent->getText(tag::SEX), "M");
}

TEST_F(Lenex3Meet, AgeGroupsAndTheNarrowestRanking)
{
    // Ages count against the age date's year 2026.
    const TLnxObject* open = item(event(0), tag::CATS, 0);
    EXPECT_EQ(open->id(), 1);
    EXPECT_EQ(open->getText(tag::NAME), "Open");
    EXPECT_EQ(open->getInteger(tag::MIN), -1);
    EXPECT_EQ(open->getInteger(tag::MAX), -1);
    const TLnxObject* young = item(event(0), tag::CATS, 1);
    EXPECT_EQ(young->getInteger(tag::MIN), 2014);
    EXPECT_EQ(young->getInteger(tag::MAX), 2015);
    EXPECT_EQ(young->getText(tag::SEX), "F");

    // Result 501 is ranked in the open group and two of width 1: the first of the narrowest gives CID and
    // RANK, and the swim keeps its place in the other two lists.
    const TLnxObject* ranked = item(athlete(0), tag::RESULTS, 0);
    EXPECT_EQ(ranked->getInteger(tag::RANK), 1);
    EXPECT_EQ(ranked->getInteger(tag::CID), 2);
    std::vector<std::pair<int, int>> rankings;
    for (const swim::TResultRanking& ranking : swim::resultRankings(*ranked))
        rankings.emplace_back(ranking.ageGroupId, ranking.place);
    EXPECT_EQ(rankings, (std::vector<std::pair<int, int>>{{2, 1}, {1, 2}, {3, 4}}));
    const TLnxObject* onlyOpen = item(athlete(1), tag::RESULTS, 0);
    EXPECT_EQ(onlyOpen->getInteger(tag::RANK), 1);
    EXPECT_EQ(onlyOpen->getInteger(tag::CID), 1);
    // Without a ranking the result's own place counts.
    EXPECT_EQ(item(athlete(0), tag::RESULTS, 1)->getInteger(tag::RANK), 7);
    EXPECT_FALSE(item(athlete(0), tag::RESULTS, 2)->hasChild(tag::RANK));
}

TEST_F(Lenex3Meet, ClubsAthletesAndEntries)
{
    EXPECT_EQ(club()->getText(tag::NAME), "Schweiz");
    EXPECT_EQ(club()->getText(tag::CODE), "SUI");
    EXPECT_EQ(club()->getText(tag::LSC), "BE");
    EXPECT_EQ(club()->getText(tag::TYPE), "NATION");
    EXPECT_EQ(club()->findObject(tag::CONTACT)->getText(tag::NAME), "Team Office");
    EXPECT_FALSE(club(1)->hasChild(tag::TYPE));
    EXPECT_NE(club(1)->findCollection(tag::PERSONS), nullptr);

    const TLnxObject* lea = athlete(0);
    EXPECT_EQ(lea->id(), 41);
    EXPECT_EQ(lea->getText(tag::NAME), "van den Berg");
    EXPECT_EQ(lea->getText(tag::FNAME), "Lea");
    EXPECT_EQ(lea->getText(tag::SEX), "F");
    EXPECT_EQ(lea->getText(tag::BIRTHDATE), "20140506");
    EXPECT_EQ(lea->getInteger(tag::YOB), 2014);
    EXPECT_EQ(lea->getText(tag::LICENSE), "CH-1");
    EXPECT_EQ(lea->getText(tag::NATION), "SUI");
    EXPECT_EQ(lea->getText(tag::PASSPORT), "X1");
    EXPECT_EQ(athlete(2)->id(), 43); // no athleteid: the next id above the file's largest

    const TLnxObject* entry = item(lea, tag::ENTRIES, 0);
    EXPECT_EQ(entry->getInteger(tag::EID), 11);
    EXPECT_EQ(entry->getText(tag::TIME), "E00h01:25.30");
    EXPECT_EQ(entry->getInteger(tag::HEAT), 3); // heat id 7001 is heat number 3
    EXPECT_EQ(entry->getInteger(tag::LANE), 4);
    const TLnxObject* info = entry->findObject(tag::MEETINFO);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->getText(tag::DATE), "20251102");
    EXPECT_EQ(info->getText(tag::PLACE), "Thun");
    EXPECT_EQ(info->getText(tag::NATION), "SUI");
    const TLnxObject* noTime = item(lea, tag::ENTRIES, 1);
    EXPECT_FALSE(noTime->hasChild(tag::TIME));
    EXPECT_EQ(noTime->getInteger(tag::HEAT), 2);
}

TEST_F(Lenex3Meet, ResultsStatusesReactionTimesAndSplits)
{
    const TLnxObject* result = item(athlete(0), tag::RESULTS, 0);
    EXPECT_EQ(result->getInteger(tag::EID), 11);
    EXPECT_EQ(result->getText(tag::TIME), "V00h01:24.56");
    EXPECT_EQ(result->getText(tag::RT), "0,65"); // with the decimal separator of the format settings
    EXPECT_EQ(result->getInteger(tag::POINTS), 512);
    EXPECT_EQ(result->getInteger(tag::LANE), 4);
    EXPECT_EQ(result->getInteger(tag::HEAT), 3);
    EXPECT_EQ(result->getText(tag::COMMENT), "PB");
    const TLnxCollection* splits = result->findCollection(tag::SPLITS);
    ASSERT_EQ(splits->childCount(), 2);
    EXPECT_EQ(splits->childAt(0)->getAttribute(lxaDIS), "50");
    EXPECT_EQ(splits->childAsData(0)->value(), "V00h00:40.12");

    const TLnxObject* disqualified = item(athlete(0), tag::RESULTS, 1);
    EXPECT_EQ(disqualified->getText(tag::CODE), "DQ");
    EXPECT_EQ(disqualified->getText(tag::TIME), "I00h00:59.00");
    const TLnxObject* withdrawn = item(athlete(0), tag::RESULTS, 2);
    EXPECT_EQ(withdrawn->getText(tag::CODE), "WDR");
    EXPECT_FALSE(withdrawn->hasChild(tag::TIME));

    const TLnxObject* hour = item(athlete(1), tag::RESULTS, 0);
    EXPECT_EQ(hour->getText(tag::TIME), "V01h02:03.45");
    EXPECT_EQ(hour->getText(tag::RT), "-0,03");
    EXPECT_EQ(hour->getTimeKind(tag::TIME), 3);
}

TEST_F(Lenex3Meet, TheFinishSplitLeftOutIsAddedWithTheSwimTime)
{
    // 4 x 100 m: the writer gave 100, 200 and 300 m; 400 m comes from the swim time.
    const TLnxCollection* relaySplits = item(relay(0), tag::RESULTS, 0)->findCollection(tag::SPLITS);
    ASSERT_NE(relaySplits, nullptr);
    std::vector<std::string> splits;
    for (int i = 0; i < relaySplits->childCount(); ++i)
        splits.push_back(relaySplits->childAt(i)->getAttribute(lxaDIS) + "=" +
                         relaySplits->childAsData(i)->value());
    EXPECT_EQ(splits, (std::vector<std::string>{"100=V00h01:01.00", "200=V00h02:01.50", "300=V00h03:02.00",
                                                "400=V00h04:01.00"}));
    // A finish split the file gives stays the only one; a result without splits gets none.
    EXPECT_EQ(item(athlete(0), tag::RESULTS, 0)->findCollection(tag::SPLITS)->childCount(), 2);
    EXPECT_EQ(item(athlete(0), tag::RESULTS, 1)->findCollection(tag::SPLITS)->childCount(), 0);
}

TEST_F(Lenex3Meet, RelaysWithTheirAgeGroupAndPositions)
{
    const TLnxObject* team = relay(0);
    EXPECT_EQ(team->getInteger(tag::NUM), 2);
    EXPECT_EQ(team->getText(tag::NAME), "Schweiz B");
    EXPECT_EQ(team->getText(tag::SEX), "M");
    EXPECT_GT(team->id(), 0);
    EXPECT_NE(relay(1)->id(), team->id());
    // Summed ages 100 to 119 against 2026.
    EXPECT_EQ(team->findObject(tag::CAT)->getInteger(tag::MAX), 1926);
    EXPECT_EQ(team->findObject(tag::CAT)->getInteger(tag::MIN), 1907);
    EXPECT_EQ(relay(1)->findObject(tag::CAT)->getInteger(tag::MAX), 2013);
    EXPECT_EQ(relay(1)->findObject(tag::CAT)->getInteger(tag::MIN), -1);

    const TLnxObject* result = item(team, tag::RESULTS, 0);
    EXPECT_EQ(result->getInteger(tag::RANK), 1);
    const TLnxObject* leg1 = item(result, tag::POSITIONS, 0);
    const TLnxObject* leg2 = item(result, tag::POSITIONS, 1);
    ASSERT_NE(leg2, nullptr);
    EXPECT_EQ(leg1->getInteger(tag::NUM), 1);
    EXPECT_EQ(leg1->getInteger(tag::PID), 41);
    EXPECT_EQ(leg1->getText(tag::RT), "0,70");
    EXPECT_EQ(leg2->getText(tag::CODE), "DQ");
    EXPECT_EQ(item(item(team, tag::ENTRIES, 0), tag::POSITIONS, 0)->getInteger(tag::PID), 41);
}

TEST_F(Lenex3Meet, TheConvertedMeetIndexesWithoutErrors)
{
    meet->document->buildIndexes();
    EXPECT_TRUE(meet->document->errors().empty());
    meet->document->selectCompetition(0);
    EXPECT_NE(meet->document->personById(43), nullptr);
    EXPECT_NE(meet->document->ageGroupByIds(11, 3), nullptr);
}

// ---- encodings and routing

TEST(Lenex3Converter, EncodingsEndAsUtf8)
{
    const std::string meet =
        "<MEETS><MEET name=\"Z\xFCrich &#x2013; &lt;Cup&gt;\" course=\"LCM\"/></MEETS></LENEX>";
    const std::pair<std::string, const char*> files[] = {
        {"<?xml version=\"1.0\" encoding=\"Windows-1252\"?><LENEX version=\"3.0\">" + meet, "1252"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><LENEX version=\"3.0\">" + meet, "latin-1"},
        {"<LENEX version=\"3.0\">" + meet, "undeclared, not UTF-8"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><LENEX version=\"3.0\">" +
             base::replaceAll(meet, "\xFC", "\xC3\xBC"),
         "UTF-8 with mark"},
    };
    for (const auto& [text, label] : files) {
        const Converted converted = convertText(text);
        ASSERT_EQ(converted.errorCount, 0) << label << ": " << converted.errorMessage;
        EXPECT_EQ(converted.competition()->getText(tag::NAME), "Zürich – <Cup>") << label;
    }
}

TEST(Lenex3Converter, TheLenexConverterRoutesByTheRootTag)
{
    const std::string lenex3 = R"(<LENEX version="3.0"><CONSTRUCTOR name="New" version="1"/><MEETS>
        <MEET name="Today" course="SCM"/></MEETS></LENEX>)";
    const std::string firstGeneration = "<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS><COMPETITION>"
                                        "<NAME>Then</NAME></COMPETITION></COMPETITIONS></LENEX>";
    const std::pair<std::string, std::string> files[] = {
        {"today.lef", lenex3}, {"then.lef", firstGeneration}, {"today.lxf", ""}, {"then.lxf", ""}};
    testing::writeZip(tempPath("today.lxf"), {{"inner/today.lef", lenex3}});
    testing::writeZip(tempPath("then.lxf"), {{"then.lef", firstGeneration}});
    for (const auto& [name, text] : files) {
        const std::string path = tempPath(name);
        if (!text.empty())
            testing::writeFile(path, text);
        TLenex document;
        const auto converter = createConverter(chooseConverter(path), document);
        converter->Load(path);
        EXPECT_EQ(converter->errorCount(), 0) << name << converter->errorMessage();
        const bool today = name.starts_with("today");
        EXPECT_EQ(document.competitionCount(), 1) << name;
        EXPECT_EQ(item(document.root(), tag::COMPETITIONS)->getText(tag::NAME), today ? "Today" : "Then")
            << name;
        EXPECT_EQ(document.fileInformationText().substr(0, 17),
                  today ? "LENEX version 3.0" : "LENEX version 01.")
            << name;
        std::filesystem::remove(path);
    }
}

// ---- hostile input

TEST(Lenex3Converter, MalformedXmlGivesOneErrorWithTheLine)
{
    const Converted broken =
        convertText("<LENEX version=\"3.0\">\n<MEETS>\n<MEET name=\"x></MEETS>\n</LENEX>\n");
    EXPECT_EQ(broken.errorCount, 1);
    EXPECT_EQ(broken.errorMessage.substr(0, 8), "Line 3: ") << broken.errorMessage;

    const Converted unclosed = convertText("<LENEX version=\"3.0\">\n<MEETS>\n\n<MEET>\n");
    EXPECT_EQ(unclosed.errorCount, 1);
    EXPECT_NE(unclosed.errorMessage.find("Line "), std::string::npos);

    const Converted missing = convertFile(tempPath("absent.lef"));
    EXPECT_EQ(missing.errorCount, 1);
    EXPECT_EQ(missing.errorMessage, "Can not open file !");

    testing::writeZip(tempPath("two.lxf"), {{"a.lef", "<LENEX version=\"3.0\"/>"}, {"b.lef", "<LENEX/>"}});
    EXPECT_EQ(convertFile(tempPath("two.lxf")).errorMessage, ".LXF File should contain one .LEF - file !");
}

// Tree nodes keep their source lines, so the index build names the line of a duplicate.
TEST(Lenex3Converter, DuplicateIdsAreReportedAtTheirLines)
{
    const Converted converted = convertText("<LENEX version=\"3.0\"><MEETS><MEET course=\"LCM\">\n"
                                            "<CLUBS><CLUB><ATHLETES>\n<ATHLETE athleteid=\"5\"/>\n\n"
                                            "  <ATHLETE athleteid=\"5\"/>\n</ATHLETES></CLUB></CLUBS>"
                                            "</MEET></MEETS></LENEX>\n");
    ASSERT_EQ(converted.errorCount, 0);
    converted.document->buildIndexes();
    EXPECT_EQ(converted.document->errors(), std::vector<std::string>{"Line 5: Duplicate PERSON id !"});
}

TEST(Lenex3Converter, FirstGenerationContentUnderALenex3RootHasNoCompetitions)
{
    const Converted converted = convertText(R"(<LENEX version="3.0"><VERSION>01.03.0007</VERSION>
        <COMPETITIONS><COMPETITION><NAME>Old</NAME></COMPETITION></COMPETITIONS></LENEX>)");
    EXPECT_EQ(converted.errorCount, 0);
    EXPECT_FALSE(converted.document->hasCompetitions());
}

TEST(Lenex3Converter, HugeAndDeepInputStaysSound)
{
    std::string many = R"(<LENEX version="3.0"><MEETS><MEET course="LCM"><CLUBS><CLUB><ATHLETES>)";
    for (int i = 0; i < 100000; ++i)
        many += "<ATHLETE/>";
    many += "</ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>";
    const Converted athletes = convertText(many);
    ASSERT_EQ(athletes.errorCount, 0);
    athletes.document->buildIndexes();
    EXPECT_TRUE(athletes.document->errors().empty()); // every athlete got an id of its own
    EXPECT_EQ(item(athletes.competition(), tag::CLUBS)->findCollection(tag::PERSONS)->childCount(), 100000);

    std::string deep = R"(<LENEX version="3.0"><MEETS><MEET course="LCM">)";
    for (int i = 0; i < 200000; ++i)
        deep += "<SESSIONS>";
    for (int i = 0; i < 200000; ++i)
        deep += "</SESSIONS>";
    deep += "</MEET></MEETS></LENEX>";
    const Converted nested = convertText(deep);
    EXPECT_EQ(nested.errorCount, 0);
    EXPECT_EQ(nested.document->competitionCount(), 1);
}

// ---- the real files

const std::filesystem::path kLenex3Dir = std::filesystem::path(LANESCOPE_SHARED_TESTDATA_DIR) / "lenex3";

struct Counts
{
    int sessions = 0;
    int events = 0;
    int clubs = 0;
    int athletes = 0;
    int results = 0;
    int relays = 0;
    int relayResults = 0;
    int entries = 0; // of athletes
    int splits = 0;
    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c)
{
    return out << c.sessions << " sessions, " << c.events << " events, " << c.clubs << " clubs, "
               << c.athletes << " athletes, " << c.results << " results, " << c.relays << " relays, "
               << c.relayResults << " relay results, " << c.entries << " entries, " << c.splits << " splits";
}

int countOf(const TLnxAbstractObject& owner, TLnxTagId collection)
{
    const TLnxCollection* list = owner.findCollection(collection);
    return list ? list->childCount() : 0;
}

Counts countMeet(const TLnxObject& competition)
{
    Counts counts;
    const TLnxCollection* periods = competition.findCollection(tag::PERIODS);
    counts.sessions = periods->childCount();
    for (int p = 0; p < periods->childCount(); ++p)
        counts.events += countOf(*periods->itemAt(p), tag::EVENTS);
    const TLnxCollection* clubs = competition.findCollection(tag::CLUBS);
    counts.clubs = clubs->childCount();
    for (int c = 0; c < clubs->childCount(); ++c)
        for (const TLnxTagId list : {tag::PERSONS, tag::RELAYS}) {
            const TLnxCollection* owners = clubs->itemAt(c)->findCollection(list);
            for (int o = 0; o < owners->childCount(); ++o) {
                const TLnxObject* owner = owners->itemAt(o);
                const bool athlete = list == tag::PERSONS;
                (athlete ? counts.athletes : counts.relays)++;
                (athlete ? counts.results : counts.relayResults) += countOf(*owner, tag::RESULTS);
                counts.entries += athlete ? countOf(*owner, tag::ENTRIES) : 0;
                for (int r = 0; r < countOf(*owner, tag::RESULTS); ++r)
                    counts.splits += countOf(*owner->findCollection(tag::RESULTS)->itemAt(r), tag::SPLITS);
            }
        }
    return counts;
}

struct RealFile
{
    const char* name;
    Counts expected;
};
// The counts of the files' index, completed by counting the elements where it names none. Splits are the
// file's own plus one at the finish for every result with splits but none there (world championships: none
// left out; erlangen 4 574 + 2 031, relays 873 + 293, marienberg 2023 1 251 + 881, 2025 1 434 + 1 026,
// halle 774 + 301).
const RealFile kRealFiles[] = {
    {"world-sc-championships-2022.lef", {12, 122, 159, 728, 2107, 211, 307, 2425, 16990}},
    {"erlangen-2025-results.lef", {5, 44, 26, 609, 3596, 3, 3, 0, 6605}},
    {"erlangen-2025-results.lxf", {5, 44, 26, 609, 3596, 3, 3, 0, 6605}},
    {"relay-meet-results.lxf", {4, 63, 10, 408, 0, 60, 320, 0, 1166}},
    {"marienberg-2023-results.lef", {4, 70, 27, 366, 1902, 31, 55, 0, 2132}},
    {"marienberg-2025-results.lef", {4, 70, 24, 444, 2272, 45, 66, 2272, 2460}},
    {"halle-2025-results.lef", {3, 50, 22, 170, 916, 0, 0, 916, 1075}},
    {"berlin-2021-invitation-cp1252.lxf", {4, 44, 0, 0, 0, 0, 0, 0, 0}},
};

class RealLenex3File : public ::testing::TestWithParam<RealFile>
{
};

TEST_P(RealLenex3File, OpensThroughTheConverterChoiceWithEveryCount)
{
    const std::filesystem::path path = kLenex3Dir / GetParam().name;
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no real-world files at " << kLenex3Dir;
    TLenex document;
    const auto converter = createConverter(chooseConverter(path.string()), document);
    ASSERT_NE(converter, nullptr);
    converter->Load(path.string());
    ASSERT_EQ(converter->errorCount(), 0) << converter->errorMessage();
    document.buildIndexes();
    EXPECT_TRUE(document.errors().empty()) << document.errors().front();
    ASSERT_EQ(document.competitionCount(), 1);
    EXPECT_EQ(countMeet(*item(document.root(), tag::COMPETITIONS)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lenex3, RealLenex3File, ::testing::ValuesIn(kRealFiles),
                         [](const ::testing::TestParamInfo<RealFile>& file) {
                             std::string name = file.param.name;
                             std::erase_if(
                                 name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

TEST(RealLenex3Files, RoundsDecodingAndTheArchiveOfOneMeet)
{
    if (!std::filesystem::exists(kLenex3Dir))
        GTEST_SKIP() << "no real-world files at " << kLenex3Dir;
    Converted plain = convertFile((kLenex3Dir / "erlangen-2025-results.lef").string());
    Converted archived = convertFile((kLenex3Dir / "erlangen-2025-results.lxf").string());
    ASSERT_EQ(plain.errorCount, 0);
    EXPECT_EQ(treeText(*plain.document->root()), treeText(*archived.document->root()));

    const Converted halle = convertFile((kLenex3Dir / "halle-2025-results.lef").string());
    std::map<std::string, int> rounds;
    for (int p = 0; p < countOf(*halle.competition(), tag::PERIODS); ++p)
        for (int e = 0; e < countOf(*item(halle.competition(), tag::PERIODS, p), tag::EVENTS); ++e)
            ++rounds[item(item(halle.competition(), tag::PERIODS, p), tag::EVENTS, e)->getText(tag::TYPE)];
    EXPECT_EQ(rounds, (std::map<std::string, int>{{"FIN", 16}, {"PRE", 8}, {"TIM", 26}}));

    const Converted berlin = convertFile((kLenex3Dir / "berlin-2021-invitation-cp1252.lxf").string());
    EXPECT_EQ(berlin.competition()->getText(tag::ORGANIZER), "Sg Schöneberg Berlin e.V.");
}

} // namespace
} // namespace lanescope::convert
