#include "chart/RaceChart.h"

#include "chart/ChartTicks.h"
#include "swim/SwimTime.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace lanescope::chart {

namespace {

constexpr int kLegendRightMost = 8;

struct Scale
{
    double from = 0;
    double to = 1;
    int start = 0; // device position of from
    int end = 1;   // device position of to
    int at(double value) const
    {
        if (to == from)
            return start;
        return start + static_cast<int>(std::lround((value - from) / (to - from) * (end - start)));
    }
};

std::string legendText(const RaceSwimmer& swimmer)
{
    std::string text = swimmer.place;
    if (!swimmer.name.empty())
        text += (text.empty() ? "" : " ") + swimmer.name;
    if (!swimmer.finalTime.empty())
        text += "  " + swimmer.finalTime;
    return text;
}

void drawCross(report::ReportCanvas& canvas, int x, int y, const report::PathStyle& line, int size)
{
    report::PathStyle style = line;
    style.dashes.clear();
    style.name = "end";
    canvas.drawPath({{x - size, y - size}, {x + size, y + size}}, style);
    canvas.drawPath({{x - size, y + size}, {x + size, y - size}}, style);
}

} // namespace

std::vector<int> splitDistances(const RaceData& race)
{
    std::set<int> distances;
    for (const RaceSwimmer& swimmer : race.swimmers)
        for (const RaceSplit& split : swimmer.splits)
            distances.insert(split.distance);
    return {distances.begin(), distances.end()};
}

std::vector<std::vector<GapPoint>> gapsToLeader(const RaceData& race)
{
    std::map<int, std::int32_t> leader;
    for (const RaceSwimmer& swimmer : race.swimmers)
        for (const RaceSplit& split : swimmer.splits) {
            auto [place, inserted] = leader.try_emplace(split.distance, split.timeMs);
            if (!inserted)
                place->second = std::min(place->second, split.timeMs);
        }
    std::vector<std::vector<GapPoint>> gaps;
    gaps.reserve(race.swimmers.size());
    for (const RaceSwimmer& swimmer : race.swimmers) {
        std::vector<GapPoint> line;
        for (const RaceSplit& split : swimmer.splits)
            line.push_back({split.distance, split.timeMs - leader[split.distance]});
        gaps.push_back(std::move(line));
    }
    return gaps;
}

std::vector<RaceSplit> lapTimes(const RaceSwimmer& swimmer)
{
    std::vector<RaceSplit> laps;
    RaceSplit previous;
    for (const RaceSplit& split : swimmer.splits) {
        // A split not later than the one before it (a fault in the file) gives no lap.
        if (split.timeMs > previous.timeMs && split.distance > previous.distance)
            laps.push_back({split.distance, split.timeMs - previous.timeMs});
        previous = split;
    }
    return laps;
}

