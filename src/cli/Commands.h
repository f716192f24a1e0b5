#pragma once

#include <string>
#include <vector>

/** The commands of lanescope-cli; each returns the process exit status. */
namespace lanescope::cli {

using Arguments = std::vector<std::string>;

/** parse FILE: tag counts, then every parse error and warning; 1 when there are errors. */
int runParse(const Arguments& arguments);

} // namespace lanescope::cli
