#include "browser/ResultLists.h"

#include "base/Strings.h"
#include "lenex/LnxTime.h"
#include "swim/ResultRankings.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <utility>

namespace lanescope::browser {

using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

struct KeyLess
{
    bool operator()(const auto& entry, std::string_view key) const { return entry.key < key; }
};

// What the list order reads from an item, taken once per item before sorting.
struct SortKey
{
    int group; // 0 ranked, 1 unranked RESULT, 2 ENTRY
    int value; // RANK or entry time
    TLnxObject* item;
};

SortKey sortKeyOf(TLnxObject* item, int ageGroupId)
{
    const int rank = swim::placeInAgeGroup(*item, ageGroupId);
    if (rank > 0)
        return {0, rank, item};
    if (item->tag() != tag::ENTRY)
        return {1, 0, item};
    return {2, lenex::lenexTimeRead(item->getText(tag::TIME), lenex::tkAny), item};
}

} // namespace

std::string ResultLists::eventKey(int eventId) { return std::to_string(eventId); }

std::string ResultLists::ageGroupKey(int eventId, int ageGroupId)
{
    return std::to_string(eventId) + ";" + std::to_string(ageGroupId);
}

void ResultLists::ClearResultLists() { FLists.clear(); }

void ResultLists::createList(const std::string& key)
{
    const auto at = std::lower_bound(FLists.begin(), FLists.end(), key, KeyLess{});
    if (at == FLists.end() || at->key != key) {
        const std::size_t separator = key.find(';');
        const int ageGroupId = separator == std::string::npos
                                   ? 0
                                   : base::strToIntDef(std::string_view(key).substr(separator + 1), 0);
        FLists.insert(at, Entry{key, ageGroupId, {}});
    }
}

const ResultList* ResultLists::find(std::string_view key) const
{
    const auto at = std::lower_bound(FLists.begin(), FLists.end(), key, KeyLess{});
    return at != FLists.end() && at->key == key ? &at->items : nullptr;
}

ResultList* ResultLists::findList(std::string_view key)
{
    return const_cast<ResultList*>(std::as_const(*this).find(key));
}

void ResultLists::AddToResultList(TLnxObject& item)
{
    const std::string& eventId = item.getText(tag::EID);
    const std::string& ageGroupId = item.getText(tag::CID);
    ResultList* list = ageGroupId.empty() ? nullptr : findList(eventId + ";" + ageGroupId);
    if (list == nullptr)
        list = findList(eventId);
    if (list != nullptr)
        list->push_back(&item);
    if (item.tag() != tag::RESULT)
        return;
    // A file that names one age group twice still lists the swim there once.
    for (const swim::TResultRanking& ranking : swim::furtherRankings(item)) {
        ResultList* further = findList(eventId + ";" + std::to_string(ranking.ageGroupId));
        if (further != nullptr && further != list && (further->empty() || further->back() != &item))
            further->push_back(&item);
    }
}

void ResultLists::SortResultLists(const ProgressText& progress)
{
    std::vector<SortKey> keys;
    int number = 0;
    for (Entry& entry : FLists) {
        ++number;
        if (progress)
            progress(swim::formatText("%d resultlists sorted...", {number}));
        keys.clear();
        for (TLnxObject* item : entry.items)
            keys.push_back(sortKeyOf(item, entry.ageGroupId));
        std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
            if (a.group != b.group)
                return a.group < b.group;
            return a.group != 1 && a.value < b.value;
        });
        for (std::size_t i = 0; i < keys.size(); ++i)
            entry.items[i] = keys[i].item;
    }
}

bool IsValidResult(const TLnxObject& item)
{
    const std::string& time = item.getText(tag::TIME);
    return !time.empty() && time.front() == 'V';
}

} // namespace lanescope::browser
