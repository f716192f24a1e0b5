#include "swim/SwimTime.h"

#include <cstdio>

namespace lanescope::swim {

namespace {

constexpr TSwimTime kFirstShownTime = 11;
constexpr TSwimTime kLastShownTime = 35999089;
constexpr std::int32_t kLastShownMilliseconds = 3599989;

int hundredthsDigit(TSwimTime time) { return time % 1000 / 10; }

std::string noTime(bool showNT) { return showNT ? "NT" : ""; }

} // namespace

std::string formatSwimTime(TSwimTime time, bool showNT)
{
    if (time < kFirstShownTime || time > kLastShownTime)
        return noTime(showNT);
    const int hundredths = hundredthsDigit(time);
    char text[16];
    std::snprintf(text, sizeof text, "%2d:%02d.%d%c", time / 600000, time % 600000 / 10000,
                  time % 10000 / 1000, hundredths > 9 ? '*' : static_cast<char>('0' + hundredths));
    std::string result = text;
    if (result.starts_with(" 0:"))
        result.replace(0, 3, "   ");
    return result;
}

std::string formatMilliseconds(std::int32_t milliseconds, bool showNT)
{
    if (milliseconds < 1 || milliseconds > kLastShownMilliseconds)
        return noTime(showNT);
    char text[16];
    std::snprintf(text, sizeof text, "%d:%.2d.%.2d", milliseconds / 60000, milliseconds % 60000 / 1000,
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
