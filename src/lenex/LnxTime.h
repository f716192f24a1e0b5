#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/**
 * Swim times and the lenextime text that stores them in the tree.
 *
 * A swim time is minutes * 600000 + seconds * 10000 + tenths * 1000 + hundredths * 10; a hundredths digit
 * of 10 means the hundredths were not measured, and 0 means no time.
 */
namespace lanescope::lenex {

using TSwimTime = std::int32_t;

/** Positions of the lenextime kind letters "E", "I", "L", "V", "A". */
enum TTimeKind : int
{
    tkEntry = 0,
    tkInvalid = 1,
    tkLimit = 2,
    tkValid = 3,
    tkAny = 4,
};

/**
 * Parses "h:mm:ss.hh", "m:ss.hh", "ss.hh", "ss,h" and the like. "99:99.99" reads as 59:59.99; fewer than two
 * pieces give 0; a missing or non-digit hundredth gives the "not measured" hundredth.
 */
TSwimTime parseSwimTime(std::string_view text);

/**
 * Kind letter, the hours as two digits and "h", then mm:ss.th: "V01h02:03.45" (a swim time holds less than
 * 60 hours). An unmeasured hundredth is written as 0, a negative time as 0.
 */
std::string lenexTimeWrite(int kind, TSwimTime time);
/**
 * 0 for empty text or a kind letter other than the expected one (tkAny accepts every letter); otherwise the
 * part after the hour field read as a swim time, plus the hours when the field is two digits and "h". A total
 * beyond the swim time's range reads as 0.
 */
TSwimTime lenexTimeRead(std::string_view value, int expectedKind);
/** 1 for "I", 2 for "L", 3 for "V", 0 for anything else. */
int lenexTimeKind(std::string_view value);

} // namespace lanescope::lenex
