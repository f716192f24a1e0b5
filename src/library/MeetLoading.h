#pragma once

#include "library/MeetRecord.h"

#include <string>
#include <vector>

namespace lanescope::library {

/**
 * Loads a result file of any type the viewer opens, through the same converter choice as the viewer, and
 * reads its meets. False with the reason (the converter's message, or that the type is not supported) when
 * nothing was loaded.
 */
bool loadMeets(const std::string& fileName, std::vector<MeetRecord>& meets, std::string& reason);

} // namespace lanescope::library
