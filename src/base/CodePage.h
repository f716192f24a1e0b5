#pragma once

#include <optional>
#include <string>
#include <string_view>

/**
 * The 8-bit code pages our input files come in, and their conversion to the UTF-8 used inside the program.
 */
namespace lanescope::base {

enum class CodePage
{
    Utf8,
    Windows1250,
    Windows1251,
    Windows1252,
    Windows1253,
    Windows1254,
    Windows1255,
    Windows1256,
    Windows1257,
    Windows1258,
    Iso8859_2,
    Iso8859_5,
    Iso8859_7,
    Iso8859_9,
    Cp850,
};

/**
 * Code page of an encoding name as it stands in an XML declaration ("UTF-8", "ISO-8859-2", "windows-1250",
 * "cp1252", ...), compared without regard to case. ISO-8859-1 and US-ASCII give Windows-1252, as browsers
 * read them. An unknown name gives nothing.
 */
std::optional<CodePage> codePageFromName(std::string_view name);

/** True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF). */
bool isValidUtf8(std::string_view bytes);

/**
 * Appends the bytes, decoded from the code page, to out as UTF-8. UTF-8 input that is not well-formed
 * is decoded as Windows-1252 instead, so the result is always valid UTF-8. Pure ASCII is copied unchanged.
 */
void appendDecoded(std::string& out, std::string_view bytes, CodePage codePage);
std::string decodeToUtf8(std::string_view bytes, CodePage codePage);

/** Encodes UTF-8 text as Windows-1252; characters the code page lacks become "?". */
std::string encodeWindows1252(std::string_view utf8);

/** True when every character of the UTF-8 text has a byte in Windows-1252 (invalid UTF-8 has none). */
bool fitsWindows1252(std::string_view utf8);

/**
 * True when every character of the UTF-8 text is ASCII or one of U+00A0-U+00FF: the characters that ISO-8859-1
 * and Windows-1252 give the same byte, so a reader of either takes that byte for the same letter. Such text
 * encodes with encodeWindows1252 to ISO-8859-1.
 */
bool fitsLatin1(std::string_view utf8);

} // namespace lanescope::base
