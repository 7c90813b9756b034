// The pages of the solar arc directions and the secondary progressions: the moved chart's positions as
// the natal data page writes them, and the moved factors against the natal factors and midpoints on the
// dial of a modulus, within the tree orb (option 40), nearest first.
#pragma once

#include <string>
#include <vector>

#include "chart/chart.h"
#include "environment/options.h"
#include "environment/regional_format.h"
#include "report/report_buffer.h"

namespace talvenor {

// One moved factor against one natal factor or midpoint.
struct DirectionAspect {
    int factor = 0;  // the moved factor, 1..13
    int entry = 0;   // the natal entry of the analysis table, 1..91
    double orb = 0;  // signed distance on the dial, positive when the natal entry lies ahead
};

// The factors of `moved` (13, or 22 Uranian; the node chosen by option 161) against the natal entries of
// `natal` (91, or 253), within the orb on the dial of the modulus, sorted by the absolute orb; equal orbs
// keep the order of factor, then entry.
std::vector<DirectionAspect> DirectionAspects(const Chart& natal, const Chart& moved, const Options& options,
                                              float modulus, float orb);

enum class DirectionKind { SolarArc, Progressed };

// What the pages say about the moment the chart is moved to.
struct DirectionMoment {
    CivilDate date;  // the second chart's date
    double age = 0;  // years of life
    double arc = 0;  // the solar arc, degrees
};

// The arc as degrees, minutes and seconds: "63d 12m 04s" (minutes and seconds truncated).
std::string ArcText(double arc);

// The page after the command's natal heading: title, the date, age and arc, (for the progressed chart
// its house cusps), the positions table, and the aspect list.
void WriteDirectionsReport(const Chart& natal, const Chart& moved, const Options& options,
                           const RegionalFormat& regional, DirectionKind kind, const DirectionMoment& moment,
                           float modulus, ReportBuffer& report);

}  // namespace talvenor
