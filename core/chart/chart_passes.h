// The chart pass over a working chart state, and the chart state's tables filled from computed charts.
//
// ComputeChart (chart/chart.h) runs the pass on a chart state of its own and returns the chart; the
// functions here put a computed chart into the tables the page writers read, and run the pass for the
// progressed chart, whose meridian is given.
#pragma once

#include "chart/arithmetic_fault.h"
#include "chart/chart.h"
#include "chart/chart_state.h"
#include "environment/options.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

// The natal tables of the chart state from a natal chart: NatalPass, the special points, NatalCusp,
// NatalHouseText, NatalLon, NatalDecl, NatalEclLat, NatalRetroFlags, NatalSolsticePt, NatalMeanNode, the
// true node and its declination, and the midpoint table.
void StoreNatalChart(const Chart& chart, ChartState& state);

// The diurnal tables from the second chart: DiurnalPass, the special points, DiurnalCusp,
// DiurnalHouseText, DiurnalLon, DiurnalDecl, DiurnalRetroFlags and DiurnalSolsticePt.
void StoreSecondChart(const Chart& chart, ChartState& state);

// The working set and the time outputs as the pass of `chart` leaves them: the time and angles (T one
// day on), PointLon, PointDecl, PointEclLat, PointLonNextDay, HouseCusp, RetroFlags, PointHouseText,
// MeanNode, TrueNodeWork and MoonDeclNextDay.
void StoreWorkingSet(const Chart& chart, ChartState& state);

// The natal pass from the natal input section already in the chart state: the natal tables and the
// working set then hold the natal chart. On a fault the chart state is unreliable and the caller must
// drop it.
EngineResult ComputeNatalPass(ChartState& chart, const Options& options);

// The natal pass for another instant at the birth place, with the meridian at the right ascension ramcRad
// (radians) and the angles and houses following it: the natal tables then hold the progressed chart. On
// a fault the chart state is unreliable and the caller must drop it.
EngineResult ComputeNatalPassAt(ChartState& chart, const Options& options, const Instant& instant,
                                double ramcRad);

}  // namespace talvenor
