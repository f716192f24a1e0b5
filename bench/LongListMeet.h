#pragma once

#include "lenex/LnxElement.h"

#include <memory>
#include <string>

namespace lanescope::bench {

/**
 * A meet tree with one 200 m event and the given number of ranked results, each with three splits; the
 * athletes' first name and the club's name as given.
 */
std::unique_ptr<lenex::TLnxObject> longListMeet(int results, const std::string& firstName = "Anna",
                                                const std::string& clubName = "Benchmark Swim Club");

} // namespace lanescope::bench
