#include "ephemeris/sky.h"

#include <initializer_list>

#include "ephemeris/angles.h"
#include "ephemeris/moon.h"
#include "ephemeris/planets.h"

namespace talvenor {

namespace {

// Pluto's series refers to the fixed equinox of JD 2433283; precession carries it to the date.
double PlutoPrecession(double julianDayNumber) {
    return (julianDayNumber - 2433283.0) * 1.33 / 36525.0;
}

// Longitude of an outer body with the corrections its theory calls for.
double CorrectedOuterLongitude(const PlanetWork& w, double julianDayNumber) {
    double lon = Norm360(w.BodyGeoLon);
    if (w.BodyIndex == kUranus || w.BodyIndex == kNeptune) lon += w.OuterLonCorrection;
    if (w.BodyIndex == kPluto) lon += PlutoPrecession(julianDayNumber);
    return Norm360(lon);
}

}  // namespace

Sky SkyAt(const Instant& instant) {
    Sky sky;
    for (double v : {instant.JulianDayNumber, instant.CenturiesT, instant.CenturiesJ2000}) {
        sky.Status = WorseStatus(sky.Status, FiniteStatus(v));
    }
    if (sky.Status != EngineStatus::Sound) return sky;

    FaultWatch watch;
    sky.ObliquityRad = ObliquityRadAt(instant.CenturiesT);
    const ObliquityTerms eps = ObliquityTermsOf(sky.ObliquityRad);

    // Sun.
    sky.Longitude[kSun] = Norm360(ComputeSun(instant.CenturiesT));
    sky.Latitude[kSun] = 0;

    // Moon and nodes.
    const MoonPosition moon = ComputeMoon(instant.CenturiesT);
    sky.Longitude[kMoon] = Norm360(moon.Longitude);
    sky.Latitude[kMoon] = moon.Latitude;
    sky.Declination[kMoon] = Declination(sky.Longitude[kMoon], sky.Latitude[kMoon], eps);
    sky.MeanNode = Norm360(moon.MeanNode);
    sky.TrueNode = Norm360(moon.TrueNode);

    PlanetWork w;

    // Mercury, Venus and Mars from the J2000 elements; the Earth first each time (its turn gives the
    // Sun's declination).
    w.CenturiesT = instant.CenturiesJ2000;
    for (int body = 1; body <= 4; ++body) {
        w.BodyIndex = body;
        ComputeInnerBody(w);
        if (body != kBodyEarth) {
            sky.Longitude[body] = Norm360(w.BodyGeoLon);
            sky.Latitude[body] = w.BodyGeoLat;
        }
        sky.Declination[body] = Declination(sky.Longitude[body], sky.Latitude[body], eps);
    }

    // Jupiter to Pluto from the 1900 elements, with the Earth of the same theory.
    w.CenturiesT = instant.CenturiesT;
    for (int body : {1, 5, 6, 7, 8, 9}) {
        w.BodyIndex = body;
        ComputeOuterBody(w);
        if (body == kBodyEarth) continue;
        sky.Longitude[body] = CorrectedOuterLongitude(w, instant.JulianDayNumber);
        sky.Latitude[body] = w.BodyGeoLat;
        sky.Declination[body] = Declination(sky.Longitude[body], sky.Latitude[body], eps);
    }

    sky.Status = w.KeplerUnsettled ? EngineStatus::NoConvergence : watch.Status();
    return sky;
}

}  // namespace talvenor
