#pragma once

#include "browser/PaintBox.h"
#include "lenex/Lenex.h"

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

} // namespace lanescope::browser
