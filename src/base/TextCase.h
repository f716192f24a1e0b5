#pragma once

#include <string>
#include <string_view>

/**
 * Letter case of UTF-8 text for ASCII, Latin-1 and Latin Extended-A letters (so "ü" and "Ü" pair up).
 * Every other character passes through unchanged; invalid UTF-8 bytes are kept as they stand.
 */
namespace lanescope::base {

std::string upperCase(std::string_view utf8);
std::string lowerCase(std::string_view utf8);
/** Three-way comparison of the lower-cased texts, byte by byte: negative, 0 or positive. */
int compareText(std::string_view a, std::string_view b);
bool sameText(std::string_view a, std::string_view b);

} // namespace lanescope::base
