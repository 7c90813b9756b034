// The natal midpoints list with the points' hard aspects to the midpoints, and the second chart's
// points against the natal midpoints.
#pragma once

#include "chart/chart.h"
#include "chart/input_texts.h"
#include "environment/options.h"
#include "environment/regional_format.h"
#include "report/report_buffer.h"

namespace talvenor {

// "Natal Midpoints and MWA": a new page with the natal heading, the 78 midpoints in 26 lines of three,
// then the natal points' aspects to them. The caller shows the page.
void WriteNatalMidpointsReport(const Chart& natal, const Options& options, const RegionalFormat& regional,
                               ReportBuffer& report);

// The aspect pass: every one of the fifteen points against the natal chart's 78 MidpointLon values, by
// point, then by pair; a blank line before and the empty line after.
void WritePointToMidpointAspects(const PointArray& points, const Chart& natal, const Options& options,
                                 ReportBuffer& report);

// "Transit Aspects to Natal Midpoints" (or the second person's): a new page with its titles, and the
// aspect pass of the second chart's points. The caller shows the page.
void WriteTransitAspectsToNatalMidpoints(const Chart& natal, const Chart& second, const Options& options,
                                         const RegionalFormat& regional, const SecondInputTexts& diurnal,
                                         ReportBuffer& report);

}  // namespace talvenor
