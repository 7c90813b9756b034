#include "ephemeris/apparent_sky.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "ephemeris/j2000_frame.h"
#include "ephemeris/solar_deflection.h"

namespace talvenor {

namespace {

using namespace j2000;

// The Sun's gravitational parameter, k^2 in au^3 per day^2 (Gauss's constant).
constexpr double kSunGm = 0.01720209895 * 0.01720209895;
// The general precession in longitude, degrees per day (IAU 2006, its linear term).
constexpr double kPrecessionRate = 5028.796195 / 3600.0 / 36525.0;

struct State {
    Vector position{}, velocity{};  // au and au per day, ecliptic and equinox of J2000.0
};

// Rectangular position and velocity from spherical coordinates and their rates.
State Rectangular(double l, double b, double r, double lRate, double bRate, double rRate) {
    const double cl = std::cos(l), sl = std::sin(l), cb = std::cos(b), sb = std::sin(b);
    State s;
    s.position = {r * cb * cl, r * cb * sl, r * sb};
    s.velocity = {rRate * cb * cl - r * sb * bRate * cl - r * cb * sl * lRate,
                  rRate * cb * sl - r * sb * bRate * sl + r * cb * cl * lRate, rRate * sb + r * cb * bRate};
    return s;
}

State SeriesState(const Vsop87Planet& planet, double julianDay) {
    const HeliocentricMotion m = Vsop87Motion(planet, julianDay);
    return Rectangular(m.longitude, m.latitude, m.radius, m.longitudeRate, m.latitudeRate, m.radiusRate);
}

// The rate of the ecliptic longitude of a geocentric position with its velocity, degrees per day.
double LongitudeRate(const Vector& p, const Vector& v) {
    return (p[0] * v[1] - p[1] * v[0]) / (p[0] * p[0] + p[1] * p[1]) / kDegree + kPrecessionRate;
}

// What every body at the instant shares: the Earth and the frame of date.
struct Shared {
    State earth;         // heliocentric, ecliptic of J2000.0
    Vector earthUnit{};  // the Sun-Earth direction, equator of J2000.0
    double sunDistance = 0;
    double velocity[3]{};  // the Earth's, equator of J2000.0, in units of the speed of light
    double bm1 = 1;
    double rnpb[3][3]{};
    double cosEps = 1, sinEps = 0;
};

// The apparent place of a direction from the observer on the equator of J2000.0 with its distance.
ApparentPlace PlaceOf(const Shared& s, const Vector& direction, double distance) {
    double d[3] = {direction[0], direction[1], direction[2]};
    double x[3];
    eraRxp(const_cast<double(*)[3]>(s.rnpb), d, x);
    return PlaceOfDate(x, s.cosEps, s.sinEps, distance);
}

// The Sun's light deflection (none for the Sun itself) and the annual aberration of a geocentric position
// on the equator of J2000.0. The light is bent as it passes the Sun on its way from the body at its
// distance (the heliocentric position when the light left it, equator of J2000.0), not as a star's.
Vector Aberrated(const Shared& s, const Vector& geocentric, double distance, const Vector* heliocentric) {
    double p[3] = {geocentric[0] / distance, geocentric[1] / distance, geocentric[2] / distance};
    double e[3] = {s.earthUnit[0], s.earthUnit[1], s.earthUnit[2]};
    double deflected[3] = {p[0], p[1], p[2]};
    if (heliocentric) {
        const double r = Length(*heliocentric);
        double q[3] = {(*heliocentric)[0] / r, (*heliocentric)[1] / r, (*heliocentric)[2] / r};
        BendLightPastSun(p, q, e, s.sunDistance, deflected);
    }
    double velocity[3] = {s.velocity[0], s.velocity[1], s.velocity[2]};
    double aberrated[3];
    eraAb(deflected, velocity, s.sunDistance, s.bm1, aberrated);
    return {aberrated[0], aberrated[1], aberrated[2]};
}

// A planet's apparent place and longitude speed from its heliocentric position and velocity at the instant
// (any source of them will do: a table of Pluto's, say): the position when the light left it is stepped
// back over the light time with the velocity and the Sun's pull.
void PlanetPlace(const Shared& s, const State& planet, bool deflect, ApparentPlace& place, double& speed) {
    const Vector& x = planet.position;
    const Vector& v = planet.velocity;
    const double r = Length(x);
    const double pull = -kSunGm / (r * r * r);  // the acceleration is pull times the position
    Vector geocentric{};
    double tau = 0, distance = 0;
    for (int i = 0; i < 4; ++i) {
        const double half = 0.5 * tau * tau * pull;
        Vector back;
        for (int k = 0; k < 3; ++k) back[k] = x[k] - tau * v[k] + half * x[k] - s.earth.position[k];
        geocentric = EquatorialJ2000(back);
        distance = Length(geocentric);
        tau = distance * kLightDaysPerAu;
    }
    const Vector earth = EquatorialJ2000(s.earth.position);
    const Vector heliocentric = {geocentric[0] + earth[0], geocentric[1] + earth[1],
                                 geocentric[2] + earth[2]};
    place = PlaceOf(s, Aberrated(s, geocentric, distance, deflect ? &heliocentric : nullptr), distance);
    Vector p, w;
    for (int k = 0; k < 3; ++k) {
        p[k] = x[k] - s.earth.position[k];
        w[k] = v[k] - s.earth.velocity[k];
    }
    speed = LongitudeRate(p, w);
}

}  // namespace

FrameOfDate FrameOfDateAt(double julianDayTt, NutationSeries nutation) {
    const double date = julianDayTt - ERFA_DJM0;
    double gamb = 0, phib = 0, psib = 0, epsa = 0, dpsi = 0, deps = 0;
    eraPfw06(ERFA_DJM0, date, &gamb, &phib, &psib, &epsa);
    if (nutation == NutationSeries::Iau2000A) {
        eraNut06a(ERFA_DJM0, date, &dpsi, &deps);
    } else {
        // The IAU 2006 adjustments of eraNut06a: the J2 rate and the change of the obliquity's origin.
        eraNut00b(ERFA_DJM0, date, &dpsi, &deps);
        const double j2 = -2.7774e-6 * (date - (ERFA_DJ00 - ERFA_DJM0)) / ERFA_DJC;
        dpsi += dpsi * (0.4697e-6 + j2);
        deps += deps * j2;
    }
    FrameOfDate frame;
    eraFw2m(gamb, phib, psib + dpsi, epsa + deps, frame.rnpb);
    frame.nutationInLongitude = dpsi;
    frame.nutationInObliquity = deps;
    frame.trueObliquity = eraObl06(ERFA_DJM0, date) + deps;
    return frame;
}

namespace {

// The Earth from its series (none: the Earth at the Sun, for the Moon alone) and the frame of date. The
// series count time in TDB, which keeps within two milliseconds of TT.
Shared SharedAt(const Vsop87Planet* earthSeries, double julianDayTt, NutationSeries nutation,
                FrameOfDate& frame) {
    Shared s;
    if (earthSeries) s.earth = SeriesState(*earthSeries, julianDayTt);
    const Vector earth = EquatorialJ2000(s.earth.position);
    s.sunDistance = earthSeries ? Length(earth) : 1;
    for (int k = 0; k < 3; ++k) s.earthUnit[k] = earth[k] / s.sunDistance;
    const Vector earthVelocity = EquatorialJ2000(s.earth.velocity);
    for (int k = 0; k < 3; ++k) s.velocity[k] = earthVelocity[k] * kLightDaysPerAu;
    s.bm1 = std::sqrt(
        1 - (s.velocity[0] * s.velocity[0] + s.velocity[1] * s.velocity[1] + s.velocity[2] * s.velocity[2]));

    // The IAU 2006/2000A precession-nutation matrix and the true obliquity, as eraPnm06a builds them (or with
    // the 2000B nutation).
    frame = FrameOfDateAt(julianDayTt, nutation);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) s.rnpb[r][c] = frame.rnpb[r][c];
    }
    s.cosEps = std::cos(frame.trueObliquity);
    s.sinEps = std::sin(frame.trueObliquity);
    return s;
}

}  // namespace

