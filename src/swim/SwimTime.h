#pragma once

#include "lenex/LnxTime.h"

#include <cstdint>
#include <string>

/**
 * Text forms and conversions of swim times (lenex::TSwimTime) and of millisecond times, the form the meet
 * views hand out (0 means no time in both).
 */
namespace lanescope::swim {

using lenex::TSwimTime;

/**
 * Eight characters for times below an hour: " 1:23.45", "   23.45", " 1:23.4*" (star: hundredths not
 * measured); an hour and more with the hours in front: "1:02:03.45". Values below 11 and from 59:59.99 up to
 * the hour (the "no time" mark) give "NT" when showNT is set, else empty text.
 */
std::string formatSwimTime(TSwimTime time, bool showNT);
/**
 * "m:ss.hh" without a leading "0:" ("23.45", "1:23.45") for 1..3599989 ms, "h:mm:ss.hh" from an hour on
 * ("1:02:03.45"); for other values "NT" when showNT is set, else empty text.
 */
std::string formatMilliseconds(std::int32_t milliseconds, bool showNT);
/** Hundredths of a second; an unmeasured hundredth counts as 0. */
std::int32_t swimTimeToHundredths(TSwimTime time);
/** Milliseconds; an unmeasured hundredth counts as 0. */
std::int32_t swimTimeToMilliseconds(TSwimTime time);
/**
 * The lap time a - b between two cumulative split times, borrowing a tenth when needed; unmeasured
 * hundredths in either give an unmeasured hundredth.
 */
TSwimTime swimTimeDifference(TSwimTime a, TSwimTime b);

} // namespace lanescope::swim
