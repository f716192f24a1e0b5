#pragma once

#include <string>
#include <string_view>

/** The display text of an age range of an age group or relay band. */
namespace lanescope::swim {

/**
 * Ages in years; the callers map an open lower bound to 0 and an open upper bound to 99 or 999. The long form
 * shows the name when one is given, else "Open/Senior", "12 years", "10 years and less", "11 - 12 years" or,
 * for masters and summed-age relay bands, the age-group form ("AG.  120 - 159"); the short form "open", "12",
 * "- 10", "17 +", "120+", "11-12". When gender differs from eventGender, ", " and the gender text follow.
 */
std::string ageRangeText(int minAge, int maxAge, bool shortForm, std::string_view name, int gender,
                         int eventGender);

} // namespace lanescope::swim
