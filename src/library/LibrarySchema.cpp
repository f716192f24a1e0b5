#include "library/LibrarySchema.h"

#include "library/BestTimes.h"

#include <string>

namespace lanescope::library {

namespace {

// Version 1. Dates are ISO texts (YYYY-MM-DD), times milliseconds. A meet is known by its name, place and
// dates; the files that hold it are listed in file_meets, and its swims come from one of them (source_file).
// Athletes are the persons the user sees; athlete_keys are the identities read from files (a registration
// number, or a name with birth year and gender) and say which athlete each belongs to, so a merge or split
// the user made holds when files are added again.
constexpr const char* kSchemaVersion1 = R"sql(
CREATE TABLE files (
    id INTEGER PRIMARY KEY,
    path TEXT NOT NULL UNIQUE,
    size INTEGER NOT NULL,
    hash TEXT NOT NULL
);
CREATE TABLE meets (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    place TEXT NOT NULL,
    first_date TEXT NOT NULL,
    last_date TEXT NOT NULL,
    meet_key TEXT NOT NULL UNIQUE,
    course INTEGER NOT NULL,
    source_file INTEGER REFERENCES files(id) ON DELETE SET NULL,
    swim_count INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE file_meets (
    file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,
    meet_id INTEGER NOT NULL REFERENCES meets(id) ON DELETE CASCADE,
    PRIMARY KEY (file_id, meet_id)
) WITHOUT ROWID;
CREATE INDEX file_meets_meet ON file_meets(meet_id);
CREATE TABLE sessions (
    id INTEGER PRIMARY KEY,
    meet_id INTEGER NOT NULL REFERENCES meets(id) ON DELETE CASCADE,
    number INTEGER NOT NULL,
    date TEXT NOT NULL,
    course INTEGER NOT NULL
);
CREATE INDEX sessions_meet ON sessions(meet_id);
CREATE TABLE events (
    id INTEGER PRIMARY KEY,
    meet_id INTEGER NOT NULL REFERENCES meets(id) ON DELETE CASCADE,
    session_id INTEGER REFERENCES sessions(id) ON DELETE CASCADE,
    number INTEGER NOT NULL,
    round TEXT NOT NULL,
    gender INTEGER NOT NULL,
    relay_count INTEGER NOT NULL,
    distance INTEGER NOT NULL,
    stroke INTEGER NOT NULL,
    style_name TEXT NOT NULL
);
CREATE INDEX events_meet ON events(meet_id);
CREATE INDEX events_session ON events(session_id);
CREATE TABLE clubs (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    nation TEXT NOT NULL,
    club_key TEXT NOT NULL UNIQUE
);
CREATE TABLE athletes (
    id INTEGER PRIMARY KEY,
    last_name TEXT NOT NULL,
    first_name TEXT NOT NULL,
    birth_year INTEGER NOT NULL,
    gender INTEGER NOT NULL,
    name_key TEXT NOT NULL
);
CREATE INDEX athletes_name ON athletes(name_key, birth_year, gender);
CREATE TABLE athlete_keys (
    id INTEGER PRIMARY KEY,
    athlete_id INTEGER NOT NULL REFERENCES athletes(id),
    license TEXT NOT NULL,
    last_name TEXT NOT NULL,
    first_name TEXT NOT NULL,
    birth_year INTEGER NOT NULL,
    gender INTEGER NOT NULL,
    name_key TEXT NOT NULL
);
CREATE UNIQUE INDEX athlete_keys_license ON athlete_keys(license) WHERE license <> '';
CREATE UNIQUE INDEX athlete_keys_name ON athlete_keys(name_key, birth_year, gender) WHERE license = '';
CREATE INDEX athlete_keys_athlete ON athlete_keys(athlete_id);
CREATE INDEX athlete_keys_name_all ON athlete_keys(name_key, birth_year, gender);
CREATE TABLE swims (
    id INTEGER PRIMARY KEY,
    meet_id INTEGER NOT NULL REFERENCES meets(id) ON DELETE CASCADE,
    event_id INTEGER NOT NULL REFERENCES events(id) ON DELETE CASCADE,
    athlete_id INTEGER NOT NULL REFERENCES athletes(id),
    key_id INTEGER NOT NULL REFERENCES athlete_keys(id),
    club_id INTEGER REFERENCES clubs(id),
    date TEXT NOT NULL,
    course INTEGER NOT NULL,
    style INTEGER NOT NULL,
    time_ms INTEGER NOT NULL,
    status INTEGER NOT NULL,
    place INTEGER,
    points INTEGER,
    relay_leg INTEGER NOT NULL DEFAULT 0,
    relay_time_ms INTEGER
);
CREATE INDEX swims_athlete ON swims(athlete_id, date);
CREATE INDEX swims_key ON swims(key_id);
CREATE INDEX swims_meet ON swims(meet_id);
CREATE INDEX swims_event ON swims(event_id);
CREATE INDEX swims_club_best ON swims(club_id, style, course, athlete_id, time_ms) WHERE relay_leg = 0 AND status = 0 AND time_ms > 0;
CREATE INDEX swims_best ON swims(style, course, athlete_id, time_ms) WHERE relay_leg = 0 AND status = 0 AND time_ms > 0;
CREATE TABLE splits (
    swim_id INTEGER NOT NULL REFERENCES swims(id) ON DELETE CASCADE,
    distance INTEGER NOT NULL,
    time_ms INTEGER NOT NULL,
    PRIMARY KEY (swim_id, distance)
) WITHOUT ROWID;
)sql";

// Version 2: best_times holds each athlete's fastest valid swim per style, course and club (see BestTimes.h),
// kept in ranking order (club 0 for a swim without a club), so a best list reads one row per athlete and
// event in the order it shows them instead of grouping every swim. swims_best becomes covering: it gives
// an athlete's valid swims of a style and course fastest first with every column a best list needs (and
// those of its condition, which SQLite reads from the index only when they are in it), for the lists of a
// date range and for keeping best_times; the club index of the old best-list query goes.
constexpr const char* kSchemaVersion2 = R"sql(
CREATE TABLE best_times (
    style INTEGER NOT NULL,
    course INTEGER NOT NULL,
    time_ms INTEGER NOT NULL,
    date TEXT NOT NULL,
    athlete_id INTEGER NOT NULL,
    club_id INTEGER NOT NULL,
    meet_id INTEGER NOT NULL,
    event_id INTEGER NOT NULL,
    PRIMARY KEY (style, course, time_ms, date, athlete_id, club_id)
) WITHOUT ROWID;
CREATE INDEX best_times_club ON best_times(club_id, style, course, time_ms, date, athlete_id, meet_id, event_id);
CREATE INDEX best_times_athlete ON best_times(athlete_id, style, course);
DROP INDEX swims_club_best;
DROP INDEX swims_best;
CREATE INDEX swims_best ON swims(style, course, athlete_id, time_ms, date, club_id, meet_id, event_id, relay_leg, status)
    WHERE relay_leg = 0 AND status = 0 AND time_ms > 0;
)sql";

// Each migration takes a database of version i + 1 to i + 2; version 1 is created whole.
constexpr const char* kMigrations[] = {kSchemaVersion1, kSchemaVersion2};

int userVersion(SqliteDatabase& database)
{
    SqliteStatement statement(database, "PRAGMA user_version");
    return statement.step() ? static_cast<int>(statement.integer(0)) : 0;
}

} // namespace

void applySchema(SqliteDatabase& database, const std::string& fileName)
{
    // Reading the version is the first touch of the file: a damaged one fails here.
    const int version = userVersion(database);
    if (version > kSchemaVersion)
        throw LibraryError("The library " + fileName +
                           " was written by a newer version of Lanescope (schema " + std::to_string(version) +
                           "; this version reads up to " + std::to_string(kSchemaVersion) +
                           "). Use the newer version or another library file.");
    {
        SqliteStatement journal(database, "PRAGMA journal_mode=WAL");
        journal.step();
    }
    // WAL is safe with NORMAL; a larger page cache keeps the indexes of a season's swims in memory while
    // adding.
    database.execute("PRAGMA synchronous=NORMAL; PRAGMA cache_size=-65536; PRAGMA temp_store=MEMORY");
    if (version == kSchemaVersion)
        return;
    SqliteTransaction transaction(database);
    for (int step = version; step < kSchemaVersion; ++step)
        database.execute(kMigrations[step]);
    // The best times of a file that had none are computed from its swims.
    if (version >= 1 && version < 2)
        best_times::rebuildAll(database);
    database.execute("PRAGMA user_version=" + std::to_string(kSchemaVersion));
    transaction.commit();
}

} // namespace lanescope::library
