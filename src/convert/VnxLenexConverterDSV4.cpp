#include "convert/VnxLenexConverterDSV4.h"

#include "base/DateTime.h"
#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "base/TextCase.h"
#include "lenex/LnxSwimStyle.h"
#include "swim/LenexTexts.h"

#include <chrono>
#include <cstdint>
#include <stdexcept>

namespace lanescope::convert {

namespace {

using namespace lenex;
using base::trim;
using base::trimView;

int requireInteger(std::string_view text)
{
    const std::string_view value = trimView(text);
    if (!base::isInteger(value))
        throw std::invalid_argument("'" + std::string(value) + "' is not a valid integer value");
    return base::strToIntDef(value, 0);
}

// The parts of a text cut at runs of any of the separators; empty parts do not count.
std::vector<std::string_view> words(std::string_view text, std::string_view separators)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(separators, start)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
        parts.push_back(text.substr(start, end - start));
        start = end;
    }
    return parts;
}

int wordAsInteger(const std::vector<std::string_view>& parts, std::size_t index, int fallback)
{
    return index < parts.size() ? base::strToIntDef(parts[index], fallback) : fallback;
}

std::string roundType(std::string_view round)
{
    switch (round.empty() ? ' ' : base::asciiUpper(round.substr(0, 1))[0]) {
    case 'A':
        return "SOF";
    case 'F':
        return "FIN";
    case 'V':
        return "PRE";
    case 'Z':
        return "SEM";
    default:
        return "TIM";
    }
}

std::string statusOfPlace(std::string_view place)
{
    const std::string_view word = trimView(place);
    if (base::asciiSameText(word, "DS"))
        return "DQ";
    if (base::asciiSameText(word, "NA") || base::asciiSameText(word, "AB"))
        return "DNS";
    if (base::asciiSameText(word, "AU"))
        return "DNF";
    return {};
}

// A WETTKAMPF style text: an optional "4x" (or "4*") relay part, the distance, the technique letter and, as
// last word, the sex letter. Only a lower-case "x" marks a relay.
TSwimStyle styleOfEventText(std::string_view eventText)
{
    const std::string text = base::replaceAll(eventText, "*", "x");
    TSwimStyle style;
    style.name = trim(eventText);
    const std::size_t x = text.find('x');
    if (x != std::string::npos) {
        std::string count = text.substr(0, x);
        std::erase(count, ' ');
        const int swimmers = base::strToIntDef(count, -1);
        style.relayCountIndex = swimmers < 0 ? -1 : relayCountIndexOf(swimmers);
    }
    const std::vector<std::string_view> parts = words(text, "x ");
    const std::size_t distanceWord = x != std::string::npos ? 1 : 0;
    const std::string_view distance = distanceWord < parts.size() ? parts[distanceWord] : std::string_view{};
    style.distanceIndex = distanceIndexOf(requireInteger(distance));
    if (style.distanceIndex < 0)
        throw std::out_of_range("Range check error: the distance of \"" + trim(eventText) +
                                "\" is not a swimming distance");
    const std::string stroke =
        distanceWord + 1 < parts.size() ? std::string(parts[distanceWord + 1]) : std::string{};
    style.strokeIndex = strokeIndexOf(stroke + stroke);
    if (style.strokeIndex < 0)
        style.strokeIndex = kSpecialStroke;
    style.relayCountIndex = std::max(style.relayCountIndex, 0);
    return style;
}

int sexIndexOfEventText(std::string_view eventText)
{
    const std::vector<std::string_view> parts = words(eventText, " ");
    const std::string_view last = parts.empty() ? std::string_view{} : parts.back();
    if (base::asciiSameText(last, "M"))
        return 0;
    if (base::asciiSameText(last, "W"))
        return 1;
    return 2;
}

int currentYear()
{
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return static_cast<int>(today.year());
}

// Team sex: undecided (-1) until the first swimmer, mixed (2) as soon as one differs.
void updateTeamSex(int& teamSex, const TLnxObject& athlete)
{
    const int sex = athlete.getText(tag::SEX) == "M" ? 0 : 1;
    teamSex = teamSex < 0 || teamSex == sex ? sex : 2;
}

void setTeamSex(TLnxObject& relay, int teamSex)
{
    relay.setText(tag::SEX, teamSex == 0 ? "M" : teamSex == 1 ? "F" : "X");
}

