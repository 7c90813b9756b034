#include "chart/chart_time.h"

#include <cmath>
#include <string>

#include "ephemeris/angles.h"

namespace talvenor {

double DayFractionOf(double packedClock, std::string_view amPm, double zone) {
    double t = packedClock;
    // 12.xx on a 12-hour clock is the first hour of its half-day.
    if (std::floor(t) == 12.0) t -= 12.0;
    double fraction = (PackedToDecimal(t) + zone) / 24.0;
    if (amPm == "P.M.") fraction += 0.5;
    return fraction;
}

Place PlaceOfInput(double packedLongitude, double packedLatitude, std::string_view northSouth) {
    return {SignedPackedToDecimal(packedLongitude), SignedPackedToDecimal(packedLatitude),
            northSouth == "SOUTH"};
}

ChartAngles ComputeAngles(double ramcRad, double obliquityRad, double packedLatitude,
                          std::string_view northSouth) {
    return ComputeAngles(ramcRad, obliquityRad, PlaceOfInput(0, packedLatitude, northSouth));
}

EngineResult ComputeChartTime(ChartState& st, const SkyEngine& engine) {
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
        if (auto fault = FaultOf(FiniteStatus(v), routine)) return fault;
    }

    Instant instant;
    {
        FaultWatch watch;
        instant = InstantOf(JulianDayNumberOf(year, month, day), DayFractionOf(clock, amPm, zone));
        if (auto fault = FaultOf(watch.Status(), routine)) return fault;
    }
    return ComputeChartTimeAt(st, instant, PlaceOfInput(longitude, latitude, northSouth), std::nullopt,
                              engine);
}

EngineResult ComputeChartTimeAt(ChartState& st, const Instant& instant, const Place& place,
                                std::optional<double> ramcRad, const SkyEngine& engine) {
    const std::string routine = "the time and angle computation";
    FaultWatch watch;
    const LocalAngles a =
        ramcRad ? engine.AnglesForMeridian(*ramcRad, instant, place) : engine.AnglesAt(instant, place);
    if (auto fault = FaultOf(WorseStatus(watch.Status(), a.Status), routine)) return fault;

    st.DayFraction = instant.DayFraction;
    st.JulianDayNumber = instant.JulianDayNumber;
    st.CenturiesT = instant.CenturiesT;
    st.RamcRad = a.RamcRad;
    st.ObliquityDeg = a.ObliquityDeg;
    st.Midheaven = a.Angles.Midheaven;
    st.Ascendant = a.Angles.Ascendant;
    st.Vertex = a.Angles.Vertex;
    st.EquatorialAscendant = a.Angles.EquatorialAscendant;
    st.CoAscendant = a.Angles.CoAscendant;
    st.PolarAscendant = a.Angles.PolarAscendant;
    st.AuxLatitudeRad = a.Angles.AuxLatitudeRad;
    st.SiderealHours = a.SiderealHours;
    st.SiderealMinutes = a.SiderealMinutes;
    st.SiderealSeconds = a.SiderealSeconds;
    // Later steps rely on the negated value being left here.
    st.ObliquityRad = -a.ObliquityRad;
    return std::nullopt;
}

}  // namespace talvenor
