// Secondary progressions and solar arc directions for a date: one day after birth for each year of life.
//
// The progressed chart is the natal pass for the birth instant plus the age in days, at the birth place.
// Its Midheaven is the natal one turned by the solar arc in right ascension (the progressed Sun's right
// ascension less the natal Sun's), and the Ascendant and the houses follow that meridian at the birth
// latitude: the angles move about a degree a year with the Sun instead of turning once a day with the
// clock. The solar arc is the progressed Sun less the natal Sun; the directed chart adds it to every
// natal point, the angles included.
#pragma once

#include <optional>

#include "chart/arithmetic_fault.h"
#include "chart/birth.h"
#include "chart/chart.h"
#include "environment/options.h"

namespace talvenor {

// The age on a date in years of life, counted from birthday to birthday: the whole years since birth,
// and the days since the last birthday as a fraction of the days to the next one. In years without 29
// February a birthday of that day falls on 28 February. Nothing for a date before the birth date.
std::optional<double> AgeInYears(int birthYear, int birthMonth, int birthDay, int year, int month, int day);

// The age of the natal birth on the date of the second birth.
std::optional<double> AgeOnDate(const Birth& natal, const Birth& second);

inline constexpr const char* kBeforeBirthMessage =
    "The diurnal date lies before the birth date. Progressions and directions need a date after the birth.";
inline constexpr const char* kBeforeBirthTitle = "Warning!";

// The right ascension of a point on the ecliptic, degrees in [0, 360); the obliquity in radians.
double RightAscensionOf(double longitude, double obliquityRad);

// The progressed chart of a natal chart for an age in years: the chart of birth + age days, whole days
// counted on the birth date and the fraction added to the time of day, at the birth place in the natal
// house system, with the meridian turned by the solar arc in right ascension. Its birth is the natal
// birth. The engine is the natal chart's.
ChartResult ComputeProgressedChart(const Chart& natal, const Options& options, double ageYears);

// The solar arc: the progressed Sun less the natal Sun, 0 to below 360.
double SolarArc(const Chart& natal, const Chart& progressed);

// The directed chart: the natal chart with every point, both nodes, the midpoint factors, the midpoints
// and the special points moved on by the arc. Declinations come from the directed longitudes with the
// natal ecliptic latitudes and the natal obliquity; the house column places the directed points in the
// natal houses; no point is marked retrograde (a direction has no motion of its own).
Chart SolarArcChart(const Chart& natal, const Options& options, double arc);

}  // namespace talvenor
