// The two passes of the chart computation, from the input section already transferred into the chart
// state: the natal chart with its houses, declinations, solstice points and midpoint table, then the
// diurnal chart. Each takes the time and angles, the houses and the positions from the engine for its
// instant and place, and fills its part of the chart state.
#pragma once

#include "chart/arithmetic_fault.h"
#include "chart/chart_state.h"
#include "environment/options.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

// The natal pass: resets TrueNode, computes from the natal input and fills the natal tables, the natal
// midpoint factors and MidpointLon. On a fault the chart state is unreliable and the caller must drop it.
EngineResult ComputeNatalPass(ChartState& chart, const Options& options);

// The same pass for another instant at the birth place, with the meridian at the right ascension ramcRad
// (radians) and the angles and houses following it: the natal tables then hold the progressed chart.
EngineResult ComputeNatalPassAt(ChartState& chart, const Options& options, const Instant& instant,
                                double ramcRad);

// The diurnal pass: computes from the diurnal input and fills the diurnal tables; the Part of Fortune
// is the ephemeris's own value. On a fault the chart state is unreliable and the caller must drop it.
EngineResult ComputeDiurnalPass(ChartState& chart, const Options& options);

}  // namespace talvenor
