#pragma once

#include "base/DateTime.h"

#include <ctime>

namespace lanescope::report {

/** The local date and time now as a day number (whole seconds). */
inline base::TDateTime localNow()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return base::encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           base::encodeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

} // namespace lanescope::report
