#pragma once

#include "browser/PaintBox.h"
#include "lenex/Lenex.h"
#include "lenex/LnxTime.h"

#include <cstdint>
#include <string>
#include <vector>

/** The splits-and-names block that both list pages draw under a result or relay row. */
namespace lanescope::browser {

/** Line step of the block's lines. */
constexpr int kSplitLineHeight = 15;

/**
 * Draws the splits and, for a relay (an item with POSITIONS), the names of its swimmers leg by leg, starting
 * below y; returns the y after the block. left is the block's left edge, rightLimit its right limit; event
 * gives the leg count (DISCNT) and leg distance (DIS) of a relay and may be nullptr (no relay lines then).
 * Relay lines walk the race in pool lengths (the competition's PL, 50 when it has none); a pool length or
 * leg distance of 0 or less draws no relay lines, and a walk is capped at kMaxPoolLengths lengths.
 * Splits are taken in the order of their distances; the document is left unchanged.
 */
int drawSplitsAndNames(TvnxPaintBox& box, const lenex::TLenex& document, const lenex::TLnxObject& item,
                       int left, int rightLimit, int y, const lenex::TLnxObject* event);

/** The most pool lengths a relay walk draws; bounds the work for absurd distances in a file. */
constexpr int kMaxPoolLengths = 10000;

/** One SPLIT of a result: its distance as written, its time and the kind letter of its lenextime. */
struct SplitTime
{
    std::string distance;
    lenex::TSwimTime time = 0;
    char kind = '\0';
};

/** The SPLITs of the item ordered by their distance read as an integer (unreadable: 0); stable. */
std::vector<SplitTime> splitTimesByDistance(const lenex::TLnxObject& item);

/** The pool length a relay walk steps by: the current competition's PL, 50 when it has none. */
int relayPoolLength(const lenex::TLenex& document);

/**
 * The lap from the previous split to this one in brackets ("(26.20)"); empty when the time is not later than
 * the previous one (a file whose 25 m split is later than its 50 m split), so no lap is shown then.
 */
std::string lapText(lenex::TSwimTime time, lenex::TSwimTime previous);

/**
 * Time of the relay leg that ends at distance end: the split there less the split at its start (end less
 * legDistance; the race's start counts as 0). 0 when either split is missing or has no time, or the leg would
 * not be positive: without the split at a leg boundary one swimmer would be given the time of several legs.
 * The splits are the valid split times ordered by distance (time 0 for a split without one).
 */
lenex::TSwimTime relayLegTime(const std::vector<SplitTime>& splits, std::int64_t end,
                              std::int64_t legDistance);

} // namespace lanescope::browser
