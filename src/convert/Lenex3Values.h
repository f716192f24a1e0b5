#pragma once

#include "lenex/LnxTime.h"

#include <string>
#include <string_view>

/** The value forms of Lenex 2 and 3 attributes, turned into the text forms of the program's tree. */
namespace lanescope::convert::lenex3 {

/** "yyyy-mm-dd" (a trailing "T..." part ignored) as "yyyymmdd"; empty for anything else. */
std::string dateText(std::string_view value);
/** Year of a "yyyy-mm-dd" date; 0 when the value is no such date. */
int yearOf(std::string_view value);
/** "hh:mm" (seconds after it ignored) as "hhnn"; empty for anything else. */
std::string daytimeText(std::string_view value);
/**
 * "hh:mm:ss.hh" as a swim time; every hour adds 60 minutes. "NT", empty and unreadable text and times beyond
 * the swim time's range give 0 (no time).
 */
lenex::TSwimTime swimTime(std::string_view value);
/**
 * A reaction time in signed hundredths ("+65", "-3", "0") as seconds with two decimals written with the
 * decimal separator ("0.65", "-0.03", "0.00"); empty for anything else.
 */
std::string reactionTimeText(std::string_view value, char decimalSeparator);
/** Pool index of a course: LCM 1, SCM 0, SCY 2, SCM33 3, SCM16 4; -1 for other courses and for none. */
int poolIndexOfCourse(std::string_view course);
/** TI code of a timing: MANUAL3 "M3", MANUAL2 and MANUAL1 "M1", everything else "A". */
std::string timingCode(std::string_view timing);
/** CODE of a result status: DSQ "DQ", EXH "EX", SICK "DNS"; other texts (WDR too) as they stand. */
std::string statusCode(std::string_view status);
/** Stroke position (lenex::kStrokeCodes) of a stroke: FREE, FLY, BACK, BREAST, MEDLEY and IMRELAY; else 6. */
int strokeIndexOf(std::string_view stroke);
/** "M" and "F" as they stand; anything else "X". */
std::string sexCode(std::string_view gender);
/** The leading decimal digits of a text as a number ("3.0" gives 3); -1 when it starts with no digit. */
int leadingNumber(std::string_view text);

} // namespace lanescope::convert::lenex3
