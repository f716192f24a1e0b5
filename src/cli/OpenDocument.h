#pragma once

#include "lenex/Lenex.h"

#include <string>

namespace lanescope::cli {

/** A language text for the terminal: CR LF line ends become LF, trailing line ends are dropped. */
std::string terminalText(const std::string& languageText);

/**
 * Opens any supported result file into the document through the converter choice, and indexes it. Prints
 * the unsupported-file or load-failure message to standard error and returns false when nothing was loaded.
 */
bool openDocument(const std::string& fileName, lenex::TLenex& document);

} // namespace lanescope::cli
