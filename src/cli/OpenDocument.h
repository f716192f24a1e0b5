#pragma once

#include "browser/BrowserModels.h"
#include "cli/Commands.h"
#include "lenex/Lenex.h"

#include <optional>
#include <string>

namespace lanescope::cli {

/** A language text for the terminal: CR LF line ends become LF, trailing line ends are dropped. */
std::string terminalText(const std::string& languageText);

/**
 * Opens any supported result file into the document through the converter choice, and indexes it. Prints
 * the unsupported-file or load-failure message to standard error and returns false when nothing was loaded.
 */
bool openDocument(const std::string& fileName, lenex::TLenex& document);

/**
 * Opens the file and builds the browser models of its competition (1-based, the first when not given).
 * Returns 0 on success, else the exit status after printing why: 1 when the file did not load, 2 when it
 * has no such competition.
 */
int openCompetition(const std::string& fileName, std::optional<int> competition, lenex::TLenex& document,
                    browser::BrowserModels& models);

/**
 * For the commands that take only FILE [--competition N]: reads the arguments, prints the usage when they
 * are wrong (status 2), then opens the file's competition as openCompetition does.
 */
int openCompetitionOfArguments(const Arguments& arguments, const char* usage, lenex::TLenex& document,
                               browser::BrowserModels& models);

} // namespace lanescope::cli
