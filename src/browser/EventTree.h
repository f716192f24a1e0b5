#pragma once

#include "browser/ResultLists.h"
#include "lenex/Lenex.h"

#include <memory>
#include <string>
#include <vector>

/** The event tree of the events page: sessions, their events and the age groups of multi-age-group events. */
namespace lanescope::browser {

/** Image indices of the tree nodes in the main window's image list (selected image: the same). */
constexpr int kSessionImage = 11;
constexpr int kEventImage = 12;
constexpr int kAgeGroupImage = 13;

/** One node of the event tree. The node borrows its document object; the tree owns its nodes. */
struct EventTreeNode
{
    int level = 0; // 0 session, 1 event, 2 age group
    std::string text;
    int imageIndex = 0;
    lenex::TLnxObject* data = nullptr; // the PERIOD, EVENT or CAT
    // Event nodes of a fastest-heat pair: the other EVENT of the pair (for an "FHT" event the EVENT its PEID
    // names, for that EVENT the first "FHT" event naming it); nullptr otherwise.
    lenex::TLnxObject* partner = nullptr;
    EventTreeNode* parent = nullptr;
    std::vector<std::unique_ptr<EventTreeNode>> children;
};

/** The event tree of the current competition, in display order. */
class EventTree
{
public:
    /**
     * `BuildEventTree`: rebuilds the tree from the document's current competition and creates the empty
     * lists (an event key per EVENT, an age-group key per CAT of events with two or more CATs). The caller
     * empties the lists first (`ClearResultLists`). Reports "%d events scanned ..." per event. Missing
     * collections count as empty; nothing here fails.
     */
    void BuildEventTree(const lenex::TLenex& document, ResultLists& lists, const ProgressText& progress = {});
    /** Removes every node; do this before the document frees its tree. */
    void clear();

    /** The session nodes in display order. */
    const std::vector<std::unique_ptr<EventTreeNode>>& sessions() const { return FSessions; }
    /** Every node in display order: each session followed by its events, each followed by its age groups. */
    std::vector<const EventTreeNode*> nodesInOrder() const;

private:
    // Links each "FHT" event whose PEID names another event of the tree with that event (`partner`).
    void pairFastestHeats();

    std::vector<std::unique_ptr<EventTreeNode>> FSessions;
};

/**
 * The EVENT whose list and values an event or age-group node shows: the node's EVENT (the parent EVENT of
 * an age group); but an event node whose own list is empty shows its fastest-heat partner's list when that
 * one holds items. Meets file the results of a timed final with slower heats either under the timed final
 * or under its fastest heat, so whichever of the two holds them, both nodes show them. nullptr for no node,
 * a node without data and session nodes.
 */
lenex::TLnxObject* listEventOf(const EventTreeNode* node, const ResultLists& lists);

/**
 * `ResultListFor`: the list an event-tree node shows, or nullptr (session nodes, nodes without data, keys
 * without a list). Event nodes show the event key of `listEventOf`, age-group nodes the age-group key of
 * the parent EVENT and the CAT. The page, the search, the copy text and the printed report all take this.
 */
const ResultList* ResultListFor(const EventTreeNode* node, const ResultLists& lists);

/**
 * The age group whose places the node's list shows (swim::placeInAgeGroup): the CAT's id for an age-group
 * node, 0 (the RANK of each result) for any other node.
 */
int listAgeGroupId(const EventTreeNode* node);

} // namespace lanescope::browser
