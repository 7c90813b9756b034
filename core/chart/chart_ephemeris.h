// The ephemeris driver: all fifteen points of one chart.
#pragma once

#include <string_view>

#include "chart/arithmetic_fault.h"
#include "chart/chart_state.h"

namespace talvenor {

// Fills PointLon (1..15), PointEclLat and PointDecl (1..10), PointLonNextDay (1..10), RetroFlags,
// MeanNode, TrueNodeWork, MoonDeclNextDay and, while it still holds kTrueNodeUnset, TrueNode. Reads the
// time outputs the time routine left (JulianDayNumber, DayFraction, CenturiesT, ObliquityRad holding
// minus the obliquity, Ascendant, Midheaven). Leaves CenturiesT one day on. On a fault the tables are
// unreliable and the caller must drop them.
[[nodiscard]] EngineResult ComputeEphemeris(ChartState& state);

// The Part of Fortune: Ascendant + Moon - Sun, the same by day and by night.
double PartOfFortune(double moon, double ascendant, double sun);
// The South Node, exactly opposite the North Node.
double SouthNode(double northNode);

// The retrograde test for one planet: today's and tomorrow's longitude in [0, 360).
bool IsRetrograde(double today, double tomorrow);

}  // namespace talvenor
