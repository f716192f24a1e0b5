#include "base/FormatSettings.h"
#include "base/LanguageTexts.h"
#include "lenex/Lenex.h"
#include "lenex/LnxParser.h"
#include "swim/BSSwLenex.h"
#include "swim/BSSwLenexImp.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace lanescope::swim {
namespace {

using namespace lenex;

// Two sessions (listed out of number order), four events, two clubs. Anna swims the heats (PRE) and the
// final (FIN) of 100m freestyle; Lea has an invalid time without entry and a DNS; Tim has no gender.
const char* const kMeet = R"(<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS><COMPETITION>
<NAME>Cup</NAME><PLACE>Bern</PLACE><NATION>SUI</NATION><PL>50</PL><PM>m</PM><TI>m1</TI>
<AGEDATE>20261231</AGEDATE><LANEMIN>1</LANEMIN><LANEMAX>8</LANEMAX>
<PERIODS>
 <PERIOD><NUM>2</NUM><DATE>20261018</DATE><TIME>0930</TIME><PL>25</PL><PM>m</PM><LANEMAX>6</LANEMAX><EVENTS>
  <EVENT id="20"><NUM>3</NUM><ORDER>1</ORDER><TYPE>FIN</TYPE><PEID>10</PEID><DIS>100</DIS><STR>FR</STR>
   <SEX>F</SEX><TIME>0930</TIME></EVENT>
  <EVENT id="30"><NUM>4</NUM><ORDER>2</ORDER><TYPE>TIM</TYPE><DIS>100</DIS><DISCNT>4</DISCNT><STR>FR</STR>
   <SEX>F</SEX><FEE currency="EUR">1250</FEE><MAXENTRIES>4</MAXENTRIES></EVENT>
 </EVENTS></PERIOD>
 <PERIOD><NUM>1</NUM><NAME>Heats</NAME><DATE>20261017</DATE><PL>50</PL><EVENTS>
  <EVENT id="10"><NUM>1</NUM><ORDER>1</ORDER><TYPE>PRE</TYPE><DIS>100</DIS><STR>FR</STR><SEX>F</SEX>
   <TIME>1000</TIME><CATS>
   <CAT id="1"><MIN>2010</MIN><MAX>2013</MAX><NAME>Juniors</NAME><SEX>F</SEX><LCT>L00h01:05.50</LCT></CAT>
   <CAT id="2"><MIN>-1</MIN><MAX>2009</MAX></CAT></CATS></EVENT>
  <EVENT id="11"><NUM>2</NUM><ORDER>2</ORDER><TYPE>sof</TYPE><DIS>50</DIS><STR>BU</STR><SEX>X</SEX><CATS>
   <CAT id="3"><MIN>-1</MIN><MAX>-1</MAX><SEX>F</SEX></CAT></CATS></EVENT>
 </EVENTS></PERIOD>
</PERIODS>
<CLUBS>
 <CLUB><NAME>SC Bern</NAME><CODE>SCB</CODE><NATION>SUI</NATION><LSC>BE</LSC><PERSONS>
  <PERSON id="100"><NAME> Keller </NAME><FNAME>Anna</FNAME><SEX>F</SEX><YOB>2005</YOB>
   <ENTRIES><ENTRY><EID>10</EID><TIME>E00h00:58.00</TIME><HEAT>2</HEAT><LANE>4</LANE>
    <MEETINFO><DATE>20260601</DATE><PLACE>Basel</PLACE><NATION>SUI</NATION></MEETINFO></ENTRY></ENTRIES>
   <RESULTS>
    <RESULT><EID>10</EID><TIME>V00h00:57.50</TIME><RANK>1</RANK><RT>0.65</RT><SPLITS>
     <SPLIT dis="100">V00h00:57.50</SPLIT><SPLIT dis="50">V00h00:27.50</SPLIT>
     <SPLIT dis="150">V00h01:29.99</SPLIT></SPLITS></RESULT>
    <RESULT><EID>20</EID><TIME>V00h00:56.90</TIME><RANK>2</RANK></RESULT>
   </RESULTS></PERSON>
  <PERSON id="101"><NAME>Meier</NAME><FNAME>Lea</FNAME><SEX>F</SEX><BIRTHDATE>20070304</BIRTHDATE><YOB>2007</YOB>
   <RESULTS><RESULT><EID>20</EID><TIME>I00h00:59.00</TIME></RESULT>
    <RESULT><EID>10</EID><CODE>DNS</CODE></RESULT></RESULTS></PERSON>
  <PERSON id="102"><NAME>Roth</NAME><FNAME>Tim</FNAME><SEX>X</SEX><YOB>1800</YOB>
   <ENTRIES><ENTRY><EID>11</EID></ENTRY></ENTRIES>
   <RESULTS><RESULT><EID>20</EID><CODE>DNF</CODE></RESULT></RESULTS></PERSON>
 </PERSONS><RELAYS>
  <RELAY><NUM>2</NUM><SEX>F</SEX><CAT><MIN>-1</MIN><MAX>-1</MAX></CAT><RESULTS>
   <RESULT><EID>30</EID><TIME>V00h04:00.00</TIME><RANK>3</RANK><POSITIONS>
    <POSITION><NUM>2</NUM><PID>101</PID></POSITION>
    <POSITION><NUM>1</NUM><PID>100</PID><RT>0.5</RT></POSITION></POSITIONS></RESULT></RESULTS></RELAY>
 </RELAYS></CLUB>
 <CLUB><NAME>aqua Zug</NAME><CODE>SUI</CODE></CLUB>
</CLUBS></COMPETITION></COMPETITIONS></LENEX>)";

