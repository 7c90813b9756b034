// Aspects in steps of 22.5 degrees between factors and midpoints (the dial aspects and the formulas), and
// the second chart's midpoints against the natal points.
#pragma once

#include <optional>
#include <string>

#include "chart/chart.h"
#include "chart/input_texts.h"
#include "environment/options.h"
#include "environment/regional_format.h"
#include "midpoints/progress.h"
#include "report/report_buffer.h"

namespace talvenor {

// Option 162 (the dial orb) as used: capped at 2.25, and the cap stored back into the options for the
// rest of the run.
double DialOrb(Options& options);

struct DialAspect {
    int step;          // 0..8, the aspect angle being step x 22.5
    double deviation;  // d - step x 22.5
};
// The dial aspect test for a distance d in 0..180 with the given orb and dial (option 163: 16, 8 or 4).
std::optional<DialAspect> DialAspectTest(double d, double orb, double dial);

// One pair line: "  " + label a + angle + "  " + label b + signed orb + "d", 33 characters.
std::string PairLine(const std::string& labelA, int step, const std::string& labelB, double signedOrb);

// The natal factors and midpoints against each other (natal mode), from the point where the command has
// put the title in ReportLine. Sorted: the lines collected and sorted by signed orb, largest first.
void WriteNatalDialAspects(const Chart& natal, Options& options, bool sorted, ReportBuffer& report,
                           ProgressReporter& progress);

// The formulas: the second chart's 91 entries against the 91 natal entries (transit mode), pairs of the
// same table number skipped. Sorted as above.
void WriteFormulas(const Chart& natal, const Chart& second, Options& options, bool sorted,
                   ReportBuffer& report, ProgressReporter& progress);

// "Transit Midpoint Aspects to Natal" (or the second person's): a new page with its titles, and the second
// chart's 78 midpoints against the 15 natal points with the hard-aspect test. The caller shows the page.
void WriteTransitMidpointsToNatal(const Chart& natal, const Chart& second, const Options& options,
                                  const RegionalFormat& regional, const SecondInputTexts& diurnal,
                                  ReportBuffer& report);

}  // namespace talvenor
