#include "chart/ChartTicks.h"

#include <cmath>
#include <cstdio>

namespace lanescope::chart {

namespace {

int decimalsOf(double step)
{
    if (step < 0.1 - 1e-9)
        return 2;
    if (std::fmod(step + 1e-9, 1.0) > 2e-9)
        return 1;
    return 0;
}

} // namespace

double timeStep(double rangeSeconds, int maxIntervals)
{
    static constexpr double kSteps[] = {0.1, 0.2, 0.5, 1,   2,   5,   10,   15,
                                        30,  60,  120, 300, 600, 900, 1800, 3600};
    if (!(rangeSeconds > 0))
        return 0.5;
    const int intervals = maxIntervals < 1 ? 1 : maxIntervals;
    for (const double step : kSteps)
        if (rangeSeconds / step <= intervals + 1e-9)
            return step;
    // Beyond the table (a range of days): whole hours.
    return std::ceil(rangeSeconds / intervals / 3600) * 3600;
}

int distanceStep(int distance, int maxIntervals)
{
    const long long intervals = maxIntervals < 1 ? 1 : maxIntervals;
    for (long long decade = 1; decade <= 100000000; decade *= 10)
        for (const long long factor : {25LL, 50LL, 100LL, 200LL, 250LL})
            if (distance <= factor * decade * intervals)
                return static_cast<int>(factor * decade);
    return distance;
}

std::vector<double> ticks(double low, double high, double step)
{
    std::vector<double> result;
    if (!(step > 0) || !(high >= low))
        return result;
    const double first = std::floor(low / step + 1e-9) * step;
    const double last = std::ceil(high / step - 1e-9) * step;
    // The step was chosen for a handful of ticks; the cap guards against a step far too small for the range.
    for (double value = first; value <= last + step / 1000 && result.size() < 1000; value += step)
        result.push_back(std::round(value / step) * step);
    return result;
}

std::string timeLabel(double seconds, double step)
{
    const int decimals = decimalsOf(step);
    const bool negative = seconds < 0;
    double value = std::fabs(seconds);
    const double unit = std::pow(10.0, decimals);
    value = std::round(value * unit) / unit;
    char text[48];
    if (value < 60) {
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
    } else {
        const long long whole = static_cast<long long>(std::floor(value + 1e-9));
        const double fraction = value - static_cast<double>(whole);
        char secondsText[16];
        std::snprintf(secondsText, sizeof secondsText, "%0*.*f", decimals ? decimals + 3 : 2, decimals,
                      static_cast<double>(whole % 60) + fraction);
        if (whole >= 3600)
            std::snprintf(text, sizeof text, "%lld:%02lld:%s", whole / 3600, whole / 60 % 60, secondsText);
        else
            std::snprintf(text, sizeof text, "%lld:%s", whole / 60, secondsText);
    }
    return (negative && value != 0 ? "-" : "") + std::string(text);
}

} // namespace lanescope::chart