void addPosition(TLnxObject& result, const TLnxObject& athlete)
{
    TLnxCollection* positions = result.findOrAddCollection(tag::POSITIONS);
    TLnxObject* position = positions->newItem();
    position->setInteger(tag::NUM, positions->childCount());
    position->setInteger(tag::PID, athlete.id());
}

bool isRelaySwimmerLine(std::string_view line)
{
    const std::string sex = dsvField(line, 3);
    return !sex.empty() && std::string_view("MWX").find(sex) != std::string_view::npos;
}

bool isRemark(std::string_view line) { return dsvStartsWith(line, "DSBEM:"); }

// The remark of a "DSBEM:" line: its first field without the blanks around it, as the club list reads it.
std::string remarkOf(std::string_view line) { return base::trim(dsvField(line.substr(6), 1)); }

} // namespace

void TVnxLenexConverterDSV4::Load(const std::string& fileName)
{
    FRelayCounter = 0;
    FAthleteCounter = 0;
    FEventCounter = 0;
    FSessionsPerEvent = false;
    FReader.reset();
    FCompetition = nullptr;
    FSessions = nullptr;
    FClubs = nullptr;
    FClubIndex.clear();
    FAthleteIndex.clear();
    FEventIndex.clear();
    runGuarded("DSV4", [&] { convert(fileName); });
}

void TVnxLenexConverterDSV4::convert(const std::string& fileName)
{
    FReader = std::make_unique<TVnxDsvReader>(fileName);
    const int listType = FReader->listType();
    if (listType != dltClubResults && listType != dltCompetitionResults)
        throw std::runtime_error(base::languageText('S', 57));
    // Every list ends with its DATEIENDE record. Without it the file may have been cut short: what it holds
    // is still shown, with a warning. A last record that stops before its closing ";" was cut inside its
    // line, and a half record must not pass for data.
    const std::string_view lastLine = trimView(FReader->lines().back());
    const bool ended = dsvStartsWith(lastLine, "DATEIENDE");
    if (!ended && !lastLine.ends_with(';'))
        throw std::runtime_error("The DSV file ends inside a record: it is cut off.");

    NewDocument("?", std::string(dsvListKeyword(listType)), "Format " + FReader->format());
    FCompetition = AddCompetition(FReader->meetName(), FReader->poolIndex());
    FCompetition->setText(tag::PLACE, FReader->meetCity());
    FCompetition->setText(tag::NATION, "GER");
    FSessions = FCompetition->findCollection(tag::PERIODS);
    FClubs = FCompetition->findCollection(tag::CLUBS);

    AddSessions();
    AddEvents();
    FDocument.selectCompetition(FDocument.competitionCount() - 1);

    if (listType == dltClubResults) {
        if (!AddClub("VEREIN:", 0))
            throw std::runtime_error("The club result list has no VEREIN record.");
        addSwimmerResults();
        addRelayTeamResults();
    } else {
        for (int line = 0; AddClub("VEREINSBEZEICHNUNG:", line);)
            line = FReader->currentLine() + 1;
        addEventBlocks();
    }
    if (!ended)
        FDocument.addMessage("The DSV file has no DATEIENDE record: it may be cut off and hold less than "
                             "the whole list.",
                             0, true);
}

void TVnxLenexConverterDSV4::AddSessions()
{
    for (int line = 0;; ++line) {
        const std::string record = FReader->FindRecord("ABSCHNITT:", line, 0);
        line = FReader->currentLine();
        if (line >= FReader->lineCount())
            break;
        TLnxObject* session = addSession(requireInteger(dsvField(record, 1)));

        // Day, month and year separated by points; a two-digit year is 2000 to 2050 or 1951 to 1999.
        const std::string dateText = dsvField(record, 2);
        const std::vector<std::string_view> date = words(dateText, ".");
        const int day = wordAsInteger(date, 0, 30);
        const int month = wordAsInteger(date, 1, 12);
        int year = wordAsInteger(date, 2, 1899);
        if (year >= 0 && year <= 50)
            year += 2000;
        else if (year >= 51 && year <= 99)
            year += 1900;
        if (year != 1899 || month != 12 || day != 30) {
            const base::TDateTime encoded = base::encodeDate(year, month, day);
            if (encoded == 0)
                throw std::invalid_argument("Invalid argument to date encode: \"" + dateText + "\"");
            session->setDate(tag::DATE, encoded);
        }

        const std::string timeText = dsvField(record, 3);
        const std::vector<std::string_view> time = words(timeText, ":");
        const int hour = wordAsInteger(time, 0, 0);
        const int minute = wordAsInteger(time, 1, 0);
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
            throw std::invalid_argument("Invalid argument to time encode: \"" + timeText + "\"");
        session->setTimeOfDay(tag::TIME, base::encodeTime(hour, minute));
    }
    FSessionsPerEvent = FSessions->childCount() == 0;
}

