#include "convert/VnxLenexConverterLenex3.h"

#include "base/FormatSettings.h"
#include "base/Strings.h"
#include "convert/Lenex3Text.h"
#include "convert/Lenex3Values.h"
#include "lenex/LnxSwimStyle.h"
#include "swim/ResultRankings.h"
#include "swim/SwimCodes.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <pugixml.hpp>
#include <stdexcept>

namespace lanescope::convert {

using namespace lenex;

namespace {

std::string_view attributeOf(const pugi::xml_node& node, const char* name)
{
    return base::trimView(node.attribute(name).value());
}

// The attribute's integer; nothing when it is missing or no integer. One lookup serves test and value.
std::optional<int> integerIn(const pugi::xml_node& node, const char* name)
{
    const std::string_view text = attributeOf(node, name);
    if (!base::isInteger(text))
        return std::nullopt;
    return base::strToIntDef(text, 0);
}

int integerOf(const pugi::xml_node& node, const char* name, int fallback)
{
    return base::strToIntDef(attributeOf(node, name), fallback);
}

void copyText(TLnxAbstractObject& target, TLnxTagId tag, const pugi::xml_node& source, const char* name)
{
    if (const std::string_view value = attributeOf(source, name); !value.empty())
        target.setText(tag, std::string(value));
}

void copyInteger(TLnxAbstractObject& target, TLnxTagId tag, const pugi::xml_node& source, const char* name)
{
    if (const std::optional<int> value = integerIn(source, name))
        target.setInteger(tag, *value);
}

void copyDate(TLnxAbstractObject& target, TLnxTagId tag, const pugi::xml_node& source, const char* name)
{
    if (std::string date = lenex3::dateText(attributeOf(source, name)); !date.empty())
        target.setText(tag, std::move(date));
}

void copyDaytime(TLnxAbstractObject& target, const pugi::xml_node& source)
{
    if (std::string time = lenex3::daytimeText(attributeOf(source, "daytime")); !time.empty())
        target.setText(tag::TIME, std::move(time));
}

void copyReactionTime(TLnxAbstractObject& target, const pugi::xml_node& source)
{
    const char separator = base::currentFormatSettings().decimalSeparator;
    if (std::string rt = lenex3::reactionTimeText(attributeOf(source, "reactiontime"), separator);
        !rt.empty())
        target.setText(tag::RT, std::move(rt));
}

void copyStatus(TLnxAbstractObject& target, const pugi::xml_node& source)
{
    if (const std::string_view status = attributeOf(source, "status"); !status.empty())
        target.setText(tag::CODE, lenex3::statusCode(status));
}

void addContact(TLnxAbstractObject& owner, const pugi::xml_node& contact)
{
    if (!contact)
        return;
    TLnxObject* target = owner.addObject(tag::CONTACT);
    copyText(*target, tag::NAME, contact, "name");
    copyText(*target, tag::STREET, contact, "street");
    copyText(*target, tag::STREET2, contact, "street2");
    copyText(*target, tag::ZIP, contact, "zip");
    copyText(*target, tag::PLACE, contact, "city");
    copyText(*target, tag::STATE, contact, "state");
    copyText(*target, tag::PHONE, contact, "phone");
    copyText(*target, tag::FAX, contact, "fax");
    copyText(*target, tag::EMAIL, contact, "email");
    copyText(*target, tag::INTERNET, contact, "internet");
}

void addPositions(TLnxAbstractObject& swim, const pugi::xml_node& source)
{
    const pugi::xml_node positions = source.child("RELAYPOSITIONS");
    if (!positions)
        return;
    TLnxCollection* target = swim.addCollection(tag::POSITIONS);
    for (const pugi::xml_node& position : positions.children("RELAYPOSITION")) {
        TLnxObject* item = target->newItem();
        copyInteger(*item, tag::NUM, position, "number");
        copyInteger(*item, tag::PID, position, "athleteid");
        copyReactionTime(*item, position);
        copyStatus(*item, position);
    }
}

// Ages become years of birth against the reference year; -1 (no bound) stays -1.
int birthYear(int referenceYear, int age) { return age == -1 ? -1 : referenceYear - age; }

void setAgeRange(TLnxObject& group, int referenceYear, int ageMin, int ageMax)
{
    group.setInteger(tag::MAX, birthYear(referenceYear, ageMin));
    group.setInteger(tag::MIN, birthYear(referenceYear, ageMax));
}

// Every style the fixed lists know is written as the converters write styles; the rest (a distance of 75 m,
// a relay of seven) keeps its numbers as they stand rather than ending the conversion.
void writeStyle(TLnxObject& event, const pugi::xml_node& swimStyle, int sexIndex)
{
    const int distance = integerOf(swimStyle, "distance", 0);
    const int relayCount = std::max(1, integerOf(swimStyle, "relaycount", 1));
    TSwimStyle style;
    style.styleId = integerOf(swimStyle, "swimstyleid", 0);
    style.relayCountIndex = relayCountIndexOf(relayCount);
    style.distanceIndex = distanceIndexOf(distance);
    style.strokeIndex = lenex3::strokeIndexOf(attributeOf(swimStyle, "stroke"));
    style.name = attributeOf(swimStyle, "name");
    if (style.name.empty())
        style.name = attributeOf(swimStyle, "stroke");
    if (style.relayCountIndex >= 0 && style.distanceIndex >= 0) {
        event.writeSwimStyle(style, sexIndex);
    } else {
        event.setInteger(tag::DIS, distance);
        event.setText(tag::STR, std::string(kStrokeCodes[style.strokeIndex]));
        if (style.strokeIndex == kSpecialStroke) {
            event.findChild(tag::STR)->setAttribute(lxaID, std::to_string(style.styleId));
            event.setText(tag::NAME, style.name);
        }
    }
    event.setInteger(tag::DISCNT, relayCount);
}

int sexIndexOf(const std::string& sex) { return sex == "M" ? 0 : sex == "F" ? 1 : 2; }

// The pool of a meet: its own course, else the first session's, else a 50 m pool (the tree's default).
int meetPoolIndex(const pugi::xml_node& meet)
{
    if (const int pool = lenex3::poolIndexOfCourse(attributeOf(meet, "course")); pool >= 0)
        return pool;
    for (const pugi::xml_node& session : meet.child("SESSIONS").children("SESSION"))
        if (const int pool = lenex3::poolIndexOfCourse(attributeOf(session, "course")); pool >= 0)
            return pool;
    return 1;
}

// Ages count against the year of the age date, else of the latest session.
int referenceYearOf(const pugi::xml_node& meet)
{
    if (const int year = lenex3::yearOf(attributeOf(meet.child("AGEDATE"), "value")); year > 0)
        return year;
    int latest = 0;
    for (const pugi::xml_node& session : meet.child("SESSIONS").children("SESSION"))
        latest = std::max(latest, lenex3::yearOf(attributeOf(session, "date")));
    return latest;
}

// The largest ids the file gives, so events and athletes without one get ids above them. Ids beyond the
// cap are taken as the cap, so counting on from it cannot overflow.
constexpr int kLargestFileId = 1 << 30;

int largestEventId(const pugi::xml_node& sessions)
{
    int largest = 0;
    for (const pugi::xml_node& session : sessions.children("SESSION"))
        for (const pugi::xml_node& event : session.child("EVENTS").children("EVENT"))
            largest = std::max(largest, integerOf(event, "eventid", 0));
    return std::min(largest, kLargestFileId);
}

int largestAthleteId(const pugi::xml_node& clubs)
{
    int largest = 0;
    for (const pugi::xml_node& club : clubs.children("CLUB"))
        for (const pugi::xml_node& athlete : club.child("ATHLETES").children("ATHLETE"))
            largest = std::max(largest, integerOf(athlete, "athleteid", 0));
    return std::min(largest, kLargestFileId);
}

} // namespace

void TVnxLenexConverterLenex3::Load(const std::string& fileName)
{
    runGuarded("LENEX3", [&] { Convert(fileName); });
}

void TVnxLenexConverterLenex3::Convert(const std::string& fileName)
{
    pugi::xml_document xml;
    {
        const std::string text = lenex3::readLenexText(fileName);
        FLines = lenex3::LineTable(text);
        const pugi::xml_parse_result parsed =
            xml.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!parsed)
            throw std::runtime_error(swim::formatText(
                "Line %d: %s", {FLines.lineOf(parsed.offset), std::string_view(parsed.description())}));
    }
    const pugi::xml_node root = xml.document_element();
    if (std::string_view(root.name()) != "LENEX")
        throw std::runtime_error("No LENEX - File !");
    const pugi::xml_node constructor = root.child("CONSTRUCTOR");
    NewDocument(std::string(attributeOf(constructor, "name")),
                std::string(attributeOf(constructor, "version")), std::string(attributeOf(root, "version")));
    for (const pugi::xml_node& meet : root.child("MEETS").children("MEET"))
        ConvertMeet(meet);
    AddLists(root);
}

