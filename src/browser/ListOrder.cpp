#include "browser/ListOrder.h"

#include "base/NameCollation.h"
#include "base/TextCase.h"
#include "browser/ListCells.h"
#include "lenex/LnxTime.h"
#include "swim/LenexTexts.h"

#include <algorithm>

namespace lanescope::browser {

using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

std::string nameOf(const TLnxObject& item)
{
    const TLnxObject* owner = ownerOf(item);
    return owner != nullptr ? swim::participantText(*owner, false) : std::string();
}

std::string clubNameOf(const TLnxObject& item)
{
    const TLnxObject* club = clubOf(ownerOf(item));
    return club != nullptr ? club->getText(tag::NAME) : std::string();
}

std::string nationOf(const TLnxObject& item)
{
    const TLnxObject* club = clubOf(ownerOf(item));
    return club != nullptr ? club->getText(tag::NATION) : std::string();
}

// A value to sort by and whether the row has one; rows without one follow the others in either direction.
struct NumberKey
{
    bool present = false;
    long long value = 0;
};

NumberKey numberKey(const TLnxObject& item, SortColumn column)
{
    if (column == SortColumn::Time) {
        if (!IsValidResult(item))
            return {};
        return {true, lenex::lenexTimeRead(item.getText(tag::TIME), lenex::tkValid)};
    }
    const int points = item.getInteger(tag::POINTS);
    return points > 0 ? NumberKey{true, -static_cast<long long>(points)} : NumberKey{};
}

// Three-way comparison of two rows by the column; 0 keeps the list's order.
int compareRows(const TLnxObject& a, const TLnxObject& b, SortColumn column)
{
    switch (column) {
    case SortColumn::Place:
        return 0;
    case SortColumn::Name:
        return base::compareNames(nameOf(a), nameOf(b));
    case SortColumn::Club:
        if (const int club = base::compareNames(clubNameOf(a), clubNameOf(b)); club != 0)
            return club;
        return nationOf(a).compare(nationOf(b));
    case SortColumn::Time:
    case SortColumn::Points:
        break;
    }
    const NumberKey ka = numberKey(a, column);
    const NumberKey kb = numberKey(b, column);
    if (ka.present != kb.present)
        return ka.present ? -1 : 1;
    return ka.value < kb.value ? -1 : (ka.value > kb.value ? 1 : 0);
}

bool hasKey(const TLnxObject& item, SortColumn column)
{
    return (column != SortColumn::Time && column != SortColumn::Points) || numberKey(item, column).present;
}

} // namespace

std::optional<SortColumn> sortColumnNamed(std::string_view name)
{
    static constexpr std::pair<std::string_view, SortColumn> kNames[] = {
        {"place", SortColumn::Place}, {"name", SortColumn::Name},     {"club", SortColumn::Club},
        {"time", SortColumn::Time},   {"points", SortColumn::Points},
    };
    for (const auto& [text, column] : kNames)
        if (text == name)
            return column;
    return std::nullopt;
}

ListOrder clickedOrder(const ListOrder& order, SortColumn column)
{
    ListOrder next = order;
    next.reversed = order.column == column && !order.reversed;
    next.column = column;
    return next;
}

bool matchesFilter(const TLnxObject& item, std::string_view filter)
{
    if (filter.empty())
        return true;
    const std::string wanted = base::foldCase(filter);
    for (const std::string& text : {nameOf(item), clubNameOf(item), nationOf(item)})
        if (base::foldCase(text).find(wanted) != std::string::npos)
            return true;
    return false;
}

std::vector<TLnxObject*> orderedRows(const ResultList& list, const ListOrder& order)
{
    std::vector<TLnxObject*> rows;
    rows.reserve(list.size());
    for (TLnxObject* item : list)
        if (matchesFilter(*item, order.filter))
            rows.push_back(item);
    const SortColumn column = order.column;
    if (column == SortColumn::Place) {
        if (order.reversed)
            std::reverse(rows.begin(), rows.end());
        return rows;
    }
    // Rows without a time or points stay at the end whichever way the column is sorted.
    const auto keyed = std::stable_partition(
        rows.begin(), rows.end(), [column](const TLnxObject* item) { return hasKey(*item, column); });
    std::stable_sort(rows.begin(), keyed, [&order](const TLnxObject* a, const TLnxObject* b) {
        const int c = compareRows(*a, *b, order.column);
        return order.reversed ? c > 0 : c < 0;
    });
    return rows;
}

bool showsAgeGroups(const EventTreeNode* node, const ResultLists& lists)
{
    if (node == nullptr || node->level != 1 || node->children.empty())
        return false;
    const ResultList* own = ResultListFor(node, lists);
    return own == nullptr || own->empty();
}

std::vector<ListSection> shownSections(const EventTreeNode* node, const ResultLists& lists,
                                       const ListOrder& order)
{
    std::vector<ListSection> sections;
    if (showsAgeGroups(node, lists)) {
        for (const auto& child : node->children) {
            const ResultList* list = ResultListFor(child.get(), lists);
            if (list == nullptr || list->empty())
                continue;
            sections.push_back(
                {child.get(), child->text, listAgeGroupId(child.get()), orderedRows(*list, order)});
        }
        return sections;
    }
    if (const ResultList* list = ResultListFor(node, lists))
        sections.push_back({node, std::string(), listAgeGroupId(node), orderedRows(*list, order)});
    return sections;
}

const EventTreeNode* firstShownNode(const EventTree& tree, const ResultLists& lists)
{
    const EventTreeNode* first = nullptr;
    for (const EventTreeNode* node : tree.nodesInOrder()) {
        if (node->level != 1)
            continue;
        if (first == nullptr)
            first = node;
        for (const ListSection& section : shownSections(node, lists, ListOrder{}))
            if (!section.rows.empty())
                return node;
    }
    return first;
}

std::string listKind(const EventTreeNode* node, const ResultLists& lists)
{
    const TLnxObject* event = listEventOf(node, lists);
    bool results = false;
    for (const ListSection& section : shownSections(node, lists, ListOrder{}))
        for (const TLnxObject* item : section.rows)
            results = results || item->tag() == tag::RESULT;
    const bool relay = event != nullptr && event->getInteger(tag::DISCNT) > 1;
    return std::string(relay ? "Relay" : "") + (results ? "Results" : "Entries");
}

} // namespace lanescope::browser
