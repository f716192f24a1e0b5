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

/** The BCP 47 tag of the loaded language ("de-CH", "fr"), set with the source; empty without one. */
void setLanguageTag(std::string tag);
const std::string& languageTag();

} // namespace lanescope::base