std::unique_ptr<TLnxObject> parse(const char* text)
{
    TLnxMessageList messages;
    auto root = TLnxParser(messages).parseText(text);
    EXPECT_TRUE(messages.errors().empty()) << messages.errors().front();
    return root;
}

TLnxObject& competitionOf(const TLnxObject& root)
{
    return *root.findCollection(tag::COMPETITIONS)->itemAt(0);
}

// The node ids of the items, in list order.
template <class Collection> std::vector<int> idsOf(const Collection& items)
{
    std::vector<int> ids;
    for (int index = 0; index < items.count(); ++index)
        ids.push_back(items.at(index)->node()->asObject()->id());
    return ids;
}

// The ids of the PERSONs that own the entries or results, in list order.
template <class Collection> std::vector<int> ownerIdsOf(const Collection& items)
{
    std::vector<int> ids;
    for (int index = 0; index < items.count(); ++index)
        ids.push_back(items.at(index)->node()->parent()->parent()->asObject()->id());
    return ids;
}

class TypedViews : public ::testing::Test
{
protected:
    void SetUp() override { base::setCurrentFormatSettings(base::TFormatSettings{}); }

    std::shared_ptr<IBSLenexMeet> meet() { return lenexView<IBSLenexMeet>(competitionOf(*FRoot)); }
    std::shared_ptr<IBSLenexClub> club(int index) { return meet()->clubs(lcsDocument)->at(index); }
    std::shared_ptr<IBSLenexAthlete> athlete(int id) { return meet()->athleteById(id); }
    std::shared_ptr<IBSLenexResult> result(int athleteId, int eventId)
    {
        const auto results = athlete(athleteId)->results(lnsDocument, 0);
        for (int index = 0; index < results->count(); ++index)
            if (results->at(index)->event()->id() == eventId)
                return results->at(index);
        return nullptr;
    }

    std::unique_ptr<TLnxObject> FRoot = parse(kMeet);
};

