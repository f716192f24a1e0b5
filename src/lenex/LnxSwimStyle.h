#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/** A swim style (relay count, distance, stroke) and the fixed lists its indexes point into. */
namespace lanescope::lenex {

struct TSwimStyle
{
    std::int32_t styleId = 0;
    std::int32_t relayCountIndex = 0; // position in kRelayCounts
    std::int32_t distanceIndex = -1;  // position in kDistances
    std::int32_t strokeIndex = -1;    // position in kStrokeCodes
    std::string name;
};

inline constexpr int kRelayCounts[] = {1, 4, 5, 8, 10, 2, 3, 6};
inline constexpr int kDistances[] = {25,   50,   100,  200,  300, 400,  800, 1000, 1500,
                                     2000, 3000, 4000, 5000, 500, 1650, 33,  66,   133};
inline constexpr int kSpecialStroke = 6;

/** Position of a relay count in kRelayCounts, searched from the last; -1 when absent. */
int relayCountIndexOf(int count);
/** Position of a distance in kDistances, searched from the last; -1 when absent. */
int distanceIndexOf(int distance);
/**
 * Stroke position of a stroke code in any letter case: the Lenex codes and the national ones of the key lists
 * ("FR", "RÜ", "LA", ...). -1 for empty or unknown text; "XX" is unknown too.
 */
int strokeIndexOf(std::string_view text);

} // namespace lanescope::lenex
