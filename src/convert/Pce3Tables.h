#pragma once

#include "lenex/LnxSwimStyle.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/** Reading the fixed-column tables of a PCE3 export and decoding their event codes. */
namespace lanescope::convert::pce3 {

/** Largest table that is read; a bigger archive member or file ends the conversion. */
inline constexpr std::uint64_t kMaxTableBytes = std::uint64_t{256} << 20;

/**
 * Raw bytes of the table "<name>.txt". A source that is an existing file is read as a zip archive: exactly
 * one member (of any folder, any letter case) must carry that name; it is extracted safely into the private
 * temporary folder, read and deleted again. Any other source is a folder holding the table files. Throws
 * std::runtime_error when the table cannot be read.
 */
std::string readTableText(const std::string& source, const std::string& name);

/** The lines of a table without their line ends; lines holding only blanks are left out. */
std::vector<std::string> tableLines(std::string_view text);

/** Characters first to last (1-based, inclusive) of a raw line; shorter lines give what they have. */
std::string_view columns(std::string_view line, int first, int last);
/** The columns without surrounding blanks, decoded from Windows-1252 to UTF-8. */
std::string columnText(std::string_view line, int first, int last);

/** Day number of a DDMMYYYY text; 0 when it is no valid date. */
double readDate(std::string_view text);
/** The integer of a text with optional surrounding blanks; throws std::invalid_argument for a non-number. */
std::int32_t readInteger(std::string_view text);

/** Swim style and sex index (0 men, 1 women, 2 mixed) of a 2-character event code. */
struct EventCode
{
    lenex::TSwimStyle style;
    int sexIndex = 0;
};

/**
 * Decodes an event code by the PCE3 event table. Throws std::invalid_argument for a code that is no number,
 * std::out_of_range for a code whose row is empty or whose distance is not in the distance list.
 */
EventCode decodeEventCode(std::string_view code);

/** Lenex round TYPE of the round character of a result line: "SEM", "FI4", "FI8", "SOF", "FIN" or empty. */
std::string_view roundType(char round);

} // namespace lanescope::convert::pce3
