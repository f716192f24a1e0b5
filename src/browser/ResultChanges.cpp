#include "browser/ResultChanges.h"

#include "browser/ListCells.h"
#include "lenex/Lenex.h"
#include "swim/ResultRankings.h"

namespace lanescope::browser {

using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

constexpr char kSeparator = '\x1f'; // cannot occur in a Lenex text

void append(std::string& text, const TLnxObject* object, std::initializer_list<lenex::TLnxTagId> tags)
{
    for (const lenex::TLnxTagId id : tags) {
        if (object != nullptr)
            text += object->getText(id);
        text += kSeparator;
    }
}

std::string swimKey(const lenex::TLenex& document, const TLnxObject& result)
{
    std::string key;
    append(key, document.eventById(result.getInteger(tag::EID)), {tag::NUM, tag::TYPE, tag::SEX});
    const TLnxObject* owner = ownerOf(result);
    if (owner != nullptr && owner->tag() == tag::RELAY)
        append(key, owner, {tag::NUM, tag::SEX, tag::NAME});
    else
        append(key, owner, {tag::NAME, tag::FNAME, tag::BIRTHDATE, tag::SEX});
    append(key, clubOf(owner), {tag::NAME, tag::CODE});
    return key;
}

std::string seenValue(const TLnxObject& result)
{
    std::string value;
    append(value, &result, {tag::TIME, tag::CODE, tag::PLACE, tag::RANK, tag::POINTS, tag::COMMENT});
    for (const swim::TResultRanking& ranking : swim::furtherRankings(result))
        value += std::to_string(ranking.ageGroupId) + ':' + std::to_string(ranking.place) + kSeparator;
    if (const lenex::TLnxCollection* splits = result.findCollection(tag::SPLITS))
        for (int i = 0; i < splits->childCount(); ++i)
            if (const lenex::TLnxDataElement* split = splits->childAsData(i))
                value += split->getAttribute(lenex::lxaDIS) + ':' + split->value() + kSeparator;
    return value;
}

// Calls visit(item, key) once for every RESULT of the lists (a result listed in several age groups once).
template <typename Visit>
void forEachResult(const lenex::TLenex& document, const ResultLists& lists, Visit visit)
{
    std::unordered_set<const TLnxObject*> seen;
    for (int i = 0; i < lists.count(); ++i)
        for (const TLnxObject* item : lists.listAt(i))
            if (item->tag() == tag::RESULT && seen.insert(item).second)
                visit(*item, swimKey(document, *item));
}

} // namespace

ResultChanges::Snapshot ResultChanges::snapshot(const lenex::TLenex& document, const ResultLists& lists)
{
    Snapshot seen;
    forEachResult(document, lists, [&seen](const TLnxObject& item, std::string key) {
        seen.emplace(std::move(key), seenValue(item));
    });
    return seen;
}

void ResultChanges::remember(const lenex::TLenex& document, const ResultLists& lists)
{
    FRemembered = snapshot(document, lists);
    FMarkedItems.clear();
}

void ResultChanges::update(const lenex::TLenex& document, const ResultLists& lists)
{
    std::unordered_set<std::string> changed;
    for (const auto& [key, value] : snapshot(document, lists)) {
        const auto before = FRemembered.find(key);
        if (before == FRemembered.end() || before->second != value)
            changed.insert(key);
    }
    if (!changed.empty())
        FMarkedKeys = std::move(changed);
    FMarkedItems.clear();
    forEachResult(document, lists, [this](const TLnxObject& item, const std::string& key) {
        if (FMarkedKeys.contains(key))
            FMarkedItems.insert(&item);
    });
    FRemembered.clear();
}

void ResultChanges::clear()
{
    FRemembered.clear();
    FMarkedKeys.clear();
    FMarkedItems.clear();
}

} // namespace lanescope::browser
