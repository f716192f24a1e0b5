#pragma once

#include "chart/ChartStyle.h"
#include "report/ReportCanvas.h"

#include <cstdint>
#include <string>
#include <vector>

/** The progression picture: an athlete's swims in one event and course over time. */
namespace lanescope::chart {

struct ProgressionSwim
{
    std::string date; // "YYYY-MM-DD"
    std::int32_t timeMs = 0;
    std::string meet;
};

struct ProgressionData
{
    std::string title;
    /** Valid swims with a time, in any order. */
    std::vector<ProgressionSwim> swims;
};

/**
 * The swims that were personal bests when swum, oldest first: each faster than every swim before it
 * (equal times on one date count once). Swims with an unreadable date are left out.
 */
std::vector<ProgressionSwim> personalBestSteps(const ProgressionData& data);

/** Day number of a "YYYY-MM-DD" date (days since 1970-01-01); nullopt-like -1 for text that is no date. */
long dayNumber(const std::string& date);

/**
 * Draws the progression picture at (0, 0), width device units wide at dpi, and gives its height: a point
 * per swim at its date and time, the time axis reversed (faster is higher), personal bests joined as a
 * step line, the meet of each point as its hint. Without swims it draws the text saying so.
 */
int drawProgressionChart(report::ReportCanvas& canvas, const ProgressionData& data, const ChartTexts& texts,
                         int width, int dpi);

} // namespace lanescope::chart
