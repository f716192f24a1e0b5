#pragma once

#include "chart/ChartStyle.h"
#include "report/ReportCanvas.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/** The race picture: gap to the leader at every split and the lap times, one line and bar per swimmer. */
namespace lanescope::chart {

/** A split: the distance swum and the time at it, from the start (milliseconds). */
struct RaceSplit
{
    int distance = 0;
    std::int32_t timeMs = 0;
};

struct RaceSwimmer
{
    std::string place;     // "1." as the list shows it; the status ("DSQ") for a swim without a place
    std::string name;      // as the list shows it, in any script
    std::string finalTime; // as the list shows it; empty when there is none
    /** False for a disqualified or unfinished swim: its line ends with a cross. */
    bool finished = true;
    /** Ascending distances, each once; a disqualified or unfinished swim ends with its last split. */
    std::vector<RaceSplit> splits;
};

struct RaceData
{
    std::string title;
    /** The pool's unit after the distances: "m" or "yd". */
    std::string unit = "m";
    int raceDistance = 0;
    /** A relay's leg distance (leg boundaries are marked); 0 for an individual race. */
    int legDistance = 0;
    std::vector<RaceSwimmer> swimmers;
};

/** The gap of one swimmer at a split distance, in milliseconds behind the fastest time there. */
struct GapPoint
{
    int distance = 0;
    std::int32_t gapMs = 0;
};

/**
 * Per swimmer the gap to the leader at each of its splits: the leader at a distance is the fastest time any
 * swimmer of the race has there, so the line of whoever leads touches zero. A swimmer's line has points only
 * where it has splits.
 */
std::vector<std::vector<GapPoint>> gapsToLeader(const RaceData& race);

/** The lap times of a swimmer: from one split (the start first) to the next; (end distance, lap time ms). */
std::vector<RaceSplit> lapTimes(const RaceSwimmer& swimmer);

/** Every split distance of the race in ascending order. */
std::vector<int> splitDistances(const RaceData& race);

/**
 * Draws the race picture into the canvas at (0, 0), width device units wide at dpi, and gives its height.
 * The gap panel has zero at its top; the lap panel below holds a bar per swimmer and lap; the legend
 * (place, name, final time) stands right of the panels, or below them when it would take more than a
 * third of the width or when more than eight swimmers are shown. Relay leg boundaries are marked in both
 * panels. A race without splits draws the text saying so.
 */
int drawRaceChart(report::ReportCanvas& canvas, const RaceData& race, const ChartTexts& texts, int width,
                  int dpi);

} // namespace lanescope::chart
