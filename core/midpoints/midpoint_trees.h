// Midpoint trees: for each factor, the factors and midpoints within the tree orb of it on a dial.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "chart/chart.h"
#include "environment/options.h"
#include "midpoints/progress.h"
#include "report/report_buffer.h"

namespace talvenor {

// The tree report after the command's title line: natal mode (analysisMode 1) for the natal tree,
// transit mode (0) for the transit tree. Options 40 (orb), 60 (positions), 65 (columns), 66 (page width)
// and 67 (column gap, raised to 2 and stored back when below 2) shape it.
void WriteTreeReport(const Chart& natal, const Chart& second, Options& options, float modulus,
                     std::int16_t analysisMode, ReportBuffer& report, ProgressReporter& progress);

// The number of characters a report line shows (the degree sign is one character, two bytes).
std::size_t DisplayWidth(const std::string& line);

// The dial test of a candidate against a focal factor: the signed orb on the dial of the modulus when
// the candidate stands within orb (option 40) of the focal factor, across the dial's zero included;
// positive when the candidate lies ahead, negative when it lies behind.
std::optional<double> TreeDialOrb(double focalLon, double candidateLon, float modulus, float orb);

// A longitude on the dial of the modulus: the modulus subtracted while the value is at least the modulus
// (0 to below the modulus; a modulus of 360 leaves a longitude as it is).
double ReduceOnDial(double longitude, float modulus);

// The name a tree line gives analysis entry s (1..91, or 1..253 of the 22 Uranian factors) with label
// `label`: "-SUN-" for a factor, "SU/MO", "NN/AS", "SU/MC", "CU/HA" for a midpoint.
std::string TreeEntryName(const std::string& label, int s, int factorCount);

// The orb as a tree line ends: a blank or "-", degrees, the degree sign, two-digit minutes and "'"
// (" 1°23'", "-0°45'"), six characters below ten degrees.
std::string TreeOrbText(double orb);

}  // namespace talvenor