TEST_F(TypedViews, MeetAnswersFromItsNode)
{
    const auto cup = meet();
    EXPECT_EQ(cup->placeText(), "Bern  (SUI)");
    EXPECT_EQ(cup->timing(), 3);
    EXPECT_EQ(cup->courseNumber(), 1);
    EXPECT_EQ(cup->ageDate(), base::encodeDate(2026, 12, 31));
    const TLnxDateRange range = cup->dateRange();
    EXPECT_EQ(range.first, base::encodeDate(2026, 10, 17));
    EXPECT_EQ(range.last, base::encodeDate(2026, 10, 18));
    EXPECT_EQ(cup->sessions()->at(0)->number(), 1);
    EXPECT_EQ(cup->sessions()->at(0)->name(), "Heats");
    EXPECT_EQ(cup->eventById(20)->number(), 3);
    EXPECT_EQ(cup->eventById(99), nullptr);
    EXPECT_EQ(cup->athleteById(101)->familyName(), "Meier");
    EXPECT_EQ(cup->athleteById(0), nullptr);

    EXPECT_FALSE(competitionOf(*FRoot).hasChild(tag::POINTTABLE));
    EXPECT_EQ(cup->pointTable()->name(), "");
    EXPECT_TRUE(competitionOf(*FRoot).hasChild(tag::POINTTABLE));
}

TEST_F(TypedViews, AgeDateFallsBackToTheFirstSession)
{
    competitionOf(*FRoot).removeChildByTag(tag::AGEDATE);
    EXPECT_EQ(meet()->ageDate(), base::encodeDate(2026, 10, 17));
}

TEST_F(TypedViews, SessionCourseLanesAndName)
{
    const auto sessions = meet()->sessions();
    const auto heats = sessions->at(0);
    const auto finals = sessions->at(1);
    // Session 1 has PL 50 but no PM: the meet's course (LCM) applies. Session 2 has both: SCM.
    EXPECT_EQ(heats->courseNumber(), 1);
    EXPECT_EQ(finals->courseNumber(), 2);
    EXPECT_EQ(finals->poolText(), "25m Pool");
    EXPECT_EQ(finals->laneMin(), 1);
    EXPECT_EQ(finals->laneMax(), 6);
    EXPECT_EQ(finals->name(), "Session 2 - 25m Pool");
    EXPECT_EQ(finals->dateText(), "Sunday, October 18, 2026, 9:30");
    EXPECT_EQ(heats->dateText(), "Saturday, October 17, 2026");
    EXPECT_EQ(finals->start(), base::encodeDate(2026, 10, 18) + base::encodeTime(9, 30));

    base::setLanguageTextSource([](char section, int number, int) {
        return section == 'S' && number == 72 ? std::string("Abschnitt %d") : std::string();
    });
    EXPECT_EQ(finals->name(), "Abschnitt 2 - 25m Pool");
    base::setLanguageTextSource({});
}

TEST_F(TypedViews, EventTexts)
{
    const auto cup = meet();
    const auto relay = cup->eventById(30);
    const auto final = cup->eventById(20);
    EXPECT_EQ(relay->title(), "4. 4x100m Freestyle Relay, Women");
    EXPECT_EQ(relay->feeText(), "EUR 12.50");
    EXPECT_EQ(final->feeText(), "-");
    EXPECT_EQ(relay->entryLimit(), 4);
    EXPECT_EQ(final->entryLimit(), 32767);
    EXPECT_EQ(final->numberText(), "3.");
    EXPECT_EQ(final->relatedEvent()->id(), 10);
    EXPECT_EQ(relay->relatedEvent(), nullptr);
    EXPECT_EQ(final->roundText(), "Final");
    EXPECT_EQ(cup->eventById(10)->sortKey(), "000001_0600_00001_001");
    EXPECT_EQ(final->session()->number(), 2);
    EXPECT_EQ(relay->swimStyle()->relayCount(), 4);
    EXPECT_EQ(cup->eventById(11)->swimStyle()->strokeNumber(), 4);
}

struct RoundCase
{
    const char* type;
    int round;
};

constexpr RoundCase kRounds[] = {{"sof", 2}, {"SOP", 2}, {"PRE", 1}, {"FIN", 8},
                                 {"fht", 7}, {"TIM", 0}, {"XYZ", 0}, {"", 0}};

TEST(TypedViewRounds, RoundNumberOfType)
{
    for (const RoundCase& c : kRounds)
        EXPECT_EQ(roundNumberOf(std::string_view(c.type)), c.round) << c.type;
}

struct UnitCase
{
    const char* poolUnit; // nullptr: no PM
    int relayCount;
    const char* distanceText;
    const char* fullText;
};

