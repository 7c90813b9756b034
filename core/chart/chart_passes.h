// The chart pass for a progressed chart, whose meridian is given. ComputeChart (chart/chart.h) and this
// pass each run on a working set of their own and return the chart.
#pragma once

#include "chart/arithmetic_fault.h"
#include "chart/chart.h"
#include "environment/options.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

// The natal chart of a birth for another instant at the birth place, with the meridian at the right
// ascension ramcRad (radians) and the angles and houses following it: the progressed chart.
ChartResult ComputeChartAt(const Birth& birth, HouseSystem houseSystem, const Options& options,
                           const Instant& instant, double ramcRad, const SkyEngine& engine = SkyEngine(),
                           FactorSet factors = FactorSet::Classic);

}  // namespace talvenor
