#pragma once

#include "browser/PaintBox.h"
#include "lenex/Lenex.h"
#include "lenex/LnxTime.h"

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

} // namespace lanescope::browser
