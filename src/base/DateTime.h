#pragma once

/**
 * Dates and times as day numbers: whole days since 30 December 1899 plus the time of day as a fraction.
 * 0 means "no date". This is the value the file formats' date fields are read into and written from.
 */
namespace lanescope::base {

using TDateTime = double;

/** Day number of a calendar date, or 0 when the date does not exist (30 February, month 13, year 0). */
TDateTime encodeDate(int year, int month, int day);
/** Fraction of a day for a time of day, or 0 when hour, minute or second is out of range. */
TDateTime encodeTime(int hour, int minute, int second = 0);

struct DateParts
{
    int year = 0;
    int month = 0;
    int day = 0;
};
struct TimeParts
{
    int hour = 0;
    int minute = 0;
    int second = 0;
};

/** Calendar date of the value; all zeros for a value outside the years 1 to 9999. */
DateParts decodeDate(TDateTime value);
/** Time of day of the value, rounded to the nearest second. */
TimeParts decodeTime(TDateTime value);

} // namespace lanescope::base
