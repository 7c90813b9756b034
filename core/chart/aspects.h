// The aspect engine: the aspect grid with its legend and aspect list, and the transit aspect lists.
//
// Two tests exist side by side. The grid uses the orbs of the options file and the whole aspect table,
// compared in single precision as the options are held; the transit lists use a fixed orb of one degree
// and a smaller set of aspects.
#pragma once

#include "chart/chart.h"
#include "chart/chart_tables.h"
#include "chart/input_texts.h"
#include "environment/options.h"
#include "report/report_buffer.h"

namespace talvenor {

// Writes the grid of aspects among the fifteen points of one chart (Lon, Decl), the legend and the
// aspect list.
void WriteAspectGrid(const Chart& chart, const Options& options, ReportBuffer& report);
// The same grid for fifteen longitudes and declinations.
void WriteAspectGrid(const PointArray& lon, const PointArray& decl, const Options& options,
                     ReportBuffer& report);

// The aspect a grid cell shows for a separation s (0 to 180) with the orbs of options 1 to 16: k = 1
// when there is none; fromExact is the separation minus the aspect's angle. With wide orbs the last
// matching aspect of the grid's test order wins, the conjunction last of all.
struct GridAspect {
    int k = 1;
    double fromExact = 0;
};
GridAspect FindGridAspect(double s, const Options& options);

// The aspect of the transit lists for a separation: k = 1 when there is none; orb is the distance from
// exact, rounded to tenths.
struct ListAspect {
    int k = 1;
    double orb = 0;
};
ListAspect FindListAspect(double separation);

// One line of a transit list for transiting point t and second point n with d = longitude t - longitude
// n; nothing when they form no aspect.
void WriteListAspect(int t, int n, double d, ReportBuffer& report);

// The second chart's points (DiurnalLon) against the natal chart's (NatalLon); the title names the second
// person when the diurnal window is in second-person mode.
void WriteTransitToNatal(const Chart& second, const Chart& natal, const SecondInputTexts& diurnal,
                         ReportBuffer& report);
void WriteTransitToNatal(const PointArray& transitLon, const PointArray& natalLon,
                         const SecondInputTexts& diurnal, ReportBuffer& report);

// The second chart's points among themselves (DiurnalLon).
void WriteTransitToTransit(const Chart& second, ReportBuffer& report);
void WriteTransitToTransit(const PointArray& lon, ReportBuffer& report);

}  // namespace talvenor
