#pragma once

#include <string>
#include <string_view>

namespace lanescope::library {

/**
 * The form in which names are matched: accents taken off ("é" is "e", "ü" is "u"), case folded ("ß" is
 * "ss"), runs of blanks one blank, no blanks at the ends. Works for every script (ICU).
 */
std::string textKey(std::string_view utf8);

} // namespace lanescope::library
