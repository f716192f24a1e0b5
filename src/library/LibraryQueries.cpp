#include "library/AthleteMatcher.h"
#include "library/SeasonLibrary.h"
#include "library/TextKey.h"
#include "swim/SwimStyle.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>
#include <unordered_map>

namespace lanescope::library {

namespace {

constexpr const char* kValidIndividual = "s.relay_leg = 0 AND s.status = 0 AND s.time_ms > 0";

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

// Course first, then individual before relay, stroke in the usual order, distance.
std::tuple<int, int, int, int> styleOrder(int course, int style)
{
    return {course, style / 10000, swim::strokeSortOrder(style % 100 == 99 ? -1 : style % 100),
            style / 100 % 100};
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
                        kValidIndividual + " AND (?2 = 0 OR s.course = ?2) GROUP BY s.style, s.course");
    select.bind(1, athleteId);
    std::vector<SwimRow> rows = swimsOfEvent(select, filter);
    std::stable_sort(rows.begin(), rows.end(), [](const SwimRow& a, const SwimRow& b) {
        return styleOrder(a.course, a.style) < styleOrder(b.course, b.style);
    });
    return rows;
}

std::vector<BestListRow> SeasonLibrary::bestList(const BestListFilter& filter)
{
    std::string sql =
        std::string("SELECT s.style, s.course, s.athlete_id, MIN(s.time_ms), s.date, s.meet_id, "
                    "s.club_id, s.event_id FROM swims s ") +
        (filter.gender != 0 || filter.birthYear != 0 ? "JOIN athletes a ON a.id = s.athlete_id " : "") +
        "WHERE " + kValidIndividual;
    if (!filter.club.empty())
        sql += " AND s.club_id IN (SELECT id FROM clubs WHERE instr(club_key, ?1) > 0)";
    if (filter.gender != 0)
        sql += " AND a.gender = ?2";
    if (filter.birthYear != 0)
        sql += " AND a.birth_year = ?3";
    if (!filter.from.empty())
        sql += " AND s.date >= ?4";
    if (!filter.to.empty())
        sql += " AND s.date <= ?5";
    if (filter.course != 0)
        sql += " AND s.course = ?6";
    sql += " GROUP BY s.style, s.course, s.athlete_id";
    SqliteStatement select(*FDatabase, sql);
    if (!filter.club.empty())
        select.bind(1, textKey(filter.club));
    if (filter.gender != 0)
        select.bind(2, filter.gender);
    if (filter.birthYear != 0)
        select.bind(3, filter.birthYear);
    if (!filter.from.empty())
        select.bind(4, filter.from);
    if (!filter.to.empty())
        select.bind(5, filter.to);
    if (filter.course != 0)
        select.bind(6, filter.course);

    struct Best
    {
        int style;
        int course;
        std::int64_t athlete;
        std::int32_t time;
        std::string date;
        std::int64_t meet;
        std::int64_t club;
        std::int64_t event;
    };
    std::vector<Best> bests;
    while (select.step())
        bests.push_back({static_cast<int>(select.integer(0)), static_cast<int>(select.integer(1)),
                         select.integer(2), static_cast<std::int32_t>(select.integer(3)), select.text(4),
                         select.integer(5), select.integer(6), select.integer(7)});
    std::stable_sort(bests.begin(), bests.end(), [](const Best& a, const Best& b) {
        return std::tuple(styleOrder(a.course, a.style), a.time, a.date) <
               std::tuple(styleOrder(b.course, b.style), b.time, b.date);
    });

    // Names of the athletes, meets and clubs in the list, each read once.
    std::unordered_map<std::int64_t, AthleteRow> athletes;
    std::unordered_map<std::int64_t, std::string> meets;
    std::unordered_map<std::int64_t, std::string> clubs;
    std::unordered_map<std::int64_t, std::string> styleNames;
    SqliteStatement athlete(
        *FDatabase, "SELECT id, last_name, first_name, birth_year, gender FROM athletes WHERE id = ?");
    SqliteStatement meet(*FDatabase, "SELECT name FROM meets WHERE id = ?");
    SqliteStatement club(*FDatabase, "SELECT name FROM clubs WHERE id = ?");
    SqliteStatement event(*FDatabase, "SELECT style_name FROM events WHERE id = ?");
    const auto name = [](SqliteStatement& statement, std::unordered_map<std::int64_t, std::string>& cache,
                         std::int64_t id) -> const std::string& {
        auto found = cache.find(id);
        if (found == cache.end()) {
            statement.bind(1, id);
            found = cache.emplace(id, statement.step() ? statement.text(0) : std::string()).first;
            statement.reset();
        }
        return found->second;
    };

    std::vector<BestListRow> rows;
    rows.reserve(bests.size());
    std::size_t listStart = 0;
    for (std::size_t i = 0; i < bests.size(); ++i) {
        const Best& best = bests[i];
        BestListRow row;
        row.style = best.style;
        row.course = best.course;
        row.event = styleText(best.style, name(event, styleNames, best.event));
        const bool sameList = i > 0 && bests[i - 1].style == best.style && bests[i - 1].course == best.course;
        if (!sameList)
            listStart = i;
        // Equal times share a place; the next time takes the place after all of them.
        row.rank = sameList && bests[i - 1].time == best.time ? rows.back().rank
                                                              : static_cast<int>(i - listStart) + 1;
        auto found = athletes.find(best.athlete);
        if (found == athletes.end()) {
            athlete.bind(1, best.athlete);
            found =
                athletes.emplace(best.athlete, athlete.step() ? athleteOf(athlete, 0) : AthleteRow{}).first;
            athlete.reset();
        }
        row.athlete = found->second;
        row.club = best.club != 0 ? name(club, clubs, best.club) : std::string();
        row.timeMs = best.time;
        row.date = best.date;
        row.meet = name(meet, meets, best.meet);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace lanescope::library