// Record lists and time standards keep their names as RECORDLISTs of the root (time standards with TYPE
// "TIMESTANDARD"), so a file that holds only them can say so instead of looking empty.
void TVnxLenexConverterLenex3::AddLists(const pugi::xml_node& root)
{
    const struct
    {
        const char* collection;
        const char* item;
        const char* type;
    } kinds[] = {{"RECORDLISTS", "RECORDLIST", ""},
                 {"TIMESTANDARDLISTS", "TIMESTANDARDLIST", "TIMESTANDARD"}};
    for (const auto& kind : kinds)
        for (const pugi::xml_node& list : root.child(kind.collection).children(kind.item)) {
            TLnxObject* target = FDocument.root()->findOrAddCollection(tag::RECORDLISTS)->newItem();
            SetLine(*target, list);
            copyText(*target, tag::NAME, list, "name");
            if (*kind.type != '\0')
                target->setText(tag::TYPE, kind.type);
        }
}

void TVnxLenexConverterLenex3::SetLine(TLnxAbstractElement& target, const pugi::xml_node& source) const
{
    target.setLine(FLines.lineOf(source.offset_debug()));
}

void TVnxLenexConverterLenex3::ConvertMeet(const pugi::xml_node& meet)
{
    TLnxObject* competition = AddCompetition(std::string(attributeOf(meet, "name")), meetPoolIndex(meet));
    SetLine(*competition, meet);
    copyText(*competition, tag::PLACE, meet, "city");
    copyText(*competition, tag::NATION, meet, "nation");
    copyText(*competition, tag::ORGANIZER, meet, "organizer");
    copyDate(*competition, tag::DEADLINE, meet, "deadline");
    competition->setText(tag::TI, lenex3::timingCode(attributeOf(meet, "timing")));
    copyDate(*competition, tag::AGEDATE, meet.child("AGEDATE"), "value");
    const pugi::xml_node pool = meet.child("POOL");
    copyInteger(*competition, tag::LANEMIN, pool, "lanemin");
    copyInteger(*competition, tag::LANEMAX, pool, "lanemax");
    copyText(*competition, tag::POOLNAME, pool, "name");
    if (const pugi::xml_node pointTable = meet.child("POINTTABLE")) {
        TLnxObject* target = competition->addObject(tag::POINTTABLE);
        target->setId(integerOf(pointTable, "pointtableid", 0));
        copyText(*target, tag::NAME, pointTable, "name");
        copyText(*target, tag::VERSION, pointTable, "version");
    }
    addContact(*competition, meet.child("CONTACT"));

    const pugi::xml_node sessions = meet.child("SESSIONS");
    const pugi::xml_node clubs = meet.child("CLUBS");
    FRankings.clear();
    FHeatNumbers.clear();
    FRaceDistances.clear();
    FRelayId = 0;
    FNextEventId = largestEventId(sessions) + 1;
    FNextAthleteId = largestAthleteId(clubs) + 1;

    // Sessions first, whatever the order in the file: results take their ranks and heats from the events.
    const int referenceYear = referenceYearOf(meet);
    TLnxCollection* periods = competition->findCollection(tag::PERIODS);
    for (const pugi::xml_node& session : sessions.children("SESSION"))
        ConvertSession(session, *periods, referenceYear);
    TLnxCollection* targetClubs = competition->findCollection(tag::CLUBS);
    for (const pugi::xml_node& club : clubs.children("CLUB"))
        ConvertClub(club, *targetClubs, referenceYear);
}

