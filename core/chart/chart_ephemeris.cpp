#include "chart/chart_ephemeris.h"

#include <cmath>

#include "chart/point_catalogue.h"
#include "ephemeris/angles.h"
#include "ephemeris/moon.h"
#include "ephemeris/planets.h"

namespace talvenor {

namespace {

constexpr double kOneDayInCenturies = 1.0 / 36525.0;

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

double PartOfFortune(double moon, double ascendant, double sun) {
    return Norm360(moon + ascendant - sun);
}

double SouthNode(double northNode) {
    return Norm360(northNode + 180.0);
}

bool IsRetrograde(double today, double tomorrow) {
    double a = today, b = tomorrow;
    // Across the 0/360 boundary, carry the smaller value a full turn so the two compare as neighbours.
    if (std::fabs(a - b) >= 180.0) {
        if (a <= b) {
            a += 360.0;
        } else {
            b += 360.0;
        }
    }
    return a > b;
}

EngineResult ComputeEphemeris(ChartState& st) {
    const std::string routine = "the planetary positions";
    FaultWatch watch;

    // The ecliptic-to-equator rotation takes the obliquity itself; the time routine left it negated.
    const double eps = -st.ObliquityRad;
    st.RetroFlags.assign(kPointCount, ' ');

    const double t1900 = st.CenturiesT;
    const double tJ2000 = (st.JulianDayNumber - 2451545.0 + st.DayFraction - 0.5) / 36525.0;
    const double t1900NextDay = t1900 + kOneDayInCenturies;
    const double tJ2000NextDay = tJ2000 + kOneDayInCenturies;

    // Sun.
    st.PointLon[kSun] = Norm360(ComputeSun(t1900));
    st.PointEclLat[kSun] = 0;

    // Moon and nodes.
    const MoonPosition moon = ComputeMoon(t1900);
    st.PointLon[kMoon] = Norm360(moon.Longitude);
    st.MeanNode = Norm360(moon.MeanNode);
    st.TrueNodeWork = Norm360(moon.TrueNode);
    if (st.TrueNode == kTrueNodeUnset) st.TrueNode = st.TrueNodeWork;
    st.PointEclLat[kMoon] = moon.Latitude;
    st.PointDecl[kMoon] = Declination(st.PointLon[kMoon], st.PointEclLat[kMoon], eps);

    st.PointLon[kNorthNode] = st.MeanNode;
    st.PointLon[kSouthNode] = SouthNode(st.MeanNode);
    st.PointLon[kPartOfFortune] = PartOfFortune(st.PointLon[kMoon], st.Ascendant, st.PointLon[kSun]);
    st.PointLon[kAscendant] = st.Ascendant;
    st.PointLon[kMidheaven] = st.Midheaven;

    PlanetWork w;

    // Mercury, Venus and Mars from the J2000 elements; the Earth first each time.
    w.CenturiesT = tJ2000;
    for (int body = 1; body <= 4; ++body) {
        w.BodyIndex = body;
        ComputeInnerBody(w);
        if (body != kBodyEarth) {
            st.PointLon[body] = Norm360(w.BodyGeoLon);
            st.PointEclLat[body] = w.BodyGeoLat;
        }
        st.PointDecl[body] = Declination(st.PointLon[body], st.PointEclLat[body], eps);
    }

    // One day later, for the retrograde test and the Moon's next-day declination.
    st.PointLonNextDay[kSun] = Norm360(ComputeSun(t1900NextDay));
    const MoonPosition moonNext = ComputeMoon(t1900NextDay);
    st.PointLonNextDay[kMoon] = Norm360(moonNext.Longitude);
    st.MoonDeclNextDay = Declination(st.PointLonNextDay[kMoon], moonNext.Latitude, eps);
    w.CenturiesT = tJ2000NextDay;
    for (int body = 1; body <= 4; ++body) {
        w.BodyIndex = body;
        ComputeInnerBody(w);
        if (body != kBodyEarth) st.PointLonNextDay[body] = Norm360(w.BodyGeoLon);
    }

    // Jupiter to Pluto from the 1900 elements, with the Earth of the same theory.
    const double t1900Again = (st.JulianDayNumber - 2415020.0 + st.DayFraction - 0.5) / 36525.0;
    w.CenturiesT = t1900Again;
    for (int body : {1, 5, 6, 7, 8, 9}) {
        w.BodyIndex = body;
        ComputeOuterBody(w);
        if (body == kBodyEarth) continue;
        st.PointLon[body] = CorrectedOuterLongitude(w, st.JulianDayNumber);
        st.PointEclLat[body] = w.BodyGeoLat;
        st.PointDecl[body] = Declination(st.PointLon[body], st.PointEclLat[body], eps);
    }
    w.CenturiesT = t1900NextDay;
    for (int body : {1, 5, 6, 7, 8, 9}) {
        w.BodyIndex = body;
        ComputeOuterBody(w);
        if (body == kBodyEarth) continue;
        st.PointLonNextDay[body] = CorrectedOuterLongitude(w, st.JulianDayNumber);
    }
    st.CenturiesT = t1900NextDay;

    // Only the planets can be retrograde here.
    for (int p = kMercury; p <= kPluto; ++p) {
        if (IsRetrograde(st.PointLon[p], st.PointLonNextDay[p])) st.RetroFlags[p - 1] = 'R';
    }

    if (w.fault) return ArithmeticFault{routine, "no convergence of " + *w.fault};
    return watch.Check(routine);
}

}  // namespace talvenor
