#include "chart/ProgressionChart.h"

#include "report/RecordingDevice.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lanescope::chart {
namespace {

using report::RecordedItem;

ProgressionData season()
{
    ProgressionData data;
    data.swims = {
        {"2025-03-02", 75000, "Spring Open"},  {"2025-01-12", 76500, "New Year Cup"},
        {"2025-05-20", 75800, "May Meet"},     {"2025-07-04", 74200, "Summer Final"},
        {"2025-07-04", 74900, "Summer Heats"}, {"not a date", 60000, "Broken"},
    };
    return data;
}

TEST(ProgressionChart, PersonalBestsAreTheSwimsFasterThanAllBefore)
{
    const std::vector<ProgressionSwim> steps = personalBestSteps(season());
    std::vector<std::string> meets;
    for (const ProgressionSwim& swim : steps)
        meets.push_back(swim.meet);
    // May is slower than March; the final beats the heats of the same day; a swim without a date is no best.
    EXPECT_EQ(meets, (std::vector<std::string>{"New Year Cup", "Spring Open", "Summer Final"}));
}

TEST(ProgressionChart, FasterIsHigherAndEveryPointNamesItsMeet)
{
    ChartTexts texts;
    texts.personalBest = "Personal best";
    report::RecordedPage page;
    report::RecordingCanvas canvas(96);
    canvas.setPage(&page);
    drawProgressionChart(canvas, season(), texts, 800, 96);
    std::vector<const RecordedItem*> points;
    std::vector<std::string> hints;
    for (const RecordedItem& item : page.items) {
        if (item.kind == RecordedItem::Kind::Path && item.style.name == "swim")
            points.push_back(&item);
        if (item.kind == RecordedItem::Kind::Hint)
            hints.push_back(item.text);
    }
    ASSERT_EQ(points.size(), 5u);
    // Drawn in the data's order: the 1:15.00 of March above the 1:16.50 of January, and to its right.
    EXPECT_LT(points[0]->points.front().y, points[1]->points.front().y);
    EXPECT_GT(points[0]->points.front().x, points[1]->points.front().x);
    ASSERT_EQ(hints.size(), 5u);
    EXPECT_EQ(hints[0], "2025-03-02  Spring Open  1:15.00");
    // The step line rises at each best and never falls.
    const RecordedItem* best = nullptr;
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Kind::Path && item.style.name == "best")
            best = &item;
    ASSERT_TRUE(best);
    for (std::size_t k = 1; k < best->points.size(); ++k) {
        EXPECT_LE(best->points[k].y, best->points[k - 1].y);
        EXPECT_GE(best->points[k].x, best->points[k - 1].x);
    }
}

} // namespace
} // namespace lanescope::chart
