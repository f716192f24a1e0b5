#include "library/AthleteMatcher.h"
#include "library/BestTimes.h"
#include "library/LibraryRows.h"
#include "library/SeasonLibrary.h"
#include "library/TextKey.h"
#include "swim/SwimStyle.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>
#include <unordered_map>

namespace lanescope::library {

AthleteRow athleteOf(const SqliteStatement& row, int first)
{
    AthleteRow athlete;
    athlete.id = row.integer(first);
    athlete.lastName = row.text(first + 1);
    athlete.firstName = row.text(first + 2);
    athlete.birthYear = static_cast<int>(row.integer(first + 3));
    athlete.gender = static_cast<int>(row.integer(first + 4));
    return athlete;
}

// Course first, then individual before relay, stroke in the usual order, distance.
std::tuple<int, int, int, int> styleOrder(int course, int style)
{
    return {course, style / 10000, swim::strokeSortOrder(style % 100 == 99 ? -1 : style % 100),
            style / 100 % 100};
}

namespace {

std::vector<std::string> words(const std::string& text)
{
    std::string cleaned = textKey(text);
    std::replace(cleaned.begin(), cleaned.end(), ',', ' ');
    std::istringstream stream(cleaned);
    std::vector<std::string> result;
    for (std::string word; stream >> word;)
        result.push_back(word);
    return result;
}

SwimRow swimOf(const SqliteStatement& row)
{
    // Columns: date, meet, style, style name, course, round, time, status, place, points, leg, relay time,
    // club.
    SwimRow swim;
    swim.date = row.text(0);
    swim.meet = row.text(1);
    swim.style = static_cast<int>(row.integer(2));
    swim.event = styleText(swim.style, row.text(3));
    swim.course = static_cast<int>(row.integer(4));
    swim.round = row.text(5);
    swim.timeMs = static_cast<std::int32_t>(row.integer(6));
    swim.status = static_cast<int>(row.integer(7));
    swim.place = static_cast<int>(row.integer(8));
    swim.points = static_cast<int>(row.integer(9));
    swim.relayLeg = static_cast<int>(row.integer(10));
    swim.relayTimeMs = static_cast<std::int32_t>(row.integer(11));
    swim.club = row.text(12);
    return swim;
}

// The rows of a history query, those of the event only when the filter names one.
std::vector<SwimRow> swimsOfEvent(SqliteStatement& select, const HistoryFilter& filter)
{
    select.bind(2, filter.course);
    const std::string eventKey = textKey(filter.event);
    std::vector<SwimRow> rows;
    while (select.step()) {
        SwimRow swim = swimOf(select);
        if (eventKey.empty() || textKey(swim.event) == eventKey)
            rows.push_back(std::move(swim));
    }
    return rows;
}

} // namespace

std::vector<AthleteRow> SeasonLibrary::athletes(const std::string& text)
{
    const std::vector<std::string> parts = words(text);
    std::string sql =
        "SELECT a.id, a.last_name, a.first_name, a.birth_year, a.gender, "
        "(SELECT group_concat(name, ', ') FROM (SELECT DISTINCT c.name FROM swims s JOIN clubs c "
        "ON c.id = s.club_id WHERE s.athlete_id = a.id ORDER BY c.name)), "
        "(SELECT COUNT(*) FROM swims s WHERE s.athlete_id = a.id) AS n "
        "FROM athletes a WHERE n > 0 AND a.id IN (SELECT athlete_id FROM athlete_keys k WHERE "
        "(?1 <> '' AND k.license = ?1) OR (1";
    for (std::size_t i = 0; i < parts.size(); ++i)
        sql += " AND instr(k.name_key, ?" + std::to_string(i + 2) + ") > 0";
    sql += ")) ORDER BY a.name_key, a.birth_year, a.id";
    SqliteStatement select(*FDatabase, sql);
    select.bind(1, AthleteMatcher::normalLicense(text));
    for (std::size_t i = 0; i < parts.size(); ++i)
        select.bind(static_cast<int>(i + 2), parts[i]);
    std::vector<AthleteRow> rows;
    while (select.step()) {
        AthleteRow athlete = athleteOf(select, 0);
        athlete.clubs = select.text(5);
        athlete.swims = static_cast<int>(select.integer(6));
        rows.push_back(std::move(athlete));
    }
    return rows;
}

std::optional<AthleteRow> SeasonLibrary::athlete(std::int64_t id)
{
    SqliteStatement select(*FDatabase,
                           "SELECT a.id, a.last_name, a.first_name, a.birth_year, a.gender, "
                           "(SELECT group_concat(name, ', ') FROM (SELECT DISTINCT c.name FROM swims s "
                           "JOIN clubs c ON c.id = s.club_id WHERE s.athlete_id = a.id ORDER BY c.name)), "
                           "(SELECT COUNT(*) FROM swims s WHERE s.athlete_id = a.id) "
                           "FROM athletes a WHERE a.id = ?");
    select.bind(1, id);
    if (!select.step())
        return std::nullopt;
    AthleteRow athlete = athleteOf(select, 0);
    athlete.clubs = select.text(5);
    athlete.swims = static_cast<int>(select.integer(6));
    return athlete;
}

std::vector<AthleteKeyRow> SeasonLibrary::athleteKeys(std::int64_t athleteId)
{
    SqliteStatement select(*FDatabase,
                           "SELECT k.id, k.license, k.last_name, k.first_name, k.birth_year, k.gender, "
                           "(SELECT COUNT(*) FROM swims s WHERE s.key_id = k.id) FROM athlete_keys k "
                           "WHERE k.athlete_id = ? ORDER BY k.id");
    select.bind(1, athleteId);
    std::vector<AthleteKeyRow> keys;
    while (select.step())
        keys.push_back({select.integer(0), select.text(1), select.text(2), select.text(3),
                        static_cast<int>(select.integer(4)), static_cast<int>(select.integer(5)),
                        static_cast<int>(select.integer(6))});
    return keys;
}

std::vector<SwimRow> SeasonLibrary::history(std::int64_t athleteId, const HistoryFilter& filter)
{
    SqliteStatement select(
        *FDatabase,
        "SELECT s.date, m.name, s.style, e.style_name, s.course, e.round, s.time_ms, s.status, "
        "s.place, s.points, s.relay_leg, s.relay_time_ms, c.name FROM swims s "
        "JOIN meets m ON m.id = s.meet_id JOIN events e ON e.id = s.event_id "
        "LEFT JOIN clubs c ON c.id = s.club_id WHERE s.athlete_id = ?1 AND (?2 = 0 OR s.course = ?2) "
        "ORDER BY s.date, m.first_date, m.id, e.number, s.id");
    select.bind(1, athleteId);
    return swimsOfEvent(select, filter);
}

std::vector<SwimRow> SeasonLibrary::personalBests(std::int64_t athleteId, const HistoryFilter& filter)
{
    // SQLite takes the other columns of an aggregate query with MIN() from the row that holds the minimum.
    SqliteStatement select(
        *FDatabase, std::string("SELECT s.date, m.name, s.style, e.style_name, s.course, e.round, "
                                "MIN(s.time_ms), s.status, s.place, s.points, s.relay_leg, "
                                "s.relay_time_ms, c.name FROM swims s "
                                "JOIN meets m ON m.id = s.meet_id JOIN events e ON e.id = s.event_id "
                                "LEFT JOIN clubs c ON c.id = s.club_id WHERE s.athlete_id = ?1 AND ") +
                        best_times::kValidSwim + " AND (?2 = 0 OR s.course = ?2) GROUP BY s.style, s.course");
    select.bind(1, athleteId);
    std::vector<SwimRow> rows = swimsOfEvent(select, filter);
    std::stable_sort(rows.begin(), rows.end(), [](const SwimRow& a, const SwimRow& b) {
        return styleOrder(a.course, a.style) < styleOrder(b.course, b.style);
    });
    return rows;
}

} // namespace lanescope::library
