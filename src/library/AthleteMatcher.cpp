#include "library/AthleteMatcher.h"

#include "base/Strings.h"
#include "library/TextKey.h"

#include <vector>

namespace lanescope::library {

AthleteMatcher::AthleteMatcher(SqliteDatabase& database)
    : FDatabase(database)
    , FByLicense(database, "SELECT id, athlete_id, birth_year, gender FROM athlete_keys WHERE license = ?")
    , FByName(database, "SELECT id, athlete_id FROM athlete_keys WHERE license = '' AND name_key = ? "
                        "AND birth_year = ? AND gender = ?")
    , FCandidates(database,
                  "SELECT DISTINCT athlete_id FROM athlete_keys WHERE name_key = ? AND birth_year = ? "
                  "AND gender = ? ORDER BY athlete_id")
    , FLicenses(database, "SELECT 1 FROM athlete_keys WHERE athlete_id = ? AND license <> '' LIMIT 1")
    , FInsertAthlete(database, "INSERT INTO athletes (last_name, first_name, birth_year, gender, name_key) "
                               "VALUES (?, ?, ?, ?, ?)")
    , FInsertKey(database,
                 "INSERT INTO athlete_keys (athlete_id, license, last_name, first_name, birth_year, "
                 "gender, name_key) VALUES (?, ?, ?, ?, ?, ?, ?)")
{
}

std::string AthleteMatcher::normalLicense(const std::string& license)
{
    std::string trimmed = base::trim(license);
    return trimmed.find_first_not_of('0') == std::string::npos ? std::string() : trimmed;
}

std::string AthleteMatcher::nameKey(const std::string& lastName, const std::string& firstName)
{
    return textKey(lastName + ' ' + firstName);
}

bool AthleteMatcher::athleteHasLicense(std::int64_t athlete)
{
    FLicenses.bind(1, athlete);
    const bool has = FLicenses.step();
    FLicenses.reset();
    return has;
}

AthleteMatcher::Lookup AthleteMatcher::lookup(const AthleteRecord& record)
{
    Lookup result;
    result.license = normalLicense(record.license);
    result.nameKey = nameKey(record.lastName, record.firstName);
    if (!result.license.empty()) {
        FByLicense.bind(1, result.license);
        if (FByLicense.step()) {
            const int year = static_cast<int>(FByLicense.integer(2));
            const int gender = static_cast<int>(FByLicense.integer(3));
            const bool conflict = (year != 0 && record.birthYear != 0 && year != record.birthYear) ||
                                  (gender != 0 && record.gender != 0 && gender != record.gender);
            if (!conflict)
                result.match = Match{FByLicense.integer(1), FByLicense.integer(0)};
            else
                result.license.clear();
        }
        FByLicense.reset();
        if (result.match)
            return result;
    }
    if (result.license.empty()) {
        FByName.bind(1, result.nameKey).bind(2, record.birthYear).bind(3, record.gender);
        if (FByName.step())
            result.match = Match{FByName.integer(1), FByName.integer(0)};
        FByName.reset();
        if (result.match)
            return result;
    }
    std::vector<std::int64_t> candidates;
    FCandidates.bind(1, result.nameKey).bind(2, record.birthYear).bind(3, record.gender);
    while (FCandidates.step())
        candidates.push_back(FCandidates.integer(0));
    FCandidates.reset();
    if (!result.license.empty()) {
        // A new registration number joins a namesake only when that athlete has none yet.
        for (const std::int64_t candidate : candidates)
            if (!athleteHasLicense(candidate)) {
                result.joinAthlete = candidate;
                break;
            }
    } else if (candidates.size() == 1) {
        result.joinAthlete = candidates.front();
    }
    return result;
}

AthleteMatcher::Match AthleteMatcher::matchOrCreate(const AthleteRecord& record)
{
    Lookup found = lookup(record);
    if (found.match)
        return *found.match;
    Match match;
    match.athlete = found.joinAthlete;
    if (match.athlete == 0) {
        FInsertAthlete.bind(1, record.lastName)
            .bind(2, record.firstName)
            .bind(3, record.birthYear)
            .bind(4, record.gender)
            .bind(5, found.nameKey);
        FInsertAthlete.run();
        match.athlete = FDatabase.lastInsertId();
    }
    FInsertKey.bind(1, match.athlete)
        .bind(2, found.license)
        .bind(3, record.lastName)
        .bind(4, record.firstName)
        .bind(5, record.birthYear)
        .bind(6, record.gender)
        .bind(7, found.nameKey);
    FInsertKey.run();
    match.key = FDatabase.lastInsertId();
    return match;
}

std::optional<std::int64_t> AthleteMatcher::find(const AthleteRecord& record)
{
    const Lookup found = lookup(record);
    if (found.match)
        return found.match->athlete;
    if (found.joinAthlete != 0)
        return found.joinAthlete;
    return std::nullopt;
}

} // namespace lanescope::library
