#pragma once

#include <string>
#include <string_view>

/**
 * Letter case of UTF-8 text in every script (Latin, Greek, Cyrillic, ...), one character to one character
 * by the Unicode case mappings, so "ü" and "Ü", "ж" and "Ж" pair up and "ß" stays. Bytes that are not
 * well-formed UTF-8 are kept as they stand.
 */
namespace lanescope::base {

std::string upperCase(std::string_view utf8);
std::string lowerCase(std::string_view utf8);
/** The text lower-cased and case-folded: the form in which texts that differ only in case are equal. */
std::string foldCase(std::string_view utf8);
/** Three-way comparison of the case-folded texts, byte by byte: negative, 0 or positive. */
int compareText(std::string_view a, std::string_view b);
bool sameText(std::string_view a, std::string_view b);

} // namespace lanescope::base
