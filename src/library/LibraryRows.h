#pragma once

#include "library/SeasonLibrary.h"

#include <tuple>

/** Pieces the library's queries share. */
namespace lanescope::library {

/** The athlete of five columns from the first: id, last name, first name, birth year, gender. */
AthleteRow athleteOf(const SqliteStatement& row, int first);
/** The order of lists of styles: course first, individual before relay, stroke in the usual order, distance.
 */
std::tuple<int, int, int, int> styleOrder(int course, int style);

} // namespace lanescope::library
