#include "ephemeris/chart_angles.h"

#include <cmath>
#include <initializer_list>

#include "ephemeris/angles.h"

namespace talvenor {

Place PlaceAt(double longitudeWest, double latitude) {
    return {longitudeWest, latitude, latitude < 0};
}

namespace {

// arctan(n/d) brought into [0, 2 pi): rule A turns a half-turn further when n < 0, rule B when n > 0.
enum class Quadrant { A, B };
double AuxiliaryAngle(double n, double d, Quadrant rule) {
    double theta = std::atan(n / d);
    if (theta < 0) theta += EnginePi;
    if (rule == Quadrant::A ? n < 0 : n > 0) theta += EnginePi;
    return RadToDeg(theta);
}

}  // namespace

ChartAngles ComputeAngles(double ramcRad, double obliquityRad, const Place& place) {
    ChartAngles out;
    const double eps = obliquityRad;
    const double phi = DegToRad(place.Latitude);
    EngineScratch s;

    // Midheaven: the meridian's right ascension projected on the ecliptic.
    s.Radius = 1;
    s.Angle = ramcRad;
    PolarToRect(s);
    s.X = s.X * std::cos(eps);
    RectToPolar(s);
    out.Midheaven = RadToDeg(s.Angle);

    // Ascendant: the ecliptic longitude of the zenith, rotated a quarter turn.
    s.Radius = 1;
    s.Angle = phi;
    PolarToRect(s);
    const double sinPhi = s.Y;
    s.Radius = s.X;
    s.Angle = ramcRad;
    PolarToRect(s);
    const double x0 = s.X;
    s.X = s.Y;
    s.Y = sinPhi;
    RectToPolar(s);
    s.Angle = s.Angle - eps;
    PolarToRect(s);
    s.Y = s.X;
    s.X = x0;
    RectToPolar(s);
    if (s.Angle < 0) s.Angle += 2.0 * EnginePi;
    out.Ascendant = Norm360BranchFree(RadToDeg(s.Angle) + 90.0);

    // Auxiliary angles. The hemisphere comes from the place's north/south choice, and an exact equator
    // is nudged off zero so that the tangent divisions stay finite.
    double phi2 = std::fabs(place.Latitude);
    if (place.South) phi2 = -phi2;
    double phiP = -DegToRad(phi2);
    if (phiP == 0) phiP = 0.00001;
    out.AuxLatitudeRad = phiP;
    const double epsP = -eps;
    const double r = ramcRad;
    const double cosR1 = std::cos(r + EnginePi), sinR1 = std::sin(r + EnginePi);
    const double cosE = std::cos(epsP), sinE = std::sin(epsP), tanPhi = std::tan(phiP);

    out.Vertex = AuxiliaryAngle(cosR1, -sinR1 * cosE - sinE / tanPhi, Quadrant::A);
    out.EquatorialAscendant = AuxiliaryAngle(std::cos(r), -std::sin(r) * cosE, Quadrant::A);
    out.CoAscendant = AuxiliaryAngle(cosR1, sinE / tanPhi - sinR1 * cosE, Quadrant::B);
    out.PolarAscendant = AuxiliaryAngle(cosR1, -sinR1 * cosE - tanPhi * sinE, Quadrant::A);
    return out;
}

LocalAngles AnglesAt(const Instant& instant, const Place& place) {
    for (double v : {instant.DayFraction, instant.CenturiesT, place.LongitudeWest, place.Latitude}) {
        if (FiniteStatus(v) != EngineStatus::Sound) {
            LocalAngles out;
            out.Status = FiniteStatus(v);
            return out;
        }
    }
    double ramcRad = 0;
    {
        FaultWatch watch;
        const double t = instant.CenturiesT;
        // Greenwich sidereal time, then the meridian of the place (west longitudes are positive).
        const double g = (23925.836 + 8640184.54 * t + 0.0929 * t * t) / 3600.0;
        const double d = (24.0 * instant.DayFraction + g) / 24.0;
        const double theta = (d - std::floor(d)) * 24.0 * 15.0;
        ramcRad = DegToRad(Norm360BranchFree(theta - place.LongitudeWest));
        if (watch.Status() != EngineStatus::Sound) {
            LocalAngles out;
            out.Status = watch.Status();
            return out;
        }
    }
    return AnglesForMeridian(ramcRad, instant, place);
}

namespace {

// The angles and the sidereal time once the meridian and the obliquity are in `out`, under the caller's
// watch.
void CompleteAngles(LocalAngles& out, const Place& place, const FaultWatch& watch) {
    out.ObliquityDeg = RadToDeg(out.ObliquityRad);
    out.Angles = ComputeAngles(out.RamcRad, out.ObliquityRad, place);
    out.Status = watch.Status();
    if (out.Status != EngineStatus::Sound) return;

    // Local sidereal time for display; south of the equator it is shown twelve hours on.
    double s = RadToDeg(out.RamcRad);
    if (DegToRad(place.Latitude) < 0) s = Norm360BranchFree(s + 180.0);
    const double h = s / 15.0;
    const double m = (h - std::floor(h)) * 60.0;
    out.SiderealHours = static_cast<int>(std::floor(h));
    out.SiderealMinutes = static_cast<int>(std::floor(m));
    out.SiderealSeconds = static_cast<int>(std::floor((m - std::floor(m)) * 60.0));
    out.Status = watch.Status();
}

}  // namespace

LocalAngles AnglesForMeridian(double ramcRad, const Instant& instant, const Place& place) {
    LocalAngles out;
    for (double v : {ramcRad, instant.CenturiesT, place.Latitude}) {
        out.Status = WorseStatus(out.Status, FiniteStatus(v));
    }
    if (out.Status != EngineStatus::Sound) return out;

    FaultWatch watch;
    out.RamcRad = ramcRad;
    out.ObliquityRad = ObliquityRadAt(instant.CenturiesT);
    CompleteAngles(out, place, watch);
    return out;
}

LocalAngles AnglesForMeridianAndObliquity(double ramcRad, double obliquityRad, const Place& place) {
    LocalAngles out;
    for (double v : {ramcRad, obliquityRad, place.Latitude}) {
        out.Status = WorseStatus(out.Status, FiniteStatus(v));
    }
    if (out.Status != EngineStatus::Sound) return out;

    FaultWatch watch;
    out.RamcRad = ramcRad;
    out.ObliquityRad = obliquityRad;
    CompleteAngles(out, place, watch);
    return out;
}

}  // namespace talvenor
