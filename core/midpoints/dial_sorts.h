// Factors and midpoints sorted on a dial of a chosen modulus, or by the degrees within their sign.
#pragma once

#include "chart/chart.h"
#include "environment/options.h"
#include "midpoints/progress.h"
#include "report/report_buffer.h"

namespace talvenor {

// The title the sort command puts in ReportLine for a modulus: 15 blanks for 360, 9 for 22.5, 12 for any
// other value, then "Natal Data Sort - modulus = " and the modulus with its leading blank.
std::string ModulusSortTitle(float modulus);

// The modulus sort from the point where the command has put the title in ReportLine: appends the title,
// builds the natal analysis table, reduces it on the dial (unless the modulus is 360), sorts it with the
// exchange sort and prints the 91 entries in three columns. On a dial other than 360 a value prints as
// degrees and minutes ("07 23"), the minutes never as 60.
void WriteModulusSort(const Chart& natal, const Options& options, float modulus, ReportBuffer& report,
                      ProgressReporter& progress);

// The degree sort, likewise from the appended title on: sorted by the degrees within the sign, one entry a
// line with its full position.
void WriteDegreeSort(const Chart& natal, const Options& options, ReportBuffer& report,
                     ProgressReporter& progress);

}  // namespace talvenor
