#pragma once

#include "base/TempFolder.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/** Finding, reading and decoding the XML text of Lenex 2 and 3 files. */
namespace lanescope::convert::lenex3 {

/**
 * True when the text starts (after a UTF-8 byte-order mark, the XML declaration, comments and a document
 * type) with a start tag <LENEX version="N..."> whose version begins with a number N of 2 or more: the
 * Lenex 2 and 3 files of today's meet software. Only the start of a file is needed.
 */
bool startsAsLenex3(std::string_view head);

/** A Lenex file as judged by its root start tag, with the .lef member of an archive extracted. */
struct SniffedFile
{
    base::TempFileGuard extracted; ///< the extracted member of an archive, deleted with this object
    std::string path;              ///< the file to read: the extracted member or the file itself
    bool lenex3 = false;
};

/**
 * Looks at the start of a plain file, or of the single .lef member of a Lenex archive (extracted as the
 * first-generation loader extracts it). An archive that cannot be read is no Lenex 3 file.
 */
SniffedFile sniffLenexFile(const std::string& fileName);

/**
 * The text of a Lenex 3 file, or of the single .lef member of a Lenex archive, as UTF-8: a UTF-8 byte-order
 * mark is dropped; text declared in an 8-bit encoding (ISO-8859-1 read as Windows-1252) is transcoded, and
 * so is text declared UTF-8 (or not declared) that is no valid UTF-8. Throws std::runtime_error when the file
 * cannot be read, is larger than an archive member may be, or the archive does not hold one .lef.
 */
std::string readLenexText(const std::string& fileName);

/** Line numbers of byte offsets in a text. */
class LineTable
{
public:
    LineTable() = default;
    explicit LineTable(std::string_view text);
    /** 1-based line of the offset; 0 for a negative offset (no position known). */
    int lineOf(std::ptrdiff_t offset) const;

private:
    std::vector<std::size_t> FNewlines;
};

} // namespace lanescope::convert::lenex3
