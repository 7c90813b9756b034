// Instants of time and the slow quantities that depend on the instant alone.
//
// The time scale is Universal Time throughout: no correction to ephemeris time is made anywhere in the
// engine.
#pragma once

namespace talvenor {

// One instant in the forms the theories are written in. InstantOf fills it from a day number and the
// time of day; OneDayLater steps it on by one day for the retrograde test.
struct Instant {
    double JulianDayNumber = 0;  // of the civil date at noon, a whole number
    double DayFraction = 0;      // Universal Time from 0h of that date, in days; may leave [0, 1)
    double CenturiesT = 0;       // Julian centuries of 36525 days from JD 2415020.0 (1899 December 31, 12h)
    double CenturiesJ2000 = 0;   // Julian centuries from JD 2451545.0 (2000 January 1, 12h)
};

Instant InstantOf(double julianDayNumber, double dayFraction);

// The same instant a day later, as the retrograde test compares it: both centuries one day on, the time
// of day one more day past the same civil date (Pluto's precession is counted from that date).
Instant OneDayLater(const Instant& instant);

// Julian day number at noon of a civil date; dates after 1582 October 15 are Gregorian.
double JulianDayNumberOf(int year, int month, int day);

// The obliquity of the ecliptic in radians (positive) for centuries from J1900.
double ObliquityRadAt(double centuriesT);

}  // namespace talvenor
