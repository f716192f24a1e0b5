#pragma once

#include "browser/EventTree.h"
#include "browser/ResultLists.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * The order and filter the user chose for the shown list, and the sections a node shows: an event with age
 * groups and no list of its own shows every age group that holds items, one after the other.
 */
namespace lanescope::browser {

/** The columns a list can be sorted by. */
enum class SortColumn
{
    Place, // the ranked order of the list
    Name,
    Club,   // club name, then nation
    Time,   // valid times fastest first, the rest after them
    Points, // most points first, rows without points after them
};

/** What the shown list is sorted by and filtered with. */
struct ListOrder
{
    SortColumn column = SortColumn::Place;
    bool reversed = false;
    std::string filter; // rows whose name, club or nation contain this text (any case); empty: all rows
};

/** The column of a command-line name ("place", "name", "club", "time", "points"); nothing for others. */
std::optional<SortColumn> sortColumnNamed(std::string_view name);

/**
 * The order after a click on a column's header: the same column again turns the order round, another
 * column sorts in its own order. The filter stays.
 */
ListOrder clickedOrder(const ListOrder& order, SortColumn column);

/** True when the filter is empty or the item's participant name, club name or nation holds it (any case). */
bool matchesFilter(const lenex::TLnxObject& item, std::string_view filter);

/** The items that pass the filter, in the order's sequence (equal items keep the list's order). */
std::vector<lenex::TLnxObject*> orderedRows(const ResultList& list, const ListOrder& order);

/** One list of the shown node: the age-group heading (empty for a single list) and its ordered rows. */
struct ListSection
{
    const EventTreeNode* node = nullptr; // the node whose list this is
    std::string heading;                 // the age group's text when the node shows several lists
    int ageGroupId = 0;                  // whose places the rows show (listAgeGroupId)
    std::vector<lenex::TLnxObject*> rows;
};

/**
 * The lists an event-tree node shows: its own list (`ResultListFor`); for an event whose own list is empty
 * and that has age groups, each age group's list that holds items, with the age group's text as heading.
 * Empty for nodes without a list.
 */
std::vector<ListSection> shownSections(const EventTreeNode* node, const ResultLists& lists,
                                       const ListOrder& order);

/** True when the event node shows its age groups' lists, because it has none of its own. */
bool showsAgeGroups(const EventTreeNode* node, const ResultLists& lists);

/** The first event node in tree order that shows a row, else the first event node; nullptr for none. */
const EventTreeNode* firstShownNode(const EventTree& tree, const ResultLists& lists);

/**
 * The kind of list a node shows, under which column widths the user set are kept: "Results" or "Entries",
 * with "Relay" before it for relay events ("RelayResults").
 */
std::string listKind(const EventTreeNode* node, const ResultLists& lists);

} // namespace lanescope::browser
