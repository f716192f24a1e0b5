#pragma once

#include <string>
#include <vector>

/** Axis ticks of the pictures: round steps chosen by the range, and their labels. */
namespace lanescope::chart {

/**
 * The step of a time axis in seconds: the smallest of 0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30 s, 1, 2, 5, 10, 15,
 * 30 min and 1 h that splits the range into at most maxIntervals parts; a range of 0 or less gives 0.5 s.
 */
double timeStep(double rangeSeconds, int maxIntervals);

/** The step of a distance axis: the smallest of 25, 50, 100, 200, 250, 500, 1000, ... (the 1-2-5 series). */
int distanceStep(int distance, int maxIntervals);

/** The tick values from the first multiple of step at or below low to the first at or above high. */
std::vector<double> ticks(double low, double high, double step);

/**
 * A time tick's label: seconds with as many decimals as the step needs ("0", "0.5", "12"); from a minute on
 * as m:ss ("1:05", "15:30.5"), from an hour on as h:mm:ss. Negative values keep their sign.
 */
std::string timeLabel(double seconds, double step);

} // namespace lanescope::chart
