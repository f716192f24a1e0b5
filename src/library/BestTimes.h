#pragma once

#include "library/Sqlite.h"

#include <cstdint>

/**
 * The best_times table: per athlete, style, course and club the fastest valid individual swim (on equal
 * times the earliest, then that of the first meet and event stored). It is derived from the swims and kept
 * with them: whoever changes swims marks the athlete, style and course groups touched (before deleting, after
 * inserting) and refreshes them in the same transaction. A swim without a club counts as club 0. Best lists
 * read it instead of grouping every swim of a season.
 */
namespace lanescope::library::best_times {

/** The valid individual swims (of swims named s): what counts for personal bests and best lists. */
inline constexpr const char* kValidSwim = "s.relay_leg = 0 AND s.status = 0 AND s.time_ms > 0";

/** Marks the groups of the meet's valid swims. */
void markMeet(SqliteDatabase& database, std::int64_t meetId);
/** Marks the groups of the athlete's valid swims. */
void markAthlete(SqliteDatabase& database, std::int64_t athleteId);
/** Computes the marked groups again from the swims and clears the marks. */
void refresh(SqliteDatabase& database);
/** Computes the whole table from the swims (a file of an older schema). */
void rebuildAll(SqliteDatabase& database);

} // namespace lanescope::library::best_times
