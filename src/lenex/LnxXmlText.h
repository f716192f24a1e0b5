#pragma once

#include <string>
#include <string_view>

/** Character data of Lenex text: the references a reader resolves and the escapes a writer puts in. */
namespace lanescope::lenex {

/**
 * Replaces, in UTF-8 text, the five predefined entities ("&amp;", "&lt;", "&gt;", "&quot;", "&apos;") and
 * the numeric character references ("&#228;", "&#xE4;") with the characters they stand for. An "&" that
 * starts no valid reference stays as it stands: older writers put a bare "&" into names. A reference to
 * U+0000, a surrogate or a number beyond U+10FFFF is no valid reference.
 */
void decodeXmlReferences(std::string& text);

/**
 * True when raw character data holds only ASCII and no "&": it then reads as it stands in every code page,
 * with no reference to resolve. Most values of a Lenex file are such text (times, numbers, codes).
 */
bool isPlainXmlText(std::string_view raw);

/**
 * Appends UTF-8 text as XML character data: "&", "<" and ">" as entities, in an attribute value also '"',
 * and tab, line feed and carriage return as numeric references (a reader would fold them into blanks).
 * Characters XML cannot carry at all (control characters other than those three, U+FFFE, U+FFFF) are left
 * out, so the result is always well-formed.
 */
void appendXmlEscaped(std::string& out, std::string_view text, bool attributeValue);

/** True for a name an XML reader accepts as an element or attribute name ("$" is not part of one). */
bool isXmlName(std::string_view name);

} // namespace lanescope::lenex
