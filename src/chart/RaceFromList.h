#pragma once

#include "chart/RaceChart.h"
#include "lenex/Lenex.h"

#include <set>
#include <vector>

/** The race picture's data taken from a result list of the document. */
namespace lanescope::chart {

/** How many rows the picture shows by default and at most. */
constexpr int kDefaultRaceRows = 8;
constexpr int kMostRaceRows = 16;

/**
 * The rows the picture shows: the selected rows (positions in the shown list) up to 16, else the first
 * rows (8 unless limit says otherwise, at most 16); only RESULTs with at least one split count, since a
 * swim without splits has no line.
 */
std::vector<lenex::TLnxObject*> raceRows(const std::vector<lenex::TLnxObject*>& shown,
                                         const std::set<int>& selected, int limit = kDefaultRaceRows);

/**
 * The race of the rows: place (as the list shows it for the age group), name, final time and the splits
 * with valid times of each; the race distance and, for a relay, the leg distance from the event. A finished
 * swim's final time closes its splits when no split lies at the race distance. A swim without a valid
 * time counts as unfinished and ends with its last split.
 */
RaceData raceFromRows(const lenex::TLnxObject& event, const std::vector<lenex::TLnxObject*>& rows,
                      int ageGroupId, std::string title);

} // namespace lanescope::chart