void TVnxLenexConverterLenex3::ConvertSession(const pugi::xml_node& session, TLnxCollection& periods,
                                              int referenceYear)
{
    TLnxObject* period = periods.newItem();
    SetLine(*period, session);
    copyInteger(*period, tag::NUM, session, "number");
    copyDate(*period, tag::DATE, session, "date");
    copyDaytime(*period, session);
    copyText(*period, tag::NAME, session, "name");
    if (const int pool = lenex3::poolIndexOfCourse(attributeOf(session, "course")); pool >= 0)
        period->setPoolIndex(pool);
    const pugi::xml_node pool = session.child("POOL");
    copyInteger(*period, tag::LANEMIN, pool, "lanemin");
    copyInteger(*period, tag::LANEMAX, pool, "lanemax");
    TLnxCollection* events = period->addCollection(tag::EVENTS);
    for (const pugi::xml_node& event : session.child("EVENTS").children("EVENT"))
        ConvertEvent(event, *events, referenceYear);
}

void TVnxLenexConverterLenex3::ConvertEvent(const pugi::xml_node& event, TLnxCollection& events,
                                            int referenceYear)
{
    TLnxObject* target = events.newItem();
    SetLine(*target, event);
    const std::optional<int> eventId = integerIn(event, "eventid");
    target->setId(eventId ? *eventId : FNextEventId++);
    copyInteger(*target, tag::NUM, event, "number");
    copyInteger(*target, tag::ORDER, event, "order");
    copyDaytime(*target, event);
    const std::string sex = lenex3::sexCode(attributeOf(event, "gender"));
    if (const pugi::xml_node swimStyle = event.child("SWIMSTYLE")) {
        writeStyle(*target, swimStyle, sexIndexOf(sex));
        const std::int64_t race =
            std::int64_t{target->getInteger(tag::DIS)} * std::int64_t{target->getInteger(tag::DISCNT)};
        FRaceDistances[target->id()] = race > 0 && race <= INT32_MAX ? static_cast<int>(race) : 0;
    }
    target->setText(tag::SEX, sex);
    const std::string_view round = attributeOf(event, "round");
    target->setText(tag::TYPE, std::string(round.empty() ? kDefaultRound : round));
    target->setInteger(tag::PEID, integerOf(event, "preveventid", -1));
    const pugi::xml_node fee = event.child("FEE");
    if (const std::optional<int> value = integerIn(fee, "value")) {
        target->setInteger(tag::FEE, *value);
        if (const std::string_view currency = attributeOf(fee, "currency"); !currency.empty())
            target->findChild(tag::FEE)->setAttribute(lxaCURRENCY, std::string(currency));
    }

    for (const pugi::xml_node& group : event.child("AGEGROUPS").children("AGEGROUP")) {
        TLnxObject* category = target->findOrAddCollection(tag::CATS)->newItem();
        SetLine(*category, group);
        const int id = integerOf(group, "agegroupid", 0);
        const int ageMin = integerOf(group, "agemin", -1);
        const int ageMax = integerOf(group, "agemax", -1);
        category->setId(id);
        copyText(*category, tag::NAME, group, "name");
        copyText(*category, tag::SEX, group, "gender");
        setAgeRange(*category, referenceYear, ageMin, ageMax);
        const int width = (ageMax == -1 ? 99 : ageMax) - (ageMin == -1 ? 0 : ageMin);
        for (const pugi::xml_node& ranking : group.child("RANKINGS").children("RANKING"))
            if (const std::optional<int> resultId = integerIn(ranking, "resultid"))
                FRankings[*resultId].push_back({integerOf(ranking, "place", 0), id, width});
    }
    for (const pugi::xml_node& heat : event.child("HEATS").children("HEAT"))
        if (const std::optional<int> heatId = integerIn(heat, "heatid"))
            if (const std::optional<int> number = integerIn(heat, "number"))
                FHeatNumbers[*heatId] = *number;
}