constexpr UnitCase kUnits[] = {
    {"y", 1, "100y", "100y Freestyle"},
    {nullptr, 1, "100m", "100m Freestyle"},
    {" m", 4, "4x100m", "4x100m Freestyle Relay"},
};

TEST(TypedViewSwimStyle, DistanceTextUsesTheMeetUnit)
{
    for (const UnitCase& c : kUnits) {
        TLnxObject meet(tag::COMPETITION);
        if (c.poolUnit)
            meet.setText(tag::PM, c.poolUnit);
        TLnxObject& event =
            *meet.addCollection(tag::PERIODS)->newItem()->addCollection(tag::EVENTS)->newItem();
        event.setInteger(tag::DIS, 100);
        event.setInteger(tag::DISCNT, c.relayCount);
        event.setText(tag::STR, "FR");
        const auto style = lenexView<IBSLenexEvent>(event)->swimStyle();
        EXPECT_EQ(style->distanceText(), c.distanceText);
        EXPECT_EQ(style->fullText(), c.fullText);
        EXPECT_EQ(style->distance(), 100);
    }
}

TEST_F(TypedViews, EventsCollectionsFilterAndSort)
{
    const auto cup = meet();
    EXPECT_EQ(idsOf(*cup->events(0, lesDocument)), (std::vector<int>{20, 30, 10, 11}));
    EXPECT_EQ(idsOf(*cup->events(0, lesNumber)), (std::vector<int>{10, 11, 20, 30}));
    // ORDER first, then the start minute: event 20 starts 9:30, event 10 at 10:00.
    EXPECT_EQ(idsOf(*cup->events(0, lesSortKey)), (std::vector<int>{20, 10, 11, 30}));
    // 10 and 20 share a swim style key and keep their order; relays after individual, mixed last.
    EXPECT_EQ(idsOf(*cup->events(0, lesSwimStyle)), (std::vector<int>{20, 10, 30, 11}));
    EXPECT_EQ(idsOf(*cup->events(numberSet({lrPrelims, lrFinal}), lesNumber)), (std::vector<int>{10, 20}));
    EXPECT_EQ(idsOf(*cup->sessions()->at(0)->events(numberSet({lrSwimOffPrelims}), lesNumber)),
              (std::vector<int>{11}));
}

TEST_F(TypedViews, AgeGroups)
{
    const auto cup = meet();
    const auto groups = cup->eventById(10)->ageGroups();
    ASSERT_EQ(groups->count(), 2);
    const auto juniors = groups->at(0);
    EXPECT_EQ(juniors->minAge(), 13);
    EXPECT_EQ(juniors->maxAge(), 16);
    EXPECT_EQ(juniors->ageText(), "Juniors");
    // The open upper bound is 999, which picks the age-group form of the text.
    EXPECT_EQ(groups->at(1)->ageText(), "AG. 17 and more");
    EXPECT_EQ(groups->at(1)->genderNumber(), 2); // from the event
    EXPECT_EQ(groups->minAge(), 13);
    EXPECT_EQ(groups->maxAge(), 999);
    EXPECT_EQ(cup->eventById(10)->ageText(), "AG. 13 and more");

    // Course 0: the event's session course, here the meet's LCM.
    EXPECT_EQ(juniors->limitTimeText(0), "1:05.50");
    EXPECT_EQ(juniors->limitTimeText(2), "");
    EXPECT_EQ(juniors->limitTimeText(3), "");

    const auto open = cup->eventById(11)->ageGroups()->at(0);
    EXPECT_EQ(open->minAge(), 0);
    EXPECT_EQ(open->maxAge(), 999);
    EXPECT_EQ(open->ageText(), "Open/Senior");
    EXPECT_EQ(open->genderNumber(), 2); // SEX F under a mixed event

    const auto none = cup->eventById(20)->ageGroups();
    EXPECT_EQ(none->minAge(), 0);
    EXPECT_EQ(none->maxAge(), 999);
}

struct ClubCase
{
    const char* meetNation;
    const char* nation;
    const char* lsc;
    const char* code;
    const char* type;
    const char* codeText;
    int typeNumber;
};

