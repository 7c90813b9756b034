// The two charts of a computation as one JSON object, for checking a computation against other tools.
#pragma once

#include <string>

#include "chart/chart.h"

namespace talvenor {

// Keys are the names of the chart tables the pages were once written from (the input section with both
// births, the working set, the natal and the diurnal tables, the midpoint table and the time outputs of
// both passes), filled as the natal data page after a computation leaves them; arrays include element 0
// as held; reals carry 17 significant digits.
std::string ChartDumpJson(const Chart& natal, const Chart& second);

}  // namespace talvenor
