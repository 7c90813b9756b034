// The eight hypothetical points of the Uranian school (Cupido, Hades, Zeus, Kronos, Apollon, Admetos,
// Vulkanus, Poseidon) from their published heliocentric orbital elements: a Kepler orbit each, referred to
// the ecliptic and equinox of J1900.0, its mean motion from the semi-axis by Kepler's third law.
//
// With the program's theory a point's place is geometric, on the mean ecliptic and equinox of date, seen
// from the theory's Earth, as the theory's planets are; with the modern engine it is the apparent place
// (light time, the Sun's light deflection, aberration, precession and nutation), as the modern planets are.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "ephemeris/apparent_sky.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

enum class UranianPoint { Cupido, Hades, Zeus, Kronos, Apollon, Admetos, Vulkanus, Poseidon };
inline constexpr std::size_t kUranianPoints = 8;

// The elements of one point: the mean anomaly at the epoch (J1900.0, JD 2415020.0), the semi-axis in au, the
// eccentricity, the argument of the perihelion, the ascending node and the inclination, angles in degrees
// on the ecliptic and equinox of J1900.0.
struct UranianElements {
    std::string_view name;
    double meanAnomaly, semiAxis, eccentricity, argumentOfPerihelion, node, inclination;
};
const UranianElements& ElementsOf(UranianPoint point);

// The Julian day of the elements' epoch and equinox, J1900.0.
inline constexpr double kUranianEpoch = 2415020.0;

// A point's heliocentric position and velocity at a Julian day (of TT; the theory hands its Universal
// Time), ecliptic and equinox of J1900.0, au and au per day.
HeliocentricState UranianStateJ1900(UranianPoint point, double julianDay);

// The heliocentric ecliptic longitude and latitude (degrees, the longitude in [0, 360)) and distance (au)
// on the mean ecliptic and equinox of date (IAU 2006 precession).
struct HeliocentricPlace {
    double longitude = 0, latitude = 0, radius = 0;
};
HeliocentricPlace UranianHeliocentricOfDate(UranianPoint point, double julianDay);

// A point's geocentric place: ecliptic longitude and latitude of date and declination, degrees, and the rate
// of the longitude in degrees per day.
struct UranianPlace {
    double longitude = 0, latitude = 0, declination = 0, longitudeSpeed = 0;
};
using UranianPlaces = std::array<UranianPlace, kUranianPoints>;

// The eight places with the program's theory at an instant: geometric, mean equinox of date, the
// declination on the theory's mean obliquity.
UranianPlaces TheoryUranianPlaces(const Instant& instant);

// The eight apparent places with the modern engine at a Julian day of TT.
UranianPlaces ModernUranianPlaces(const ModernTables& tables, double julianDayTt, NutationSeries nutation);

}  // namespace talvenor
