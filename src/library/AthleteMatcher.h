#pragma once

#include "library/MeetRecord.h"
#include "library/Sqlite.h"

#include <cstdint>
#include <optional>

namespace lanescope::library {

/**
 * Finds the library's athlete for an athlete as a file names it. The federation registration number decides
 * where the file has one; otherwise last name, first name, birth year and gender, without regard to case and
 * accents. A match by name never joins two different registration numbers, and a registration number whose
 * known owner has another birth year or gender counts as none (files reuse placeholder numbers).
 */
class AthleteMatcher
{
public:
    struct Match
    {
        std::int64_t athlete = 0;
        std::int64_t key = 0;
    };

    explicit AthleteMatcher(SqliteDatabase& database);

    /** The athlete and identity, made when there is none yet. Call it inside a transaction. */
    Match matchOrCreate(const AthleteRecord& record);
    /** The athlete without writing anything; nothing for an athlete the library does not know. */
    std::optional<std::int64_t> find(const AthleteRecord& record);

    /** The registration number as matched: trimmed, and empty when it is only zeros. */
    static std::string normalLicense(const std::string& license);
    /** The name key of "last first". */
    static std::string nameKey(const std::string& lastName, const std::string& firstName);

private:
    struct Lookup
    {
        std::string license;
        std::string nameKey;
        std::optional<Match> match;
        /** For a new identity: the athlete to join (0: a new one). */
        std::int64_t joinAthlete = 0;
    };
    Lookup lookup(const AthleteRecord& record);
    bool athleteHasLicense(std::int64_t athlete);

    SqliteDatabase& FDatabase;
    SqliteStatement FByLicense;
    SqliteStatement FByName;
    SqliteStatement FCandidates;
    SqliteStatement FLicenses;
    SqliteStatement FInsertAthlete;
    SqliteStatement FInsertKey;
};

} // namespace lanescope::library
