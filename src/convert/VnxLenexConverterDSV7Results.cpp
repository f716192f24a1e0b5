#include "base/FormatSettings.h"
#include "base/Strings.h"
#include "base/TextCase.h"
#include "convert/Dsv7Values.h"
#include "convert/VnxLenexConverterDSV7.h"
#include "swim/ResultRankings.h"

#include <algorithm>

namespace lanescope::convert {

using namespace lenex;

namespace {

// Ids beyond the cap are not used as tree ids, so counting on from the largest cannot overflow.
constexpr int kLargestFileId = 1 << 30;

std::string swimKey(char owner, std::string_view id, int eventNumber, std::string_view kind)
{
    std::string key(1, owner);
    key += dsv7::idKey(id);
    key += '|';
    key += std::to_string(eventNumber);
    key += '|';
    key += base::asciiUpper(base::trimView(kind));
    return key;
}

std::string nameKey(const TLnxObject& club, std::string_view name, std::string_view yob)
{
    return std::to_string(reinterpret_cast<std::uintptr_t>(&club)) + "|" +
           base::lowerCase(base::trimView(name)) + "|" + std::to_string(dsv7::numberOf(yob, 0));
}

void fillPerson(TLnxObject& person, std::string_view name, std::string_view license, std::string_view sex,
                std::string_view yob, std::string_view nation)
{
    auto [family, given] = dsv7::splitName(name);
    if (!family.empty())
        person.setText(tag::NAME, std::move(family));
    if (!given.empty())
        person.setText(tag::FNAME, std::move(given));
    if (std::string code = dsv7::sexCode(sex); !code.empty())
        person.setText(tag::SEX, std::move(code));
    if (const int year = dsv7::numberOf(yob, 0); year > 0)
        person.setInteger(tag::YOB, year);
    // The federation id 0 (or "000000") means unknown.
    if (dsv7::numberOf(license, 0) != 0 || (!license.empty() && !base::isInteger(license)))
        person.setText(tag::LICENSE, std::string(license));
    if (!nation.empty())
        person.setText(tag::NATION, std::string(nation));
}

std::string statusCode(std::string_view reason)
{
    if (base::asciiSameText(reason, "DS"))
        return "DQ";
    if (base::asciiSameText(reason, "NA") || base::asciiSameText(reason, "AB"))
        return "DNS";
    if (base::asciiSameText(reason, "AU") || base::asciiSameText(reason, "ZU"))
        return "DNF";
    return std::string(reason);
}

} // namespace

void TVnxLenexConverterDSV7::scanPersonIds()
{
    int largest = 0;
    for (const Dsv7Record& record : FReader->records()) {
        const int field = record.kind == Dsv7Kind::PnErgebnis ? 8 : record.kind == Dsv7Kind::Person ? 3 : 0;
        if (field > 0)
            largest = std::max(largest, std::min(Dsv7Fields(record.text).number(field, 0), kLargestFileId));
    }
    FNextPersonId = largest + 1;
}

// Persons are keyed by the meet-local id: the federation id is often 0 and sometimes shared.
TLnxObject* TVnxLenexConverterDSV7::PersonFor(const PersonRow& row, TLnxObject& club)
{
    const std::string key = dsv7::idKey(row.id);
    if (const auto found = FPersons.find(key); found != FPersons.end())
        return found->second;
    TLnxObject* person = club.findOrAddCollection(tag::PERSONS)->newItem();
    const int id = dsv7::numberOf(row.id, -1);
    person->setId(id > 0 && id <= kLargestFileId ? id : FNextPersonId++);
    fillPerson(*person, row.name, row.license, row.sex, row.yob, row.nation);
    FPersons.emplace(key, person);
    FPersonsByName[nameKey(club, row.name, row.yob)].push_back(person);
    return person;
}

// A relay swimmer is named, not numbered: the club's person of that name and year (the one with the
// federation id where several share them), else a new person who swam in relays only.
TLnxObject* TVnxLenexConverterDSV7::RelaySwimmer(TLnxObject& club, const Dsv7Fields& fields)
{
    std::vector<TLnxObject*>& candidates = FPersonsByName[nameKey(club, fields[4], fields[8])];
    if (!candidates.empty()) {
        for (TLnxObject* person : candidates)
            if (!fields[5].empty() && person->getText(tag::LICENSE) == fields[5])
                return person;
        return candidates.front();
    }
    TLnxObject* person = club.findOrAddCollection(tag::PERSONS)->newItem();
    person->setId(FNextPersonId++);
    fillPerson(*person, fields[4], fields[5], fields[7], fields[8], fields[10]);
    candidates.push_back(person);
    return person;
}

TVnxLenexConverterDSV7::RelayInfo*
TVnxLenexConverterDSV7::RelayFor(std::string_view relayId, TLnxObject& club, std::string_view teamNumber)
{
    const auto [at, inserted] = FRelays.try_emplace(dsv7::idKey(relayId));
    if (inserted) {
        at->second.club = &club;
        at->second.relay = club.findOrAddCollection(tag::RELAYS)->newItem();
        at->second.relay->setId(++FRelayCounter);
        if (const int number = dsv7::numberOf(teamNumber, 0); number > 0)
            at->second.relay->setInteger(tag::NUM, number);
    }
    return &at->second;
}

void TVnxLenexConverterDSV7::addResults()
{
    // A club result list names its persons and relay teams once, before their results.
    if (FList == Dsv7List::ClubResults)
        for (const Dsv7Record& record : FReader->records()) {
            const Dsv7Fields fields(record.text);
            if (record.kind == Dsv7Kind::Person)
                PersonFor({fields[1], fields[2], fields[3], fields[4], fields[5], fields[7]}, *FOnlyClub);
            else if (record.kind == Dsv7Kind::Staffel)
                RelayFor(fields[2], *FOnlyClub, fields[1]);
        }

    for (const Dsv7Record& record : FReader->records()) {
        const Dsv7Fields fields(record.text);
        // A row of an event the list lacks makes no swimmer, team or club.
        if ((record.kind == Dsv7Kind::PnErgebnis || record.kind == Dsv7Kind::StErgebnis) &&
            !FEventByKey.contains({fields.number(1, 0), base::asciiUpper(fields[2])}))
            continue;
        switch (record.kind) {
        case Dsv7Kind::PnErgebnis: {
            TLnxObject* club = ClubFor(fields[12], fields[13]);
            TLnxObject* person =
                PersonFor({fields[6], fields[7], fields[8], fields[9], fields[10], fields[17]}, *club);
            addSwim(swimKey('P', fields[8], fields.number(1, 0), fields[2]), *person,
                    {fields.number(1, 0), fields[2], fields[3], fields.number(4, 0), fields[5], fields[14],
                     fields[15], 0});
            break;
        }
        case Dsv7Kind::PersonenErgebnis:
            if (const auto found = FPersons.find(dsv7::idKey(fields[1])); found != FPersons.end())
                addSwim(swimKey('P', fields[1], fields.number(2, 0), fields[3]), *found->second,
                        {fields.number(2, 0), fields[3], fields[4], fields.number(5, 0), fields[7], fields[6],
                         fields[8], 0});
            break;
        case Dsv7Kind::StErgebnis: {
            RelayInfo* relay = RelayFor(fields[7], *ClubFor(fields[8], fields[9]), fields[6]);
            Swim* swim = addSwim(swimKey('R', fields[7], fields.number(1, 0), fields[2]), *relay->relay,
                                 {fields.number(1, 0), fields[2], fields[3], fields.number(4, 0), fields[5],
                                  fields[10], fields[12], fields.number(11, 0)});
            if (!relay->firstSwim)
                relay->firstSwim = swim;
            break;
        }
        case Dsv7Kind::StaffelErgebnis:
            if (const auto found = FRelays.find(dsv7::idKey(fields[1])); found != FRelays.end()) {
                Swim* swim =
                    addSwim(swimKey('R', fields[1], fields.number(2, 0), fields[3]), *found->second.relay,
                            {fields.number(2, 0), fields[3], fields[4], fields.number(5, 0), fields[7],
                             fields[6], fields[9], fields.number(8, 0)});
                if (!found->second.firstSwim)
                    found->second.firstSwim = swim;
            }
            break;
        default:
            break;
        }
    }
}

// One RESULT per swim: further rows of the same swim only add their ranking. Nullptr for a row of an event
// the list lacks.
TVnxLenexConverterDSV7::Swim* TVnxLenexConverterDSV7::addSwim(std::string key, TLnxObject& owner,
                                                              const SwimRow& row)
{
    const auto event = FEventByKey.find({row.eventNumber, base::asciiUpper(base::trimView(row.kind))});
    if (event == FEventByKey.end())
        return nullptr;
    const auto [at, inserted] = FSwimIndex.try_emplace(std::move(key), nullptr);
    if (inserted) {
        Swim& swim = FSwims.emplace_back();
        at->second = &swim;
        swim.event = event->second;
        swim.result = owner.findOrAddCollection(tag::RESULTS)->newItem();
        swim.result->setInteger(tag::EID, swim.event->event->id());
        swim.time = dsv7::swimTime(row.time);
        swim.disqualifiedLeg = row.disqualifiedLeg;
        if (swim.time > 0)
            swim.result->setLenexTime(tag::TIME, row.reason.empty() ? tkValid : tkInvalid, swim.time);
        if (!row.reason.empty())
            swim.result->setText(tag::CODE, statusCode(row.reason));
        if (!row.remark.empty())
            swim.result->setText(tag::COMMENT, std::string(row.remark));
    }
    Swim& swim = *at->second;
    const int rankingId = dsv7::numberOf(row.ranking, -1);
    const auto cat = FCats.find(rankingId);
    swim.rankings.push_back({cat == FCats.end() ? nullptr : &cat->second, rankingId, row.place});
    return &swim;
}

TVnxLenexConverterDSV7::Swim* TVnxLenexConverterDSV7::SwimFor(char owner, std::string_view id,
                                                              std::string_view event, std::string_view kind)
{
    const auto found = FSwimIndex.find(swimKey(owner, id, dsv7::numberOf(event, 0), kind));
    return found == FSwimIndex.end() ? nullptr : found->second;
}

void TVnxLenexConverterDSV7::addResultDetails()
{
    const char separator = base::currentFormatSettings().decimalSeparator;
    for (const Dsv7Record& record : FReader->records()) {
        const Dsv7Fields fields(record.text);
        switch (record.kind) {
        case Dsv7Kind::PnZwischenzeit:
            if (Swim* swim = SwimFor('P', fields[1], fields[2], fields[3]))
                if (const int distance = fields.number(4, 0); distance > 0)
                    if (const TSwimTime time = dsv7::swimTime(fields[5]); time > 0)
                        swim->splits.try_emplace(distance, time);
            break;
        case Dsv7Kind::StZwischenzeit:
            if (Swim* swim = SwimFor('R', fields[1], fields[2], fields[3]))
                if (const int distance = fields.number(5, 0); distance > 0)
                    if (const TSwimTime time = dsv7::swimTime(fields[6]); time > 0)
                        swim->splits.try_emplace(distance, time);
            break;
        case Dsv7Kind::PnReaktion:
            if (Swim* swim = SwimFor('P', fields[1], fields[2], fields[3]))
                swim->rt = dsv7::reactionTimeText(fields[4], fields[5], separator);
            break;
        case Dsv7Kind::Staffelperson:
            if (Swim* swim = SwimFor('R', fields[1], fields[2], fields[3])) {
                const int leg = fields.number(6, 0);
                if (leg > 0 && !swim->legs.contains(leg)) {
                    TLnxObject& club = *FRelays.at(dsv7::idKey(fields[1])).club;
                    swim->legs[leg].personId = RelaySwimmer(club, fields)->id();
                }
            }
            break;
        case Dsv7Kind::StAbloese:
            if (Swim* swim = SwimFor('R', fields[1], fields[2], fields[3]))
                if (const auto leg = swim->legs.find(fields.number(4, 0)); leg != swim->legs.end())
                    leg->second.rt = dsv7::reactionTimeText(fields[5], fields[6], separator);
            break;
        default:
            break;
        }
    }
}

void TVnxLenexConverterDSV7::finishSwims()
{
    for (Swim& swim : FSwims)
        finishSwim(swim);
    // A relay team takes the sex of its first event and the age class of its first ranking.
    for (auto& [id, info] : FRelays) {
        const Swim* swim = info.firstSwim;
        if (!swim)
            continue;
        info.relay->setText(tag::SEX, swim->event->sex);
        const int catId = swim->result->getInteger(tag::CID);
        if (const auto cat = FCats.find(catId); cat != FCats.end() && swim->result->hasChild(tag::CID)) {
            TLnxObject* target = info.relay->addObject(tag::CAT);
            if (const std::string& name = cat->second.cat->getText(tag::NAME); !name.empty())
                target->setText(tag::NAME, name);
            target->setInteger(tag::MIN, cat->second.cat->getInteger(tag::MIN));
            target->setInteger(tag::MAX, cat->second.cat->getInteger(tag::MAX));
        }
    }
}

void TVnxLenexConverterDSV7::finishSwim(Swim& swim)
{
    TLnxObject& result = *swim.result;
    // The narrowest ranking gives RANK and CID; of equal widths the one listed first.
    const auto narrower = [](const Ranking& a, const Ranking& b) {
        if (!a.cat || !b.cat)
            return a.cat != nullptr;
        return std::pair(a.cat->width, a.cat->order) < std::pair(b.cat->width, b.cat->order);
    };
    // One writer repeats a swim's rows; a ranking counts once.
    std::stable_sort(swim.rankings.begin(), swim.rankings.end(),
                     [](const Ranking& a, const Ranking& b) { return a.rankingId < b.rankingId; });
    swim.rankings.erase(
        std::unique(swim.rankings.begin(), swim.rankings.end(),
                    [](const Ranking& a, const Ranking& b) { return a.rankingId == b.rankingId; }),
        swim.rankings.end());
    std::stable_sort(swim.rankings.begin(), swim.rankings.end(), narrower);
    if (!swim.rankings.empty()) {
        const Ranking& first = swim.rankings.front();
        if (first.place > 0)
            result.setInteger(tag::RANK, first.place);
        if (first.cat)
            result.setInteger(tag::CID, first.cat->id);
        for (std::size_t i = 1; i < swim.rankings.size() && first.cat; ++i)
            if (const Ranking& other = swim.rankings[i]; other.cat)
                lanescope::swim::addResultRanking(result, other.cat->id, other.place > 0 ? other.place : -1);
    }
    if (!swim.rt.empty())
        result.setText(tag::RT, swim.rt);

    const int raceDistance = swim.event->distance * swim.event->swimmers;
    dsv7::addFinishSplit(swim.splits, raceDistance, swim.time);
    if (!swim.splits.empty()) {
        TLnxCollection* splits = result.addCollection(tag::SPLITS);
        for (const auto& [distance, time] : swim.splits) {
            TLnxDataElement* split = splits->newDataItem();
            split->setValue(lenexTimeWrite(tkValid, time));
            split->setAttribute(lxaDIS, std::to_string(distance));
        }
    }
    if (!swim.legs.empty()) {
        TLnxCollection* positions = result.addCollection(tag::POSITIONS);
        for (const auto& [leg, swimmer] : swim.legs) {
            TLnxObject* position = positions->newItem();
            position->setInteger(tag::NUM, leg);
            position->setInteger(tag::PID, swimmer.personId);
            if (!swimmer.rt.empty())
                position->setText(tag::RT, swimmer.rt);
            if (leg == swim.disqualifiedLeg)
                position->setText(tag::CODE, "DQ");
        }
    }
}

} // namespace lanescope::convert
