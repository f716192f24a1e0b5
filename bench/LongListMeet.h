#pragma once

#include "lenex/LnxElement.h"

#include <memory>

namespace lanescope::bench {

/** A meet tree with one 200 m event and the given number of ranked results, each with three splits. */
std::unique_ptr<lenex::TLnxObject> longListMeet(int results);

} // namespace lanescope::bench