void TVnxLenexConverterLenex3::ConvertClub(const pugi::xml_node& club, TLnxCollection& clubs,
                                           int referenceYear)
{
    TLnxObject* target = clubs.newItem();
    SetLine(*target, club);
    copyText(*target, tag::NAME, club, "name");
    copyText(*target, tag::CODE, club, "code");
    copyText(*target, tag::NATION, club, "nation");
    copyText(*target, tag::LSC, club, "region");
    const std::string_view type = attributeOf(club, "type");
    if (type == "NATIONALTEAM")
        target->setText(tag::TYPE, "NATION");
    else if (type == "REGIONALTEAM")
        target->setText(tag::TYPE, "REGION");
    addContact(*target, club.child("CONTACT"));
    TLnxCollection* persons = target->addCollection(tag::PERSONS);
    TLnxCollection* relays = target->addCollection(tag::RELAYS);
    for (const pugi::xml_node& athlete : club.child("ATHLETES").children("ATHLETE"))
        ConvertAthlete(athlete, *persons);
    for (const pugi::xml_node& relay : club.child("RELAYS").children("RELAY"))
        ConvertRelay(relay, *relays, referenceYear);
}

void TVnxLenexConverterLenex3::ConvertAthlete(const pugi::xml_node& athlete, TLnxCollection& persons)
{
    TLnxObject* person = persons.newItem();
    SetLine(*person, athlete);
    const std::optional<int> athleteId = integerIn(athlete, "athleteid");
    person->setId(athleteId ? *athleteId : FNextAthleteId++);
    std::string name(attributeOf(athlete, "lastname"));
    if (const std::string_view prefix = attributeOf(athlete, "nameprefix"); !prefix.empty())
        name = std::string(prefix) + " " + name;
    if (!name.empty())
        person->setText(tag::NAME, std::move(name));
    copyText(*person, tag::FNAME, athlete, "firstname");
    copyText(*person, tag::SEX, athlete, "gender");
    copyDate(*person, tag::BIRTHDATE, athlete, "birthdate");
    if (const int year = lenex3::yearOf(attributeOf(athlete, "birthdate")); year > 0)
        person->setInteger(tag::YOB, year);
    copyText(*person, tag::LICENSE, athlete, "license");
    copyText(*person, tag::NATION, athlete, "nation");
    copyText(*person, tag::PASSPORT, athlete, "passport");
    ConvertSwims(athlete, *person);
}

