#include "ephemeris/modern_chart.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <utility>

#include "ephemeris/angles.h"
#include "ephemeris/apparent_sky.h"
#include "ephemeris/elp_mpp02.h"

namespace talvenor {

namespace {

constexpr double kArcSecond = std::numbers::pi / 180.0 / 3600.0;
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kDegree = std::numbers::pi / 180.0;

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

double Degrees360(double radians) {
    double d = std::fmod(radians, kTwoPi);
    if (d < 0) d += kTwoPi;
    d = d / kDegree;
    return d >= 360.0 ? d - 360.0 : d;
}

// The mean longitude of the Moon's ascending node on the mean equinox of date, radians: W3 of ELP/MPP02
// with the corrections of its fit to DE405, and the precession from the departure point.
double MeanNodeOfDate(double t) {
    const double w3 = Polynomial({(125.0 * 60.0 + 2.0) * 60.0 + 40.39816 - 0.07215, -6967919.5383 - 0.04317,
                                  6.3590 - 0.00261070, 0.007625 - 0.00010712, -0.00003586},
                                 t) *
                      kArcSecond;
    return w3 + PrecessionInLongitude(t);
}

// The ascending node of the osculating orbit of the Moon's geometric place and motion as the lunar series
// give them, on the mean ecliptic and equinox of date, radians.
double TrueNodeOfDate(const MoonSeriesMotion& m, double t) {
    const double l = m.longitude + PrecessionInLongitude(t), b = m.latitude, r = m.distance;
    const double cl = std::cos(l), sl = std::sin(l), cb = std::cos(b), sb = std::sin(b);
    const std::array<double, 3> x = {r * cb * cl, r * cb * sl, r * sb};
    // The precession's own rate turns the frame by 1.4e-7 radians a day against the Moon's 0.23: left out.
    const double lr = m.longitudeRate, br = m.latitudeRate, rr = m.distanceRate;
    const std::array<double, 3> v = {rr * cb * cl - r * sb * br * cl - r * cb * sl * lr,
                                     rr * cb * sl - r * sb * br * sl + r * cb * cl * lr,
                                     rr * sb + r * cb * br};
    // The orbit's pole x * v; the ascending node lies along z * (x * v).
    const double hx = x[1] * v[2] - x[2] * v[1];
    const double hy = x[2] * v[0] - x[0] * v[2];
    return std::atan2(hx, -hy);
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
    return Degrees360(MeanNodeOfDate(Centuries(julianDayTt)) +
                      FrameOfDateAt(julianDayTt, kChartNutation).nutationInLongitude);
}

double ModernTrueNode(const ModernTables& tables, double julianDayTt) {
    return Degrees360(TrueNodeOfDate(ElpMpp02Motion(tables.elp, julianDayTt), Centuries(julianDayTt)) +
                      FrameOfDateAt(julianDayTt, kChartNutation).nutationInLongitude);
}

double ModernTrueObliquity(double julianDayTt) {
    return FrameOfDateAt(julianDayTt, kChartNutation).trueObliquity;
}

UranianPlaces ModernUranianAt(const ModernTables& tables, const Instant& instant) {
    return ModernUranianPlaces(tables, TerrestrialTime(tables, JulianDayUt(instant)), kChartNutation);
}

Sky ModernSkyAt(const ModernTables& tables, const Instant& instant) {
    Sky sky;
    sky.Status = InstantStatus(instant);
    if (sky.Status != EngineStatus::Sound) return sky;

    FaultWatch watch;
    const double tt = TerrestrialTime(tables, JulianDayUt(instant));
    const ApparentSky a = ApparentSkyAt(tables, tt, {kAllSkyBodies, SunDeflection::Applied, kChartNutation});
    for (int p = kSun; p <= kMoon; ++p) {
        const ModernBody body = ModernBodyOf(p);
        const auto i = static_cast<std::size_t>(p);
        sky.Longitude[i] = a[body].longitude;
        sky.Latitude[i] = a[body].latitude;
        sky.Declination[i] = a[body].declination;
        sky.DailyMotion[i] = a.SpeedOf(body);
    }
    const double t = Centuries(tt);
    const double nutation = a.nutationInLongitude * kDegree;
    sky.MeanNode = Degrees360(MeanNodeOfDate(t) + nutation);
    sky.TrueNode = Degrees360(TrueNodeOfDate(a.moon, t) + nutation);
    sky.ObliquityRad = a.trueObliquity * kDegree;
    sky.HasDailyMotion = true;
    sky.Status = watch.Status();
    // A place the tables do not give comes back as not a number.
    for (int p = kSun; p <= kMoon; ++p) {
        sky.Status = WorseStatus(sky.Status, FiniteStatus(sky.Longitude[static_cast<std::size_t>(p)]));
    }
    return sky;
}

Sky ModernSearchSkyAt(const ModernTables& tables, ApparentSkyCache& cache, const Instant& instant,
                      unsigned points) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    Sky sky;
    sky.Status = InstantStatus(instant);
    if (sky.Status != EngineStatus::Sound) return sky;

    FaultWatch watch;
    const double tt = TerrestrialTime(tables, JulianDayUt(instant));
    const auto asked = [points](int p) { return (points >> p & 1u) != 0; };
    for (int p = kSun; p <= kMoon; ++p) {
        const ModernBody body = ModernBodyOf(p);
        const auto i = static_cast<std::size_t>(p);
        if (!asked(p)) {
            sky.Longitude[i] = sky.Latitude[i] = sky.Declination[i] = sky.DailyMotion[i] = nan;
            continue;
        }
        const ApparentPlace place = cache.PlaceAt(body, tt);
        sky.Longitude[i] = place.longitude;
        sky.Latitude[i] = place.latitude;
        sky.Declination[i] = place.declination;
        sky.DailyMotion[i] = cache.SpeedAt(body, tt);
    }
    sky.MeanNode = sky.TrueNode = nan;
    if (asked(kNorthNode)) {
        const FrameOfDate frame = FrameOfDateAt(tt, kChartNutation);
        sky.MeanNode = Degrees360(MeanNodeOfDate(Centuries(tt)) + frame.nutationInLongitude);
        sky.ObliquityRad = frame.trueObliquity;
    } else {
        sky.ObliquityRad = nan;
    }
    sky.HasDailyMotion = true;
    sky.Status = watch.Status();
    for (int p = kSun; p <= kMoon; ++p) {
        if (asked(p))
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
        // The Greenwich apparent sidereal time from the Earth rotation angle and the frame of date.
        FrameOfDate frame = FrameOfDateAt(ut1 + tt2, kChartNutation);
        const double gast = eraGst06(ut1, ut2, ut1, tt2, frame.rnpb);
        ramcRad = std::fmod(gast - place.LongitudeWest * kDegree, kTwoPi);
        if (ramcRad < 0) ramcRad += kTwoPi;
        obliquity = frame.trueObliquity;
        if ((out.Status = watch.Status()) != EngineStatus::Sound) return out;
    }
    return AnglesForMeridianAndObliquity(ramcRad, obliquity, place);
}

}  // namespace talvenor
