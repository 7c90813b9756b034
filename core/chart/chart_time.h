// Civil time to Julian day, sidereal time, obliquity and the chart angles.
//
// The time scale is Universal Time throughout: the zone value is simply added to the clock time and no
// correction to ephemeris time is made anywhere in the engine.
#pragma once

#include <string_view>

#include "chart/arithmetic_fault.h"
#include "chart/chart_state.h"

namespace talvenor {

// Julian day number at noon of a civil date; dates after 1582 October 15 are Gregorian.
double JulianDayNumberOf(int year, int month, int day);

// Universal Time of a 12-hour packed clock time as a fraction of the civil day (may leave [0, 1)).
double DayFractionOf(double packedClock, std::string_view amPm, double zone);

struct ChartAngles {
    double Midheaven = 0, Ascendant = 0;
    double Vertex = 0, EquatorialAscendant = 0, CoAscendant = 0, PolarAscendant = 0;
    double AuxLatitudeRad = 0;  // the negated latitude the auxiliary angles were computed with
};

// The Midheaven, Ascendant and the four auxiliary angles for a right ascension of the meridian
// (radians), an obliquity (radians, positive) and a packed geographic latitude (north positive). The
// auxiliary angles take their hemisphere from northSouth ("SOUTH" or anything else), not from the sign
// of the latitude.
ChartAngles ComputeAngles(double ramcRad, double obliquityRad, double packedLatitude,
                          std::string_view northSouth);

// Fills the time and angle outputs of the chart named by state.ChartSelector (0 natal, otherwise the
// diurnal input) and copies that chart's north/south text into NatalNorthSouth. Leaves the negated
// obliquity in ObliquityRad. On a fault the outputs are unreliable and the caller must drop them.
[[nodiscard]] EngineResult ComputeChartTime(ChartState& state);

}  // namespace talvenor
