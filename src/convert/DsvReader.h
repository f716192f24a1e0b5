#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lanescope::convert {

/** The parts of a ;-separated text; empty parts count, a text ending in ";" has an empty last part. */
std::vector<std::string_view> dsvSplitFields(std::string_view text);
/** Field n (1-based) of a ;-separated text; empty when there is no such field. */
std::string dsvField(std::string_view text, int n);
/** Fields first to last (1-based, clamped to the text's fields) joined again with ";". */
std::string dsvFields(std::string_view text, int first, int last);
/** The number of semicolons plus one. */
int dsvFieldCount(std::string_view text);
/** True when text begins with prefix, ASCII letters compared without regard to case. */
bool dsvStartsWith(std::string_view text, std::string_view prefix);

/** Which DSV list a file holds, by its first keyword. */
enum TDsvListType : std::uint8_t
{
    dltUnknown = 0,
    dltClubEntries = 1,
    dltClubResults = 2,
    dltCompetitionResults = 3,
};

/** The first keyword of each list type ("" for dltUnknown). */
std::string_view dsvListKeyword(int listType);

/**
 * A DSV4 file, cleaned of comments and quotes, decoded to UTF-8 (Windows-1252, or CP850 when its umlaut bytes
 * occur) and rearranged so that every keyword record stands on a line of its own; the result lines of a
 * competition result list keep their own lines after the first "WK:" line.
 */
class TVnxDsvReader
{
public:
    /**
     * Reads a .dsv file, or the first .dsv member of a .zip archive (extracted into the private temp folder
     * and deleted again). A file that cannot be read throws std::runtime_error; an archive without a .dsv
     * member gives an empty reader of list type dltUnknown.
     */
    explicit TVnxDsvReader(const std::string& fileName);
    /** Prepares the raw bytes of a DSV4 file as if they had been read from one. */
    static TVnxDsvReader fromBytes(std::string bytes);

    /**
     * The rest of the first line at or after startLine that begins with keyword (without regard to case),
     * leading blanks and colons removed; with fieldIndex above 0 only that field, trimmed. Empty when no line
     * matches. currentLine() becomes the found line, or lineCount() when there is none.
     */
    std::string FindRecord(std::string_view keyword, int startLine, int fieldIndex);
    /**
     * Moves to the next line and splits it into key (the text before its first colon) and value (the rest,
     * each field trimmed). Past the last line both are empty.
     */
    std::pair<std::string, std::string> NextRecord();
    /**
     * The k-th (from 1) result block of a competition result list: the "WK:" line without its keyword and the
     * result lines up to the next "WK:" line, each field trimmed, remark lines completed, two-line results
     * joined. Empty when there is no such block. A two-line result without its partner line throws
     * std::out_of_range.
     */
    std::vector<std::string> EventBlock(int k);

    const std::string& format() const { return FFormat; }
    const std::vector<std::string>& lines() const { return FLines; }
    int lineCount() const { return static_cast<int>(FLines.size()); }
    int listType() const { return FListType; }
    int currentLine() const { return FCurrentLine; }

    std::string meetName() { return FindRecord("VERANSTALTUNG", 0, 1); }
    std::string meetCity() { return FindRecord("VERANSTALTUNG", 0, 2); }
    /** 0 (25 m) when the VERANSTALTUNG pool length is exactly "25", otherwise 1 (50 m). */
    int poolIndex() { return FindRecord("VERANSTALTUNG", 0, 3) == "25" ? 0 : 1; }

private:
    TVnxDsvReader() = default;
    void prepare(std::string bytes);
    void findBlocks();

    std::string FFormat;
    std::vector<std::string> FLines;
    std::uint8_t FListType = dltUnknown;
    int FCurrentLine = 0;
    // Line indexes of the "WK:" lines before the file end marker, found on the first EventBlock call.
    std::vector<int> FBlockStarts;
    int FBlockEnd = -1;
};

} // namespace lanescope::convert
