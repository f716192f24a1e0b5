#include "chart/ProgressionChart.h"

#include "base/LanguageTexts.h"
#include "chart/ChartTicks.h"
#include "swim/SwimTime.h"

#include <algorithm>
#include <cmath>

namespace lanescope::chart {

namespace {

constexpr std::uint32_t kPointColour = 0x0072B2;
constexpr std::uint32_t kBestColour = 0xD55E00;

// Civil date to days since 1970-01-01 (Howard Hinnant's algorithm).
long daysFromCivil(long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long>(dayOfEra) - 719468;
}

void civilFromDays(long days, int& year, int& month)
{
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long>(yearOfEra) + era * 400 + (month <= 2));
}

std::string monthLabel(int year, int month)
{
    std::string name = base::languageText('G', 71, month);
    if (name.empty())
        name = std::to_string(month);
    return name + " " + std::to_string(year);
}

} // namespace

long dayNumber(const std::string& date)
{
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    if (date.size() < 10 || std::sscanf(date.c_str(), "%4d-%2u-%2u", &year, &month, &day) != 3 || month < 1 ||
        month > 12 || day < 1 || day > 31)
        return -1;
    return daysFromCivil(year, month, day);
}

std::vector<ProgressionSwim> personalBestSteps(const ProgressionData& data)
{
    std::vector<ProgressionSwim> swims;
    for (const ProgressionSwim& swim : data.swims)
        if (swim.timeMs > 0 && dayNumber(swim.date) >= 0)
            swims.push_back(swim);
    std::stable_sort(swims.begin(), swims.end(),
                     [](const ProgressionSwim& a, const ProgressionSwim& b) { return a.date < b.date; });
    std::vector<ProgressionSwim> steps;
    for (const ProgressionSwim& swim : swims) {
        if (!steps.empty() && steps.back().date == swim.date && swim.timeMs < steps.back().timeMs) {
            steps.back() = swim;
            continue;
        }
        if (steps.empty() || swim.timeMs < steps.back().timeMs)
            steps.push_back(swim);
    }
    return steps;
}

