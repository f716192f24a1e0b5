#pragma once

#include "browser/PaintBox.h"
#include "lenex/LnxElement.h"

#include <unordered_set>

namespace lanescope::browser {

/** The RESULT nodes of the shown meet that beat every earlier time the season library holds of the swimmer.
 */
using PersonalBestMarks = std::unordered_set<const lenex::TLnxObject*>;

/**
 * Draws the mark (V204, "PB") just left of the item's time, whose right edge is timeRight, when the item is
 * one of the marks.
 */
void drawPersonalBestMark(TvnxPaintBox& box, int timeRight, int y, const PersonalBestMarks* marks,
                          const lenex::TLnxObject& item);

} // namespace lanescope::browser