constexpr ClubCase kClubs[] = {
    {"", "SUI", "", "SUI", "", "SUI", 3},
    {"SUI", "", "", "SUI", "", "SUI", 3},
    {"", "SUI", "BE", "SCB", "", "SUI.BE.SCB", 0},
    {"", "GER", "ger", "SCM", "", "GER.SCM", 0},
    {"", "GER", "NRW", "NRW", "Region", "GER.NRW", 2},
    {"", "GER", "", "", "NATIONAL TEAM", "GER", 3},
    {"", "", "", "", "", "", 3},
};

class TypedViewClubs : public ::testing::TestWithParam<ClubCase>
{
};

TEST_P(TypedViewClubs, CodeTextAndType)
{
    const ClubCase& c = GetParam();
    TLnxObject meet(tag::COMPETITION);
    meet.setText(tag::NATION, c.meetNation);
    TLnxObject& node = *meet.addCollection(tag::CLUBS)->newItem();
    node.setText(tag::NAME, "Club");
    node.setText(tag::NATION, c.nation);
    node.setText(tag::LSC, c.lsc);
    node.setText(tag::CODE, c.code);
    node.setText(tag::TYPE, c.type);
    const auto club = lenexView<IBSLenexClub>(node);
    EXPECT_EQ(club->codeText(), c.codeText);
    EXPECT_EQ(club->clubTypeNumber(), c.typeNumber);
    EXPECT_EQ(club->nameText(), *c.codeText ? std::string("Club (") + c.codeText + ")" : "Club");
}

INSTANTIATE_TEST_SUITE_P(Examples, TypedViewClubs, ::testing::ValuesIn(kClubs));

TEST_F(TypedViews, ClubsSortFindAndEdit)
{
    const auto clubs = meet()->clubs(lcsName);
    EXPECT_EQ(clubs->at(0)->name(), "aqua Zug");
    EXPECT_EQ(meet()->clubs(lcsCodeText)->at(0)->codeText(), "SUI");
    EXPECT_EQ(clubs->findByName(*club(0))->name(), "SC Bern");
    EXPECT_EQ(clubs->current()->name(), "SC Bern");

    const auto list = std::dynamic_pointer_cast<IBSLenexClubList>(clubs);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->appendCopy(*club(0))->athletes()->count(), 3);
    EXPECT_EQ(clubs->count(), 3);
    EXPECT_EQ(meet()->clubs(lcsDocument)->count(), 3);
    EXPECT_EQ(list->appendCopy(*athlete(100)), nullptr);

    std::dynamic_pointer_cast<IBSLenexClubEdit>(club(2))->remove();
    EXPECT_EQ(meet()->clubs(lcsDocument)->count(), 2);
}

TEST_F(TypedViews, AthleteNamesAndBirth)
{
    const auto anna = athlete(100);
    EXPECT_EQ(anna->familyName(), "Keller");
    EXPECT_EQ(anna->fullName(), "Anna KELLER");
    EXPECT_EQ(anna->fullNameWithBirth(), "Anna KELLER, 2005");
    EXPECT_EQ(anna->nation(), "SUI"); // the club's
    EXPECT_EQ(anna->birthDate(), base::encodeDate(2005, 1, 1));

    const auto lea = athlete(101);
    EXPECT_EQ(lea->birthDate(), base::encodeDate(2007, 3, 4));
    EXPECT_EQ(lea->birthText(false), "3/4/2007");
    EXPECT_EQ(lea->birthText(true), "2007");

    const auto tim = athlete(102);
    EXPECT_EQ(tim->birthDate(), 0);
    EXPECT_EQ(tim->birthText(true), "1800");
    EXPECT_EQ(tim->genderNumber(), 3);

    // reset() sorts by full name.
    const auto athletes = club(0)->athletes();
    athletes->reset();
    EXPECT_EQ(idsOf(*athletes), (std::vector<int>{100, 101, 102}));
    EXPECT_EQ(athletes->current()->firstName(), "Anna");
}

struct ResultCase
{
    const char* code;
    int rank;
    const char* time;
    const char* reaction;
    const char* placeText;
    int status;
    int reactionTime;
};

