#pragma once

#include "browser/ClubTree.h"
#include "browser/EventTree.h"
#include "browser/ListOrder.h"
#include "browser/ResultLists.h"

#include <set>
#include <string>

/**
 * The clipboard texts of the copy command: the shown list as tab-separated lines ended by CR LF, with the
 * split times and relay swimmers of each item on request.
 */
namespace lanescope::browser {

/** The two check boxes of the page being copied. */
struct CopyOptions
{
    bool splitsAndNames = false;   // "&Zwischenzeiten/Namen": append the split text of each item
    bool onlyValidResults = false; // "&nur gültige Resultate": only items with a valid time, no entries
    ListOrder order{};             // the sort and filter of the shown event list
    const std::set<const lenex::TLnxObject*>* rows = nullptr; // the selected rows of an event list; none: all
    bool heatLane = false; // the heat/lane column is shown: a result line ends with "heat / lane"
    bool reaction = false; // the reaction-time column is shown: a result line ends with its reaction time
};

/**
 * `CopyEventList`: the title of the event or age-group node, then one line per item of the lists the node
 * shows (`shownSections`, in the options' order and filter; each age group's list under its heading line):
 * place (or the status code's text), participant (relays with gender in mixed
 * events), club, valid time and comment; with the optional columns shown, then heat/lane and reaction time
 * (the comment field stays in place, empty or not). Blanks and control characters at the end of each line
 * are dropped.
 */
std::string CopyEventList(const lenex::TLenex& document, const ResultLists& lists, const EventTreeNode& node,
                          const CopyOptions& options);

/**
 * `CopyAthleteList`: the title of the athlete or relay node, then one line per row of `athleteRows` (in the
 * order the swims took place, an athlete's relay legs included): event number, event, age group, valid
 * time, place (or the status code's text) and the remark with the round and `athleteRowDetails`.
 */
std::string CopyAthleteList(const lenex::TLenex& document, const ClubTreeNode& node,
                            const CopyOptions& options);

/**
 * The split lines of a RESULT or ENTRY in its EVENT (which may be nullptr): for a relay (an item with
 * POSITIONS) one line per pool length with the swimmer at the start of each leg and the leg time at its
 * end; otherwise the splits in two columns. Only valid split times are written. Empty when the item has
 * neither SPLITS nor POSITIONS.
 */
std::string splitText(const lenex::TLenex& document, const lenex::TLnxObject& item,
                      const lenex::TLnxObject* event);

} // namespace lanescope::browser