TLnxObject* TVnxLenexConverterDSV4::addSession(int number)
{
    TLnxObject* session = FSessions->newItem();
    session->setInteger(tag::NUM, number);
    session->addCollection(tag::EVENTS);
    return session;
}

void TVnxLenexConverterDSV4::AddEvents()
{
    for (int line = 0;; ++line) {
        const std::string record = FReader->FindRecord("WETTKAMPF:", line, 0);
        line = FReader->currentLine();
        if (line >= FReader->lineCount())
            break;
        TLnxObject* session = SessionByNumber(base::strToIntDef(trimView(dsvField(record, 3)), 1));
        TLnxObject* event = addEvent(*session, base::strToIntDef(trimView(dsvField(record, 1)), 0),
                                     trimView(dsvField(record, 2)));
        const std::string styleText = dsvField(record, 4);
        event->writeSwimStyle(styleOfEventText(styleText), sexIndexOfEventText(styleText));
    }
}

TLnxObject* TVnxLenexConverterDSV4::addEvent(TLnxObject& session, int number, std::string_view round)
{
    TLnxObject* event = session.findOrAddCollection(tag::EVENTS)->newItem();
    event->setId(++FEventCounter);
    event->setInteger(tag::NUM, number);
    event->setInteger(tag::PEID, -1);
    const std::string type = roundType(round);
    event->setText(tag::TYPE, type);
    FEventIndex.emplace(std::make_pair(number, type), event);
    return event;
}

TLnxObject* TVnxLenexConverterDSV4::SessionByNumber(int number)
{
    for (int i = 0; i < FSessions->childCount(); ++i)
        if (TLnxObject* session = FSessions->itemAt(i); session->getInteger(tag::NUM) == number)
            return session;
    if (FSessionsPerEvent || FSessions->childCount() == 0)
        return addSession(number);
    return FSessions->itemAt(FSessions->childCount() - 1);
}

bool TVnxLenexConverterDSV4::AddClub(std::string_view keyword, int startLine)
{
    const std::string record = FReader->FindRecord(keyword, startLine, 0);
    const int clubLine = FReader->currentLine();
    if (clubLine >= FReader->lineCount())
        return false;
    TLnxObject* club = FClubs->newItem();
    const std::string name = trim(dsvField(record, 1));
    club->setText(tag::NAME, name);
    std::string region = FReader->FindRecord("LSV:", clubLine, 1);
    std::string nation = FReader->FindRecord("NATION:", clubLine, 1);
    if (nation.empty())
        nation = "GER";
    if (nation == "GER") {
        if (const int number = base::strToIntDef(region, 0); number >= 1 && number <= 9)
            region = "0" + std::to_string(number);
    }
    if (region == "00")
        region.clear();
    club->setText(tag::LSC, region);
    club->setText(tag::NATION, nation);
    club->addCollection(tag::PERSONS);
    club->addCollection(tag::RELAYS);
    FClubIndex.emplace(base::lowerCase(name), club);
    // The look-ups moved the reader; the next club search starts after this club's line.
    FReader->FindRecord(keyword, clubLine, 0);
    return true;
}

TLnxObject* TVnxLenexConverterDSV4::ClubByName(const std::string& name)
{
    const std::string key = base::lowerCase(name);
    if (const auto found = FClubIndex.find(key); found != FClubIndex.end())
        return found->second;
    TLnxObject* club = FClubs->newItem();
    club->setText(tag::NAME, name);
    club->setText(tag::NATION, "GER");
    club->addCollection(tag::PERSONS);
    club->addCollection(tag::RELAYS);
    FClubIndex.emplace(key, club);
    return club;
}

const std::string& TVnxLenexConverterDSV4::firstClubName() const
{
    return FClubs->itemAt(0)->getText(tag::NAME);
}

