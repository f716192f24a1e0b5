#pragma once

#include "browser/ClubTree.h"
#include "browser/EventTree.h"

#include <optional>

/** Finding the tree nodes that the list and export commands name by numbers and ids. */
namespace lanescope::cli {

/** The event node of the event number, or its age-group node with the CAT id; nullptr when there is none. */
const browser::EventTreeNode* findEventNode(const browser::EventTree& tree, int number,
                                            std::optional<int> ageGroup);

/** The athlete or relay node whose results or entries belong to the PERSON or RELAY with the id. */
const browser::ClubTreeNode* findParticipantNode(const browser::ClubTree& tree, lenex::TLnxTagId owner,
                                                 int id);

} // namespace lanescope::cli
