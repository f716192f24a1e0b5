#pragma once

#include "library/MeetRecord.h"
#include "library/Sqlite.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::library {

/** What adding did with one file. */
enum class FileOutcome
{
    Added,     // its meets were stored
    Replaced,  // the file changed: its meets were stored again
    Unchanged, // same size and content as when it was added
    SameMeet,  // its meets were already stored from another file
    Failed,    // it did not load (reason says why); the rest went on
    Removed,   // it is gone from disk: its swims were taken out
};

struct FileReport
{
    std::string path;
    FileOutcome outcome = FileOutcome::Added;
    std::string reason;
    int meets = 0;
    int swims = 0;
};

struct AddSummary
{
    std::vector<FileReport> files;
    bool cancelled = false;
    int count(FileOutcome outcome) const;
};

/** Called after each file with its place (from 1) among count files; returning false cancels the rest. */
using AddProgress = std::function<bool(int index, int count, const FileReport& report)>;

struct AthleteRow
{
    std::int64_t id = 0;
    std::string lastName;
    std::string firstName;
    int birthYear = 0;
    int gender = 0;
    std::string clubs; // ", " between several
    int swims = 0;
    /** "Last First, YYYY" (without the year when it is unknown). */
    std::string nameText() const;
};

/** One identity of an athlete as files name it: what a split takes away. */
struct AthleteKeyRow
{
    std::int64_t id = 0;
    std::string license;
    std::string lastName;
    std::string firstName;
    int birthYear = 0;
    int gender = 0;
    int swims = 0;
};

struct SwimRow
{
    std::string date;
    std::string meet;
    std::string event; // "100m Breaststroke"
    int style = 0;
    int course = 0;
    std::string round;
    std::int32_t timeMs = 0;
    int status = 0;
    int place = 0;
    int points = 0;
    int relayLeg = 0; // 0 for an individual swim
    std::int32_t relayTimeMs = 0;
    std::string club;
};

struct HistoryFilter
{
    std::string event; // "100m Breaststroke" in the loaded language, any case; empty for all
    int course = 0;    // 0 for all
};

struct BestListFilter
{
    std::string club; // part of the club name, any case and accents
    int gender = 0;   // 1 male, 2 female, 0 both
    std::string from; // YYYY-MM-DD, inclusive; empty: open
    std::string to;
    int course = 0;
    int birthYear = 0;
};

struct BestListRow
{
    std::string event;
    int style = 0;
    int course = 0;
    int rank = 0;
    AthleteRow athlete;
    std::string club;
    std::int32_t timeMs = 0;
    std::string date;
    std::string meet;
};

/**
 * The season library: one SQLite file holding the swims of many meets, read from result files of every
 * format the viewer opens. Opening brings the file to the current schema; a file of a newer schema is refused
 * and a damaged file reported (LibraryError::damaged), both as LibraryError. Every write is a transaction; a
 * window and a command line may use one file at once (WAL).
 */
class SeasonLibrary
{
public:
    explicit SeasonLibrary(const std::string& fileName);
    ~SeasonLibrary();
    SeasonLibrary(const SeasonLibrary&) = delete;
    SeasonLibrary& operator=(const SeasonLibrary&) = delete;

    /** `$XDG_DATA_HOME/lanescope/library.sqlite` (`~/.local/share` without XDG_DATA_HOME). */
    static std::string defaultPath();
    /** The settings' "Library"/"Path" when it is set, else defaultPath(). */
    static std::string configuredPath(const base::CustomIniFile& settings);
    const std::string& fileName() const { return FFileName; }
    SqliteDatabase& database() { return *FDatabase; }

    /**
     * Adds files and folders (folders recursively: every file of a type the viewer opens). A known file with
     * the same size and content is skipped, a changed one replaces its swims, a file that fails to load is
     * reported and skipped. A known file under an added folder that is gone from disk loses its swims. Each
     * file is one transaction, so a cancel keeps the files done.
     */
    AddSummary add(const std::vector<std::string>& paths, const AddProgress& progress = {});

    /** Athletes with swims whose name holds every word of the text (or whose registration number it is). */
    std::vector<AthleteRow> athletes(const std::string& text);
    std::optional<AthleteRow> athlete(std::int64_t id);
    std::vector<AthleteKeyRow> athleteKeys(std::int64_t athleteId);
    /** Every swim of the athlete, oldest first; relay legs included. */
    std::vector<SwimRow> history(std::int64_t athleteId, const HistoryFilter& filter = {});
    /** Per style and course the fastest valid individual time, with its date and meet. */
    std::vector<SwimRow> personalBests(std::int64_t athleteId, const HistoryFilter& filter = {});
    /** Per style and course every athlete's fastest valid individual time in the filter, ranked. */
    std::vector<BestListRow> bestList(const BestListFilter& filter);

    /** Makes the second athlete part of the first; kept in the file, also for files added later. */
    void mergeAthletes(std::int64_t keep, std::int64_t other);
    /** Gives the identity (athleteKeys) an athlete of its own again; returns the new athlete's id. */
    std::int64_t splitAthlete(std::int64_t keyId);

    /**
     * The RESULT nodes (SwimRecord::node) of the meet's valid individual swims that are faster than every
     * earlier valid time the library holds of the athlete in that style and course; a swim without any
     * earlier time is no mark.
     */
    std::vector<const void*> personalBestNodes(const MeetRecord& meet);

    /** The paths of the files the library was built from, as far as the file can still be read. */
    static std::vector<std::string> knownFiles(const std::string& fileName);
    /**
     * Moves a damaged library file aside (".damaged") and builds a new one from the files it knew and the
     * extra paths. Returns what adding reported.
     */
    static AddSummary rebuild(const std::string& fileName, const std::vector<std::string>& extraPaths,
                              const AddProgress& progress = {});

private:
    class Importer;

    std::string FFileName;
    std::unique_ptr<SqliteDatabase> FDatabase;
};

} // namespace lanescope::library