TLnxObject* TVnxLenexConverterDSV4::FindOrAddAthlete(const std::string& clubName, std::string_view personText)
{
    const std::string fullName = dsvField(personText, 1);
    const std::vector<std::string_view> names = words(fullName, ",");
    const std::string name = names.empty() ? std::string{} : trim(names[0]);
    const std::string givenName = names.size() < 2 ? std::string{} : trim(names[1]);
    const char* sex = trim(dsvField(personText, 3)) == "M" ? "M" : "F";
    int year = base::strToIntDef(trimView(dsvField(personText, 4)), 0);
    if (year == 0)
        year = currentYear() - 99;
    else if (year < 100)
        year += 1900;

    TLnxObject* club = ClubByName(clubName);
    const std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(club)) + '\t' +
                            base::lowerCase(name) + '\t' + base::lowerCase(givenName) + '\t' +
                            std::to_string(year) + '\t' + sex;
    if (const auto found = FAthleteIndex.find(key); found != FAthleteIndex.end())
        return found->second;
    TLnxObject* athlete = club->findOrAddCollection(tag::PERSONS)->newItem();
    athlete->setId(++FAthleteCounter);
    athlete->setText(tag::NAME, name);
    athlete->setText(tag::FNAME, givenName);
    athlete->setInteger(tag::YOB, year);
    athlete->setText(tag::SEX, sex);
    athlete->addCollection(tag::RESULTS);
    FAthleteIndex.emplace(key, athlete);
    return athlete;
}

TLnxObject* TVnxLenexConverterDSV4::AddRelay(const std::string& clubName, std::string_view relayNumber)
{
    TLnxObject* relay = ClubByName(clubName)->findOrAddCollection(tag::RELAYS)->newItem();
    relay->setId(++FRelayCounter);
    relay->addCollection(tag::RESULTS);
    relay->setInteger(tag::NUM, base::strToIntDef(trimView(relayNumber), 1));
    return relay;
}

TLnxObject* TVnxLenexConverterDSV4::FindEvent(int number, std::string_view round) const
{
    const auto found = FEventIndex.find(std::make_pair(number, roundType(round)));
    return found == FEventIndex.end() ? nullptr : found->second;
}

void TVnxLenexConverterDSV4::SetPlaceAndTime(TLnxObject& result, std::string_view place,
                                             std::string_view line)
{
    const int rank = base::strToIntDef(trimView(place), -1);
    result.setInteger(tag::RANK, rank);
    const TSwimTime time = parseSwimTime(trimView(dsvField(line, dsvFieldCount(line) - 1)));
    result.setLenexTime(tag::TIME, tkValid, time);
    if (rank != -1)
        return;
    if (const std::string status = statusOfPlace(place); !status.empty()) {
        result.setText(tag::CODE, status);
        result.setLenexTime(tag::TIME, tkInvalid, time);
    }
}

void TVnxLenexConverterDSV4::AddSplit(TLnxObject& result, const TLnxObject& event, std::string_view timeText,
                                      int distance)
{
    const TSwimTime time = parseSwimTime(trimView(timeText));
    if (time <= 10)
        return;
    const int raceDistance = event.getInteger(tag::DIS) * std::max(event.getInteger(tag::DISCNT), 1);
    // A split at the finish is kept only after earlier splits: alone it would repeat the result time.
    if (distance == raceDistance && !result.hasChild(tag::SPLITS))
        return;
    TLnxDataElement* split = result.findOrAddCollection(tag::SPLITS)->newDataItem();
    split->setValue(lenexTimeWrite(tkValid, time));
    split->setAttribute(lxaDIS, std::to_string(distance));
}

void TVnxLenexConverterDSV4::AddSplits(TLnxObject& result, const TLnxObject& event, int firstField,
                                       std::string_view line)
{
    const int distance = event.getInteger(tag::DIS);
    if (lenexTimeRead(result.getText(tag::TIME), tkValid) <= 0 || distance <= 50)
        return;
    const std::vector<std::string_view> fields = dsvSplitFields(line);
    const auto field = [&](int n) {
        return n >= 1 && n <= static_cast<int>(fields.size()) ? fields[n - 1] : "";
    };
    AddSplit(result, event, field(firstField), 50);
    for (int i = 1; i <= distance / 100; ++i)
        AddSplit(result, event, field(firstField + i), i * 100);
}

