#pragma once

#include "base/DateTime.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

/** Locale formats for dates, times and decimal numbers, and the format patterns that use them. */
namespace lanescope::base {

/**
 * Names, separators and patterns of a locale. The defaults are US English; the language file replaces the
 * month and day names when it loads.
 */
struct TFormatSettings
{
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    /** Sunday first, as the calendar's day-of-week numbers count. */
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    char decimalSeparator = '.';
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string shortDateFormat = "m/d/yyyy";
    std::string longDateFormat = "dddd, mmmm d, yyyy";
    std::string shortTimeFormat = "h:nn AMPM";
    std::string longTimeFormat = "h:nn:ss AMPM";
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
};

/** The settings every format call uses unless it is given others. */
const TFormatSettings& currentFormatSettings();
void setCurrentFormatSettings(const TFormatSettings& settings);

/**
 * Formats a date-time value by a format pattern such as "dddd, d. mmmm yyyy". Letters are read without
 * regard to case: d dd (day), ddd dddd (day names), ddddd dddddd (short and long date format), m mm (month,
 * or minute right after an hour), mmm mmmm (month names), yy yyyy, h hh, n nn, s ss, t tt (short and long
 * time format), c (short date format, then the long time format when the time is not midnight), am/pm a/p
 * ampm (these switch the hours to a 12-hour clock), "/" and ":" (the separators), '...' and "..." (literal
 * text). Every other character is copied.
 */
std::string formatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings = currentFormatSettings());

/** The value with a fixed number of decimals (0 to 15), written with the decimal separator. */
std::string formatDecimal(double value, int decimals,
                          const TFormatSettings& settings = currentFormatSettings());

/**
 * Reads a decimal number written with the decimal separator: blanks around it, an optional sign, digits
 * with at most one separator, an optional exponent. Anything else gives no value.
 */
std::optional<double> parseDecimal(std::string_view text,
                                   const TFormatSettings& settings = currentFormatSettings());

} // namespace lanescope::base
