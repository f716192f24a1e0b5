#pragma once

#include "lenex/LnxSwimStyle.h"

#include <string>
#include <string_view>

/** Display texts, comparison and ordering of swim styles. */
namespace lanescope::swim {

using lenex::TSwimStyle;

/** The unit character that stands for the default length unit "m". */
inline constexpr char kDefaultUnit = '$';

/** Empty for an individual event (index below 1), else the relay prefix and one blank: "4 x ". */
std::string relayPrefix(int relayCountIndex);
/** The distance and the unit, trimmed: "100m". An index below 0 gives the first distance, one beyond the list
 * the unit alone. */
std::string distanceText(int distanceIndex, char unit = kDefaultUnit);
std::string strokeText(int strokeIndex, bool relay);
/** "100m Freestyle", "4 x 100m Freestyle Relay"; a special stroke with a name shows the name. */
std::string swimStyleText(int relayCountIndex, int distanceIndex, int strokeIndex, std::string_view name);
/** Relay count, distance and stroke equal; id and name are not compared. */
bool sameSwimStyle(const TSwimStyle& a, const TSwimStyle& b);
/** Relay count times distance in metres; 0 when an index lies outside its list. */
int totalDistance(int relayCountIndex, int distanceIndex);
/** Freestyle, backstroke, breaststroke, butterfly, medley, kick, special: 0 to 6; unknown strokes 9. */
int strokeSortOrder(int strokeIndex);
/** Gender, relay count index, stroke sort order and distance index (four digits): orders the events. */
std::string swimStyleSortKey(int gender, const TSwimStyle& style);

} // namespace lanescope::swim
