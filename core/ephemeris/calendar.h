// The calendar the charts are computed in: Julian up to 1582 October 15, Gregorian after it.
//
// The time routine counts a civil date in the Julian calendar first and takes it as Gregorian only when
// that count lies beyond 1582 October 15. Every date check follows the same rule, so that a day the
// routine computes (29 February 1500) is never refused and a day it would shift to another (29 February
// 1700, which it counts as 1 March) is never accepted.
#pragma once

namespace talvenor {

// Julian day number at noon of a civil date counted in the Julian calendar (proleptic before 45 BC).
double JulianCalendarDayNumber(int year, int month, int day);

// The Julian-calendar day number of 1582 October 15, the last date the time routine counts as Julian.
inline constexpr double kLastJulianCalendarDay = 2299171.0;

// True when the time routine counts the date in the Julian calendar: every date up to 1582 October 15.
// The days 5 to 14 October 1582, which the Gregorian reform left out, are Julian days here.
bool CountsInJulianCalendar(int year, int month, int day);

// Whether February of the year has 29 days in the calendar its dates are counted in: every fourth year
// up to 1582, the Gregorian rule from 1583 on.
bool IsLeapYear(int year);

// A civil date as three numbers.
struct DayOfCalendar {
    int year = 0, month = 0, day = 0;
    friend bool operator==(const DayOfCalendar&, const DayOfCalendar&) = default;
};

// The civil date of a Julian day number (a whole number, the day's noon): Julian calendar up to day
// 2299160 (1582 October 4), Gregorian from 2299161 (1582 October 15) on. It turns back the day number of
// every date the time routine counts, except the eleven Julian dates 1582 October 5 to 15, whose numbers
// the Gregorian days from October 15 to 25 also carry.
DayOfCalendar CalendarDayOf(double julianDayNumber);

}  // namespace talvenor
