#pragma once

#include "report/VnxReport.h"

#include <optional>
#include <string>

namespace lanescope::cli {

/**
 * Runs the report set up on the engine into the PDF or else the HTML file; a run's warnings (a page image
 * that cannot be read) and a file that cannot be written go to the error output. Returns the exit code.
 */
int writeReport(report::TVnxReport& engine, const std::optional<std::string>& pdf,
                const std::optional<std::string>& html);

} // namespace lanescope::cli
