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

}  // namespace talvenor
