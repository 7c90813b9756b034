// The ephemeris pass of a chart: all fifteen points of the chart being computed, from the sky at its
// instant and a day later.
#pragma once

#include "chart/arithmetic_fault.h"
#include "chart/chart_state.h"
#include "ephemeris/sky_engine.h"

namespace talvenor {

// Fills PointLon (1..15), PointEclLat and PointDecl (1..10), PointLonNextDay (1..10), RetroFlags,
// MeanNode, TrueNodeWork, MoonDeclNextDay and, while it still holds kTrueNodeUnset, TrueNode. Reads the
// time outputs the time routine left (JulianDayNumber, DayFraction, Ascendant, Midheaven). Leaves
// CenturiesT one day on. On a fault the tables are unreliable and the caller must drop them. The engine
// gives the sky.
[[nodiscard]] EngineResult ComputeEphemeris(ChartState& state, const SkyEngine& engine = SkyEngine());

// The Part of Fortune: Ascendant + Moon - Sun, the same by day and by night.
double PartOfFortune(double moon, double ascendant, double sun);
// The South Node, exactly opposite the North Node.
double SouthNode(double northNode);

// The retrograde test for one planet: today's and tomorrow's longitude in [0, 360).
bool IsRetrograde(double today, double tomorrow);

}  // namespace talvenor
