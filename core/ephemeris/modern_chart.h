// What a chart needs of the sky from the modern series: the apparent places of the Sun, the Moon and the
// planets, the Moon's mean and true node, the true obliquity, and the sidereal time and angles of a place,
// all for an instant of the chart's civil time (Universal Time), which Delta T turns into TT.
//
// The conventions are the IAU's: the Earth rotation angle and the equation of the equinoxes give the
// Greenwich apparent sidereal time (IAU 2006/2000A), and the angles take the true obliquity of date.
// The mean node is the ELP/MPP02 mean longitude of the node, W3, on the mean equinox of date; the true node
// is the ascending node of the Moon's osculating orbit, found from its geocentric position and velocity on
// the mean ecliptic of date. Both nodes have the nutation in longitude added, as the apparent places have.
#pragma once

#include "ephemeris/apparent_sky.h"
#include "ephemeris/apparent_sky_cache.h"
#include "ephemeris/chart_angles.h"
#include "ephemeris/modern_sky.h"
#include "ephemeris/sky.h"
#include "ephemeris/time_scales.h"
#include "ephemeris/uranian_points.h"

namespace talvenor {

// The Julian days of Universal Time the modern engine serves: from the third day of the year 0 to the
// middle of 2101 (Julian calendar before 1582 October 15), within the Pluto table with the light time.
// Other instants get the status OutOfRange.
inline constexpr double kModernFirstJulianDay = 1721059.5;
inline constexpr double kModernLastJulianDay = 2488616.5;

// The nutation of the charts' frame of date: the IAU 2000B series, within 0.004" of the full IAU 2000A
// from 1800 to 2200 at a tenth of its cost.
inline constexpr NutationSeries kChartNutation = NutationSeries::Iau2000B;

// The Julian day of Universal Time of an instant.
double JulianDayUt(const Instant& instant);

// The Moon's mean ascending node at a Julian day of TT: longitude of the mean equinox of date plus the
// nutation in longitude, degrees, [0, 360).
double ModernMeanNode(const ModernTables& tables, double julianDayTt);

// The ascending node of the Moon's osculating geocentric orbit on the mean ecliptic of date, longitude of
// the mean equinox of date plus the nutation in longitude, degrees, [0, 360).
double ModernTrueNode(const ModernTables& tables, double julianDayTt);

// The true obliquity of the ecliptic (IAU 2006 mean obliquity plus the nutation in obliquity) at
// a Julian day of TT, radians, positive.
double ModernTrueObliquity(double julianDayTt);

// The sky of the chart's instant: the Longitude, Latitude and Declination of Sun .. Moon are apparent
// geocentric places of the true equinox and ecliptic of date, with their daily motions; ObliquityRad is the
// true obliquity.
Sky ModernSkyAt(const ModernTables& tables, const Instant& instant);

// The eight hypothetical points' apparent places at an instant of the chart's civil time, as ModernSkyAt
// gives the planets'.
UranianPlaces ModernUranianAt(const ModernTables& tables, const Instant& instant);

// The sky of an instant for a search or a graph, from the fits of the cache (within a hundredth of a
// second of arc of ModernSkyAt): the Longitude, Latitude and Declination with their daily motions of the
// points asked for (bit p for point p, Sun .. Moon; the others are quiet NaNs), and the MeanNode and
// ObliquityRad when bit kNorthNode is set (otherwise quiet NaNs). The TrueNode is not computed here.
Sky ModernSearchSkyAt(const ModernTables& tables, ApparentSkyCache& cache, const Instant& instant,
                      unsigned points);

// The angles of a place at the chart's instant from the Greenwich apparent sidereal time and the true
// obliquity.
LocalAngles ModernAnglesAt(const ModernTables& tables, const Instant& instant, const Place& place);

// The angles for a meridian given by its right ascension (radians), with the true obliquity of the instant.
LocalAngles ModernAnglesForMeridian(const ModernTables& tables, double ramcRad, const Instant& instant,
                                    const Place& place);

}  // namespace talvenor
