#include "chart/ProgressionFromLibrary.h"

#include "swim/SwimTime.h"

#include <algorithm>

namespace lanescope::chart {

ProgressionData progressionFromHistory(const std::vector<library::SwimRow>& history, std::string title)
{
    ProgressionData data;
    data.title = std::move(title);
    for (const library::SwimRow& row : history)
        if (row.relayLeg == 0 && row.status == 0 && row.timeMs > 0)
            data.swims.push_back({row.date, row.timeMs, row.meet});
    return data;
}

std::vector<std::vector<std::string>> progressionTable(const ProgressionData& data,
                                                       const std::string& bestMark)
{
    std::vector<ProgressionSwim> swims = data.swims;
    std::stable_sort(swims.begin(), swims.end(),
                     [](const ProgressionSwim& a, const ProgressionSwim& b) { return a.date < b.date; });
    const std::vector<ProgressionSwim> bests = personalBestSteps(data);
    std::vector<std::vector<std::string>> rows;
    for (const ProgressionSwim& swim : swims) {
        const bool best = std::any_of(bests.begin(), bests.end(), [&](const ProgressionSwim& step) {
            return step.date == swim.date && step.timeMs == swim.timeMs && step.meet == swim.meet;
        });
        rows.push_back(
            {swim.date, swim.meet, swim::formatMilliseconds(swim.timeMs, false), "", best ? bestMark : ""});
    }
    return rows;
}

} // namespace lanescope::chart
