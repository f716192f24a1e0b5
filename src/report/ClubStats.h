#pragma once

#include "report/VornixReport.h"

#include <array>
#include <string>

/** The statistic of the participating clubs: athletes, individual and relay starts of men and women. */
namespace lanescope::report {

/** Men's side of the counts: mixed relays count with the men. */
inline constexpr swim::TGenderSet kMenSet = swim::numberSet({1, 3});
inline constexpr swim::TGenderSet kWomenSet = swim::numberSet({2});

/**
 * One line per club of the meet (ordered by full club code) with name, code and nation and, for men and
 * women, the number of athletes, individual starts and relay starts with their sums; then a total line.
 */
class TClubStats : public TVornixReport
{
public:
    using Row = std::array<std::string, 18>;

    TClubStats(TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet);

    /**
     * Fills the five cells from the first index: men (empty for 0), "+" when both are counted, women
     * (empty for 0), "=" and the sum when there is one, else "-" in the sum's cell.
     */
    void SetCounts(int first, int men, int women);
    const Row& Cells() const { return FRow; }

protected:
    void Body() override;

private:
    /** The two heading lines of the table; they leave the count columns set. */
    void Headings();

    Row FRow;
};

} // namespace lanescope::report
