#pragma once

#include "lenex/LnxTime.h"

#include <map>
#include <string>
#include <string_view>

/** The value forms of DSV6, DSV7 and DSV8 fields, turned into the text forms of the program's tree. */
namespace lanescope::convert::dsv7 {

/** A number or id with leading zeros ("0042" is 42); fallback for anything else. */
int numberOf(std::string_view text, int fallback);
/** An id as text without blanks and leading zeros, so "002700003" and "2700003" are one key. */
std::string idKey(std::string_view text);
/** "TT.MM.JJJJ" or "JJJJ-MM-TT" as "yyyymmdd"; empty for anything else. */
std::string dateText(std::string_view value);
/** Year of a date as dateText reads it; 0 when the value is no such date. */
int yearOf(std::string_view value);
/** "HH:MM" as "hhnn"; empty for "00:00" (no daytime) and for anything else. */
std::string daytimeText(std::string_view value);
/** "HH:MM:SS,hh" as a swim time; "00:00:00,00", empty and unreadable text give 0 (no time). */
lenex::TSwimTime swimTime(std::string_view value);
/** "6,00" (or "6.00", "6") in hundredths (600); -1 for anything else. */
int moneyInHundredths(std::string_view value);
/** M "M", W "F", X and D "X"; empty for anything else. */
std::string sexCode(std::string_view letter);
/** Sex index of an event's sex code for write swim style: M 0, F 1, anything else 2. */
int sexIndexOf(std::string_view code);
/** TYPE of an event kind: V "PRE", Z "SEM", F "FIN", A "SOF", anything else "TIM". */
std::string roundType(std::string_view kind);
/** Stroke position (lenex::kStrokeCodes) of a GL stroke letter F, S, R, B, L; -1 for anything else. */
int strokeIndexOf(std::string_view stroke);
/** A style name in the federation's words: "4x50m Brust Beine", "25m Sonderform", "100m Freistil". */
std::string styleName(int swimmers, int distance, std::string_view stroke, std::string_view exercise);
/**
 * A reaction time: the sign ("+" or "-") and a time ("HH:MM:SS,hh" or "S,hh") as seconds with two decimals
 * written with the decimal separator ("0.65", "-0.03"); empty when the time cannot be read.
 */
std::string reactionTimeText(std::string_view sign, std::string_view time, char decimalSeparator);
/** "Family, Given" cut at the first comma into NAME and FNAME; without a comma all of it is the NAME. */
std::pair<std::string, std::string> splitName(std::string_view name);
/** A club's association number: 0 and empty give "", 1 to 9 get a leading zero, others stand as written. */
std::string associationCode(std::string_view value);

/** Birth-year bounds of an age class (-1 = open) and its width in years of age. */
struct AgeBounds
{
    int min = -1;
    int max = -1;
    int width = 99;
};

/**
 * The bounds of a JG (years of birth) or AK (ages) class. JG: of two years the smaller is MIN (writers put
 * either first), an empty upper is the lower one, 0 on either side and 9999 above open. AK: ages, each the
 * number before an optional "+"; the smaller is the lower age; an empty upper age is the lower plus 4 for an
 * individual event and open for a relay. Ages become years of birth against the reference year.
 */
AgeBounds ageBounds(std::string_view type, std::string_view lower, std::string_view upper, bool relay,
                    int referenceYear);

/**
 * Adds the split at the race distance with the final time to the splits of a swim that has splits and a
 * final time but none at the race distance.
 */
void addFinishSplit(std::map<int, lenex::TSwimTime>& splits, int raceDistance, lenex::TSwimTime finalTime);

} // namespace lanescope::convert::dsv7