constexpr ResultCase kResults[] = {
    {"DNS", 0, "", "", "DNS", 3, -32768},
    {"", 3, "V00h00:57.50", "0.65", "3.", 0, 65},
    {"", 0, "", "abc", "", 0, -32768},
    {"", 0, "I00h00:59.00", "-0.02", "", 2, -2},
    {"RJC", 2, "I00h00:59.00", "", "RJC", 2, -32768},
    {"SUI.RED10", 4, "V00h00:59.00", "", "SUI.RED10", 0, -32768},
    {"dsq", 5, "V00h00:57.50", "", "DSQ", 2, -32768},
    {"WDR", 0, "", "", "WDR", 3, -32768},
};

class TypedViewResults : public ::testing::TestWithParam<ResultCase>
{
};

TEST_P(TypedViewResults, PlaceStatusAndReaction)
{
    const ResultCase& c = GetParam();
    TLnxObject person(tag::PERSON);
    TLnxObject& node = *person.addCollection(tag::RESULTS)->newItem();
    node.setText(tag::CODE, c.code);
    node.setInteger(tag::RANK, c.rank);
    node.setText(tag::TIME, c.time);
    node.setText(tag::RT, c.reaction);
    const auto result = lenexView<IBSLenexResult>(node);
    EXPECT_EQ(result->placeText(), c.placeText);
    EXPECT_EQ(result->statusNumber(), c.status);
    EXPECT_EQ(result->reactionTime(), c.reactionTime);
    EXPECT_EQ(result->rank(), c.rank > 0 ? c.rank : 32767);
}

INSTANTIATE_TEST_SUITE_P(Examples, TypedViewResults, ::testing::ValuesIn(kResults));

TEST_F(TypedViews, ResultReadsItsEntry)
{
    const auto heats = result(100, 10);
    EXPECT_EQ(heats->entryTime(), 58000);
    EXPECT_EQ(heats->entryTimeText(), "58.00");
    EXPECT_EQ(heats->heat(), 2);
    EXPECT_EQ(heats->lane(), 4);
    EXPECT_EQ(heats->entryTimeDateText(), "6/1/2026");
    EXPECT_EQ(heats->entryTimePlaceText(), "Basel (SUI)");
    EXPECT_EQ(heats->resultTimeText(), "57.50");
    EXPECT_EQ(heats->clubCodeText(), "SUI.BE.SCB");
    EXPECT_EQ(heats->participantName(true), "Anna KELLER");

    // Lea has no ENTRIES: asking for the entry time adds ENTRIES with an ENTRY for the EID.
    TLnxObject& lea = *athlete(101)->node()->asObject();
    EXPECT_FALSE(lea.hasChild(tag::ENTRIES));
    const auto invalid = result(101, 20);
    EXPECT_EQ(invalid->entryTime(), 0);
    EXPECT_EQ(invalid->entryTimeText(), "NT");
    EXPECT_EQ(invalid->resultTimeText(), "59.00");
    ASSERT_TRUE(lea.hasChild(tag::ENTRIES));
    EXPECT_EQ(lea.findCollection(tag::ENTRIES)->itemAt(0)->getInteger(tag::EID), 20);
    EXPECT_EQ(athlete(101)->entries(lnsDocument, 0)->count(), 1);
}

TEST_F(TypedViews, SplitsByDistance)
{
    const auto splits = result(100, 10)->splits();
    std::vector<int> distances;
    for (splits->reset(); splits->hasCurrent(); splits->advance())
        distances.push_back(splits->current()->distance());
    EXPECT_EQ(distances, (std::vector<int>{50, 100, 150}));
    EXPECT_EQ(splits->timeAt(100), 57500);
    EXPECT_EQ(splits->timeAt(75), 0);
    EXPECT_EQ(splits->timeBetween(50, 150), 89990 - 27500);
    EXPECT_EQ(splits->timeBetween(0, 100), 57500);
    EXPECT_EQ(splits->timeBetween(25, 100), 0);
    EXPECT_EQ(splits->at(2)->timeText(), "1:29.99");
    EXPECT_EQ(result(100, 20)->splits()->count(), 0);
}

