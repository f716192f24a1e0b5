#include "swim/SwimTime.h"

#include <cstdio>

namespace lanescope::swim {

namespace {

constexpr TSwimTime kFirstShownTime = 11;
// 59:59.99 up to the hour stands for "no time" (files write 99:99.99, read as 59:59.99); an hour and more is
// a time again.
constexpr TSwimTime kNoTimeFrom = 35999090;
constexpr TSwimTime kHour = 36000000;
constexpr std::int32_t kNoTimeFromMilliseconds = 3599990;
constexpr std::int32_t kHourMilliseconds = 3600000;

int hundredthsDigit(TSwimTime time) { return time % 1000 / 10; }

std::string noTime(bool showNT) { return showNT ? "NT" : ""; }

} // namespace

std::string formatSwimTime(TSwimTime time, bool showNT)
{
    if (time < kFirstShownTime || (time >= kNoTimeFrom && time < kHour))
        return noTime(showNT);
    const int hundredths = hundredthsDigit(time);
    const char last = hundredths > 9 ? '*' : static_cast<char>('0' + hundredths);
    const int minutes = time / 600000;
    char text[24];
    if (minutes >= 60)
        std::snprintf(text, sizeof text, "%d:%02d:%02d.%d%c", minutes / 60, minutes % 60,
                      time % 600000 / 10000, time % 10000 / 1000, last);
    else
        std::snprintf(text, sizeof text, "%2d:%02d.%d%c", minutes, time % 600000 / 10000, time % 10000 / 1000,
                      last);
    std::string result = text;
    if (result.starts_with(" 0:"))
        result.replace(0, 3, "   ");
    return result;
}

std::string formatMilliseconds(std::int32_t milliseconds, bool showNT)
{
    if (milliseconds < 1 || (milliseconds >= kNoTimeFromMilliseconds && milliseconds < kHourMilliseconds))
        return noTime(showNT);
    const int minutes = milliseconds / 60000;
    char text[24];
    if (minutes >= 60)
        std::snprintf(text, sizeof text, "%d:%.2d:%.2d.%.2d", minutes / 60, minutes % 60,
                      milliseconds % 60000 / 1000, milliseconds % 1000 / 10);
    else
        std::snprintf(text, sizeof text, "%d:%.2d.%.2d", minutes, milliseconds % 60000 / 1000,
                      milliseconds % 1000 / 10);
    const std::string_view result = text;
    return std::string(result.starts_with("0:") ? result.substr(2) : result);
}

std::int32_t swimTimeToHundredths(TSwimTime time) { return time / 1000 * 10 + hundredthsDigit(time) % 10; }

std::int32_t swimTimeToMilliseconds(TSwimTime time) { return swimTimeToHundredths(time) * 10; }

TSwimTime swimTimeDifference(TSwimTime a, TSwimTime b)
{
    TSwimTime whole = (a / 1000 - b / 1000) * 1000;
    int da = hundredthsDigit(a);
    const int db = hundredthsDigit(b);
    if (da >= 10 || db >= 10)
        return whole + 100;
    if (db > da) {
        whole -= 1000;
        da += 10;
    }
    return whole + (da - db) * 10;
}

} // namespace lanescope::swim
