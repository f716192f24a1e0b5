#pragma once

#include "browser/ClubTree.h"
#include "browser/EventTree.h"
#include "cli/Options.h"

#include <optional>
#include <string>
#include <unordered_map>

/** Finding the tree nodes that the list and export commands name by numbers and ids. */
namespace lanescope::cli {

/** The value options that choose an event list: "--event", "--round", "--event-id" and "--age-group". */
inline const std::set<std::string> kEventOptions = {"--event", "--round", "--event-id", "--age-group"};

/**
 * An event or age-group list named on the command line: the event by its number (with a round code, else
 * the first round in tree order) or by its id, and optionally one of its age groups by CAT id.
 */
struct EventChoice
{
    std::optional<int> number;
    std::optional<std::string> round;
    std::optional<int> id;
    std::optional<int> ageGroup;

    bool chosen() const { return number.has_value() || id.has_value(); }
    /** Not both number and id; a round only with a number; an age group only with an event. */
    bool consistent() const;
    /** "event 4 in round SOP with age group 2", for the message when no node matches. */
    std::string describe() const;
};

/** Reads the event options; a value that is no whole number makes the options invalid. */
EventChoice eventChoice(Options& options);

/** The event node of the choice, or its age-group node; nullptr when there is none. */
const browser::EventTreeNode* findEventNode(const browser::EventTree& tree, const EventChoice& choice);

/**
 * The id `clubs` shows and `--athlete`/`--relay` take for each athlete and relay node with results or
 * entries, in the tree's order: the PERSON's or RELAY's id. First-generation files give relays no id; such
 * relays are numbered 1, 2, ... in the tree's order after the largest relay id of the file.
 */
std::unordered_map<const browser::ClubTreeNode*, int> participantIds(const browser::ClubTree& tree);

/** The athlete or relay node whose results or entries belong to the PERSON or RELAY with the id. */
const browser::ClubTreeNode* findParticipantNode(const browser::ClubTree& tree, lenex::TLnxTagId owner,
                                                 int id);

} // namespace lanescope::cli