int drawProgressionChart(report::ReportCanvas& canvas, const ProgressionData& data, const ChartTexts& texts,
                         int width, int dpi)
{
    const PictureStart start = startPicture(canvas, data.title, dpi);
    const auto px = [&start](double pixels) { return start.px(pixels); };
    int y = start.y;
    std::vector<const ProgressionSwim*> swims;
    for (const ProgressionSwim& swim : data.swims)
        if (swim.timeMs > 0 && dayNumber(swim.date) >= 0)
            swims.push_back(&swim);
    if (swims.empty()) {
        drawLabel(canvas, start.pad, y, texts.noSwims, Align::Left);
        return y + start.lineHeight + start.pad;
    }
    long firstDay = dayNumber(swims.front()->date);
    long lastDay = firstDay;
    double fastest = 1e12;
    double slowest = 0;
    for (const ProgressionSwim* swim : swims) {
        firstDay = std::min(firstDay, dayNumber(swim->date));
        lastDay = std::max(lastDay, dayNumber(swim->date));
        fastest = std::min(fastest, swim->timeMs / 1000.0);
        slowest = std::max(slowest, swim->timeMs / 1000.0);
    }
    // A fortnight either side keeps the first and last points off the axes.
    firstDay -= 14;
    lastDay += 14;
    const double step = timeStep(std::max(slowest - fastest, 0.5), 6);
    const double from = std::floor(fastest / step + 1e-9) * step;
    const double to = std::max(from + step, std::ceil(slowest / step - 1e-9) * step);
    const std::vector<double> timeTicks = ticks(from, to, step);
    int labelWidth = 0;
    for (const double tick : timeTicks)
        labelWidth = std::max(labelWidth, canvas.textWidth(timeLabel(tick, step)));

    drawLabel(canvas, start.pad + labelWidth + px(6), y, texts.timeCaption, Align::Left, 8, true);
    y += start.lineHeight + px(4);
    const int left = start.pad + labelWidth + px(6);
    const int right = std::max(left + px(40), width - start.pad);
    const int top = y;
    const int bottom = top + px(240);
    const auto xOf = [&](long day) {
        return left + static_cast<int>(std::lround(static_cast<double>(day - firstDay) /
                                                   (lastDay - firstDay) * (right - left)));
    };
    // Faster is higher: the fastest tick at the top.
    const auto yOf = [&](double seconds) {
        return top + static_cast<int>(std::lround((seconds - from) / (to - from) * (bottom - top)));
    };
    for (const double tick : timeTicks) {
        strokeLine(canvas, left, yOf(tick), right, yOf(tick), kGridColour, start.unit);
        drawLabel(canvas, left - px(4), yOf(tick) - start.lineHeight / 2, timeLabel(tick, step),
                  Align::Right);
    }
    // Month ticks; with a long span every second, third or sixth month so their labels do not overlap.
    int year = 0;
    int month = 0;
    civilFromDays(firstDay, year, month);
    canvas.setFont(kChartFont, 8, false, false, false, 0);
    const int labelRoom = canvas.textWidth(monthLabel(2000, 9)) + px(10);
    const double monthWidth = 30.44 / (lastDay - firstDay) * (right - left);
    int every = 1;
    for (const int candidate : {1, 2, 3, 6, 12, 24, 60})
        if (candidate * monthWidth >= labelRoom) {
            every = candidate;
            break;
        } else {
            every = candidate;
        }
    month += 1;
    for (int guard = 0; guard < 2000; ++guard, ++month) {
        if (month > 12) {
            month = 1;
            ++year;
        }
        const long day = daysFromCivil(year, static_cast<unsigned>(month), 1);
        if (day > lastDay)
            break;
        if ((year * 12 + month - 1) % every != 0)
            continue;
        const int x = xOf(day);
        strokeLine(canvas, x, top, x, bottom, kGridColour, start.unit);
        drawLabel(canvas, x, bottom + px(4), monthLabel(year, month), Align::Centre);
    }
    strokeLine(canvas, left, top, left, bottom, kAxisColour, start.unit);
    strokeLine(canvas, left, bottom, right, bottom, kAxisColour, start.unit);

    // Personal bests as a step line: level until the next best, then up to it.
    const std::vector<ProgressionSwim> bests = personalBestSteps(data);
    std::vector<report::CanvasPoint> steps;
    for (const ProgressionSwim& best : bests) {
        const int x = xOf(dayNumber(best.date));
        if (!steps.empty())
            steps.push_back({x, steps.back().y});
        steps.push_back({x, yOf(best.timeMs / 1000.0)});
    }
    steps.push_back({right, steps.back().y});
    report::PathStyle bestStyle;
    bestStyle.colour = kBestColour;
    bestStyle.penWidth = 2 * start.unit;
    bestStyle.dashes = {px(6), px(3)};
    bestStyle.name = "best";
    canvas.drawPath(steps, bestStyle);

    // Points: small diamonds, filled, with the meet, date and time as hint.
    const int radius = px(4);
    for (const ProgressionSwim* swim : swims) {
        const int x = xOf(dayNumber(swim->date));
        const int pointY = yOf(swim->timeMs / 1000.0);
        report::PathStyle style;
        style.colour = kPointColour;
        style.filled = true;
        style.name = "swim";
        canvas.drawPath(
            {{x, pointY - radius}, {x + radius, pointY}, {x, pointY + radius}, {x - radius, pointY}}, style);
        canvas.addHint(x - radius, pointY - radius, x + radius, pointY + radius,
                       swim->date + "  " + swim->meet + "  " + swim::formatMilliseconds(swim->timeMs, false));
    }

    // Legend: the step line's meaning.
    const int legendY = bottom + px(4) + start.lineHeight + px(8);
    canvas.drawPath({{left, legendY + start.lineHeight / 2}, {left + px(28), legendY + start.lineHeight / 2}},
                    bestStyle);
    drawLabel(canvas, left + px(34), legendY, texts.personalBest, Align::Left);
    return legendY + start.lineHeight + start.pad;
}

} // namespace lanescope::chart
