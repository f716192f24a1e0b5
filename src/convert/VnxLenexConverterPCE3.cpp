#include "convert/VnxLenexConverterPCE3.h"

#include "base/Strings.h"
#include "base/TextCase.h"
#include "convert/Pce3Tables.h"
#include "lenex/LnxElement.h"
#include "swim/SwimStyle.h"

#include <algorithm>
#include <stdexcept>

namespace lanescope::convert {

using namespace lenex;
using pce3::columns;
using pce3::columnText;

namespace {

// Interval of the split columns by the whole race distance; 0 for races without splits.
int splitInterval(int total)
{
    switch (total) {
    case 100:
    case 200:
    case 400:
        return 50;
    case 800:
    case 1000:
    case 1500:
        return 100;
    default:
        return 0;
    }
}

std::string decoded(std::string_view raw) { return pce3::columnText(raw, 1, static_cast<int>(raw.size())); }

// Region and club code are kept only when they are no number, or a non-zero number of a federation that
// numbers its clubs.
std::string clubPart(std::string_view clubKey, int first, int last, std::string_view nation)
{
    std::string text = columnText(clubKey, first, last);
    if (base::isInteger(text)) {
        const std::int32_t number = base::strToIntDef(text, 0);
        const bool numbering =
            !nation.empty() &&
            std::string_view(";FRA;BEL;ITA;").find(";" + std::string(nation) + ";") != std::string_view::npos;
        if (number == 0 || (number > 0 && !numbering))
            text.clear();
    }
    return text;
}

} // namespace

void TVnxLenexConverterPCE3::KeyedTable::load(std::vector<std::string> tableLines, int keyLength)
{
    lines = std::move(tableLines);
    firstByKey.clear();
    for (std::size_t i = 0; i < lines.size(); ++i)
        firstByKey.emplace(std::string(columns(lines[i], 1, keyLength)), i);
}

const std::string* TVnxLenexConverterPCE3::KeyedTable::find(std::string_view key) const
{
    const auto it = firstByKey.find(std::string(key));
    return it == firstByKey.end() ? nullptr : &lines[it->second];
}

void TVnxLenexConverterPCE3::Load(const std::string& fileName)
{
    FSource = fileName;
    FCompetitionMap.clear();
    FCompetitions = nullptr;
    runGuarded("PCE3", [this] { convert(); });
    FLicenceTable = {};
    FClubTable = {};
    FRelaisTable = {};
    FEvents.clear();
    FLastEventNumber.clear();
    FSessions.clear();
    FClubs.clear();
    FPersons.clear();
    FRelays.clear();
}

std::vector<std::string> TVnxLenexConverterPCE3::ReadTable(const std::string& name) const
{
    return pce3::tableLines(pce3::readTableText(FSource, name));
}

void TVnxLenexConverterPCE3::convert()
{
    const std::string origine = pce3::readTableText(FSource, "origine");
    NewDocument(columnText(origine, 1, 50), {}, "3");

    const std::vector<std::string> rcomp = ReadTable("rcomp");
    for (std::size_t i = 0; i < rcomp.size(); ++i) {
        const std::string& line = rcomp[i];
        TLnxObject* competition =
            AddCompetition(columnText(line, 5, 44), columns(line, 91, 92) == "25" ? 0 : 1);
        const int number = static_cast<int>(i) + 1;
        competition->setId(number);
        FCompetitionMap[std::string(columns(line, 1, 3))] = number;
        competition->setText(tag::PLACE, columnText(line, 61, 90));
    }
    FCompetitions = FDocument.root()->findCollection(tag::COMPETITIONS);

    FLicenceTable.load(ReadTable("licence"), 19);
    FClubTable.load(ReadTable("club"), 13);
    FRelaisTable.load(ReadTable("relais"), 24);
    FEventCounter = 0;
    FAthleteCounter = 0;

    for (const std::string& line : ReadTable("pcomp")) {
        TLnxObject* event = SessionFor(line)->findCollection(tag::EVENTS)->newItem();
        event->setId(++FEventCounter);
        event->setInteger(tag::PEID, -1);
        const std::int32_t number = pce3::readInteger(columns(line, 18, 19));
        event->setInteger(tag::NUM, number);
        const pce3::EventCode code = pce3::decodeEventCode(columns(line, 4, 5));
        event->writeSwimStyle(code.style, code.sexIndex);
        const TLnxObject* competition = CompetitionByCode(columns(line, 1, 3));
        indexEvent(*competition, *event, code);
        int& lastNumber = FLastEventNumber[competition];
        lastNumber = std::max(lastNumber, number);
    }

    for (const std::string& line : ReadTable("engag")) {
        const TLnxObject* event = FindOrAddEvent(columns(line, 1, 5), ' ');
        TLnxObject* entry = OwnerFor(*event, columns(line, 1, 3), columns(line, 6, 24))
                                ->findOrAddCollection(tag::ENTRIES)
                                ->newItem();
        entry->setInteger(tag::EID, event->id());
        const std::string time =
            std::string(columns(line, 25, 29)) + "." + std::string(columns(line, 30, 31));
        entry->setLenexTime(tag::TIME, tkEntry, parseSwimTime(time));
    }

    for (const std::string& line : ReadTable("prres")) {
        // Times from "91" on are codes for races without a time.
        const std::string_view minutes = columns(line, 30, 31);
        if (base::trimView(minutes).empty() || minutes >= "91")
            continue;
        const std::string_view round = columns(line, 6, 6);
        const TLnxObject* event = FindOrAddEvent(columns(line, 1, 5), round.empty() ? ' ' : round.front());
        TLnxObject* result = OwnerFor(*event, columns(line, 1, 3), columns(line, 11, 29))
                                 ->findOrAddCollection(tag::RESULTS)
                                 ->newItem();
        result->setInteger(tag::EID, event->id());
        result->setInteger(tag::RANK, -1);
        const std::string time =
            std::string(columns(line, 30, 34)) + "." + std::string(columns(line, 35, 36));
        result->setLenexTime(tag::TIME, tkValid, parseSwimTime(time));
        AddSplits(line, *event, *result);
        if (event->getInteger(tag::DISCNT) > 1)
            AddRelaySwimmers(std::string(columns(line, 1, 5)) + std::string(columns(line, 11, 29)), *result);
    }

    FinalPass();
}

TLnxObject* TVnxLenexConverterPCE3::CompetitionByCode(std::string_view code) const
{
    if (!FCompetitions || FCompetitions->childCount() == 0)
        throw std::runtime_error("Table rcomp holds no competition for the code \"" + decoded(code) + "\"");
    // Competition n is the n-th item of the collection.
    const auto it = FCompetitionMap.find(code);
    if (it != FCompetitionMap.end() && it->second <= FCompetitions->childCount())
        return FCompetitions->itemAt(it->second - 1);
    return FCompetitions->itemAt(FCompetitions->childCount() - 1);
}

TLnxObject* TVnxLenexConverterPCE3::SessionFor(std::string_view pcompLine)
{
    TLnxObject* competition = CompetitionByCode(columns(pcompLine, 1, 3));
    const double date = pce3::readDate(columns(pcompLine, 6, 13));
    TLnxObject*& session = FSessions[{competition, date}];
    if (!session) {
        TLnxCollection* periods = competition->findOrAddCollection(tag::PERIODS);
        session = periods->newItem();
        session->setInteger(tag::NUM, periods->childCount());
        session->setDate(tag::DATE, date);
        session->addCollection(tag::EVENTS);
    }
    return session;
}

void TVnxLenexConverterPCE3::indexEvent(const TLnxObject& competition, TLnxObject& event,
                                        const pce3::EventCode& code)
{
    const TLnxObject* session = event.parent()->parent()->asObject();
    const EventOrder order{session->getInteger(tag::NUM), event.parent()->childCount()};
    EventSlot& slot = FEvents[{&competition, code.style.relayCountIndex, code.style.distanceIndex,
                               code.style.strokeIndex, code.sexIndex}];
    const std::string& type = event.getText(tag::TYPE);
    const auto first = slot.firstByType.find(type);
    if (first == slot.firstByType.end())
        slot.firstByType.emplace(type, std::make_pair(order, &event));
    else if (order < first->second.first)
        first->second = {order, &event};
    if (order > slot.last.first)
        slot.last = {order, &event};
}

// Events are looked up by style and sex index, in session order. Mixed events carry no SEX; keying by the
// sex index lets their entries and results find them as well.
TLnxObject* TVnxLenexConverterPCE3::FindOrAddEvent(std::string_view code, char round)
{
    const std::string_view type = pce3::roundType(round);
    const pce3::EventCode eventCode = pce3::decodeEventCode(columns(code, 4, 5));
    TLnxObject* competition = CompetitionByCode(columns(code, 1, 3));
    EventSlot& slot = FEvents[{competition, eventCode.style.relayCountIndex, eventCode.style.distanceIndex,
                               eventCode.style.strokeIndex, eventCode.sexIndex}];
    if (const auto found = slot.firstByType.find(type); found != slot.firstByType.end())
        return found->second.second;

    const TLnxObject* followed = slot.last.second;
    TLnxObject* event = nullptr;
    if (followed) {
        event = followed->parent()->asCollection()->newItem();
        event->setId(++FEventCounter);
        event->setInteger(tag::PEID, followed->id());
        event->setInteger(tag::NUM, followed->getInteger(tag::NUM));
    } else {
        event = AddUnplannedEvent(*competition);
    }
    event->setText(tag::TYPE, std::string(type));
    event->writeSwimStyle(eventCode.style, eventCode.sexIndex);
    indexEvent(*competition, *event, eventCode);
    return event;
}

TLnxObject* TVnxLenexConverterPCE3::AddUnplannedEvent(TLnxObject& competition)
{
    TLnxCollection* periods = competition.findOrAddCollection(tag::PERIODS);
    TLnxObject* period = periods->childCount() > 0 ? periods->itemAt(periods->childCount() - 1) : nullptr;
    if (!period) {
        period = periods->newItem();
        period->setInteger(tag::NUM, periods->childCount());
    }
    TLnxObject* event = period->findOrAddCollection(tag::EVENTS)->newItem();
    event->setId(++FEventCounter);
    event->setInteger(tag::PEID, -1);
    event->setInteger(tag::NUM, ++FLastEventNumber[&competition]);
    return event;
}

TLnxObject* TVnxLenexConverterPCE3::ClubFor(std::string_view competitionCode, std::string_view clubKey)
{
    const std::string nation = columnText(clubKey, 1, 3);
    const std::string region = clubPart(clubKey, 5, 6, nation);
    const std::string code = clubPart(clubKey, 5, 13, nation);
    const std::string* clubLine = FClubTable.find(clubKey);
    const std::string name = clubLine ? columnText(*clubLine, 14, 43) : decoded(clubKey) + " ???";

    // Clubs are the same when nation, code and name agree without regard to case.
    TLnxObject* competition = CompetitionByCode(competitionCode);
    TLnxObject*& club = FClubs[std::to_string(competition->id()) + '\n' + base::lowerCase(nation) + '\n' +
                               base::lowerCase(code) + '\n' + base::lowerCase(name)];
    if (club)
        return club;
    club = competition->findOrAddCollection(tag::CLUBS)->newItem();
    club->addCollection(tag::PERSONS);
    club->addCollection(tag::RELAYS);
    club->setText(tag::NATION, nation);
    club->setText(tag::LSC, region);
    club->setText(tag::CODE, code);
    club->setText(tag::NAME, name);
    if (columns(clubKey, 4, 13) == "0000000000")
        club->setText(tag::TYPE, "NATION");
    else if (columns(clubKey, 7, 13) == "0000000")
        club->setText(tag::TYPE, "REGION");
    return club;
}

TLnxObject* TVnxLenexConverterPCE3::AthleteFor(std::string_view competitionCode, std::string_view licence)
{
    TLnxObject* club = ClubFor(competitionCode, columns(licence, 1, 13));
    const std::string licenceText = decoded(licence);
    TLnxObject*& person = FPersons[{club, licenceText}];
    if (person)
        return person;
    person = club->findOrAddCollection(tag::PERSONS)->newItem();
    person->addCollection(tag::ENTRIES);
    person->addCollection(tag::RESULTS);
    person->setId(++FAthleteCounter);
    person->setText(tag::LICENSE, licenceText);
    const std::string* line = FLicenceTable.find(licence);
    if (!line) {
        person->setText(tag::NAME, licenceText + " ???");
        return person;
    }
    person->setText(tag::NAME, columnText(*line, 20, 44));
    person->setText(tag::FNAME, columnText(*line, 45, 64));
    person->setText(tag::SEX, columns(*line, 65, 65) == "F" ? "F" : "M");
    person->setDate(tag::BIRTHDATE, pce3::readDate(columns(*line, 66, 73)));
    person->setInteger(tag::YOB, base::strToIntDef(base::trimView(columns(*line, 70, 73)), 0));
    person->setText(tag::NATION, columnText(*line, 74, 76));
    return person;
}

TLnxObject* TVnxLenexConverterPCE3::RelayFor(std::string_view competitionCode, std::string_view licence)
{
    TLnxCollection* relays =
        ClubFor(competitionCode, columns(licence, 1, 13))->findOrAddCollection(tag::RELAYS);
    const std::string team = decoded(columns(licence, 14, 19));
    for (int i = 0; i < relays->childCount(); ++i)
        if (TLnxObject* relay = relays->itemAt(i); relay && relay->getText(tag::LICENSE) == team)
            return relay;

    TLnxObject* relay = relays->newItem();
    relay->addCollection(tag::ENTRIES);
    relay->addCollection(tag::RESULTS);
    relay->setText(tag::LICENSE, team);
    relay->setInteger(tag::NUM, 1);
    if (const std::string* line = FLicenceTable.find(licence))
        relay->setText(tag::SEX, columns(*line, 65, 65) == "F" ? "F" : "M");
    return relay;
}

TLnxObject* TVnxLenexConverterPCE3::OwnerFor(const TLnxObject& event, std::string_view competitionCode,
                                             std::string_view licence)
{
    return event.getInteger(tag::DISCNT) < 2 ? AthleteFor(competitionCode, licence)
                                             : RelayFor(competitionCode, licence);
}

void TVnxLenexConverterPCE3::AddRelaySwimmers(std::string_view key, TLnxObject& result)
{
    const std::string* line = FRelaisTable.find(key);
    if (!line)
        return;
    const std::string relay = *line;
    for (int leg = 1; leg <= 10; ++leg) {
        const std::string_view number =
            base::trimView(columns(relay, 25 + 6 * (leg - 1), 30 + 6 * (leg - 1)));
        if (number.empty())
            continue;
        const TLnxObject* athlete =
            AthleteFor(columns(relay, 1, 3), std::string(columns(relay, 6, 18)) + std::string(number));
        TLnxObject* position = result.findOrAddCollection(tag::POSITIONS)->newItem();
        position->setInteger(tag::NUM, leg);
        position->setInteger(tag::PID, athlete->id());
    }
}

// The final time at column 30 is the split at the full distance; the earlier splits follow from column 37
// on, 7 columns each, in descending distance.
void TVnxLenexConverterPCE3::AddSplits(std::string_view prresLine, const TLnxObject& event,
                                       TLnxObject& result) const
{
    const int swimmers = std::max(1, event.getInteger(tag::DISCNT));
    const int total = event.getInteger(tag::DIS) * swimmers;
    const int interval = splitInterval(total);
    if (interval == 0)
        return;
    const int count = total / interval;
    for (int i = 1; i <= count; ++i) {
        const int column = 30 + 7 * (count - i);
        const std::string text = std::string(columns(prresLine, column, column + 4)) + "." +
                                 std::string(columns(prresLine, column + 5, column + 6));
        const TSwimTime time = parseSwimTime(text);
        if (time == 0)
            continue;
        TLnxDataElement* split = result.findOrAddCollection(tag::SPLITS)->newDataItem();
        split->setValue(lenexTimeWrite(tkValid, time));
        split->setAttribute(lxaDIS, std::to_string(i * interval));
    }
}

void TVnxLenexConverterPCE3::FinalPass() const
{
    const auto removeEmpty = [](TLnxObject& owner) {
        for (const TLnxTagId collection : {tag::ENTRIES, tag::RESULTS})
            if (const TLnxCollection* items = owner.findCollection(collection);
                items && items->childCount() == 0)
                owner.removeChild(items);
    };
    for (int c = 0; FCompetitions && c < FCompetitions->childCount(); ++c) {
        const TLnxObject* competition = FCompetitions->itemAt(c);
        const TLnxCollection* clubs = competition ? competition->findCollection(tag::CLUBS) : nullptr;
        for (int k = 0; clubs && k < clubs->childCount(); ++k) {
            const TLnxObject* club = clubs->itemAt(k);
            if (!club)
                continue;
            if (const TLnxCollection* persons = club->findCollection(tag::PERSONS))
                for (int i = 0; i < persons->childCount(); ++i) {
                    TLnxObject* person = persons->itemAt(i);
                    const std::string licence = person->getText(tag::LICENSE);
                    person->setText(tag::LICENSE, person->getText(tag::NATION) == "FRA" && licence.size() > 3
                                                      ? licence.substr(3)
                                                      : std::string());
                    removeEmpty(*person);
                }
            if (const TLnxCollection* relays = club->findCollection(tag::RELAYS))
                for (int i = 0; i < relays->childCount(); ++i) {
                    TLnxObject* relay = relays->itemAt(i);
                    relay->setText(tag::LICENSE, {});
                    removeEmpty(*relay);
                }
        }
    }
}

} // namespace lanescope::convert
