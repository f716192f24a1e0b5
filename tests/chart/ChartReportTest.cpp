#include "chart/ChartReport.h"

#include "chart/RaceChart.h"
#include "report/RecordingDevice.h"
#include "report/VnxReport.h"

#include <gtest/gtest.h>

namespace lanescope::chart {
namespace {

RaceData twoSwimmers()
{
    RaceData race;
    race.raceDistance = 100;
    race.swimmers = {{"1.", "Able Anna", "1:02.00", true, {{50, 30000}, {100, 62000}}},
                     {"2.", "Baker Beth", "1:03.00", true, {{50, 29500}, {100, 63000}}}};
    return race;
}

int count(const std::string& text, const std::string& piece)
{
    int found = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++found;
    return found;
}

// One drawing reaches every output: inline SVG in HTML, the swimmers' lines on a printed or previewed
// page in the page's own resolution, with the table of the picture below it.
TEST(ChartReport, ThePictureReachesHtmlAndPages)
{
    const RaceData race = twoSwimmers();
    const PictureDrawing drawing = [&race](report::ReportCanvas& canvas, int width, int dpi) {
        return drawRaceChart(canvas, race, ChartTexts{}, width, dpi);
    };
    report::TVnxReport engine;
    TChartReport content(engine, nullptr, "Race", drawing);
    content.setTable("L500;L500", {"Date", "Meet"}, {{"2025-01-12", "New Year Cup"}});
    report::SilentStatus status;
    const std::optional<std::string> html = engine.PrintToHtmlText(status);
    ASSERT_TRUE(html);
    EXPECT_EQ(count(*html, "<svg"), 1);
    EXPECT_EQ(count(*html, "class=\"gap "), 2);
    EXPECT_NE(html->find("New Year Cup"), std::string::npos);

    report::RecordingDevice preview(300);
    engine.PrintToPreview(status, preview);
    ASSERT_FALSE(preview.pages().empty());
    const report::RecordedPage& page = preview.pages().front();
    int lines = 0;
    int widest = 0;
    for (const report::RecordedItem& item : page.items)
        if (item.kind == report::RecordedItem::Kind::Path && item.style.name.rfind("gap ", 0) == 0) {
            ++lines;
            widest = std::max(widest, item.points.back().x - item.points.front().x);
        }
    EXPECT_EQ(lines, 2);
    // The lines run from 50 to 100 m, half the distance axis, which takes most of a page column of A4
    // (about 1900 device units wide at 300 dpi) beside the legend.
    EXPECT_GT(2 * widest, 1200);
    const std::vector<std::string> texts = page.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "New Year Cup"), texts.end());
}

} // namespace
} // namespace lanescope::chart