TEST_F(TypedViews, ParticipantCollectionsFilterAndSort)
{
    const auto anna = athlete(100);
    EXPECT_EQ(anna->results(lnsEventNumber, numberSet({lrFinal}))->at(0)->event()->id(), 20);
    EXPECT_EQ(anna->results(lnsEventNumber, numberSet({lrTimedFinal}))->count(), 0);
    const auto results = athlete(101)->results(lnsEventNumber, 0);
    EXPECT_EQ(results->at(0)->event()->id(), 10);
    EXPECT_EQ(results->at(1)->event()->id(), 20);
}

TEST_F(TypedViews, EventResultsEndWithTheWinner)
{
    // Unranked first, the higher status (DNF 4 before an invalid time 2) first among them.
    EXPECT_EQ(ownerIdsOf(*meet()->eventById(20)->results()), (std::vector<int>{102, 101, 100}));
    EXPECT_EQ(ownerIdsOf(*meet()->eventById(10)->results()), (std::vector<int>{101, 100}));
    EXPECT_EQ(ownerIdsOf(*meet()->eventById(10)->entries(nullptr, lnsEntryTime)), (std::vector<int>{100}));
    EXPECT_EQ(meet()->eventById(11)->entries(club(1).get(), lnsEventNumber)->count(), 0);
    EXPECT_EQ(meet()->eventById(11)->entries(club(0).get(), lnsEventNumber)->count(), 1);
}

TEST_F(TypedViews, RelayAndPositions)
{
    const auto relay = club(0)->relays()->at(0);
    // The club's only relay reads as the club.
    EXPECT_EQ(relay->nameText(false), "SC Bern");
    EXPECT_EQ(relay->nameText(true), "SC Bern, Women");
    EXPECT_EQ(relay->ageText(), "Open/Senior");
    const auto result = relay->results(lnsDocument, 0)->at(0);
    EXPECT_EQ(result->athlete(), nullptr);
    EXPECT_EQ(result->birthText(true), "");
    EXPECT_EQ(result->participantName(true), "SC Bern, Women");
    const auto positions = result->relayPositions();
    ASSERT_EQ(positions->count(), 2);
    EXPECT_EQ(positions->at(0)->legNumber(), 1);
    EXPECT_EQ(positions->at(0)->athlete()->firstName(), "Anna");
    EXPECT_EQ(positions->at(0)->reactionTime(), 50);
    EXPECT_EQ(positions->at(1)->athleteId(), 101);
}

TEST_F(TypedViews, ClubStatisticsCountPrelimsAndFinalOnce)
{
    const auto bern = club(0);
    const TGenderSet women = numberSet({2});
    EXPECT_EQ(bern->athleteCount(kAllGenders), 2); // Tim has no gender
    EXPECT_EQ(bern->athleteCount(numberSet({1})), 0);
    // Anna: heats and final of one event; Lea: a DNS in the heats. Tim's swim-off entry is no start.
    EXPECT_EQ(bern->startCount(women, false), 2);
    EXPECT_EQ(bern->startCount(numberSet({3}), false), 0);
    EXPECT_EQ(bern->startCount(kAllGenders, true), 1);
    // Anna won her heat (no medal) and came second in the final; the relay came third.
    EXPECT_EQ(bern->medalCount(women, 1), 0);
    EXPECT_EQ(bern->medalCount(women, 2), 1);
    EXPECT_EQ(bern->medalCount(women, 3), 1);
    EXPECT_EQ(bern->medalCount(kAllGenders, 4), 0);
}

TEST_F(TypedViews, SortSurvivesAnInconsistentCompare)
{
    TLnxCollection& node = *result(100, 20)->node()->asObject()->addCollection(tag::SPLITS);
    for (int distance = 1; distance <= 100; ++distance)
        node.newDataItem()->setAttribute(lxaDIS, std::to_string(distance % 7 * 50));
    const auto splits = result(100, 20)->splits();
    int calls = 0;
    splits->sort([&calls](const IBSLenexSplit&, const IBSLenexSplit&) { return ++calls % 3 - 1; });
    ASSERT_EQ(splits->count(), 100);
    int sum = 0;
    for (splits->reset(); splits->hasCurrent(); splits->advance())
        sum += splits->current()->distance();
    int expected = 0;
    for (int distance = 1; distance <= 100; ++distance)
        expected += distance % 7 * 50;
    EXPECT_EQ(sum, expected);
    EXPECT_EQ(splits->current(), nullptr);
    EXPECT_EQ(splits->at(100), nullptr);
}

