#pragma once

#include <cstdint>
#include <string>
#include <vector>

/** A synthetic season of meets for the library benchmarks. */
namespace lanescope::bench {

/** Raised whenever the generated files change, so that a season kept from an earlier run is not reused. */
constexpr int kSeasonGeneratorRevision = 1;

struct SeasonSettings
{
    int meets = 200;
    int clubs = 40;
    int athletesPerClub = 100;
    /** Individual swims per meet: 200 meets of 2 500 make a season of 500 000 swims. */
    int swimsPerMeet = 2500;
    std::uint64_t seed = 1;
};

/**
 * Writes the season as Lenex 3 result files "meet-NNN.lef" into the folder (made when missing): one meet a
 * day or two apart over a year, short and long course, every athlete of a fixed pool (with registration
 * numbers, birth years and clubs) swimming a few of the 34 individual events in each meet they attend,
 * with 50 m splits. Equal settings give identical files. Returns the file paths.
 */
std::vector<std::string> writeSeason(const SeasonSettings& settings, const std::string& folder);

} // namespace lanescope::bench
