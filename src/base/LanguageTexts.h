#pragma once

#include <functional>
#include <string>

/**
 * Access to the numbered texts of the loaded language (S41, V32, ...) for the core libraries, which sit
 * below the language manager. The language manager installs itself as the source; without a source every
 * text is empty.
 */
namespace lanescope::base {

/** A data text by section letter, number and item (0: the whole entry, k: its k-th ;-separated part). */
using LanguageTextSource = std::function<std::string(char section, int number, int item)>;

void setLanguageTextSource(LanguageTextSource source);
std::string languageText(char section, int number, int item = 0);

} // namespace lanescope::base