TEST(TypedViewTeams, MemberResultIsTheLeagueEvent)
{
    const auto root = parse(R"(<LENEX><COMPETITIONS><COMPETITION><PERIODS><PERIOD><EVENTS>
<EVENT id="1020"><NUM>1</NUM></EVENT><EVENT id="20"><NUM>2</NUM></EVENT></EVENTS></PERIOD></PERIODS>
<CLUBS><CLUB><PERSONS><PERSON id="5"><SEX>F</SEX><RESULTS><RESULT><EID>20</EID></RESULT>
<RESULT><EID>1020</EID><RANK>4</RANK></RESULT></RESULTS></PERSON></PERSONS>
<TEAMS><TEAM><NUM>1</NUM><CODE>promotion</CODE><SEX>F</SEX><ENTRIES><ENTRY><PID>5</PID><NUM>2</NUM></ENTRY>
<ENTRY><PID>5</PID><NUM>3</NUM></ENTRY></ENTRIES></TEAM></TEAMS></CLUB></CLUBS>
</COMPETITION></COMPETITIONS></LENEX>)");
    const auto meet = lenexView<IBSLenexMeet>(competitionOf(*root));
    const auto team = meet->clubs(lcsDocument)->at(0)->teams()->at(0);
    EXPECT_EQ(team->leagueNumber(), 2);
    const auto members = team->members();
    ASSERT_EQ(members->count(), 2);
    // Female member number 2: event ((2 - 1) * 100 + 2) * 10 = 1020.
    EXPECT_EQ(members->at(0)->result()->rank(), 4);
    EXPECT_EQ(members->at(1)->result(), nullptr);
}

TEST(TypedViewSample, AutumnOpen)
{
    const std::filesystem::path file = std::filesystem::path(LANESCOPE_SAMPLES_DIR) / "autumn-open-2026.lef";
    if (!std::filesystem::exists(file))
        GTEST_SKIP() << "sample meet missing";
    base::setCurrentFormatSettings(base::TFormatSettings{});
    TLenex document;
    document.load(file.string());
    ASSERT_TRUE(document.errors().empty());
    const auto meet = lenexView<IBSLenexMeet>(competitionOf(*document.root()));
    EXPECT_EQ(meet->name(), "Autumn Open 2026");
    EXPECT_EQ(meet->contact()->fullName(), "Jörg Petersen");
    EXPECT_EQ(meet->pointTable()->version(), "2026");

    const auto clubs = meet->clubs(lcsName);
    EXPECT_EQ(clubs->at(0)->name(), "Club Nautique Belle-Île");
    const auto luebeck = meet->clubs(lcsDocument)->at(0);
    EXPECT_EQ(luebeck->nameText(), "SC Möwe Lübeck (GER.SCML)");
    EXPECT_EQ(luebeck->athleteCount(numberSet({1})), 4);
    EXPECT_EQ(luebeck->athleteCount(numberSet({2})), 4);

    const auto relayEvent = meet->eventById(107);
    EXPECT_EQ(relayEvent->title(), "7. 4x100m Freestyle Relay, Women");
    const auto results = relayEvent->results();
    ASSERT_GT(results->count(), 0);
    EXPECT_EQ(results->at(results->count() - 1)->placeText(), "1.");

    const auto kiel = meet->clubs(lcsDocument)->at(1)->relays()->at(0)->results(lnsDocument, 0)->at(0);
    EXPECT_EQ(kiel->placeText(), "3.");
    EXPECT_EQ(kiel->splits()->timeBetween(100, 200), 123080 - 60010);
    EXPECT_EQ(kiel->relayPositions()->at(2)->athleteId(), 1010);
}

} // namespace
} // namespace lanescope::swim