void TVnxLenexConverterLenex3::ConvertRelay(const pugi::xml_node& relay, TLnxCollection& relays,
                                            int referenceYear)
{
    TLnxObject* target = relays.newItem();
    SetLine(*target, relay);
    target->setId(++FRelayId);
    copyInteger(*target, tag::NUM, relay, "number");
    copyText(*target, tag::NAME, relay, "name");
    copyText(*target, tag::SEX, relay, "gender");
    // A relay of summed ages gives its bounds as totals and leaves the single ages open.
    int ageMin = integerOf(relay, "agemin", -1);
    int ageMax = integerOf(relay, "agemax", -1);
    const int totalMin = integerOf(relay, "agetotalmin", -1);
    const int totalMax = integerOf(relay, "agetotalmax", -1);
    if (ageMin == -1 && ageMax == -1 && (totalMin != -1 || totalMax != -1)) {
        ageMin = totalMin;
        ageMax = totalMax;
    }
    setAgeRange(*target->addObject(tag::CAT), referenceYear, ageMin, ageMax);
    ConvertSwims(relay, *target);
}

void TVnxLenexConverterLenex3::ConvertSwims(const pugi::xml_node& owner, TLnxObject& target)
{
    if (const pugi::xml_node entries = owner.child("ENTRIES")) {
        TLnxCollection* list = target.addCollection(tag::ENTRIES);
        for (const pugi::xml_node& entry : entries.children("ENTRY"))
            ConvertEntry(entry, *list);
    }
    if (const pugi::xml_node results = owner.child("RESULTS")) {
        TLnxCollection* list = target.addCollection(tag::RESULTS);
        for (const pugi::xml_node& result : results.children("RESULT"))
            ConvertResult(result, *list);
    }
}

int TVnxLenexConverterLenex3::HeatOf(const pugi::xml_node& swim) const
{
    if (const std::optional<int> heat = integerIn(swim, "heat"))
        return *heat;
    const auto heat = FHeatNumbers.find(integerOf(swim, "heatid", 0));
    return heat == FHeatNumbers.end() ? 0 : heat->second;
}

