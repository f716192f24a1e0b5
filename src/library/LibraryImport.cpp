#include "library/LibraryImport.h"

#include "library/BestTimes.h"
#include "library/MeetLoading.h"
#include "library/TextKey.h"

#include <filesystem>
#include <unordered_map>

namespace lanescope::library {

SeasonLibrary::Importer::Importer(SqliteDatabase& database)
    : FDatabase(database)
    , FMatcher(database)
{
}

std::optional<SeasonLibrary::Importer::MeetRow> SeasonLibrary::Importer::meetByKey(const std::string& key)
{
    SqliteStatement select(FDatabase, "SELECT id, source_file, swim_count FROM meets WHERE meet_key = ?");
    select.bind(1, key);
    if (!select.step())
        return std::nullopt;
    return MeetRow{select.integer(0), select.isNull(1) ? 0 : select.integer(1),
                   static_cast<int>(select.integer(2))};
}

std::set<std::int64_t> SeasonLibrary::Importer::meetsOfFile(std::int64_t fileId)
{
    std::set<std::int64_t> meets;
    SqliteStatement select(FDatabase, "SELECT meet_id FROM file_meets WHERE file_id = ?");
    select.bind(1, fileId);
    while (select.step())
        meets.insert(select.integer(0));
    return meets;
}

std::int64_t SeasonLibrary::Importer::clubId(const AthleteRecord& athlete)
{
    if (athlete.clubName.empty())
        return 0;
    const std::string key = textKey(athlete.clubName) + '\n' + textKey(athlete.clubNation);
    SqliteStatement select(FDatabase, "SELECT id FROM clubs WHERE club_key = ?");
    select.bind(1, key);
    if (select.step())
        return select.integer(0);
    SqliteStatement insert(FDatabase, "INSERT INTO clubs (name, nation, club_key) VALUES (?, ?, ?)");
    insert.bind(1, athlete.clubName).bind(2, athlete.clubNation).bind(3, key);
    insert.run();
    return FDatabase.lastInsertId();
}

// Sessions and events go with the swims, so a meet read again from its source file is replaced whole.
void SeasonLibrary::Importer::clearMeet(std::int64_t meetId)
{
    best_times::markMeet(FDatabase, meetId);
    SqliteStatement swims(FDatabase, "DELETE FROM swims WHERE meet_id = ?");
    swims.bind(1, meetId);
    swims.run();
    SqliteStatement events(FDatabase, "DELETE FROM events WHERE meet_id = ?");
    events.bind(1, meetId);
    events.run();
    SqliteStatement sessions(FDatabase, "DELETE FROM sessions WHERE meet_id = ?");
    sessions.bind(1, meetId);
    sessions.run();
}

void SeasonLibrary::Importer::storeMeet(std::int64_t meetId, const MeetRecord& meet)
{
    std::vector<std::int64_t> sessionIds;
    SqliteStatement insertSession(FDatabase,
                                  "INSERT INTO sessions (meet_id, number, date, course) VALUES (?, ?, ?, ?)");
    for (const SessionRecord& session : meet.sessions) {
        insertSession.bind(1, meetId).bind(2, session.number).bind(3, session.date).bind(4, session.course);
        insertSession.run();
        sessionIds.push_back(FDatabase.lastInsertId());
    }
    std::vector<std::int64_t> eventIds;
    SqliteStatement insertEvent(
        FDatabase, "INSERT INTO events (meet_id, session_id, number, round, gender, "
                   "relay_count, distance, stroke, style_name) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const EventRecord& event : meet.events) {
        insertEvent.bind(1, meetId)
            .bind(2, sessionIds[static_cast<std::size_t>(event.session)])
            .bind(3, event.number)
            .bind(4, event.round)
            .bind(5, event.gender)
            .bind(6, event.relayCountIndex)
            .bind(7, event.distanceIndex)
            .bind(8, event.strokeIndex)
            .bind(9, event.styleName);
        insertEvent.run();
        eventIds.push_back(FDatabase.lastInsertId());
    }
    std::vector<AthleteMatcher::Match> athletes;
    std::vector<std::int64_t> clubs;
    std::unordered_map<std::string, std::int64_t> clubIds;
    for (const AthleteRecord& athlete : meet.athletes) {
        athletes.push_back(FMatcher.matchOrCreate(athlete));
        const std::string clubKey = athlete.clubName + '\n' + athlete.clubNation;
        auto found = clubIds.find(clubKey);
        if (found == clubIds.end())
            found = clubIds.emplace(clubKey, clubId(athlete)).first;
        clubs.push_back(found->second);
    }
    SqliteStatement insertSwim(FDatabase,
                               "INSERT INTO swims (meet_id, event_id, athlete_id, key_id, club_id, date, "
                               "course, style, time_ms, status, place, points, relay_leg, relay_time_ms) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    SqliteStatement insertSplit(FDatabase,
                                "INSERT OR IGNORE INTO splits (swim_id, distance, time_ms) VALUES (?, ?, ?)");
    for (const SwimRecord& swim : meet.swims) {
        const EventRecord& event = meet.events[static_cast<std::size_t>(swim.event)];
        const SessionRecord& session = meet.sessions[static_cast<std::size_t>(event.session)];
        const auto athlete = static_cast<std::size_t>(swim.athlete);
        insertSwim.bind(1, meetId)
            .bind(2, eventIds[static_cast<std::size_t>(swim.event)])
            .bind(3, athletes[athlete].athlete)
            .bind(4, athletes[athlete].key);
        if (clubs[athlete] != 0)
            insertSwim.bind(5, clubs[athlete]);
        insertSwim.bind(6, session.date.empty() ? meet.firstDate : session.date)
            .bind(7, session.course != 0 ? session.course : meet.course)
            .bind(8, styleCode(event.relayCountIndex, event.distanceIndex, event.strokeIndex))
            .bind(9, swim.timeMs)
            .bind(10, swim.status);
        if (swim.place > 0)
            insertSwim.bind(11, swim.place);
        if (swim.points > 0)
            insertSwim.bind(12, swim.points);
        insertSwim.bind(13, swim.relayLeg);
        if (swim.relayLeg > 0)
            insertSwim.bind(14, swim.relayTimeMs);
        insertSwim.run();
        const std::int64_t swimId = FDatabase.lastInsertId();
        for (const SplitRecord& split : swim.splits) {
            insertSplit.bind(1, swimId).bind(2, split.distance).bind(3, split.timeMs);
            insertSplit.run();
        }
    }
    best_times::markMeet(FDatabase, meetId);
}

void SeasonLibrary::Importer::releaseMeets(std::int64_t fileId, const std::set<std::int64_t>& meets)
{
    SqliteStatement unlink(FDatabase, "DELETE FROM file_meets WHERE file_id = ? AND meet_id = ?");
    SqliteStatement holders(FDatabase, "SELECT COUNT(*) FROM file_meets WHERE meet_id = ?");
    SqliteStatement remove(FDatabase, "DELETE FROM meets WHERE id = ?");
    SqliteStatement unsetSource(FDatabase,
                                "UPDATE meets SET source_file = NULL WHERE id = ? AND source_file = ?");
    for (const std::int64_t meet : meets) {
        unlink.bind(1, fileId).bind(2, meet);
        unlink.run();
        holders.bind(1, meet);
        const bool held = holders.step() && holders.integer(0) > 0;
        holders.reset();
        if (!held) {
            clearMeet(meet);
            remove.bind(1, meet);
            remove.run();
        } else {
            unsetSource.bind(1, meet).bind(2, fileId);
            unsetSource.run();
        }
    }
}

FileReport SeasonLibrary::Importer::addFile(const std::string& path, bool force)
{
    FileReport report;
    report.path = path;
    const std::optional<FileStamp> stamp = fileStamp(path);
    if (!stamp) {
        report.outcome = FileOutcome::Failed;
        report.reason = "the file cannot be read";
        return report;
    }
    std::int64_t fileId = 0;
    {
        SqliteStatement select(FDatabase, "SELECT id, size, hash FROM files WHERE path = ?");
        select.bind(1, path);
        if (select.step()) {
            fileId = select.integer(0);
            if (!force && select.integer(1) == stamp->size && select.text(2) == stamp->hash) {
                report.outcome = FileOutcome::Unchanged;
                return report;
            }
        }
    }
    std::vector<MeetRecord> meets;
    if (!loadMeets(path, meets, report.reason)) {
        report.outcome = FileOutcome::Failed;
        return report;
    }
    SqliteTransaction transaction(FDatabase);
    const bool known = fileId != 0;
    bool stored = false;
    if (!known) {
        SqliteStatement insert(FDatabase, "INSERT INTO files (path, size, hash) VALUES (?, ?, ?)");
        insert.bind(1, path).bind(2, stamp->size).bind(3, stamp->hash);
        insert.run();
        fileId = FDatabase.lastInsertId();
    } else {
        SqliteStatement update(FDatabase, "UPDATE files SET size = ?, hash = ? WHERE id = ?");
        update.bind(1, stamp->size).bind(2, stamp->hash).bind(3, fileId);
        update.run();
    }
    std::set<std::int64_t> before = meetsOfFile(fileId);
    SqliteStatement link(FDatabase, "INSERT OR IGNORE INTO file_meets (file_id, meet_id) VALUES (?, ?)");
    for (const MeetRecord& meet : meets) {
        const std::string key = meet.key();
        std::optional<MeetRow> row = meetByKey(key);
        const int swims = static_cast<int>(meet.swims.size());
        bool store = false;
        if (!row) {
            SqliteStatement insert(FDatabase,
                                   "INSERT INTO meets (name, place, first_date, last_date, meet_key, "
                                   "course, source_file, swim_count) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
            insert.bind(1, meet.name)
                .bind(2, meet.place)
                .bind(3, meet.firstDate)
                .bind(4, meet.lastDate)
                .bind(5, key)
                .bind(6, meet.course)
                .bind(7, fileId)
                .bind(8, swims);
            insert.run();
            row = MeetRow{FDatabase.lastInsertId(), fileId, swims};
            store = true;
        } else if (row->source == fileId || row->source == 0 || swims > row->swims) {
            clearMeet(row->id);
            SqliteStatement update(FDatabase,
                                   "UPDATE meets SET name = ?, place = ?, course = ?, source_file = ?, "
                                   "swim_count = ? WHERE id = ?");
            update.bind(1, meet.name)
                .bind(2, meet.place)
                .bind(3, meet.course)
                .bind(4, fileId)
                .bind(5, swims)
                .bind(6, row->id);
            update.run();
            store = true;
        }
        if (store) {
            storeMeet(row->id, meet);
            report.swims += swims;
            stored = true;
        }
        link.bind(1, fileId).bind(2, row->id);
        link.run();
        before.erase(row->id);
        ++report.meets;
    }
    releaseMeets(fileId, before);
    best_times::refresh(FDatabase);
    transaction.commit();
    // A new file whose every meet was already stored from another file added nothing.
    report.outcome = known ? FileOutcome::Replaced
                           : (stored || meets.empty() ? FileOutcome::Added : FileOutcome::SameMeet);
    return report;
}

FileReport SeasonLibrary::Importer::removeFile(std::int64_t fileId, const std::string& path)
{
    SqliteTransaction transaction(FDatabase);
    const std::set<std::int64_t> meets = meetsOfFile(fileId);
    releaseMeets(fileId, meets);
    SqliteStatement remove(FDatabase, "DELETE FROM files WHERE id = ?");
    remove.bind(1, fileId);
    remove.run();
    best_times::refresh(FDatabase);
    transaction.commit();
    FileReport report;
    report.path = path;
    report.outcome = FileOutcome::Removed;
    report.meets = static_cast<int>(meets.size());
    return report;
}

std::vector<std::pair<std::int64_t, std::string>>
SeasonLibrary::Importer::knownFilesUnder(const std::string& folder)
{
    std::string prefix = folder;
    if (prefix.empty() || prefix.back() != '/')
        prefix += '/';
    std::vector<std::pair<std::int64_t, std::string>> files;
    SqliteStatement select(FDatabase, "SELECT id, path FROM files WHERE substr(path, 1, length(?1)) = ?1");
    select.bind(1, prefix);
    while (select.step())
        files.emplace_back(select.integer(0), select.text(1));
    return files;
}

void SeasonLibrary::Importer::refillMeetsWithoutSource(std::vector<FileReport>& reports)
{
    std::vector<std::string> paths;
    {
        SqliteStatement select(FDatabase,
                               "SELECT DISTINCT f.path FROM meets m JOIN file_meets fm ON fm.meet_id = m.id "
                               "JOIN files f ON f.id = fm.file_id WHERE m.source_file IS NULL");
        while (select.step())
            paths.push_back(select.text(0));
    }
    for (const std::string& path : paths)
        reports.push_back(addFile(path, true));
}

} // namespace lanescope::library
