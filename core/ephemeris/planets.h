// Geocentric ecliptic positions of the Sun and of Mercury to Pluto.
//
// The Sun comes from its analytical theory with aberration and nutation; Mercury, Venus and Mars from
// unperturbed Kepler orbits of J2000 elements; Jupiter to Neptune from Kepler orbits of 1900 elements
// corrected by periodic perturbations; Pluto from its own series. Positions are geometric and distances
// are carried in kilometres.
#pragma once

#include "ephemeris/angles.h"

namespace talvenor {

inline constexpr double kKilometresPerAU = 149597870.0;

// BodyIndex values of the planetary theory; 1 is the Earth (or the Sun), 2..9 follow the point order.
inline constexpr int kBodyEarth = 1;

// The working record of one planetary computation.
struct PlanetWork {
    EngineScratch s;
    double CenturiesT = 0;  // from J1900 or J2000, as the method in use needs
    int BodyIndex = 0;

    double ElemA = 0;  // km
    double ElemE = 0;
    double ElemI = 0;
    double ElemNode = 0;
    double ElemPeri = 0;
    double ElemArgPeri = 0;
    double ElemMeanAnomaly = 0;

    double EarthHelioLon = 0, EarthHelioLat = 0, EarthRadius = 0;
    double BodyHelioLon = 0, BodyHelioLat = 0, BodyRadius = 0;
    double BodyGeoLon = 0, BodyGeoLat = 0;

    double OuterLonCorrection = 0;  // Uranus and Neptune only

    // Pluto's heliocentric position from its series (degrees, degrees, AU).
    double PlutoHelioLon = 0, PlutoHelioLat = 0, PlutoRadiusAU = 0;

    // Set when Kepler's equation would not settle (only possible far outside the elements' range).
    bool KeplerUnsettled = false;
};

// The Sun's apparent geocentric longitude (degrees, not reduced) for centuries t from J1900.
double ComputeSun(double t);

// Bodies 1..4 with w.CenturiesT in centuries from J2000.
void ComputeInnerBody(PlanetWork& w);
// Bodies 1 and 5..9 with w.CenturiesT in centuries from J1900.
void ComputeOuterBody(PlanetWork& w);
// Kepler's equation, heliocentric position and, for bodies other than the Earth, the geocentric
// conversion into BodyGeoLon and BodyGeoLat.
void SolveOrbit(PlanetWork& w);

}  // namespace talvenor
