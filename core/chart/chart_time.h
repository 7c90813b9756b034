// The time routine of a chart pass: the civil input of the chart named by ChartSelector to the Julian
// day, the sidereal time, the obliquity and the angles kept in the chart state.
#pragma once

#include <optional>
#include <string_view>

#include "chart/arithmetic_fault.h"
#include "chart/chart_state.h"
#include "ephemeris/chart_angles.h"
#include "ephemeris/sky_engine.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

// Universal Time of a 12-hour packed clock time as a fraction of the civil day (may leave [0, 1)); only
// the exact text "P.M." moves it into the afternoon.
double DayFractionOf(double packedClock, std::string_view amPm, double zone);

// The place of a packed longitude (west positive) and latitude (north positive), turned to the
// hemisphere of the north/south text ("SOUTH" or anything else).
Place PlaceOfInput(double packedLongitude, double packedLatitude, std::string_view northSouth);

// ComputeAngles for a packed geographic latitude and its north/south text: the auxiliary angles take
// their hemisphere from the text, not from the sign of the latitude.
ChartAngles ComputeAngles(double ramcRad, double obliquityRad, double packedLatitude,
                          std::string_view northSouth);

// Fills the time and angle outputs of the chart named by state.ChartSelector (0 natal, otherwise the
// diurnal input) and copies that chart's north/south text into NatalNorthSouth. Leaves the negated
// obliquity in ObliquityRad. On a fault the outputs are unreliable and the caller must drop them. The
// engine gives the sidereal time, the obliquity and so the angles.
[[nodiscard]] EngineResult ComputeChartTime(ChartState& state, const SkyEngine& engine = SkyEngine());

// The same outputs for a given instant and place. With ramcRad the meridian is that right ascension
// (radians) instead of the one the sidereal time gives, and the Ascendant, the auxiliary angles and the
// houses follow it. Leaves NatalNorthSouth alone.
[[nodiscard]] EngineResult ComputeChartTimeAt(ChartState& state, const Instant& instant, const Place& place,
                                              std::optional<double> ramcRad,
                                              const SkyEngine& engine = SkyEngine());

}  // namespace talvenor
