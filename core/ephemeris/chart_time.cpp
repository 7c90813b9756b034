#include "ephemeris/chart_time.h"

#include <cmath>

#include "ephemeris/angles.h"
#include "ephemeris/calendar.h"

namespace talvenor {

double JulianDayNumberOf(int year, int month, int day) {
    double j = JulianCalendarDayNumber(year, month, day);
    if (j > kLastJulianCalendarDay) {
        // Months counted from March of the year -4800, as the Julian count does.
        const double a = (static_cast<double>(year) + 4800.0) * 12.0 + month - 3.0;
        j = j + std::floor(a / 4800.0) - std::floor(a / 1200.0) + 38.0;
    }
    return j;
}

double DayFractionOf(double packedClock, std::string_view amPm, double zone) {
    double t = packedClock;
    // 12.xx on a 12-hour clock is the first hour of its half-day.
    if (std::floor(t) == 12.0) t -= 12.0;
    double fraction = (PackedToDecimal(t) + zone) / 24.0;
    if (amPm == "P.M.") fraction += 0.5;
    return fraction;
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

ChartAngles ComputeAngles(double ramcRad, double obliquityRad, double packedLatitude,
                          std::string_view northSouth) {
    ChartAngles out;
    const double eps = obliquityRad;
    const double phi = DegToRad(SignedPackedToDecimal(packedLatitude));
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

    // Auxiliary angles. The hemisphere comes from the text, and an exact equator is nudged off zero
    // so that the tangent divisions stay finite.
    const double absLat = std::fabs(packedLatitude);
    double phi2 = (absLat - std::floor(absLat)) * 100.0 / 60.0 + std::floor(absLat);
    if (northSouth == "SOUTH") phi2 = -phi2;
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

EngineResult ComputeChartTime(ChartState& st) {
    const bool natal = st.ChartSelector == kSelectNatal;
    const int day = natal ? st.NatalDay : st.DiurnalDay;
    const int month = natal ? st.NatalMonth : st.DiurnalMonth;
    const int year = natal ? st.NatalYear : st.DiurnalYear;
    const double clock = natal ? st.NatalTime : st.DiurnalTime;
    const std::string amPm = natal ? st.NatalAmPm : st.DiurnalAmPm;
    const double zone = natal ? st.NatalTZ : st.DiurnalTZ;
    const double longitude = natal ? st.NatalLongitude : st.DiurnalLongitude;
    const double latitude = natal ? st.NatalLatitude : st.DiurnalLatitude;
    const std::string northSouth = natal ? st.NatalNorthSouth : st.DiurnalNorthSouth;
    st.NatalNorthSouth = northSouth;

    const std::string routine = "the time and angle computation";
    for (double v : {clock, zone, longitude, latitude}) {
        if (auto fault = CheckFinite(v, routine)) return fault;
    }

    FaultWatch watch;
    st.DayFraction = DayFractionOf(clock, amPm, zone);
    st.JulianDayNumber = JulianDayNumberOf(year, month, day);
    const double t = (st.JulianDayNumber - 2415020.0 + st.DayFraction - 0.5) / 36525.0;
    st.CenturiesT = t;

    // Greenwich sidereal time, then the meridian of the place (west longitudes are positive).
    const double g = (23925.836 + 8640184.54 * t + 0.0929 * t * t) / 3600.0;
    const double d = (24.0 * st.DayFraction + g) / 24.0;
    const double theta = (d - std::floor(d)) * 24.0 * 15.0;
    const double ramc = Norm360BranchFree(theta - SignedPackedToDecimal(longitude));
    st.RamcRad = DegToRad(ramc);

    const double eps = 23.4522944 - 0.0130125 * t - 0.000001639 * t * t + 0.000000503 * t * t * t;
    st.ObliquityRad = DegToRad(eps);
    st.ObliquityDeg = RadToDeg(st.ObliquityRad);

    const ChartAngles angles = ComputeAngles(st.RamcRad, st.ObliquityRad, latitude, northSouth);
    st.Midheaven = angles.Midheaven;
    st.Ascendant = angles.Ascendant;
    st.Vertex = angles.Vertex;
    st.EquatorialAscendant = angles.EquatorialAscendant;
    st.CoAscendant = angles.CoAscendant;
    st.PolarAscendant = angles.PolarAscendant;
    st.AuxLatitudeRad = angles.AuxLatitudeRad;

    if (auto fault = watch.Check(routine)) return fault;

    // Local sidereal time for display; south of the equator it is shown twelve hours on.
    double s = RadToDeg(st.RamcRad);
    if (DegToRad(SignedPackedToDecimal(latitude)) < 0) s = Norm360BranchFree(s + 180.0);
    const double h = s / 15.0;
    const double m = (h - std::floor(h)) * 60.0;
    st.SiderealHours = static_cast<int>(std::floor(h));
    st.SiderealMinutes = static_cast<int>(std::floor(m));
    st.SiderealSeconds = static_cast<int>(std::floor((m - std::floor(m)) * 60.0));

    // Later steps rely on the negated value being left here.
    st.ObliquityRad = -st.ObliquityRad;
    return watch.Check(routine);
}

}  // namespace talvenor
