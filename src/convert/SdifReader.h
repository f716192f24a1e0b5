#pragma once

#include "base/DateTime.h"
#include "lenex/LnxTime.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lanescope::convert {

/** One SDIF record: a line padded or cut to 160 bytes, read through 1-based fixed columns. */
class TSDifRecord
{
public:
    static constexpr int kLength = 160;

    explicit TSDifRecord(std::string_view line = {});

    /** The field's bytes without surrounding blanks, decoded from Windows-1252; empty beyond column 160. */
    std::string text(int column, int width) const;
    /** The field's bytes as they stand, blanks included, decoded from Windows-1252; empty beyond column 160.
     */
    std::string untrimmed(int column, int width) const;
    /** The field as a decimal integer; empty text or no number gives 0. */
    std::int32_t integer(int column, int width) const;
    /**
     * The 8 columns as MMDDCCYY; an empty field gives 0 (no date), a part that is no number its default
     * (month 1, day 1, year 1900). Throws std::runtime_error when the parts form no calendar date.
     */
    base::TDateTime date(int column) const;
    /** The 8 columns as a swim time; a status word ("DQ", "NS") gives 0. */
    lenex::TSwimTime time(int column) const;
    std::string code() const { return text(1, 2); }
    const std::string& raw() const { return FText; }

private:
    std::string FText;
};

/** The lines of an SDIF file with a cursor on one of them. */
class TSDifFile
{
public:
    /** Splits the bytes into lines at CR, LF or CR LF and moves to the first record. */
    void Open(std::string_view bytes);
    void MoveTo(std::int32_t index);
    /** Moves one line on; true while the cursor is on a line. */
    bool Next();

    std::int32_t currentIndex() const { return FCurrentIndex; }
    std::int32_t lineCount() const { return static_cast<std::int32_t>(FLines.size()); }
    /** The record at the cursor, or nullptr past the last line. */
    const TSDifRecord* current() const { return FHasCurrent ? &FCurrent : nullptr; }

private:
    std::vector<std::string> FLines;
    std::int32_t FCurrentIndex = -1;
    TSDifRecord FCurrent;
    bool FHasCurrent = false;
};

/**
 * Opens an SDIF file (or the first member of a zip archive), keeps its A0 and B1 records, indexes the team
 * (C1) records and finds the course of the meet, then walks the records of one team at a time.
 */
class TSDifReader
{
public:
    using Progress = std::function<void(std::int32_t lineIndex)>;

    /**
     * Reads the file. A file that does not start with an A0 record leaves the reader empty (file code 0).
     * Throws std::runtime_error when the file or archive cannot be read or the archive holds no file.
     */
    void Open(const std::string& fileName, const Progress& progress = {});
    /** The same for bytes already in memory. */
    void OpenBytes(std::string_view bytes, const Progress& progress = {});

    std::int32_t fileCode() const { return FA0.integer(12, 2); }
    std::string softwareName() const { return FA0.text(44, 20); }
    std::string softwareVersion() const { return FA0.text(64, 10); }
    std::string sdifVersion() const { return FA0.text(4, 8); }
    std::string meetName() const { return FB1.text(12, 30); }
    std::string meetCity() const { return FB1.text(86, 20); }
    std::string meetNation() const { return FB1.text(118, 3); }
    base::TDateTime meetStartDate() const { return FB1.date(122); }
    base::TDateTime meetEndDate() const { return FB1.date(130); }
    /** -1 when no D0 record names a course S, L or Y; else the pool index 0, 1 or 2. */
    std::int32_t courseIndex() const { return FCourseIndex; }

    std::int32_t teamCount() const { return static_cast<std::int32_t>(FTeams.size()); }
    const std::string& teamKey(std::int32_t team) const { return FTeams[static_cast<std::size_t>(team)].key; }
    const TSDifRecord& Team(std::int32_t team);
    void MoveToTeam(std::int32_t team);
    /** Moves to the next record; true when there is one and it opens no other team. */
    bool NextInTeam();
    const TSDifRecord* current() const { return FFile.current(); }

private:
    struct TeamEntry
    {
        std::string key;
        std::int32_t line;
    };

    TSDifRecord FA0;
    TSDifRecord FB1;
    std::vector<TeamEntry> FTeams;
    TSDifFile FFile;
    std::int32_t FCourseIndex = -1;
};

} // namespace lanescope::convert
