#include "chart/ChartStyle.h"

#include "browser/ListCells.h"

#include <algorithm>
#include <cmath>

namespace lanescope::chart {

report::PathStyle swimmerStyle(int index, int unit)
{
    static constexpr std::uint32_t kColours[] = {0x0072B2, 0xE69F00, 0x009E73, 0xD55E00,
                                                 0xCC79A7, 0x56B4E9, 0x000000, 0xB59B00};
    // Dash and gap lengths in units of the pen width's base (unit: device units of a screen pixel).
    static const std::vector<std::vector<int>> kDashes = {{},           {6, 3}, {2, 2},
                                                          {8, 3, 2, 3}, {4, 4}, {10, 3, 2, 3, 2, 3}};
    const int safe = index < 0 ? 0 : index;
    report::PathStyle style;
    style.colour = kColours[safe % 8];
    style.penWidth = 2 * unit;
    const auto& dashes = kDashes[static_cast<std::size_t>(safe % 8 + safe / 8 * 3) % kDashes.size()];
    for (const int dash : dashes)
        style.dashes.push_back(dash * unit);
    return style;
}

int PictureStart::px(double pixels) const { return static_cast<int>(std::lround(pixels * dpi / 96.0)); }

PictureStart startPicture(report::ReportCanvas& canvas, const std::string& title, int dpi)
{
    PictureStart start;
    start.dpi = dpi;
    start.unit = std::max(1, start.px(1));
    start.pad = start.px(8);
    canvas.setFont(kChartFont, 8, false, false, false, 0);
    start.lineHeight = canvas.textHeight("0");
    start.y = start.pad;
    if (!title.empty()) {
        drawLabel(canvas, start.pad, start.y, title, Align::Left, 10, true);
        start.y += start.px(22);
    }
    return start;
}

void drawLabel(report::ReportCanvas& canvas, int x, int y, std::string_view text, Align align, int points,
               bool bold)
{
    canvas.setFont(kChartFont, points, bold, false, false, 0);
    const int width = canvas.textWidth(text);
    canvas.drawText(align == Align::Left ? x : align == Align::Right ? x - width : x - width / 2, y, text);
}

void fillBox(report::ReportCanvas& canvas, int left, int top, int right, int bottom, std::uint32_t colour,
             const std::string& name)
{
    report::PathStyle style;
    style.colour = colour;
    style.filled = true;
    style.name = name;
    canvas.drawPath({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, style);
}

void strokeLine(report::ReportCanvas& canvas, int x1, int y1, int x2, int y2, std::uint32_t colour, int width,
                std::vector<int> dashes)
{
    report::PathStyle style;
    style.colour = colour;
    style.penWidth = width;
    style.dashes = std::move(dashes);
    canvas.drawPath({{x1, y1}, {x2, y2}}, style);
}

ChartTexts ChartTexts::loaded()
{
    using browser::languageTextOr;
    ChartTexts texts;
    texts.gapCaption = languageTextOr('V', 221, "Gap to leader (s)");
    texts.lapCaption = languageTextOr('V', 222, "Lap times (s)");
    texts.distanceCaption = languageTextOr('V', 223, "Distance (%s)");
    texts.legMark = languageTextOr('V', 224, "Leg %d");
    texts.noSplits = languageTextOr('V', 225, "No swim of this list has split times.");
    texts.personalBest = languageTextOr('V', 226, "Personal best");
    texts.dateCaption = languageTextOr('V', 227, "Date");
    texts.meetCaption = languageTextOr('V', 228, "Meet");
    texts.timeCaption = languageTextOr('V', 229, "Time");
    texts.noSwims = languageTextOr('V', 230, "No swims in this event and course.");
    return texts;
}

} // namespace lanescope::chart
