#pragma once

#include "chart/ProgressionChart.h"
#include "library/SeasonLibrary.h"

#include <string>
#include <vector>

/** The progression picture's data taken from the season library. */
namespace lanescope::chart {

/** The athlete's valid individual swims of the history (relay legs and swims without a time left out). */
ProgressionData progressionFromHistory(const std::vector<library::SwimRow>& history, std::string title);

/**
 * The table printed under the picture: per swim, oldest first, its date, meet, time, an empty spacer and
 * the mark text on the swims that were personal bests when swum.
 */
std::vector<std::vector<std::string>> progressionTable(const ProgressionData& data,
                                                       const std::string& bestMark);

/** The table's columns as the report engine takes them. */
inline constexpr const char* kProgressionColumns = "L160;L560;R140;L30;L150";

} // namespace lanescope::chart
