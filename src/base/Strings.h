#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/**
 * Small string helpers for the texts of result and settings files: trimming of blanks, control characters and
 * Unicode spaces,
 * strict integer reading, ASCII letter case, line splitting and escaping.
 */
namespace lanescope::base {

/** True for the bytes 0 to 32: blanks and control characters, which trimming removes. */
constexpr bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

/** The UTF-8 text without the Unicode spaces (no-break space, ideographic space, ...) it starts with. */
std::string_view trimLeftUnicodeSpaces(std::string_view text);
/** The UTF-8 text without the Unicode spaces it ends with. */
std::string_view trimRightUnicodeSpaces(std::string_view text);

// The trims are inline: the Lenex parser trims every text it reads. Besides the bytes up to 32 they remove
// every Unicode space (a name ending in a no-break space would show it before the comma that follows); only
// a byte of 128 and more at an end leads to the slower look at UTF-8 characters.
inline std::string_view trimLeftView(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    if (!text.empty() && static_cast<unsigned char>(text.front()) >= 0x80)
        return trimLeftUnicodeSpaces(text);
    return text;
}
inline std::string_view trimRightView(std::string_view text)
{
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0x80)
        return trimRightUnicodeSpaces(text);
    return text;
}
inline std::string_view trimView(std::string_view text) { return trimRightView(trimLeftView(text)); }
inline std::string trim(std::string_view text) { return std::string(trimView(text)); }

/** Every occurrence of from (not empty) replaced by to, scanning left to right. */
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

/** The value of a hexadecimal digit (either case); -1 for any other character. */
int hexDigitValue(char c);

/** Lower-cases the ASCII letters only; every other byte stays. */
std::string asciiLower(std::string_view text);
/** Upper-cases the ASCII letters only; every other byte stays. */
std::string asciiUpper(std::string_view text);
/** Compares ASCII letters without regard to case; other bytes compare as they stand. */
bool asciiSameText(std::string_view a, std::string_view b);

/**
 * Reads a decimal 32-bit integer: optional leading blanks, an optional sign, then digits and nothing else.
 * Empty text, any other character or a value outside the 32-bit range give the fallback.
 */
std::int32_t strToIntDef(std::string_view text, std::int32_t fallback);
/** True when strToIntDef would accept the text. */
bool isInteger(std::string_view text);

/** Splits at CR LF, LF or CR, as text lists do; a line end at the very end gives no empty last line. */
std::vector<std::string> splitLines(std::string_view text);

/** The text with "&", "<", ">" and '"' written as XML/HTML entities. */
std::string xmlEscaped(std::string_view text);

} // namespace lanescope::base
