#include "ephemeris/modern_chart.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>

#include "ephemeris/angles.h"
#include "ephemeris/elp_mpp02.h"

namespace talvenor {

namespace {

constexpr double kArcSecond = std::numbers::pi / 180.0 / 3600.0;
constexpr double kTwoPi = 2 * std::numbers::pi;

double Polynomial(std::initializer_list<double> coefficients, double t) {
    double sum = 0;
    for (auto c = std::rbegin(coefficients); c != std::rend(coefficients); ++c) sum = sum * t + *c;
    return sum;
}

double Centuries(double julianDayTt) {
    return (julianDayTt - ERFA_DJ00) / ERFA_DJC;
}

// Laskar's general precession in longitude as ELP/MPP02 gives it with its DE405 fit: the arc from the
// departure point of J2000 on the mean ecliptic of date to the mean equinox of date, radians.
double PrecessionInLongitude(double t) {
    return Polynomial({0, 5029.0966 - 0.29965, 1.1120, 0.000077, -0.00002353}, t) * kArcSecond;
}

// The nutation in longitude and in obliquity (IAU 2000A, adjusted to IAU 2006), radians.
std::pair<double, double> Nutation(double julianDayTt) {
    double dpsi = 0, deps = 0;
    eraNut06a(ERFA_DJM0, julianDayTt - ERFA_DJM0, &dpsi, &deps);
    return {dpsi, deps};
}

double Degrees360(double radians) {
    double d = std::fmod(radians, kTwoPi);
    if (d < 0) d += kTwoPi;
    d = d * 180.0 / std::numbers::pi;
    return d >= 360.0 ? d - 360.0 : d;
}

// The Moon's geocentric position in km on the mean ecliptic and equinox of date.
std::array<double, 3> MoonOfDate(const ElpTables& elp, double julianDayTt) {
    const MoonSeriesPosition m = ElpMpp02Position(elp, julianDayTt);
    const double lon = m.longitude + PrecessionInLongitude(Centuries(julianDayTt));
    return {m.distance * std::cos(m.latitude) * std::cos(lon),
            m.distance * std::cos(m.latitude) * std::sin(lon), m.distance * std::sin(m.latitude)};
}

ModernBody ModernBodyOf(int point) {
    switch (point) {
        case kSun:
            return ModernBody::Sun;
        case kMercury:
            return ModernBody::Mercury;
        case kVenus:
            return ModernBody::Venus;
        case kMars:
            return ModernBody::Mars;
        case kJupiter:
            return ModernBody::Jupiter;
        case kSaturn:
            return ModernBody::Saturn;
        case kUranus:
            return ModernBody::Uranus;
        case kNeptune:
            return ModernBody::Neptune;
        case kPluto:
            return ModernBody::Pluto;
        default:
            return ModernBody::Moon;
    }
}

bool Served(const Instant& instant) {
    const double ut = JulianDayUt(instant);
    return ut >= kModernFirstJulianDay && ut <= kModernLastJulianDay;
}

// The status of an instant the modern engine is asked for: not finite, or outside the years it serves.
EngineStatus InstantStatus(const Instant& instant) {
    EngineStatus status = EngineStatus::Sound;
    for (double v : {instant.JulianDayNumber, instant.DayFraction})
        status = WorseStatus(status, FiniteStatus(v));
    if (status == EngineStatus::Sound && !Served(instant)) status = EngineStatus::OutOfRange;
    return status;
}

}  // namespace

double JulianDayUt(const Instant& instant) {
    return instant.JulianDayNumber - 0.5 + instant.DayFraction;
}

double ModernMeanNode(const ModernTables& tables, double julianDayTt) {
    (void)tables;
    const double t = Centuries(julianDayTt);
    // W3 of ELP/MPP02 with the corrections of its fit to DE405, arc seconds.
    const double w3 = Polynomial({(125.0 * 60.0 + 2.0) * 60.0 + 40.39816 - 0.07215, -6967919.5383 - 0.04317,
                                  6.3590 - 0.00261070, 0.007625 - 0.00010712, -0.00003586},
                                 t) *
                      kArcSecond;
    return Degrees360(w3 + PrecessionInLongitude(t) + Nutation(julianDayTt).first);
}

double ModernTrueNode(const ModernTables& tables, double julianDayTt) {
    // The velocity by central differences over a quarter hour: the Moon's orbit bends by 0.03 degrees
    // in that time, which leaves the plane of position and velocity as it is to far below a milliarcsecond.
    constexpr double h = 1.0 / 96.0;
    const auto r = MoonOfDate(tables.elp, julianDayTt);
    const auto ahead = MoonOfDate(tables.elp, julianDayTt + h);
    const auto behind = MoonOfDate(tables.elp, julianDayTt - h);
    std::array<double, 3> v{};
    for (std::size_t k = 0; k < 3; ++k) v[k] = (ahead[k] - behind[k]) / (2 * h);
    // The orbit's pole r x v; the ascending node lies along z x (r x v).
    const double hx = r[1] * v[2] - r[2] * v[1];
    const double hy = r[2] * v[0] - r[0] * v[2];
    return Degrees360(std::atan2(hx, -hy) + Nutation(julianDayTt).first);
}

double ModernTrueObliquity(double julianDayTt) {
    return eraObl06(ERFA_DJM0, julianDayTt - ERFA_DJM0) + Nutation(julianDayTt).second;
}

Sky ModernSkyAt(const ModernTables& tables, const Instant& instant) {
    Sky sky;
    sky.Status = InstantStatus(instant);
    if (sky.Status != EngineStatus::Sound) return sky;

    FaultWatch watch;
    const double tt = TerrestrialTime(tables, JulianDayUt(instant));
    for (int p = kSun; p <= kMoon; ++p) {
        const ApparentPlace place = ApparentPlaceAt(tables, ModernBodyOf(p), tt);
        const auto i = static_cast<std::size_t>(p);
        sky.Longitude[i] = place.longitude;
        sky.Latitude[i] = place.latitude;
        sky.Declination[i] = place.declination;
    }
    sky.MeanNode = ModernMeanNode(tables, tt);
    sky.TrueNode = ModernTrueNode(tables, tt);
    sky.ObliquityRad = ModernTrueObliquity(tt);
    sky.Status = watch.Status();
    // A place the tables do not give comes back as not a number.
    for (int p = kSun; p <= kMoon; ++p) {
        sky.Status = WorseStatus(sky.Status, FiniteStatus(sky.Longitude[static_cast<std::size_t>(p)]));
    }
    return sky;
}

LocalAngles ModernAnglesForMeridian(const ModernTables& tables, double ramcRad, const Instant& instant,
                                    const Place& place) {
    LocalAngles out;
    out.Status = InstantStatus(instant);
    if (out.Status != EngineStatus::Sound) return out;
    double obliquity = 0;
    {
        FaultWatch watch;
        obliquity = ModernTrueObliquity(TerrestrialTime(tables, JulianDayUt(instant)));
        if ((out.Status = watch.Status()) != EngineStatus::Sound) return out;
    }
    return AnglesForMeridianAndObliquity(ramcRad, obliquity, place);
}

LocalAngles ModernAnglesAt(const ModernTables& tables, const Instant& instant, const Place& place) {
    LocalAngles out;
    out.Status = InstantStatus(instant);
    for (double v : {place.LongitudeWest, place.Latitude})
        out.Status = WorseStatus(out.Status, FiniteStatus(v));
    if (out.Status != EngineStatus::Sound) return out;
    double ramcRad = 0, obliquity = 0;
    {
        FaultWatch watch;
        // The day number and the fraction are handed over apart, which keeps the fraction's digits.
        const double ut1 = instant.JulianDayNumber - 0.5;
        const double ut2 = instant.DayFraction;
        const double tt2 = TerrestrialTime(tables, ut1 + ut2) - ut1;
        const double gast = eraGst06a(ut1, ut2, ut1, tt2);
        ramcRad = std::fmod(gast - place.LongitudeWest * std::numbers::pi / 180.0, kTwoPi);
        if (ramcRad < 0) ramcRad += kTwoPi;
        obliquity = ModernTrueObliquity(ut1 + tt2);
        if ((out.Status = watch.Status()) != EngineStatus::Sound) return out;
    }
    return AnglesForMeridianAndObliquity(ramcRad, obliquity, place);
}

}  // namespace talvenor
