#include "browser/AthleteRows.h"

#include "base/Strings.h"
#include "browser/ListCells.h"
#include "lenex/LnxTime.h"
#include "swim/LenexTexts.h"
#include "swim/SwimTime.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <tuple>

namespace lanescope::browser {

using lenex::TLnxCollection;
using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

template <typename Visit>
void forEachItem(const TLnxObject* owner, lenex::TLnxTagId collectionTag, Visit visit)
{
    const TLnxCollection* collection = owner != nullptr ? owner->findCollection(collectionTag) : nullptr;
    if (collection == nullptr)
        return;
    for (int i = 0; i < collection->childCount(); ++i)
        if (TLnxObject* item = collection->itemAt(i))
            visit(*item);
}

// Prelims first, finals last; other rounds (timed finals, fastest heats) with the prelims.
int roundRank(const std::string& type)
{
    static constexpr std::pair<std::string_view, int> kRounds[] = {
        {"PRE", 0}, {"SOP", 1}, {"SEM", 2}, {"SOS", 3}, {"FIN", 4}, {"SOF", 5},
    };
    for (const auto& [code, rank] : kRounds)
        if (type == code)
            return rank;
    return 0;
}

using TimeKey = std::tuple<std::string, std::string, int, int>;

// Session date, event time of day, round and event number of an item.
TimeKey timeKey(const lenex::TLenex& document, const TLnxObject& item)
{
    const TLnxObject* event = document.eventById(item.getInteger(tag::EID));
    if (event == nullptr)
        return {};
    const lenex::TLnxAbstractObject* events = event->parent();
    const lenex::TLnxAbstractObject* period = events != nullptr ? events->parent() : nullptr;
    const std::string date = period != nullptr && period->asObject() != nullptr
                                 ? period->asObject()->getText(tag::DATE)
                                 : std::string();
    return {date, event->getText(tag::TIME), roundRank(event->getText(tag::TYPE)),
            event->getInteger(tag::NUM)};
}

// The relay results whose positions name the person, with the leg.
void addRelayLegs(const lenex::TLenex& document, int personId, std::vector<AthleteRow>& rows)
{
    forEachItem(document.currentCompetition(), tag::CLUBS, [&](const TLnxObject& club) {
        forEachItem(&club, tag::RELAYS, [&](const TLnxObject& relay) {
            forEachItem(&relay, tag::RESULTS, [&](TLnxObject& result) {
                forEachItem(&result, tag::POSITIONS, [&](const TLnxObject& position) {
                    if (position.getInteger(tag::PID) == personId)
                        rows.push_back({&result, position.getInteger(tag::NUM)});
                });
            });
        });
    });
}

std::string timeText(lenex::TSwimTime time) { return base::trim(swim::formatSwimTime(time, false)); }

// The gain of a swim against its entry: "-1.23" faster, "+0.40" slower; seconds without a leading zero.
std::string gainText(lenex::TSwimTime swum, lenex::TSwimTime entered)
{
    if (swum == entered)
        return "0.00";
    std::string gain = timeText(swum < entered ? swim::swimTimeDifference(entered, swum)
                                               : swim::swimTimeDifference(swum, entered));
    if (gain.size() > 1 && gain[0] == '0' && gain[1] != '.')
        gain.erase(0, 1);
    return (swum < entered ? "-" : "+") + gain;
}

} // namespace

std::string entryText(const TLnxObject& result)
{
    const TLnxObject* person = ownerOf(result);
    if (person == nullptr || !IsValidResult(result))
        return {};
    const std::string eventId = result.getText(tag::EID);
    std::string text;
    forEachItem(person, tag::ENTRIES, [&](const TLnxObject& entry) {
        if (!text.empty() || entry.getText(tag::EID) != eventId)
            return;
        const lenex::TSwimTime entered = lenex::lenexTimeRead(entry.getText(tag::TIME), lenex::tkAny);
        const lenex::TSwimTime swum = lenex::lenexTimeRead(result.getText(tag::TIME), lenex::tkValid);
        if (entered > 0 && swum > 0)
            text = swim::formatText(languageTextOr('V', 59, "Entry %s (%s)").c_str(),
                                    {timeText(entered), gainText(swum, entered)});
    });
    return text;
}

std::vector<AthleteRow> athleteRows(const lenex::TLenex& document, const ClubTreeNode& node)
{
    std::vector<AthleteRow> rows;
    if (node.items == nullptr)
        return rows;
    for (int i = 0; i < node.items->childCount(); ++i)
        if (TLnxObject* item = node.items->itemAt(i))
            rows.push_back({item, 0});
    const lenex::TLnxAbstractObject* owner = node.items->parent();
    if (owner != nullptr && owner->tag() == tag::PERSON && owner->asObject() != nullptr)
        addRelayLegs(document, owner->asObject()->id(), rows);
    std::vector<std::pair<TimeKey, AthleteRow>> keyed;
    keyed.reserve(rows.size());
    for (const AthleteRow& row : rows)
        keyed.emplace_back(timeKey(document, *row.item), row);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].second;
    return rows;
}

std::string legText(const AthleteRow& row)
{
    if (row.leg <= 0)
        return {};
    const TLnxObject* relay = ownerOf(*row.item);
    return swim::formatText(
        languageTextOr('V', 57, "Leg %d: %s").c_str(),
        {row.leg, relay != nullptr ? swim::participantText(*relay, false) : std::string()});
}

std::string athleteRowDetails(const AthleteRow& row)
{
    std::vector<std::string> parts;
    if (std::string leg = legText(row); !leg.empty())
        parts.push_back(std::move(leg));
    if (const int lane = row.item->getInteger(tag::LANE); lane > 0) {
        const int heat = row.item->getInteger(tag::HEAT);
        parts.push_back(
            heat > 0 ? swim::formatText(languageTextOr('V', 3, "Heat %d, lane %d").c_str(), {heat, lane})
                     : swim::formatText(languageTextOr('V', 60, "Lane %d").c_str(), {lane}));
    }
    if (row.leg == 0 && row.item->tag() == tag::RESULT)
        if (std::string entry = entryText(*row.item); !entry.empty())
            parts.push_back(std::move(entry));
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ",  ") + part;
    return text;
}

} // namespace lanescope::browser