void TVnxLenexConverterLenex3::ConvertEntry(const pugi::xml_node& entry, TLnxCollection& entries)
{
    TLnxObject* target = entries.newItem();
    SetLine(*target, entry);
    copyInteger(*target, tag::EID, entry, "eventid");
    if (const TSwimTime time = lenex3::swimTime(attributeOf(entry, "entrytime")); time > 0)
        target->setLenexTime(tag::TIME, tkEntry, time);
    if (const int heat = HeatOf(entry); heat > 0)
        target->setInteger(tag::HEAT, heat);
    copyInteger(*target, tag::LANE, entry, "lane");
    if (const pugi::xml_node meetInfo = entry.child("MEETINFO")) {
        TLnxObject* info = target->addObject(tag::MEETINFO);
        copyDate(*info, tag::DATE, meetInfo, "date");
        copyText(*info, tag::PLACE, meetInfo, "city");
        copyText(*info, tag::NATION, meetInfo, "nation");
    }
    addPositions(*target, entry);
}

void TVnxLenexConverterLenex3::SetRankings(TLnxObject& target, const pugi::xml_node& result) const
{
    const std::optional<int> resultId = integerIn(result, "resultid");
    const auto found = resultId ? FRankings.find(*resultId) : FRankings.end();
    if (found == FRankings.end()) {
        copyInteger(target, tag::RANK, result, "place");
        return;
    }
    // A swim ranked in several age groups (an open class and an age class) belongs to the narrowest for
    // counting; of equal ones the first in the file. It keeps its place in every other list as well.
    const std::vector<Ranking>& rankings = found->second;
    const auto narrowest =
        std::min_element(rankings.begin(), rankings.end(),
                         [](const Ranking& a, const Ranking& b) { return a.width < b.width; });
    target.setInteger(tag::RANK, narrowest->place);
    target.setInteger(tag::CID, narrowest->ageGroupId);
    for (const Ranking& ranking : rankings)
        if (&ranking != &*narrowest)
            swim::addResultRanking(target, ranking.ageGroupId, ranking.place);
}

void TVnxLenexConverterLenex3::ConvertResult(const pugi::xml_node& result, TLnxCollection& results)
{
    TLnxObject* target = results.newItem();
    SetLine(*target, result);
    copyInteger(*target, tag::EID, result, "eventid");
    const std::string_view status = attributeOf(result, "status");
    const TSwimTime time = lenex3::swimTime(attributeOf(result, "swimtime"));
    if (time > 0)
        target->setLenexTime(tag::TIME,
                             swim::isKnownStatusCode(lenex3::statusCode(status)) ? tkInvalid : tkValid, time);
    copyStatus(*target, result);
    SetRankings(*target, result);
    copyInteger(*target, tag::POINTS, result, "points");
    copyReactionTime(*target, result);
    copyInteger(*target, tag::LANE, result, "lane");
    if (const int heat = HeatOf(result); heat > 0)
        target->setInteger(tag::HEAT, heat);
    copyText(*target, tag::COMMENT, result, "comment");
    AddSplits(*target, result, time);
    addPositions(*target, result);
}

void TVnxLenexConverterLenex3::AddSplits(TLnxObject& target, const pugi::xml_node& result,
                                         TSwimTime time) const
{
    const pugi::xml_node splits = result.child("SPLITS");
    if (!splits)
        return;
    TLnxCollection* list = target.addCollection(tag::SPLITS);
    const auto race = FRaceDistances.find(integerOf(result, "eventid", 0));
    const int raceDistance = race == FRaceDistances.end() ? 0 : race->second;
    bool finishGiven = false;
    for (const pugi::xml_node& split : splits.children("SPLIT")) {
        const int distance = integerOf(split, "distance", 0);
        finishGiven = finishGiven || distance == raceDistance;
        TLnxDataElement* item = list->newDataItem();
        item->setAttribute(lxaDIS, std::to_string(distance));
        if (const TSwimTime splitTime = lenex3::swimTime(attributeOf(split, "swimtime")); splitTime > 0)
            item->setValue(lenexTimeWrite(tkValid, splitTime));
    }
    // Writers leave out the split at the finish, but the last lap and the last relay leg are measured up to
    // it: the swim time stands in for it.
    if (list->childCount() > 0 && !finishGiven && raceDistance > 0 && time > 0) {
        TLnxDataElement* finish = list->newDataItem();
        finish->setAttribute(lxaDIS, std::to_string(raceDistance));
        finish->setValue(lenexTimeWrite(tkValid, time));
    }
}

} // namespace lanescope::convert
