// The whole chart state as one JSON object, for checking a computation against other tools.
#pragma once

#include <string>

#include "chart/chart_state.h"

namespace talvenor {

// Keys are the field names; arrays include element 0 as held; reals carry 17 significant digits.
std::string ChartStateJson(const ChartState& chart);

}  // namespace talvenor
