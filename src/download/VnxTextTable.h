#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lanescope::download {

/**
 * `TVnxTextTable`: a delimited text file read row by row, its columns found by the names in the header line
 * or by number. Zero bytes read as blanks; lines end at CR, LF or CR LF; text that is not UTF-8 is read as
 * Windows-1252.
 */
class TVnxTextTable
{
public:
    /** Reads the file; false (and an empty table) when it cannot be read. */
    bool Open(const std::string& fileName, bool hasHeader, char delimiter = '\t');
    /** The same for text in memory. */
    void OpenText(std::string_view bytes, bool hasHeader, char delimiter = '\t');

    void First();
    void Next();
    bool Eof() const;
    /**
     * The current row's value of the column, without surrounding blanks. A missing column, or a row with
     * too few fields, gives an empty text.
     */
    std::string Value(std::string_view columnName) const;
    /**
     * With a header, the position of the name among the column names (any case), -1 when absent; without
     * one, the name read as a 0-based column number, -1 when it is none.
     */
    int ColumnIndex(std::string_view columnName) const;

    std::int32_t rowCount() const { return static_cast<std::int32_t>(FRows.size()); }
    const std::vector<std::string>& columnNames() const { return FColumnNames; }

private:
    void moveTo(std::int32_t row);

    char FDelimiter = '\t';
    bool FHasHeader = false;
    std::int32_t FCurrentRow = -1;
    std::vector<std::string> FColumnNames;
    std::vector<std::string> FCurrentValues;
    std::vector<std::string> FRows;
};

} // namespace lanescope::download
