#include "convert/VnxLenexConverterSDIF.h"

#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "base/TextCase.h"
#include "lenex/LnxSwimStyle.h"
#include "swim/SwimCodes.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace lanescope::convert {

using namespace lenex;

namespace {

// Per round (preliminary, swim-off, final): the columns of the time fields and of the places; the swim-off
// has no place column. A time's course letter stands 8 columns after it.
constexpr int kSwimTimeColumns[] = {98, 107, 116};
constexpr int kSwimPlaceColumns[] = {133, 0, 136};
constexpr int kRelayTimeColumns[] = {55, 64, 73};
constexpr int kRelayPlaceColumns[] = {90, 0, 93};
constexpr const char* kRoundTypes[] = {"TIM", "SOF", "FIN"};
constexpr int kSeedTimeColumn = 89;
constexpr std::string_view kCourseLetters = "SLY";

// SDIF file codes whose D0 and E0 records come from one meet: registrations (01), results (02) and the
// vendor-defined code (20) under which meet software writes club entry packages. Record lists, rankings and
// registrations of swimmers carry times of many meets and are refused.
bool holdsOneMeet(int fileCode) { return fileCode == 1 || fileCode == 2 || fileCode == 20; }

// Registrations (01) and club entry packages (20) list entries; a result file's swims without a time are
// swims that did not happen, not entries.
bool holdsEntries(int fileCode) { return fileCode == 1 || fileCode == 20; }

// SDIF carries diving in the same records as swimming: stroke "H" (and other letters) with a score in the
// time field. Only the stroke digits 1 to 7 are swims; a blank stroke column names no swim either.
bool isSwimStroke(const std::string& strokeColumn)
{
    return strokeColumn.size() == 1 && strokeColumn[0] >= '1' && strokeColumn[0] <= '7';
}

std::string dayKey(base::TDateTime date)
{
    const base::DateParts parts = base::decodeDate(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", parts.year, parts.month, parts.day);
    return text;
}

int yearOf(base::TDateTime date) { return base::decodeDate(date).year; }

// The stroke digit of SDIF: stroke index and whether the digit is a relay.
struct StrokeDigit
{
    int strokeIndex;
    bool relay;
};
constexpr StrokeDigit kStrokeDigits[] = {{0, false}, {2, false}, {3, false}, {1, false},
                                         {4, false}, {0, true},  {4, true}};

// "2006" is 200 m freestyle relay: four legs of 50. A step that cannot be read leaves the rest at 0 (records
// whose stroke is no digit from 1 to 7 are left out before they get here).
TSwimStyle styleOf(std::string distanceAndStroke)
{
    if (distanceAndStroke.size() > 5)
        distanceAndStroke.resize(5);
    distanceAndStroke.insert(0, 5 - distanceAndStroke.size(), ' ');
    TSwimStyle style;
    style.distanceIndex = 0;
    style.strokeIndex = 0;
    const char digit = distanceAndStroke[4];
    if (digit < '1' || digit > '7')
        return style;
    const StrokeDigit stroke = kStrokeDigits[digit - '1'];
    style.strokeIndex = stroke.strokeIndex;
    if (stroke.relay)
        style.relayCountIndex = 1;
    const std::string distanceText = base::trim(distanceAndStroke.substr(0, 4));
    if (!base::isInteger(distanceText))
        return style;
    const int distance = base::strToIntDef(distanceText, 0);
    style.distanceIndex = distanceIndexOf(stroke.relay ? distance / 4 : distance);
    return style;
}

// Status words of a time field and the result CODE they become; empty for anything else.
std::string statusCodeOf(const std::string& status)
{
    if (status == "DQ" || status == "DNF")
        return status;
    if (status == "SCR" || status == "NS")
        return "DNS";
    return {};
}

std::string withoutKeyBlanks(std::string key)
{
    std::erase_if(key, [](char c) { return c == ',' || c == ' ' || c == '='; });
    return base::upperCase(key);
}

int ageBirthYear(const std::string& half, int year, const char* open)
{
    return half.empty() || half == open ? -1 : year - base::strToIntDef(half, 0);
}

// Half k (0: characters 1-2, the youngest age; 1: characters 3-4, the oldest) of the 4 age-code columns
// as they stand: " 810" is 8 to 10, "  OV" has no lower bound.
std::string ageHalf(const std::string& ageCode, std::size_t half)
{
    return ageCode.size() > 2 * half ? ageCode.substr(2 * half, 2) : std::string();
}

std::string fileCodeMessage(int fileCode)
{
    return swim::formatText(
        "The SDIF file code %.2d marks a file without meet results or entries; "
        "only meet results (02), registrations (01) and entry packages (20) can be opened.",
        {fileCode});
}

} // namespace

void TVnxLenexConverterSDIF::Load(const std::string& fileName)
{
    runGuarded("SDIF", [&] { Convert(fileName); });
}

void TVnxLenexConverterSDIF::Convert(const std::string& fileName)
{
    FIdCounter = 0;
    FLeftOut = 0;
    FEventList.clear();
    FEventIndex.clear();
    FReader.Open(fileName);
    const int fileCode = FReader.fileCode();
    FEntries = holdsEntries(fileCode);
    if (fileCode == 0) {
        const std::string message = base::languageText('S', 49);
        throw std::runtime_error(message.empty()
                                     ? "The file is not an SDIF file: it has no A0 record with a file code."
                                     : message);
    }
    if (!holdsOneMeet(fileCode))
        throw std::runtime_error(fileCodeMessage(fileCode));
    NewDocument(FReader.softwareName(), FReader.softwareVersion(), FReader.sdifVersion());
    FCompetition = AddCompetition(FReader.meetName(), FReader.courseIndex());
    FCompetition->setText(tag::PLACE, FReader.meetCity());
    FCompetition->setText(tag::NATION, FReader.meetNation());
    FMeetStart = FReader.meetStartDate();
    FMeetEnd = FReader.meetEndDate();
    FSessions = FCompetition->findCollection(tag::PERIODS);
    TLnxCollection* clubs = FCompetition->findCollection(tag::CLUBS);
    for (std::int32_t team = 0; team < FReader.teamCount(); ++team) {
        FAthleteList.clear();
        FRelayList.clear();
        const TSDifRecord& record = FReader.Team(team);
        TLnxObject* club = clubs->newItem();
        club->setText(tag::NAME, record.text(18, 30));
        club->setText(tag::NATION, record.text(140, 3));
        club->setText(tag::LSC, record.text(12, 2));
        club->setText(tag::CODE, base::trim(record.text(14, 4) + record.text(150, 1)));
        FPersons = club->addCollection(tag::PERSONS);
        FRelays = club->addCollection(tag::RELAYS);
        FReader.MoveToTeam(team);
        ConvertTeam();
    }
    NumberSessions();
    LinkFinals();
    if (FLeftOut > 0)
        FDocument.addMessage(
            swim::formatText("%d diving or other records without a swimming stroke (1 to 7) were left out.",
                             {FLeftOut}),
            0, true);
}

// Sessions are numbered by date and, on one date, by pool (short course before long course before yards).
void TVnxLenexConverterSDIF::NumberSessions()
{
    FSessions->sortChildren(
        [](const TLnxAbstractElement* a, const TLnxAbstractElement* b, void*) {
            const TLnxAbstractObject* left = a->asAbstractObject();
            const TLnxAbstractObject* right = b->asAbstractObject();
            if (const int byDate = left->getText(tag::DATE).compare(right->getText(tag::DATE)))
                return byDate;
            return left->poolIndex() - right->poolIndex();
        },
        nullptr);
    for (int i = 0; i < FSessions->childCount(); ++i)
        FSessions->itemAt(i)->setInteger(tag::NUM, i + 1);
}

// A final points at the preliminary of the same number, style and date; a final without one was the only
// round and becomes a timed final.
void TVnxLenexConverterSDIF::LinkFinals()
{
    std::unordered_map<std::string, TLnxObject*> byRoundKey;
    for (const auto& [key, event] : FEventList)
        byRoundKey.emplace(key.substr(1), event);
    for (const auto& [key, event] : FEventList) {
        const std::string roundKey = key.substr(1);
        if (roundKey.front() != '2')
            continue;
        const auto prelim = byRoundKey.find("0" + roundKey.substr(1));
        if (prelim == byRoundKey.end())
            event->setText(tag::TYPE, "TIM");
        else
            event->setInteger(tag::PEID, prelim->second->id());
    }
}

base::TDateTime TVnxLenexConverterSDIF::clampToMeet(base::TDateTime swimDate) const
{
    // A meet date left blank bounds nothing: clamping to it would take every swim's date away.
    if (FMeetStart != 0 && swimDate < FMeetStart)
        swimDate = FMeetStart;
    if (FMeetEnd != 0 && swimDate > FMeetEnd)
        swimDate = FMeetEnd;
    return swimDate;
}

std::string TVnxLenexConverterSDIF::courseOf(const TSDifRecord& record, int timeColumn) const
{
    // Status words often come without a course letter; they were swum in the meet's pool.
    std::string letter = record.text(timeColumn + 8, 1);
    if (letter.empty())
        letter = std::string(1, kCourseLetters[static_cast<std::size_t>(FReader.courseIndex())]);
    return letter;
}

TLnxCollection* TVnxLenexConverterSDIF::FindOrAddSession(const std::string& courseLetter,
                                                         base::TDateTime swimDate)
{
    const std::size_t found = kCourseLetters.find(base::asciiUpper(courseLetter + "L").front());
    if (found == std::string_view::npos)
        throw std::out_of_range("Range check error: course letter \"" + courseLetter + "\"");
    const int poolIndex = static_cast<int>(found);
    for (int i = 0; i < FSessions->childCount(); ++i) {
        TLnxObject* session = FSessions->itemAt(i);
        if (session->poolIndex() == poolIndex && session->getDate(tag::DATE) == swimDate)
            return session->findOrAddCollection(tag::EVENTS);
    }
    TLnxObject* session = FSessions->newItem();
    session->setInteger(tag::NUM, FSessions->childCount());
    session->setDate(tag::DATE, swimDate);
    session->setPoolIndex(poolIndex);
    return session->addCollection(tag::EVENTS);
}

TLnxObject* TVnxLenexConverterSDIF::FindOrAddEvent(int sexIndex, int eventNumber, int round,
                                                   base::TDateTime swimDate,
                                                   const std::string& distanceAndStroke,
                                                   const std::string& courseLetter)
{
    const std::string key = base::upperCase(swim::formatText(
        "%s%d-%.3d-%s-%s", {std::string_view(courseLetter), round, eventNumber,
                            std::string_view(distanceAndStroke), std::string_view(dayKey(swimDate))}));
    TLnxObject* event = nullptr;
    if (const auto found = FEventIndex.find(key); found != FEventIndex.end()) {
        event = found->second;
    } else {
        const int id = nextId();
        event = FindOrAddSession(courseLetter, swimDate)->newItem();
        event->setId(id);
        event->setInteger(tag::NUM, eventNumber);
        event->setInteger(tag::PEID, -1);
        event->writeSwimStyle(styleOf(distanceAndStroke), sexIndex);
        event->setText(tag::TYPE, kRoundTypes[round]);
        FEventList.emplace_back(key, event);
        FEventIndex.emplace(key, event);
    }
    const std::string sex(1, "MFX"[sexIndex]);
    if (event->getText(tag::SEX) != sex)
        event->setText(tag::SEX, "X");
    return event;
}

TLnxObject* TVnxLenexConverterSDIF::FindOrAddAgeGroup(TLnxObject* event, const std::string& ageCode,
                                                      int totalAge)
{
    const TLnxAbstractObject* session = event->parent()->parent();
    const int year = yearOf(const_cast<TLnxAbstractObject*>(session)->getDate(tag::DATE));
    int max = ageBirthYear(base::trim(ageHalf(ageCode, 0)), year, "UN");
    const int min = ageBirthYear(base::trim(ageHalf(ageCode, 1)), year, "OV");
    // Relays of the open class are grouped by the sum of their swimmers' ages, in steps of 40 years.
    if (ageCode == "UNOV" && totalAge > 100)
        max = year - totalAge / 40 * 40;
    TLnxCollection* groups = event->findOrAddCollection(tag::CATS);
    for (int i = 0; i < groups->childCount(); ++i) {
        TLnxObject* group = groups->itemAt(i);
        if (group->getInteger(tag::MAX) == max && group->getInteger(tag::MIN) == min)
            return group;
    }
    TLnxObject* group = groups->newItem();
    group->setId(nextId());
    group->setInteger(tag::MAX, max);
    group->setInteger(tag::MIN, min);
    return group;
}

TLnxObject* TVnxLenexConverterSDIF::FindOrAddAthlete(const std::string& name, const std::string& sexCode,
                                                     base::TDateTime birthDate)
{
    const std::string key = withoutKeyBlanks(dayKey(birthDate) + sexCode + name);
    if (const auto found = FAthleteList.find(key); found != FAthleteList.end())
        return found->second;
    TLnxObject* person = FPersons->newItem();
    person->setId(nextId());
    std::size_t split = name.find(',');
    if (split == std::string::npos)
        split = name.find(' ');
    person->setText(tag::NAME,
                    split == std::string::npos ? std::string() : base::trim(name.substr(0, split)));
    person->setText(tag::FNAME, split == std::string::npos ? name : base::trim(name.substr(split + 1)));
    person->setText(tag::SEX, sexCode);
    person->setInteger(tag::YOB, yearOf(birthDate));
    person->setDate(tag::BIRTHDATE, birthDate);
    person->addCollection(tag::RESULTS);
    FAthleteList.emplace(key, person);
    return person;
}

TLnxObject* TVnxLenexConverterSDIF::FindOrAddRelay(const std::string& letter, const std::string& sexCode,
                                                   const std::string& ageCode)
{
    const std::string key = base::upperCase(sexCode + ageCode + letter);
    if (const auto found = FRelayList.find(key); found != FRelayList.end())
        return found->second;
    TLnxObject* relay = FRelays->newItem();
    relay->setId(nextId());
    relay->setInteger(tag::NUM, static_cast<unsigned char>(letter.empty() ? 'A' : letter.front()) - 64);
    relay->setText(tag::SEX, sexCode);
    if (ageCode != "UNOV") {
        // The halves are read as they stand: two blanks count as age 0.
        const int year = yearOf(FMeetStart);
        const std::string high = ageHalf(ageCode, 0);
        const std::string low = ageHalf(ageCode, 1);
        TLnxObject* group = relay->addObject(tag::CAT);
        group->setInteger(tag::MAX, high == "UN" ? -1 : year - base::strToIntDef(high, 0));
        group->setInteger(tag::MIN, low == "OV" ? -1 : year - base::strToIntDef(low, 0));
    }
    relay->addCollection(tag::RESULTS);
    FRelayList.emplace(key, relay);
    return relay;
}

void TVnxLenexConverterSDIF::SetTimeAndPlace(TLnxObject* result, const TSDifRecord& record, int timeColumn,
                                             int placeColumn)
{
    const std::string status = statusCodeOf(record.text(timeColumn, 8));
    if (!status.empty())
        result->setText(tag::CODE, status);
    else
        result->setLenexTime(tag::TIME, tkValid, record.time(timeColumn));
    const int rank = placeColumn > 0 ? record.integer(placeColumn, 3) : 0;
    result->setInteger(tag::RANK, rank < 1 ? -1 : rank);
}

void TVnxLenexConverterSDIF::ConvertTeam()
{
    FAthlete = nullptr;
    FResults = {};
    FSplitOffsets = {};
    FLegDistance = 0;
    while (FReader.NextInTeam()) {
        const TSDifRecord& record = *FReader.current();
        const std::string code = record.code();
        if ((code == "D0" || code == "E0") && !isSwimStroke(record.untrimmed(code == "D0" ? 72 : 26, 1))) {
            LeaveOut();
            continue;
        }
        if (code == "D0")
            ConvertSwim(record);
        else if (code == "D3") {
            if (FAthlete && !record.text(3, 14).empty())
                FAthlete->setText(tag::LICENSE, record.text(3, 14));
        } else if (code == "E0")
            ConvertRelaySwim(record);
        else if (code == "F0")
            ConvertRelaySwimmer(record);
        else if (code == "G0")
            ConvertSplits(record);
    }
}

// A record that is no swim (a dive) is left out with what follows it: its D3 names no swimmer of ours,
// its F0 and G0 records belong to no result.
void TVnxLenexConverterSDIF::LeaveOut()
{
    ++FLeftOut;
    FAthlete = nullptr;
    FResults = {};
    FSplitOffsets = {};
    FLegDistance = 0;
    FSkippingRelay = true;
}

// A swim is kept with its time or with its status word (a disqualified or missing swimmer is a result
// too). In an entry file a swim without any result becomes an entry with its seed time (if any).
void TVnxLenexConverterSDIF::ConvertSwim(const TSDifRecord& record)
{
    FSkippingRelay = false;
    FAthlete = FindOrAddAthlete(record.text(12, 28), record.text(66, 1), record.date(56));
    FResults = {};
    FSplitOffsets = {};
    // Splits of an individual swim carry no leg offset, whatever relay the team swam before.
    FLegDistance = 0;
    const base::TDateTime swimDate = clampToMeet(record.date(81));
    const int sexIndex = swim::genderOf(FAthlete->getText(tag::SEX));
    const int eventNumber = record.integer(73, 3);
    const std::string style = record.text(68, 5);
    const std::string ageCode = record.untrimmed(77, 4);
    bool swum = false;
    for (int round = 0; round < kRounds; ++round) {
        const int timeColumn = kSwimTimeColumns[round];
        if (record.time(timeColumn) <= 0 && statusCodeOf(record.text(timeColumn, 8)).empty())
            continue;
        TLnxObject* result = FAthlete->findOrAddCollection(tag::RESULTS)->newItem();
        FResults[static_cast<std::size_t>(round)] = result;
        TLnxObject* event =
            FindOrAddEvent(sexIndex, eventNumber, round, swimDate, style, courseOf(record, timeColumn));
        result->setInteger(tag::EID, event->id());
        result->setInteger(tag::CID, FindOrAddAgeGroup(event, ageCode, -1)->id());
        SetTimeAndPlace(result, record, timeColumn, kSwimPlaceColumns[round]);
        swum = true;
    }
    if (swum || !FEntries)
        return;
    TLnxObject* event =
        FindOrAddEvent(sexIndex, eventNumber, 0, swimDate, style, courseOf(record, kSeedTimeColumn));
    FindOrAddAgeGroup(event, ageCode, -1);
    TLnxObject* entry = FAthlete->findOrAddCollection(tag::ENTRIES)->newItem();
    entry->setInteger(tag::EID, event->id());
    if (const TSwimTime seedTime = record.time(kSeedTimeColumn); seedTime > 0)
        entry->setLenexTime(tag::TIME, tkEntry, seedTime);
}

void TVnxLenexConverterSDIF::ConvertRelaySwim(const TSDifRecord& record)
{
    FSkippingRelay = false;
    TLnxObject* relay = FindOrAddRelay(record.text(12, 1), record.text(21, 1), record.untrimmed(31, 4));
    FAthlete = nullptr;
    FResults = {};
    FSplitOffsets = {};
    FLegDistance = record.integer(22, 4) / 4;
    const base::TDateTime swimDate = clampToMeet(record.date(38));
    const int sexIndex = swim::genderOf(relay->getText(tag::SEX));
    for (int round = 0; round < kRounds; ++round) {
        const int timeColumn = kRelayTimeColumns[round];
        if (record.text(timeColumn, 8).empty())
            continue;
        TLnxObject* result = relay->findOrAddCollection(tag::RESULTS)->newItem();
        FResults[static_cast<std::size_t>(round)] = result;
        TLnxObject* event = FindOrAddEvent(sexIndex, record.integer(27, 3), round, swimDate,
                                           record.text(22, 5), courseOf(record, timeColumn));
        result->setInteger(tag::EID, event->id());
        result->setInteger(tag::CID,
                           FindOrAddAgeGroup(event, record.untrimmed(31, 4), record.integer(35, 3))->id());
        SetTimeAndPlace(result, record, timeColumn, kRelayPlaceColumns[round]);
    }
}

void TVnxLenexConverterSDIF::ConvertRelaySwimmer(const TSDifRecord& record)
{
    if (FSkippingRelay)
        return;
    FAthlete = FindOrAddAthlete(record.text(23, 28), record.text(76, 1), record.date(66));
    for (int round = 0; round < kRounds; ++round) {
        const auto slot = static_cast<std::size_t>(round);
        const int order = record.integer(77 + round, 1);
        if (order <= 0 || !FResults[slot])
            continue;
        TLnxObject* position = FResults[slot]->findOrAddCollection(tag::POSITIONS)->newItem();
        position->setInteger(tag::NUM, order);
        position->setInteger(tag::PID, FAthlete->id());
        FSplitOffsets[slot] = (order - 1) * FLegDistance;
    }
}

// Split times are cumulative over the swim; a relay swimmer's splits are moved by the distance of the legs
// before theirs, and each further split record of the swim starts one leg later.
void TVnxLenexConverterSDIF::ConvertSplits(const TSDifRecord& record)
{
    const std::string roundLetter = record.text(144, 1);
    const std::size_t round =
        roundLetter.empty() ? std::string_view::npos : std::string_view("PSF").find(roundLetter);
    if (round == std::string_view::npos || !FResults[round] || record.text(63, 1) != "C")
        return;
    TLnxCollection* splits = FResults[round]->findOrAddCollection(tag::SPLITS);
    const int splitDistance = record.integer(59, 4);
    const int sequence = record.integer(56, 1);
    for (int k = 1; k <= 10; ++k) {
        const TSwimTime time = record.time(56 + 8 * k);
        if (time <= 0)
            continue;
        TLnxDataElement* split = splits->newDataItem();
        split->setValue(lenexTimeWrite(tkValid, time));
        split->setAttribute(lxaDIS,
                            std::to_string(splitDistance * ((sequence - 1) * 10 + k) + FSplitOffsets[round]));
    }
    FSplitOffsets[round] += FLegDistance;
}

} // namespace lanescope::convert
