#pragma once

#include "lenex/Lenex.h"

#include <string>

/** The display texts of events, age groups, genders and participants of a loaded document. */
namespace lanescope::swim {

using lenex::TLenex;
using lenex::TLnxObject;

/**
 * "100m Freestyle" from DISCNT, DIS and STR (the event's NAME for the special stroke "XX"); in a pool whose
 * unit is not "m" the first "m" becomes the unit's first letter (100y). With an age group ", " and its text.
 */
std::string eventText(const TLenex& document, const TLnxObject& event, const TLnxObject* ageGroup = nullptr);
/**
 * The age range of the age group in years, from its birth-year bounds MIN and MAX and the document's
 * reference year (-1: no bound), in the long form; then ", " + NAME and ", " + the gender text where given.
 * Without an age group: the open range.
 */
std::string ageGroupText(const TLenex& document, const TLnxObject* ageGroup);
/** The long gender text of the node's SEX: "F" female, "M" male, anything else (empty too) mixed. */
std::string genderText(const TLnxObject& node);
/**
 * A PERSON as "NAME FNAME, yy" (year of birth modulo 100); a relay as its NAME, or "%d. team" with its NUM
 * when it has none, and ", " + its gender text on request.
 */
std::string participantText(const TLnxObject& node, bool withGender);

} // namespace lanescope::swim
