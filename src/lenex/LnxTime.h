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
 * Parses "m:ss.hh", "ss.hh", "ss,h" and the like. "99:99.99" reads as 59:59.99; fewer than two pieces give 0;
 * a missing or non-digit hundredth gives the "not measured" hundredth.
 */
TSwimTime parseSwimTime(std::string_view text);

/** Kind letter, "00h", mm:ss.th; minutes above 59 are written as 59, an unmeasured hundredth as 0. */
std::string lenexTimeWrite(int kind, TSwimTime time);
/**
 * 0 for empty text or a kind letter other than the expected one (tkAny accepts every letter); otherwise the
 * part after "00h" read as a swim time. The hours are not read.
 */
TSwimTime lenexTimeRead(std::string_view value, int expectedKind);
/** 1 for "I", 2 for "L", 3 for "V", 0 for anything else. */
int lenexTimeKind(std::string_view value);

} // namespace lanescope::lenex
