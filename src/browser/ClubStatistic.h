#pragma once

#include "lenex/Lenex.h"

#include <cstdint>

/** The counts a nation or club node of the participants tree shows. */
namespace lanescope::browser {

using lenex::TLenex;
using lenex::TLnxObject;

/** Counts of one nation or club of the participants tree: members, entries, starts, rounds and medals. */
struct TClubStatistic
{
    std::int32_t firstPlaces = 0;
    std::int32_t secondPlaces = 0;
    std::int32_t thirdPlaces = 0;
    std::int32_t individualEntries = 0;
    std::int32_t relayEntries = 0;
    std::int32_t individualStarts = 0;
    std::int32_t relayStarts = 0;
    std::int32_t members = 0;
    std::int32_t semifinals = 0;
    std::int32_t finals = 0;
    /** The CLUB counted; nullptr in a nation's record. */
    const TLnxObject* club = nullptr;
};

/**
 * Counts one RESULT or ENTRY of a PERSON or RELAY into the record. A RESULT counts only with a valid time,
 * by the TYPE of its EVENT (an unknown EID reads as an empty TYPE); an ENTRY counts as an entry. Whether the
 * item is individual or relay follows the NUM of the object that holds its collection: 0 or missing is
 * individual. Anything else is not counted.
 */
void countItem(TClubStatistic& statistic, const TLenex& document, const TLnxObject& item);

/** Adds every count of the part (a club) to the total (its nation); the total's CLUB stays. */
void addCounts(TClubStatistic& total, const TClubStatistic& part);

} // namespace lanescope::browser
