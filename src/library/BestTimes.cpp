#include "library/BestTimes.h"

#include <string>

namespace lanescope::library::best_times {

namespace {

// The marks live in a temporary table of the connection, so an interrupted write leaves none in the file.
void ensureMarks(SqliteDatabase& database)
{
    database.execute("CREATE TEMP TABLE IF NOT EXISTS best_marks (athlete_id INTEGER NOT NULL, "
                     "style INTEGER NOT NULL, course INTEGER NOT NULL, "
                     "PRIMARY KEY (athlete_id, style, course)) WITHOUT ROWID");
}

void mark(SqliteDatabase& database, const char* column, std::int64_t id)
{
    ensureMarks(database);
    SqliteStatement insert(database,
                           std::string("INSERT OR IGNORE INTO temp.best_marks "
                                       "SELECT DISTINCT athlete_id, style, course FROM swims s WHERE s.") +
                               column + " = ? AND " + kValidSwim);
    insert.bind(1, id);
    insert.run();
}

// The first swim of each athlete, style, course and club in the order time, date, meet, event, id: the order
// in which a best list of a date range meets them.
std::string bestSwimsOf(const std::string& swims)
{
    return "INSERT INTO best_times (athlete_id, style, course, club_id, time_ms, date, meet_id, event_id) "
           "SELECT athlete_id, style, course, coalesce(club_id, 0), time_ms, date, meet_id, event_id FROM ("
           "SELECT s.athlete_id, s.style, s.course, s.club_id, s.time_ms, s.date, s.meet_id, s.event_id, "
           "row_number() OVER (PARTITION BY s.athlete_id, s.style, s.course, s.club_id "
           "ORDER BY s.time_ms, s.date, s.meet_id, s.event_id, s.id) AS n FROM " +
           swims + ") WHERE n = 1";
}

} // namespace

void markMeet(SqliteDatabase& database, std::int64_t meetId) { mark(database, "meet_id", meetId); }

void markAthlete(SqliteDatabase& database, std::int64_t athleteId)
{
    mark(database, "athlete_id", athleteId);
}

void refresh(SqliteDatabase& database)
{
    // CROSS JOIN keeps the marks the outer loop, so each mark seeks its swims in swims_best; left to itself
    // the planner scans every swim of the season and looks each up in the marks.
    ensureMarks(database);
    database.execute("DELETE FROM best_times WHERE (athlete_id, style, course) IN "
                     "(SELECT athlete_id, style, course FROM temp.best_marks)");
    database.execute(
        bestSwimsOf(std::string("temp.best_marks m CROSS JOIN swims s ON s.athlete_id = m.athlete_id "
                                "AND s.style = m.style AND s.course = m.course WHERE ") +
                    kValidSwim));
    database.execute("DELETE FROM temp.best_marks");
}

void rebuildAll(SqliteDatabase& database)
{
    database.execute("DELETE FROM best_times");
    database.execute(bestSwimsOf(std::string("swims s WHERE ") + kValidSwim));
}

} // namespace lanescope::library::best_times
