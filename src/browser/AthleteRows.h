#pragma once

#include "browser/ClubTree.h"
#include "lenex/Lenex.h"

#include <string>
#include <vector>

/** The rows of an athlete's or relay's page: their swims in the order they took place. */
namespace lanescope::browser {

/** One row: a RESULT or ENTRY; for a relay swim on an athlete's page the leg the athlete swam. */
struct AthleteRow
{
    lenex::TLnxObject* item = nullptr;
    int leg = 0; // 0: the athlete's or relay's own swim; 1, 2, ...: a leg of the relay swim item
};

/**
 * The items of the node (`ClubTreeNode::items`) and, for an athlete, the relay results whose positions name
 * the athlete, ordered by the date of their session, the time of day of their event, the round (prelims,
 * swim-off, semifinals, swim-off, finals) and the event number; items that compare equal keep their order.
 */
std::vector<AthleteRow> athleteRows(const lenex::TLenex& document, const ClubTreeNode& node);

/** The relay and leg of a relay row ("Leg 2: Team name", V57); empty for the athlete's own swims. */
std::string legText(const AthleteRow& row);

/**
 * The entry time of the athlete's entry in the same event as the valid RESULT and the gain against it
 * ("Entry 1:02.34 (-1.23)", V59); empty where either time is missing.
 */
std::string entryText(const lenex::TLnxObject& result);

/**
 * The remark of a row beyond the round and comment: `legText`, heat and lane ("Heat 3, lane 4", V3) where
 * the item has them, and for the athlete's own result `entryText`. Parts are joined by ",  ".
 */
std::string athleteRowDetails(const AthleteRow& row);

} // namespace lanescope::browser
