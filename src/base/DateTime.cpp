#include "DateTime.h"

#include <cmath>

namespace lanescope::base {

namespace {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 January of year 1 (proleptic Gregorian) to the given date, 0-based.
constexpr long daysFromCivil(int year, int month, int day)
{
    // Howard Hinnant's algorithm, shifted so that March is the first month of the year.
    year -= month <= 2 ? 1 : 0;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yoe = year - era * 400;
    const long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

constexpr long kEpoch = daysFromCivil(1899, 12, 30);

} // namespace

TDateTime encodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return 0;
    return static_cast<TDateTime>(daysFromCivil(year, month, day) - kEpoch);
}

TDateTime encodeTime(int hour, int minute, int second)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return 0;
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

DateParts decodeDate(TDateTime value)
{
    // Outside the years 1 to 9999 (and for NaN) the conversion to a day count below would be undefined.
    static const TDateTime kFirst = encodeDate(1, 1, 1);
    static const TDateTime kEnd = encodeDate(9999, 12, 31) + 1;
    if (!(value >= kFirst && value < kEnd))
        return {};
    // Inverse of daysFromCivil.
    const long z = static_cast<long>(std::floor(value)) + kEpoch;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    DateParts parts;
    parts.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    parts.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    parts.year = static_cast<int>(yoe + era * 400 + (parts.month <= 2 ? 1 : 0));
    return parts;
}

TimeParts decodeTime(TDateTime value)
{
    const double fraction = std::fabs(value - std::floor(value));
    long seconds = std::lround(fraction * 86400.0) % 86400;
    TimeParts parts;
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

} // namespace lanescope::base
