#include "ephemeris/calendar.h"

#include <cmath>

namespace talvenor {

double JulianCalendarDayNumber(int year, int month, int day) {
    // Months counted from March of the year -4800, so that leap days fall at the end of a cycle.
    const double a = (static_cast<double>(year) + 4800.0) * 12.0 + month - 3.0;
    return std::floor((2.0 * (a - 12.0 * std::floor(a / 12.0)) + 7.0 + 365.0 * a) / 12.0) + day +
           std::floor(a / 48.0) - 32083.0;
}

bool CountsInJulianCalendar(int year, int month, int day) {
    return JulianCalendarDayNumber(year, month, day) <= kLastJulianCalendarDay;
}

bool IsLeapYear(int year) {
    if (CountsInJulianCalendar(year, 2, 1)) return year % 4 == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

DayOfCalendar CalendarDayOf(double julianDayNumber) {
    const double z = std::floor(julianDayNumber + 0.5);
    double a = z;
    if (z >= 2299161.0) {
        // Days the Gregorian reform left out of the count of the Julian calendar.
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1.0 + alpha - std::floor(alpha / 4.0);
    }
    const double b = a + 1524.0;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    DayOfCalendar date;
    date.day = static_cast<int>(b - d - std::floor(30.6001 * e));
    date.month = static_cast<int>(e < 14.0 ? e - 1.0 : e - 13.0);
    date.year = static_cast<int>(date.month > 2 ? c - 4716.0 : c - 4715.0);
    return date;
}

}  // namespace talvenor
