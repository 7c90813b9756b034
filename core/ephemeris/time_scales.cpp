#include "ephemeris/time_scales.h"

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/calendar.h"

namespace talvenor {

namespace {
constexpr double kOneDayInCenturies = 1.0 / 36525.0;
}

Instant InstantOf(double julianDayNumber, double dayFraction) {
    Instant i;
    i.JulianDayNumber = julianDayNumber;
    i.DayFraction = dayFraction;
    i.CenturiesT = (julianDayNumber - 2415020.0 + dayFraction - 0.5) / 36525.0;
    i.CenturiesJ2000 = (julianDayNumber - 2451545.0 + dayFraction - 0.5) / 36525.0;
    return i;
}

Instant OneDayLater(const Instant& instant) {
    Instant next = instant;
    next.DayFraction += 1.0;
    next.CenturiesT += kOneDayInCenturies;
    next.CenturiesJ2000 += kOneDayInCenturies;
    return next;
}

double JulianDayNumberOf(int year, int month, int day) {
    double j = JulianCalendarDayNumber(year, month, day);
    if (j > kLastJulianCalendarDay) {
        // Months counted from March of the year -4800, as the Julian count does.
        const double a = (static_cast<double>(year) + 4800.0) * 12.0 + month - 3.0;
        j = j + std::floor(a / 4800.0) - std::floor(a / 1200.0) + 38.0;
    }
    return j;
}

double ObliquityRadAt(double t) {
    return DegToRad(23.4522944 - 0.0130125 * t - 0.000001639 * t * t + 0.000000503 * t * t * t);
}

}  // namespace talvenor
