#include "library/AthleteMatcher.h"
#include "library/BestTimes.h"
#include "library/SeasonLibrary.h"

namespace lanescope::library {

void SeasonLibrary::mergeAthletes(std::int64_t keep, std::int64_t other)
{
    if (keep == other)
        return;
    SqliteTransaction transaction(*FDatabase);
    best_times::markAthlete(*FDatabase, other);
    for (const char* sql : {"UPDATE athlete_keys SET athlete_id = ?1 WHERE athlete_id = ?2",
                            "UPDATE swims SET athlete_id = ?1 WHERE athlete_id = ?2"}) {
        SqliteStatement update(*FDatabase, sql);
        update.bind(1, keep).bind(2, other);
        update.run();
    }
    best_times::markAthlete(*FDatabase, keep);
    best_times::refresh(*FDatabase);
    SqliteStatement remove(*FDatabase, "DELETE FROM athletes WHERE id = ?");
    remove.bind(1, other);
    remove.run();
    transaction.commit();
}

std::int64_t SeasonLibrary::splitAthlete(std::int64_t keyId)
{
    SqliteTransaction transaction(*FDatabase);
    SqliteStatement select(*FDatabase,
                           "SELECT athlete_id, last_name, first_name, birth_year, gender, name_key, "
                           "(SELECT COUNT(*) FROM athlete_keys o WHERE o.athlete_id = k.athlete_id) "
                           "FROM athlete_keys k WHERE id = ?");
    select.bind(1, keyId);
    if (!select.step())
        throw LibraryError("No athlete identity " + std::to_string(keyId) + " in the library");
    // The last identity of an athlete is the athlete already.
    if (select.integer(6) < 2)
        return select.integer(0);
    SqliteStatement insert(*FDatabase,
                           "INSERT INTO athletes (last_name, first_name, birth_year, gender, name_key) "
                           "VALUES (?, ?, ?, ?, ?)");
    insert.bind(1, select.text(1))
        .bind(2, select.text(2))
        .bind(3, select.integer(3))
        .bind(4, select.integer(4));
    insert.bind(5, select.text(5));
    insert.run();
    const std::int64_t athlete = FDatabase->lastInsertId();
    best_times::markAthlete(*FDatabase, select.integer(0));
    for (const char* sql : {"UPDATE athlete_keys SET athlete_id = ?1 WHERE id = ?2",
                            "UPDATE swims SET athlete_id = ?1 WHERE key_id = ?2"}) {
        SqliteStatement update(*FDatabase, sql);
        update.bind(1, athlete).bind(2, keyId);
        update.run();
    }
    best_times::markAthlete(*FDatabase, athlete);
    best_times::refresh(*FDatabase);
    transaction.commit();
    return athlete;
}

std::vector<const void*> SeasonLibrary::personalBestNodes(const MeetRecord& meet)
{
    AthleteMatcher matcher(*FDatabase);
    std::vector<std::optional<std::int64_t>> athletes;
    athletes.reserve(meet.athletes.size());
    for (const AthleteRecord& athlete : meet.athletes)
        athletes.push_back(matcher.find(athlete));
    SqliteStatement select(*FDatabase,
                           "SELECT MIN(s.time_ms) FROM swims s WHERE s.athlete_id = ? AND s.style = ? "
                           "AND s.course = ? AND s.date < ? AND s.relay_leg = 0 AND s.status = 0 "
                           "AND s.time_ms > 0");
    std::vector<const void*> nodes;
    for (const SwimRecord& swim : meet.swims) {
        const auto& athlete = athletes[static_cast<std::size_t>(swim.athlete)];
        if (!athlete || swim.relayLeg > 0 || swim.status != 0 || swim.timeMs <= 0 || swim.node == nullptr)
            continue;
        const EventRecord& event = meet.events[static_cast<std::size_t>(swim.event)];
        const SessionRecord& session = meet.sessions[static_cast<std::size_t>(event.session)];
        select.bind(1, *athlete)
            .bind(2, styleCode(event.relayCountIndex, event.distanceIndex, event.strokeIndex))
            .bind(3, session.course != 0 ? session.course : meet.course)
            .bind(4, session.date.empty() ? meet.firstDate : session.date);
        if (select.step() && !select.isNull(0) && swim.timeMs < select.integer(0))
            nodes.push_back(swim.node);
        select.reset();
    }
    return nodes;
}

} // namespace lanescope::library
