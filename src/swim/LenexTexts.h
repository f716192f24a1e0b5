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
 * What a document without a competition holds, for every place that would otherwise show an empty file:
 * "No competition" (V211) and the number of its record lists (V212) and time standard lists (V213, the
 * RECORDLISTs of TYPE "TIMESTANDARD") where there are any: "No competition; 3 record lists". Empty for a
 * document with a competition.
 */
std::string contentsText(const TLenex& document);
/** A club's NAME as shown; a club without one (swimmers of no club) reads language text V210, "Unattached".
 */
std::string clubNameText(const std::string& name);
/**
 * A relay's NAME; without one the name of its club, followed by the relay's number (its NUM, else its place
 * among the club's relays) when the club has more than one relay ("SC Möwe Lübeck 2"); "%d. team" with its
 * NUM only when there is no club name either.
 */
std::string relayName(const TLnxObject& relay);
/**
 * A PERSON as "NAME FNAME, yy" (year of birth modulo 100); a relay as its `relayName`, and ", " + its gender
 * text on request.
 */
std::string participantText(const TLnxObject& node, bool withGender);

} // namespace lanescope::swim
