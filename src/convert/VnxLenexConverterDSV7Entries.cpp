#include "convert/Dsv7Values.h"
#include "convert/VnxLenexConverterDSV7.h"

namespace lanescope::convert {

using namespace lenex;

// Entries name the event by number only. Where two events share it, the one whose swimmer count fits, then
// the first round.
const TVnxLenexConverterDSV7::EventInfo* TVnxLenexConverterDSV7::EntryEvent(int number, bool relay) const
{
    const EventInfo* chosen = nullptr;
    int best = -1;
    for (const EventInfo& info : FEvents) {
        if (info.number != number)
            continue;
        const int score =
            ((info.swimmers > 1) == relay ? 2 : 0) + (info.kind == "V" || info.kind == "E" ? 1 : 0);
        if (score > best) {
            best = score;
            chosen = &info;
        }
    }
    return chosen;
}

TLnxObject* TVnxLenexConverterDSV7::addEntry(TLnxObject& owner, const EventInfo& event, std::string_view time)
{
    TLnxObject* entry = owner.findOrAddCollection(tag::ENTRIES)->newItem();
    entry->setInteger(tag::EID, event.event->id());
    if (const TSwimTime entryTime = dsv7::swimTime(time); entryTime > 0)
        entry->setLenexTime(tag::TIME, tkEntry, entryTime);
    return entry;
}

void TVnxLenexConverterDSV7::addEntries()
{
    struct Team
    {
        TLnxObject* relay;
        bool sexSet;
    };
    std::unordered_map<std::string, Team> teams;
    for (const Dsv7Record& record : FReader->records()) {
        const Dsv7Fields fields(record.text);
        switch (record.kind) {
        case Dsv7Kind::PnMeldung:
            PersonFor({fields[1], fields[2], fields[3], fields[4], fields[5], fields[8]}, *FOnlyClub);
            break;
        case Dsv7Kind::StMeldung: {
            const auto [at, inserted] = teams.try_emplace(dsv7::idKey(fields[2]), Team{nullptr, false});
            if (!inserted)
                break;
            TLnxObject* relay = FOnlyClub->findOrAddCollection(tag::RELAYS)->newItem();
            relay->setId(++FRelayCounter);
            if (const int number = fields.number(1, 0); number > 0)
                relay->setInteger(tag::NUM, number);
            if (!fields[6].empty())
                relay->setText(tag::NAME, fields.text(6));
            const dsv7::AgeBounds bounds =
                dsv7::ageBounds(fields[3], fields[4], fields[5], true, FReferenceYear);
            TLnxObject* cat = relay->addObject(tag::CAT);
            cat->setInteger(tag::MIN, bounds.min);
            cat->setInteger(tag::MAX, bounds.max);
            at->second.relay = relay;
            break;
        }
        default:
            break;
        }
    }
    for (const Dsv7Record& record : FReader->records()) {
        const Dsv7Fields fields(record.text);
        switch (record.kind) {
        case Dsv7Kind::StartPn: {
            const auto person = FPersons.find(dsv7::idKey(fields[1]));
            const EventInfo* event = EntryEvent(fields.number(2, 0), false);
            if (person != FPersons.end() && event)
                addEntry(*person->second, *event, fields[3]);
            break;
        }
        case Dsv7Kind::StartSt: {
            const auto team = teams.find(dsv7::idKey(fields[1]));
            const EventInfo* event = EntryEvent(fields.number(2, 0), true);
            if (team == teams.end() || !event)
                break;
            if (!team->second.sexSet) {
                team->second.relay->setText(tag::SEX, event->sex);
                team->second.sexSet = true;
            }
            FEntryIndex.try_emplace(team->first + "|" + std::to_string(event->number),
                                    addEntry(*team->second.relay, *event, fields[3]));
            break;
        }
        default:
            break;
        }
    }
    for (const Dsv7Record& record : FReader->records()) {
        if (record.kind != Dsv7Kind::Staffelperson)
            continue;
        const Dsv7Fields fields(record.text);
        const auto entry =
            FEntryIndex.find(dsv7::idKey(fields[1]) + "|" + std::to_string(fields.number(2, 0)));
        const auto person = FPersons.find(dsv7::idKey(fields[3]));
        const int leg = fields.number(4, 0);
        if (entry == FEntryIndex.end() || person == FPersons.end() || leg <= 0)
            continue;
        TLnxObject* position = entry->second->findOrAddCollection(tag::POSITIONS)->newItem();
        position->setInteger(tag::NUM, leg);
        position->setInteger(tag::PID, person->second->id());
    }
}

} // namespace lanescope::convert