void TVnxLenexConverterDSV4::AddRelaySplits(TLnxObject& result, const TLnxObject& event, int firstField,
                                            std::string_view line)
{
    if (lenexTimeRead(result.getText(tag::TIME), tkValid) <= 0)
        return;
    const int distance = event.getInteger(tag::DIS);
    const int total = std::max(event.getInteger(tag::DISCNT), 1) * distance;
    const std::vector<std::string_view> fields = dsvSplitFields(line);
    const auto field = [&](int n) {
        return n >= 1 && n <= static_cast<int>(fields.size()) ? fields[n - 1] : "";
    };
    if (distance <= 50) {
        for (int i = 1; i <= total / 50; ++i)
            AddSplit(result, event, field(firstField + i - 1), i * 50);
        return;
    }
    AddSplit(result, event, field(firstField), 50);
    for (int i = 1; i <= total / 100; ++i)
        AddSplit(result, event, field(firstField + i), i * 100);
}

// Club result list: each PNERGEBNIS record is followed by the swimmer's "WK" result records and remarks.
void TVnxLenexConverterDSV4::addSwimmerResults()
{
    std::string person = FReader->FindRecord("PNERGEBNIS", 1, 0);
    if (FReader->currentLine() >= FReader->lineCount())
        return;
    while (true) {
        TLnxObject* athlete = FindOrAddAthlete(firstClubName(), person);
        TLnxObject* result = nullptr;
        std::pair<std::string, std::string> record;
        while (true) {
            record = FReader->NextRecord();
            const auto& [key, value] = record;
            if (base::asciiSameText(key, "WK")) {
                const TLnxObject* event = FindEvent(requireInteger(dsvField(value, 1)), dsvField(value, 2));
                if (!event)
                    continue;
                result = athlete->findOrAddCollection(tag::RESULTS)->newItem();
                result->setInteger(tag::EID, event->id());
                SetPlaceAndTime(*result, dsvField(value, 3), value);
                AddSplits(*result, *event, 4, value);
            } else if (base::asciiSameText(key, "DSBEM")) {
                if (result)
                    result->setText(tag::COMMENT, dsvField(value, 1));
            } else {
                break;
            }
        }
        if (!base::asciiSameText(record.first, "PNERGEBNIS"))
            return;
        person = record.second;
    }
}

// Club result list: each STERGEBNIS record is followed by the team's "WK" records, whose swimmers stand at
// the end of the line in groups of five fields (name, licence, sex, year of birth, nation).
void TVnxLenexConverterDSV4::addRelayTeamResults()
{
    std::string team = FReader->FindRecord("STERGEBNIS", 1, 0);
    if (FReader->currentLine() >= FReader->lineCount())
        return;
    while (true) {
        TLnxObject* relay = AddRelay(firstClubName(), dsvField(team, 1));
        int teamSex = -1;
        TLnxObject* result = nullptr;
        std::pair<std::string, std::string> record;
        while (true) {
            record = FReader->NextRecord();
            const auto& [key, value] = record;
            if (base::asciiSameText(key, "WK")) {
                const TLnxObject* event = FindEvent(requireInteger(dsvField(value, 1)), dsvField(value, 2));
                if (!event)
                    continue;
                result = relay->findOrAddCollection(tag::RESULTS)->newItem();
                result->setInteger(tag::EID, event->id());
                result->addCollection(tag::POSITIONS);

                const std::vector<std::string_view> fields = dsvSplitFields(value);
                int p = static_cast<int>(fields.size());
                constexpr std::string_view kSexParts = "@@M@@W@@";
                while (p - 3 >= 1 && !fields[static_cast<std::size_t>(p - 4)].empty() &&
                       kSexParts.find(fields[static_cast<std::size_t>(p - 4)]) != std::string_view::npos)
                    p -= 5;
                std::string line = value;
                std::string swimmers;
                if (p > 0) {
                    swimmers = dsvFields(value, p, static_cast<int>(fields.size()));
                    line = dsvFields(value, 1, p - 1) + ";";
                }
                SetPlaceAndTime(*result, dsvField(line, 3), line);
                AddRelaySplits(*result, *event, 4, line);
                const int swimmerFields = dsvFieldCount(swimmers);
                for (int first = 1; !swimmers.empty() && first < swimmerFields; first += 5) {
                    const TLnxObject* athlete =
                        FindOrAddAthlete(firstClubName(), dsvFields(swimmers, first, first + 4));
                    addPosition(*result, *athlete);
                    updateTeamSex(teamSex, *athlete);
                }
            } else if (base::asciiSameText(key, "DSBEM")) {
                if (result)
                    result->setText(tag::COMMENT, dsvField(value, 1));
            } else {
                break;
            }
        }
        setTeamSex(*relay, teamSex);
        if (!base::asciiSameText(record.first, "STERGEBNIS"))
            return;
        team = record.second;
    }
}

