#include "browser/ResultLists.h"

#include "base/Strings.h"
#include "lenex/LnxTime.h"
#include "swim/ResultRankings.h"
#include "swim/TextFormat.h"

#include <algorithm>

namespace lanescope::browser {

using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

struct KeyLess
{
    bool operator()(const auto& entry, std::string_view key) const { return entry.key < key; }
};

} // namespace

std::string ResultLists::eventKey(int eventId) { return std::to_string(eventId); }

std::string ResultLists::ageGroupKey(int eventId, int ageGroupId)
{
    return std::to_string(eventId) + ";" + std::to_string(ageGroupId);
}

void ResultLists::ClearResultLists()
{
    FPositions.clear();
    FLists.clear();
}

void ResultLists::createList(const std::string& key)
{
    const auto at = std::lower_bound(FLists.begin(), FLists.end(), key, KeyLess{});
    if (at == FLists.end() || at->key != key) {
        const std::size_t separator = key.find(';');
        const int ageGroupId = separator == std::string::npos
                                   ? 0
                                   : base::strToIntDef(std::string_view(key).substr(separator + 1), 0);
        FPositions.clear();
        FLists.insert(at, Entry{key, ageGroupId, {}, {}});
    }
}

const ResultList* ResultLists::find(std::string_view key) const
{
    const auto at = std::lower_bound(FLists.begin(), FLists.end(), key, KeyLess{});
    return at != FLists.end() && at->key == key ? &at->items : nullptr;
}

ResultLists::Entry* ResultLists::filingEntry(std::string_view key)
{
    if (FPositions.size() != FLists.size()) {
        FPositions.clear();
        for (std::size_t i = 0; i < FLists.size(); ++i)
            FPositions.emplace(FLists[i].key, i);
    }
    const auto found = FPositions.find(key);
    return found != FPositions.end() ? &FLists[found->second] : nullptr;
}

ResultLists::SortKey ResultLists::sortKeyOf(TLnxObject& item, int ageGroupId)
{
    const int place = swim::placeInAgeGroup(item, ageGroupId);
    if (place > 0)
        return {0, place};
    if (item.tag() != tag::ENTRY)
        return {1, 0};
    return {2, lenex::lenexTimeRead(item.getText(tag::TIME), lenex::tkAny)};
}

void ResultLists::file(Entry& entry, TLnxObject& item)
{
    entry.items.push_back(&item);
    entry.keys.push_back(sortKeyOf(item, entry.ageGroupId));
}

void ResultLists::AddToResultList(TLnxObject& item)
{
    const std::string& eventId = item.getText(tag::EID);
    const std::string& ageGroupId = item.getText(tag::CID);
    Entry* list = ageGroupId.empty() ? nullptr : filingEntry(eventId + ";" + ageGroupId);
    if (list == nullptr)
        list = filingEntry(eventId);
    if (list != nullptr)
        file(*list, item);
    if (item.tag() != tag::RESULT)
        return;
    // A file that names one age group twice still lists the swim there once.
    for (const swim::TResultRanking& ranking : swim::furtherRankings(item)) {
        Entry* further = filingEntry(eventId + ";" + std::to_string(ranking.ageGroupId));
        if (further != nullptr && further != list &&
            (further->items.empty() || further->items.back() != &item))
            file(*further, item);
    }
}

void ResultLists::SortResultLists(const ProgressText& progress)
{
    std::vector<std::pair<SortKey, TLnxObject*>> keyed;
    int number = 0;
    for (Entry& entry : FLists) {
        ++number;
        if (progress)
            progress(swim::formatText("%d resultlists sorted...", {number}));
        keyed.clear();
        // A list sorted before has given its keys up: take them again.
        const bool filed = entry.keys.size() == entry.items.size();
        for (std::size_t i = 0; i < entry.items.size(); ++i) {
            TLnxObject* item = entry.items[i];
            keyed.emplace_back(filed ? entry.keys[i] : sortKeyOf(*item, entry.ageGroupId), item);
        }
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            if (a.first.group != b.first.group)
                return a.first.group < b.first.group;
            return a.first.group != 1 && a.first.value < b.first.value;
        });
        for (std::size_t i = 0; i < keyed.size(); ++i)
            entry.items[i] = keyed[i].second;
        std::vector<SortKey>().swap(entry.keys);
    }
}

bool IsValidResult(const TLnxObject& item)
{
    const std::string& time = item.getText(tag::TIME);
    return !time.empty() && time.front() == 'V';
}

} // namespace lanescope::browser
