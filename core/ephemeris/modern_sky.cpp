#include "ephemeris/modern_sky.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ephemeris/j2000_frame.h"
#include "ephemeris/solar_deflection.h"

namespace talvenor {

namespace {

using namespace j2000;

Vector Rectangular(double longitude, double latitude, double radius) {
    return {radius * std::cos(latitude) * std::cos(longitude),
            radius * std::cos(latitude) * std::sin(longitude), radius * std::sin(latitude)};
}

Vector Heliocentric(const ModernTables& t, Vsop87Body body, double julianDay) {
    const HeliocentricPosition p = Vsop87Position(t.vsop[body], julianDay);
    return Rectangular(p.longitude, p.latitude, p.radius);
}

Vector Minus(const Vector& a, const Vector& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

std::optional<Vsop87Body> PlanetOf(ModernBody body) {
    switch (body) {
        case ModernBody::Mercury:
            return Vsop87Body::Mercury;
        case ModernBody::Venus:
            return Vsop87Body::Venus;
        case ModernBody::Mars:
            return Vsop87Body::Mars;
        case ModernBody::Jupiter:
            return Vsop87Body::Jupiter;
        case ModernBody::Saturn:
            return Vsop87Body::Saturn;
        case ModernBody::Uranus:
            return Vsop87Body::Uranus;
        case ModernBody::Neptune:
            return Vsop87Body::Neptune;
        case ModernBody::Sun:
        case ModernBody::Moon:
        case ModernBody::Pluto:
            break;
    }
    return std::nullopt;
}

// Light takes at most a third of a day from Pluto; the table must hold the day before the instant too.
constexpr double kPlutoLightDays = 1.0;

// Pluto's heliocentric place on the equator of J2000.0; the caller has made sure the table covers it.
Vector PlutoEquatorialJ2000(const ModernTables& t, double julianDay) {
    const std::optional<PlutoRectangular> p = PlutoHeliocentricJ2000(t.pluto, julianDay);
    return EquatorialJ2000(p ? Vector{p->x, p->y, p->z} : Vector{NAN, NAN, NAN});
}

}  // namespace

bool ModernBodyCovered(const ModernTables& tables, ModernBody body, double julianDayTt) {
    if (body != ModernBody::Pluto) return true;
    return PlutoHeliocentricJ2000(tables.pluto, julianDayTt - kPlutoLightDays).has_value() &&
           PlutoHeliocentricJ2000(tables.pluto, julianDayTt).has_value();
}

ModernTablesRead LoadModernTables(const std::filesystem::path& folder) {
    auto tables = std::make_shared<ModernTables>();
    Vsop87Read vsop = LoadVsop87(folder / "vsop87b.txt");
    if (vsop.fault) return {nullptr, vsop.fault};
    ElpRead elp = LoadElpMpp02(folder / "elpmpp02.txt");
    if (elp.fault) return {nullptr, elp.fault};
    DeltaTRead deltaT = LoadDeltaT(folder / "deltat.txt");
    if (deltaT.fault) return {nullptr, deltaT.fault};
    PlutoRead pluto = LoadPlutoTable(folder / "pluto.txt");
    if (pluto.fault) return {nullptr, pluto.fault};
    tables->vsop = std::move(*vsop.tables);
    tables->elp = std::move(*elp.tables);
    tables->deltaT = std::move(*deltaT.tables);
    tables->pluto = std::move(*pluto.table);
    tables->shortened = ShortenModernSeries(tables->vsop, tables->elp);
    return {std::move(tables), std::nullopt};
}

double TerrestrialTime(const ModernTables& tables, double julianDayUt) {
    return julianDayUt + DeltaTSeconds(tables.deltaT, julianDayUt) / ERFA_DAYSEC;
}

ApparentPlace ApparentPlaceAt(const ModernTables& t, ModernBody body, double julianDayTt) {
    if (!ModernBodyCovered(t, body, julianDayTt)) return {NAN, NAN, NAN, NAN};
    // The series count time in TDB, which keeps within two milliseconds of TT.
    const Vector earth = EquatorialJ2000(Heliocentric(t, Vsop87Body::Earth, julianDayTt));
    Vector direction;  // from the observer, before the precession and nutation
    double distance = 0;
    if (body == ModernBody::Moon) {
        // The Moon moves with the Earth: its geocentric place at the time the light left it is the
        // apparent one (the annual aberration and the Earth's motion during the light time cancel).
        MoonRectangular m = ElpMpp02J2000(t.elp, julianDayTt);
        for (int i = 0; i < 2; ++i) {
            const double tau =
                std::sqrt(m.x * m.x + m.y * m.y + m.z * m.z) / kKilometresPerAu * kLightDaysPerAu;
            m = ElpMpp02J2000(t.elp, julianDayTt - tau);
        }
        direction = EquatorialJ2000({m.x, m.y, m.z});
        distance = Length(direction) / kKilometresPerAu;
    } else {
        Vector geocentric = Minus(Vector{0, 0, 0}, earth);
        const std::optional<Vsop87Body> planet = PlanetOf(body);
        if (planet || body == ModernBody::Pluto) {
            double tau = 0;
            for (int i = 0; i < 3; ++i) {
                const double emitted = julianDayTt - tau;
                const Vector helio = planet ? EquatorialJ2000(Heliocentric(t, *planet, emitted))
                                            : PlutoEquatorialJ2000(t, emitted);
                geocentric = Minus(helio, earth);
                tau = Length(geocentric) * kLightDaysPerAu;
            }
        }
        distance = Length(geocentric);
        double p[3] = {geocentric[0] / distance, geocentric[1] / distance, geocentric[2] / distance};
        const double sunDistance = Length(earth);
        double e[3] = {earth[0] / sunDistance, earth[1] / sunDistance, earth[2] / sunDistance};
        double deflected[3] = {p[0], p[1], p[2]};
        // The light bent by the Sun as it comes from the body at its distance (its heliocentric direction
        // when the light left it), not as a star's.
        if (body != ModernBody::Sun) {
            const Vector helio = {geocentric[0] + earth[0], geocentric[1] + earth[1],
                                  geocentric[2] + earth[2]};
            const double r = Length(helio);
            double q[3] = {helio[0] / r, helio[1] / r, helio[2] / r};
            BendLightPastSun(p, q, e, sunDistance, deflected);
        }
        // The Earth's velocity from the series, in units of the speed of light.
        constexpr double h = 0.005;
        const Vector ahead = EquatorialJ2000(Heliocentric(t, Vsop87Body::Earth, julianDayTt + h));
        const Vector behind = EquatorialJ2000(Heliocentric(t, Vsop87Body::Earth, julianDayTt - h));
        double v[3];
        for (int k = 0; k < 3; ++k) v[k] = (ahead[k] - behind[k]) / (2 * h) * kLightDaysPerAu;
        const double bm1 = std::sqrt(1 - (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
        double aberrated[3];
        eraAb(deflected, v, sunDistance, bm1, aberrated);
        direction = {aberrated[0], aberrated[1], aberrated[2]};
    }

    // To the true equator and equinox of date.
    double rnpb[3][3];
    eraPnm06a(ERFA_DJM0, julianDayTt - ERFA_DJM0, rnpb);
    double x[3];
    double d[3] = {direction[0], direction[1], direction[2]};
    eraRxp(rnpb, d, x);
    double dpsi = 0, deps = 0;
    eraNut06a(ERFA_DJM0, julianDayTt - ERFA_DJM0, &dpsi, &deps);
    const double eps = eraObl06(ERFA_DJM0, julianDayTt - ERFA_DJM0) + deps;
    return PlaceOfDate(x, std::cos(eps), std::sin(eps), distance);
}

ApparentPlace PlaceOfDate(const double x[3], double cosEps, double sinEps, double distance) {
    const double r = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    ApparentPlace place;
    place.declination = std::asin(x[2] / r) / kDegree;
    const double ye = cosEps * x[1] + sinEps * x[2];
    const double ze = -sinEps * x[1] + cosEps * x[2];
    double longitude = std::atan2(ye, x[0]) / kDegree;
    if (longitude < 0) longitude += 360;
    if (longitude >= 360) longitude -= 360;
    place.longitude = longitude;
    place.latitude = std::asin(ze / r) / kDegree;
    place.distance = distance;
    return place;
}

}  // namespace talvenor