int drawRaceChart(report::ReportCanvas& canvas, const RaceData& race, const ChartTexts& texts, int width,
                  int dpi)
{
    const PictureStart start = startPicture(canvas, race.title, dpi);
    const auto px = [&start](double pixels) { return start.px(pixels); };
    int y = start.y;
    const std::vector<int> distances = splitDistances(race);
    if (distances.empty()) {
        drawLabel(canvas, start.pad, y, texts.noSplits, Align::Left);
        return y + start.lineHeight + start.pad;
    }
    const int raceDistance = std::max(race.raceDistance, distances.back());

    // Legend: right of the panels when it is narrow and short, else in columns below them.
    canvas.setFont(kChartFont, 8, false, false, false, 0);
    const int swatch = px(28);
    int legendTextWidth = 0;
    for (const RaceSwimmer& swimmer : race.swimmers)
        legendTextWidth = std::max(legendTextWidth, canvas.textWidth(legendText(swimmer)));
    const int legendEntryWidth = swatch + px(6) + legendTextWidth + start.pad;
    const bool legendRight =
        static_cast<int>(race.swimmers.size()) <= kLegendRightMost && legendEntryWidth <= width / 3;

    // Panels.
    const auto gaps = gapsToLeader(race);
    std::int32_t maxGap = 0;
    for (const auto& line : gaps)
        for (const GapPoint& point : line)
            maxGap = std::max(maxGap, point.gapMs);
    const double gapStep = timeStep(maxGap / 1000.0, 6);
    const double gapMax = std::max(gapStep, std::ceil(maxGap / 1000.0 / gapStep - 1e-9) * gapStep);
    const std::vector<double> gapTicks = ticks(0, gapMax, gapStep);

    std::vector<std::vector<RaceSplit>> laps;
    double lapLow = 1e9;
    double lapHigh = 0;
    for (const RaceSwimmer& swimmer : race.swimmers) {
        laps.push_back(lapTimes(swimmer));
        for (const RaceSplit& lap : laps.back()) {
            lapLow = std::min(lapLow, lap.timeMs / 1000.0);
            lapHigh = std::max(lapHigh, lap.timeMs / 1000.0);
        }
    }
    const bool hasLaps = lapHigh > 0;
    const double lapStep = hasLaps ? timeStep(lapHigh - lapLow, 4) : 1;
    // The axis starts a step below the fastest lap, so every bar shows; lap times are far from zero.
    const double lapFrom =
        hasLaps ? std::max(0.0, std::floor(lapLow / lapStep + 1e-9) * lapStep - lapStep) : 0;
    const double lapTo =
        hasLaps ? std::max(lapFrom + lapStep, std::ceil(lapHigh / lapStep - 1e-9) * lapStep) : 1;
    const std::vector<double> lapTicks = hasLaps ? ticks(lapFrom, lapTo, lapStep) : std::vector<double>{};

    int labelWidth = 0;
    for (const double tick : gapTicks)
        labelWidth = std::max(labelWidth, canvas.textWidth(timeLabel(tick, gapStep)));
    for (const double tick : lapTicks)
        labelWidth = std::max(labelWidth, canvas.textWidth(timeLabel(tick, lapStep)));
    const int left = start.pad + labelWidth + px(6);
    const int right = width - start.pad - (legendRight ? legendEntryWidth : 0);
    const Scale xs{0, static_cast<double>(raceDistance), left, std::max(right, left + px(40))};

    drawLabel(canvas, left, y, texts.gapCaption, Align::Left, 8, true);
    y += start.lineHeight + px(4);
    const int gapTop = y;
    const int gapBottom = gapTop + px(220);
    const Scale gapScale{0, gapMax, gapTop, gapBottom};
    int lapTop = gapBottom + px(14) + start.lineHeight + px(4);
    const int lapBottom = hasLaps ? lapTop + px(140) : gapBottom;
    const Scale lapScale{lapFrom, lapTo, lapBottom, lapTop};

    // Grid and axis labels.
    const int step = distanceStep(raceDistance, std::max(1, (xs.end - xs.start) / px(60)));
    for (int distance = 0; distance <= raceDistance; distance += step) {
        const int x = xs.at(distance);
        strokeLine(canvas, x, gapTop, x, gapBottom, kGridColour, start.unit);
        if (hasLaps)
            strokeLine(canvas, x, lapTop, x, lapBottom, kGridColour, start.unit);
        drawLabel(canvas, x, lapBottom + px(4), std::to_string(distance), Align::Centre);
    }
    for (const double tick : gapTicks) {
        const int tickY = gapScale.at(tick);
        strokeLine(canvas, xs.start, tickY, xs.end, tickY, tick == 0 ? kAxisColour : kGridColour, start.unit);
        drawLabel(canvas, xs.start - px(4), tickY - start.lineHeight / 2, timeLabel(tick, gapStep),
                  Align::Right);
    }
    strokeLine(canvas, xs.start, gapTop, xs.start, gapBottom, kAxisColour, start.unit);
    if (hasLaps) {
        drawLabel(canvas, left, gapBottom + px(14), texts.lapCaption, Align::Left, 8, true);
        for (const double tick : lapTicks) {
            const int tickY = lapScale.at(tick);
            strokeLine(canvas, xs.start, tickY, xs.end, tickY, kGridColour, start.unit);
            drawLabel(canvas, xs.start - px(4), tickY - start.lineHeight / 2, timeLabel(tick, lapStep),
                      Align::Right);
        }
        strokeLine(canvas, xs.start, lapBottom, xs.end, lapBottom, kAxisColour, start.unit);
        strokeLine(canvas, xs.start, lapTop, xs.start, lapBottom, kAxisColour, start.unit);
    }
    const int axisCaptionY = lapBottom + px(4) + start.lineHeight + px(2);
    drawLabel(canvas, (xs.start + xs.end) / 2, axisCaptionY,
              swim::formatText(texts.distanceCaption, {race.unit}), Align::Centre, 8, true);

    // Relay legs.
    if (race.legDistance > 0) {
        for (int leg = 1; static_cast<long long>(leg) * race.legDistance < raceDistance && leg < 100; ++leg) {
            const int x = xs.at(static_cast<double>(leg) * race.legDistance);
            report::PathStyle mark;
            mark.colour = kAxisColour;
            mark.penWidth = start.unit;
            mark.dashes = {px(4), px(3)};
            mark.name = "leg";
            canvas.drawPath({{x, gapTop}, {x, lapBottom}}, mark);
            drawLabel(canvas, x + px(3), gapTop + px(2), swim::formatText(texts.legMark, {leg + 1}),
                      Align::Left, 7);
        }
    }

    // Lap bars: in each lap's stretch of the race, one bar per swimmer side by side.
    const int count = static_cast<int>(race.swimmers.size());
    for (int index = 0; index < count && hasLaps; ++index) {
        const report::PathStyle style = swimmerStyle(index, start.unit);
        for (const RaceSplit& lap : laps[static_cast<std::size_t>(index)]) {
            // The lap starts at the swimmer's split before it (the start for the first).
            int from = 0;
            for (const RaceSplit& split : race.swimmers[static_cast<std::size_t>(index)].splits)
                if (split.distance < lap.distance)
                    from = split.distance;
            const int x1 = xs.at(from);
            const int x2 = xs.at(lap.distance);
            const double slot = (x2 - x1) * 0.8 / count;
            const int barLeft = x1 + static_cast<int>((x2 - x1) * 0.1 + slot * index);
            const int barRight =
                std::max(barLeft + 1, static_cast<int>(x1 + (x2 - x1) * 0.1 + slot * (index + 1)));
            const int top = lapScale.at(lap.timeMs / 1000.0);
            fillBox(canvas, barLeft, top, barRight, lapBottom, style.colour,
                    "lap " + std::to_string(index + 1));
            canvas.addHint(barLeft, top, barRight, lapBottom,
                           race.swimmers[static_cast<std::size_t>(index)].name + ": " + std::to_string(from) +
                               "-" + std::to_string(lap.distance) + " " + race.unit + "  " +
                               swim::formatMilliseconds(lap.timeMs, false));
        }
    }

    // Gap lines over the bars' grid, last swimmer first so the leaders lie on top.
    for (int index = count - 1; index >= 0; --index) {
        const auto& line = gaps[static_cast<std::size_t>(index)];
        if (line.empty())
            continue;
        report::PathStyle style = swimmerStyle(index, start.unit);
        style.name = "gap " + std::to_string(index + 1);
        std::vector<report::CanvasPoint> points;
        for (const GapPoint& point : line)
            points.push_back({xs.at(point.distance), gapScale.at(point.gapMs / 1000.0)});
        if (points.size() == 1)
            points.push_back({points.front().x + start.unit, points.front().y});
        canvas.drawPath(points, style);
        const RaceSwimmer& swimmer = race.swimmers[static_cast<std::size_t>(index)];
        if (!swimmer.finished)
            drawCross(canvas, points.back().x, points.back().y, style, px(4));
        for (const GapPoint& point : line) {
            const int x = xs.at(point.distance);
            const int pointY = gapScale.at(point.gapMs / 1000.0);
            canvas.addHint(x - px(4), pointY - px(4), x + px(4), pointY + px(4),
                           swimmer.name + ": " + std::to_string(point.distance) + " " + race.unit + "  +" +
                               timeLabel(point.gapMs / 1000.0, 0.01));
        }
    }

    // Legend.
    const int entryHeight = std::max(start.lineHeight, px(14));
    int legendX = legendRight ? right + start.pad : start.pad;
    int legendY = legendRight ? gapTop : axisCaptionY + start.lineHeight + px(10);
    const int columns =
        legendRight ? 1 : std::max(1, (width - 2 * start.pad) / std::max(legendEntryWidth, 1));
    for (int index = 0; index < count; ++index) {
        const int column = index % columns;
        const int row = index / columns;
        const int x = legendX + column * legendEntryWidth;
        const int entryY = legendY + row * entryHeight;
        report::PathStyle style = swimmerStyle(index, start.unit);
        style.name = "legend " + std::to_string(index + 1);
        const int lineY = entryY + start.lineHeight / 2;
        canvas.drawPath({{x, lineY}, {x + swatch, lineY}}, style);
        drawLabel(canvas, x + swatch + px(6), entryY,
                  legendText(race.swimmers[static_cast<std::size_t>(index)]), Align::Left);
    }
    const int legendRows = (count + columns - 1) / columns;
    const int bottom = legendRight
                           ? std::max(axisCaptionY + start.lineHeight, legendY + legendRows * entryHeight)
                           : legendY + legendRows * entryHeight;
    return bottom + start.pad;
}

} // namespace lanescope::chart
