#include "ephemeris/uranian_points.h"

#include <erfa.h>

#include <cmath>
#include <numbers>

#include "ephemeris/angles.h"
#include "ephemeris/j2000_frame.h"
#include "ephemeris/planets.h"

namespace talvenor {

namespace {

using j2000::kDegree;
using j2000::Vector;

// The Witte-Sieggrün points as refined by James Neely, as the Swiss Ephemeris' seorbel.txt (CC0) gives them,
// epoch and equinox J1900.0.
constexpr std::array<UranianElements, kUranianPoints> kElements = {{
    {"Cupido", 163.7409, 40.99837, 0.00460, 171.4333, 129.8325, 1.0833},
    {"Hades", 27.6496, 50.66744, 0.00245, 148.1796, 161.3339, 1.0500},
    {"Zeus", 165.1232, 59.21436, 0.00120, 299.0440, 0.0, 0.0},
    {"Kronos", 169.0193, 64.81690, 0.00305, 208.8801, 0.0, 0.0},
    {"Apollon", 138.0533, 70.29949, 0.0, 0.0, 0.0, 0.0},
    {"Admetos", 351.3350, 73.62765, 0.0, 0.0, 0.0, 0.0},
    {"Vulkanus", 55.8983, 77.25568, 0.0, 0.0, 0.0, 0.0},
    {"Poseidon", 165.5163, 83.66907, 0.0, 0.0, 0.0, 0.0},
}};

// Gauss's gravitational constant, radians a day: the mean motion of a massless body at 1 au.
constexpr double kGauss = 0.01720209895;

// The position on an orbit at a Julian day, ecliptic of the elements, au.
Vector PositionOnOrbit(const UranianElements& e, double julianDay) {
    const double n = kGauss / (e.semiAxis * std::sqrt(e.semiAxis));
    const double m =
        std::remainder(e.meanAnomaly * kDegree + n * (julianDay - kUranianEpoch), 2 * std::numbers::pi);
    double anomaly = m;  // the eccentric anomaly, by Newton's method (the eccentricities are below 0.005)
    for (int i = 0; i < 8; ++i) {
        const double step =
            (anomaly - e.eccentricity * std::sin(anomaly) - m) / (1 - e.eccentricity * std::cos(anomaly));
        anomaly -= step;
        if (std::fabs(step) < 1e-15) break;
    }
    const double x = e.semiAxis * (std::cos(anomaly) - e.eccentricity);
    const double y = e.semiAxis * std::sqrt(1 - e.eccentricity * e.eccentricity) * std::sin(anomaly);
    // From the orbit's plane (x towards the perihelion) to the ecliptic.
    const double w = e.argumentOfPerihelion * kDegree, node = e.node * kDegree, i = e.inclination * kDegree;
    const double cw = std::cos(w), sw = std::sin(w), cn = std::cos(node), sn = std::sin(node);
    const double ci = std::cos(i), si = std::sin(i);
    const double xo = cw * x - sw * y, yo = sw * x + cw * y;  // in the plane, x towards the node
    return {cn * xo - sn * ci * yo, sn * xo + cn * ci * yo, si * yo};
}

// The rotation from the ICRS equator to the mean ecliptic and equinox of a Julian day of TT (IAU 2006).
struct EclipticFrame {
    double m[3][3];
    explicit EclipticFrame(double julianDay) { eraEcm06(ERFA_DJM0, julianDay - ERFA_DJM0, m); }
    Vector ToEcliptic(const Vector& v) const {
        double in[3] = {v[0], v[1], v[2]}, out[3];
        eraRxp(const_cast<double(*)[3]>(m), in, out);
        return {out[0], out[1], out[2]};
    }
    Vector ToEquator(const Vector& v) const {
        double in[3] = {v[0], v[1], v[2]}, out[3];
        eraTrxp(const_cast<double(*)[3]>(m), in, out);
        return {out[0], out[1], out[2]};
    }
};

const EclipticFrame& EclipticOf1900() {
    static const EclipticFrame frame(kUranianEpoch);
    return frame;
}

// A position on the ecliptic of J1900.0 on the mean ecliptic of date.
Vector OfDate(const Vector& v1900, double julianDay) {
    return EclipticFrame(julianDay).ToEcliptic(EclipticOf1900().ToEquator(v1900));
}

// A position on the ecliptic of J1900.0 on the ecliptic of J2000.0 the modern series are written in (the
// equator of J2000.0 turned by the obliquity of J2000.0).
Vector OfJ2000(const Vector& v1900) {
    const Vector q = EclipticOf1900().ToEquator(v1900);
    const double c = std::cos(j2000::kObliquity), s = std::sin(j2000::kObliquity);
    return {q[0], c * q[1] + s * q[2], -s * q[1] + c * q[2]};
}

double Degrees360(double radians) {
    double d = std::fmod(radians / kDegree, 360.0);
    if (d < 0) d += 360.0;
    if (d >= 360.0) d -= 360.0;
    return d;
}

}  // namespace

const UranianElements& ElementsOf(UranianPoint point) {
    return kElements[static_cast<std::size_t>(point)];
}

HeliocentricState UranianStateJ1900(UranianPoint point, double julianDay) {
    const UranianElements& e = ElementsOf(point);
    HeliocentricState state;
    state.position = PositionOnOrbit(e, julianDay);
    // The velocity from the positions half a day on each side: the orbits take centuries, so the error is
    // below a millionth of the velocity.
    const Vector ahead = PositionOnOrbit(e, julianDay + 0.5), behind = PositionOnOrbit(e, julianDay - 0.5);
    for (int k = 0; k < 3; ++k) state.velocity[k] = ahead[k] - behind[k];
    return state;
}

HeliocentricPlace UranianHeliocentricOfDate(UranianPoint point, double julianDay) {
    const Vector v = OfDate(PositionOnOrbit(ElementsOf(point), julianDay), julianDay);
    HeliocentricPlace place;
    place.radius = j2000::Length(v);
    place.longitude = Degrees360(std::atan2(v[1], v[0]));
    place.latitude = std::asin(v[2] / place.radius) / kDegree;
    return place;
}

namespace {

// The eight geometric geocentric places of the theory at an instant: longitude and latitude of the mean
// ecliptic and equinox of date, degrees.
std::array<std::array<double, 2>, kUranianPoints> TheoryGeocentric(const Instant& instant) {
    // The theory's Earth, as its outer planets are seen from (the elements of 1900, mean equinox of date).
    PlanetWork w;
    w.CenturiesT = instant.CenturiesT;
    w.BodyIndex = kBodyEarth;
    ComputeOuterBody(w);
    const double earthRadius = w.EarthRadius / kKilometresPerAU;
    const double le = w.EarthHelioLon * kDegree, be = w.EarthHelioLat * kDegree;
    const Vector earth = {earthRadius * std::cos(be) * std::cos(le),
                          earthRadius * std::cos(be) * std::sin(le), earthRadius * std::sin(be)};
    const double julianDay = kUranianEpoch + instant.CenturiesT * 36525.0;
    const EclipticFrame ofDate(julianDay);
    std::array<std::array<double, 2>, kUranianPoints> places;
    for (std::size_t i = 0; i < kUranianPoints; ++i) {
        const Vector onOrbit = PositionOnOrbit(kElements[i], julianDay);
        const Vector helio = ofDate.ToEcliptic(EclipticOf1900().ToEquator(onOrbit));
        const Vector geo = {helio[0] - earth[0], helio[1] - earth[1], helio[2] - earth[2]};
        places[i] = {Degrees360(std::atan2(geo[1], geo[0])),
                     std::asin(geo[2] / j2000::Length(geo)) / kDegree};
    }
    return places;
}

}  // namespace

UranianPlaces TheoryUranianPlaces(const Instant& instant) {
    const auto now = TheoryGeocentric(instant);
    // The daily motion as the theory finds its planets' (the place a day later less the place now).
    const auto next = TheoryGeocentric(OneDayLater(instant));
    const ObliquityTerms eps = ObliquityTermsOf(ObliquityRadAt(instant.CenturiesT));
    UranianPlaces places;
    for (std::size_t i = 0; i < kUranianPoints; ++i) {
        UranianPlace& p = places[i];
        p.longitude = now[i][0];
        p.latitude = now[i][1];
        p.declination = Declination(p.longitude, p.latitude, eps);
        p.longitudeSpeed = std::remainder(next[i][0] - now[i][0], 360.0);
    }
    return places;
}

UranianPlaces ModernUranianPlaces(const ModernTables& tables, double julianDayTt, NutationSeries nutation) {
    std::array<HeliocentricState, kUranianPoints> states;
    for (std::size_t i = 0; i < kUranianPoints; ++i) {
        const HeliocentricState s = UranianStateJ1900(static_cast<UranianPoint>(i), julianDayTt);
        states[i].position = OfJ2000(s.position);
        states[i].velocity = OfJ2000(s.velocity);
    }
    std::array<StatePlace, kUranianPoints> apparent;
    ApparentPlacesOfStates(tables, julianDayTt, nutation, states, apparent);
    UranianPlaces places;
    for (std::size_t i = 0; i < kUranianPoints; ++i) {
        places[i] = {apparent[i].place.longitude, apparent[i].place.latitude, apparent[i].place.declination,
                     apparent[i].longitudeSpeed};
    }
    return places;
}

}  // namespace talvenor