ApparentSky ApparentSkyFromSeries(const Vsop87Tables& vsop, const ElpTables& elp, const PlutoTable& pluto,
                                  double julianDayTt, const SkyOptions& options) {
    const SkyBodies bodies = options.bodies;
    ApparentSky sky;
    // The Moon's place needs nothing of the Earth's series.
    const bool needEarth = (bodies & ~SkyBodyBit(ModernBody::Moon)) != 0;
    FrameOfDate frame;
    const Shared s =
        SharedAt(needEarth ? &vsop[Vsop87Body::Earth] : nullptr, julianDayTt, options.nutation, frame);
    const Vector earth = EquatorialJ2000(s.earth.position);
    sky.trueObliquity = frame.trueObliquity / kDegree;
    sky.nutationInLongitude = frame.nutationInLongitude / kDegree;

    // The Sun: the Earth's place reversed, aberrated by the Earth's whole motion.
    if (bodies & SkyBodyBit(ModernBody::Sun)) {
        const Vector geocentric = {-earth[0], -earth[1], -earth[2]};
        const std::size_t i = static_cast<std::size_t>(ModernBody::Sun);
        sky.places[i] = PlaceOf(s, Aberrated(s, geocentric, s.sunDistance, nullptr), s.sunDistance);
        const Vector p = {-s.earth.position[0], -s.earth.position[1], -s.earth.position[2]};
        const Vector v = {-s.earth.velocity[0], -s.earth.velocity[1], -s.earth.velocity[2]};
        sky.longitudeSpeeds[i] = LongitudeRate(p, v);
    }

    // The planets: one sum of each series with its rates, then the step back over the light time.
    constexpr std::pair<ModernBody, Vsop87Body> kPlanets[] = {
        {ModernBody::Mercury, Vsop87Body::Mercury}, {ModernBody::Venus, Vsop87Body::Venus},
        {ModernBody::Mars, Vsop87Body::Mars},       {ModernBody::Jupiter, Vsop87Body::Jupiter},
        {ModernBody::Saturn, Vsop87Body::Saturn},   {ModernBody::Uranus, Vsop87Body::Uranus},
        {ModernBody::Neptune, Vsop87Body::Neptune},
    };
    const bool deflect = options.deflection == SunDeflection::Applied;
    for (const auto& [body, series] : kPlanets) {
        if (!(bodies & SkyBodyBit(body))) continue;
        const std::size_t i = static_cast<std::size_t>(body);
        PlanetPlace(s, SeriesState(vsop[series], julianDayTt), deflect, sky.places[i],
                    sky.longitudeSpeeds[i]);
    }

    // Pluto from its table, its velocity from the table a tenth of a day on each side; a day is kept in hand
    // at the table's ends for the light time.
    if (bodies & SkyBodyBit(ModernBody::Pluto)) {
        const std::size_t i = static_cast<std::size_t>(ModernBody::Pluto);
        constexpr double h = 0.1;
        const auto at = PlutoHeliocentricJ2000(pluto, julianDayTt);
        const auto ahead = PlutoHeliocentricJ2000(pluto, julianDayTt + h);
        const auto behind = PlutoHeliocentricJ2000(pluto, julianDayTt - 1);
        if (at && ahead && behind) {
            const auto before = PlutoHeliocentricJ2000(pluto, julianDayTt - h);
            State state;
            state.position = {at->x, at->y, at->z};
            state.velocity = {(ahead->x - before->x) / (2 * h), (ahead->y - before->y) / (2 * h),
                              (ahead->z - before->z) / (2 * h)};
            PlanetPlace(s, state, deflect, sky.places[i], sky.longitudeSpeeds[i]);
        } else {
            constexpr double nan = std::numeric_limits<double>::quiet_NaN();
            sky.places[i] = {nan, nan, nan, nan};
            sky.longitudeSpeeds[i] = nan;
        }
    }

    // The Moon: its geocentric place when the light left it is the apparent one (the aberration and the
    // Earth's motion during the light time cancel); stepped back along its motion on the ecliptic of date.
    if (bodies & SkyBodyBit(ModernBody::Moon)) {
        const MoonSeriesMotion m = ElpMpp02Motion(elp, julianDayTt);
        sky.moon = m;
        double tau = 0, distance = m.distance;
        for (int i = 0; i < 2; ++i) {
            tau = distance / kKilometresPerAu * kLightDaysPerAu;
            distance = m.distance - tau * m.distanceRate;
        }
        const MoonRectangular at =
            ElpMpp02ToJ2000(m.longitude - tau * m.longitudeRate, m.latitude - tau * m.latitudeRate, distance,
                            julianDayTt - tau);
        const Vector direction = EquatorialJ2000({at.x, at.y, at.z});
        const std::size_t i = static_cast<std::size_t>(ModernBody::Moon);
        sky.places[i] = PlaceOf(s, direction, Length(direction) / kKilometresPerAu);
        sky.longitudeSpeeds[i] = m.longitudeRate / kDegree + kPrecessionRate;
    }
    return sky;
}

void ApparentPlacesOfStates(const ModernTables& tables, double julianDayTt, NutationSeries nutation,
                            std::span<const HeliocentricState> states, std::span<StatePlace> places) {
    FrameOfDate frame;
    const Shared s = SharedAt(&tables.shortened.vsop[Vsop87Body::Earth], julianDayTt, nutation, frame);
    for (std::size_t i = 0; i < states.size() && i < places.size(); ++i) {
        State state;
        state.position = states[i].position;
        state.velocity = states[i].velocity;
        PlanetPlace(s, state, true, places[i].place, places[i].longitudeSpeed);
    }
}

ApparentSky ApparentSkyAt(const ModernTables& tables, double julianDayTt, const SkyOptions& options) {
    return ApparentSkyFromSeries(tables.shortened.vsop, tables.shortened.elp, tables.pluto, julianDayTt,
                                 options);
}

}  // namespace talvenor
