// Periodic perturbations of Jupiter, Saturn, Uranus and Neptune, and Pluto's series.
#pragma once

#include "ephemeris/planets.h"

namespace talvenor {

// Each routine corrects the mean elements loaded for its body (mean anomaly, argument of perihelion,
// eccentricity, semi-major axis); Uranus and Neptune also leave OuterLonCorrection, a term added to
// their geocentric longitude afterwards.
void ApplyJupiterPerturbations(PlanetWork& w);
void ApplySaturnPerturbations(PlanetWork& w);
void ApplyUranusPerturbations(PlanetWork& w);
void ApplyNeptunePerturbations(PlanetWork& w);

// Pluto's heliocentric longitude, latitude (degrees, fixed equinox of JD 2433283) and radius (AU) into
// PlutoHelioLon, PlutoHelioLat and PlutoRadiusAU.
void ComputePlutoSeries(PlanetWork& w);

}  // namespace talvenor
