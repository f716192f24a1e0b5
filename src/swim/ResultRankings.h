#pragma once

#include "lenex/LnxElement.h"

#include <vector>

/**
 * The places of one swim in every age group's list that ranks it. CID and RANK of the RESULT hold the
 * narrowest age group; every other ranking is a further RANK element on the RESULT whose "id" attribute names
 * its age group (`<RANK id="2">4</RANK>`), after the RANK of CID, so code that reads the first RANK reads the
 * narrowest place, and the rankings survive copies of the tree, writing and reading back.
 */
namespace lanescope::swim {

/** A result's place in one age group's list. */
struct TResultRanking
{
    int ageGroupId;
    int place;
};

/**
 * Records that the result is also ranked in another age group, with its place there (CID/RANK keep the
 * narrowest). A result without CID takes the ranking as its CID and RANK; a ranking in an age group the
 * result already has is left as it is.
 */
void addResultRanking(lenex::TLnxObject& result, int ageGroupId, int place);
/** Every ranking of the result: its CID/RANK first (when CID is set), then the others in the order added. */
std::vector<TResultRanking> resultRankings(const lenex::TLnxObject& result);
/** The rankings besides CID/RANK in the order added; empty (and without allocating) for most results. */
std::vector<TResultRanking> furtherRankings(const lenex::TLnxObject& result);
/**
 * The result's place in the list of an age group: its place there when it is ranked in that age group,
 * otherwise its RANK (so an event's own list, age group 0, shows RANK).
 */
int placeInAgeGroup(const lenex::TLnxObject& result, int ageGroupId);

} // namespace lanescope::swim
