#pragma once

#include "library/AthleteMatcher.h"
#include "library/ResultFiles.h"
#include "library/SeasonLibrary.h"

#include <set>

namespace lanescope::library {

/**
 * Stores the meets of files into a library database, one transaction per file. Meets are known by name,
 * place and dates: a meet read from a second file is stored once, and its swims come from the file that
 * holds the most of them. A meet no file holds any more is taken out with its swims.
 */
class SeasonLibrary::Importer
{
public:
    explicit Importer(SqliteDatabase& database);

    /** Adds or refreshes one file; force reads it even when it is unchanged. */
    FileReport addFile(const std::string& path, bool force);
    /** Takes out a file that is gone from disk. */
    FileReport removeFile(std::int64_t fileId, const std::string& path);
    /** The known files under a folder (by path) and their ids. */
    std::vector<std::pair<std::int64_t, std::string>> knownFilesUnder(const std::string& folder);
    /** Reads again, from another file that holds it, each meet whose source file went away. */
    void refillMeetsWithoutSource(std::vector<FileReport>& reports);

private:
    struct MeetRow
    {
        std::int64_t id = 0;
        std::int64_t source = 0;
        int swims = 0;
    };
    std::optional<MeetRow> meetByKey(const std::string& key);
    std::int64_t clubId(const AthleteRecord& athlete);
    void storeMeet(std::int64_t meetId, const MeetRecord& meet);
    void clearMeet(std::int64_t meetId);
    /** After a file let go of meets: removes those no file holds and unsets their source. */
    void releaseMeets(std::int64_t fileId, const std::set<std::int64_t>& meets);
    std::set<std::int64_t> meetsOfFile(std::int64_t fileId);

    SqliteDatabase& FDatabase;
    AthleteMatcher FMatcher;
};

} // namespace lanescope::library