// Competition result list: one block per "WK:" line, its result lines below it.
void TVnxLenexConverterDSV4::addEventBlocks()
{
    for (int k = 1;; ++k) {
        std::vector<std::string> block = FReader->EventBlock(k);
        if (block.empty())
            return;
        if (block.size() < 2)
            continue;
        const int number = requireInteger(dsvField(block.front(), 1));
        const std::string round = trim(dsvField(block.front(), 2));
        block.erase(block.begin());
        const TLnxObject* event = FindEvent(number, round);
        if (!event)
            event = addMissingEvent(number, round, block);
        showStatus(base::languageText('S', 18) + std::to_string(event->getInteger(tag::NUM)) + " - " +
                   swim::eventText(FDocument, *event));
        if (event->getInteger(tag::DISCNT) > 1)
            addRelayBlock(block, *event);
        else
            addIndividualBlock(block, *event);
    }
}

// A block whose event has no WETTKAMPF record keeps its results under an event made from what the block
// shows: its number and round, relay or not (a swimmer line under the first result line), and no style.
TLnxObject* TVnxLenexConverterDSV4::addMissingEvent(int number, std::string_view round,
                                                    const std::vector<std::string>& block)
{
    TLnxObject* session =
        FSessions->childCount() > 0 ? FSessions->itemAt(FSessions->childCount() - 1) : addSession(1);
    TLnxObject* event = addEvent(*session, number, round);
    event->setText(tag::STR, std::string(kStrokeCodes[kSpecialStroke]));
    event->setText(tag::NAME, base::languageText('S', 18) + std::to_string(number));
    int swimmers = 0;
    while (swimmers + 1 < static_cast<int>(block.size()) &&
           isRelaySwimmerLine(block[static_cast<std::size_t>(swimmers + 1)]))
        ++swimmers;
    if (swimmers > 0)
        event->setInteger(tag::DISCNT, swimmers > 1 ? swimmers : 4);
    return event;
}

// Result line: place; name; licence; sex; year of birth; nation; club; split times...; final time;
void TVnxLenexConverterDSV4::addIndividualBlock(const std::vector<std::string>& block,
                                                const TLnxObject& event)
{
    for (std::size_t i = 0; i < block.size(); ++i) {
        const std::string& line = block[i];
        // A remark without a result line above it has nothing to belong to.
        if (isRemark(line))
            continue;
        TLnxObject* athlete = FindOrAddAthlete(dsvField(line, 7), dsvFields(line, 2, 6));
        TLnxObject* result = athlete->findOrAddCollection(tag::RESULTS)->newItem();
        result->setInteger(tag::EID, event.id());
        SetPlaceAndTime(*result, dsvField(line, 1), line);
        AddSplits(*result, event, 8, line);
        if (i + 1 < block.size() && isRemark(block[i + 1]))
            result->setText(tag::COMMENT, remarkOf(block[++i]));
    }
}

// Relay line: place; team number; ; club; split times...; final time; then one line per swimmer:
// name; licence; sex; year of birth;
void TVnxLenexConverterDSV4::addRelayBlock(const std::vector<std::string>& block, const TLnxObject& event)
{
    for (std::size_t i = 0; i < block.size(); ++i) {
        const std::string& line = block[i];
        if (isRemark(line))
            continue;
        const std::string clubName = dsvField(line, 4);
        TLnxObject* relay = AddRelay(clubName, dsvField(line, 2));
        TLnxObject* result = relay->findOrAddCollection(tag::RESULTS)->newItem();
        result->addCollection(tag::POSITIONS);
        result->setInteger(tag::EID, event.id());
        SetPlaceAndTime(*result, dsvField(line, 1), line);
        AddRelaySplits(*result, event, 5, line);
        int teamSex = -1;
        while (i + 1 < block.size() && isRelaySwimmerLine(block[i + 1])) {
            const TLnxObject* athlete = FindOrAddAthlete(clubName, block[++i]);
            addPosition(*result, *athlete);
            updateTeamSex(teamSex, *athlete);
        }
        setTeamSex(*relay, teamSex);
        if (i + 1 < block.size() && isRemark(block[i + 1]))
            result->setText(tag::COMMENT, remarkOf(block[++i]));
    }
}

} // namespace lanescope::convert
