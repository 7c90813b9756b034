// The chart computation: checks the two input windows, transfers them, computes the natal and the
// diurnal chart with their houses, declinations, solstice points and the natal midpoints, and writes
// the natal data page.
#pragma once

#include "chart/arithmetic_fault.h"
#include "session/session.h"

namespace talvenor {

enum class ComputeOutcome {
    Computed,      // both charts computed and the natal data page shown
    InputRefused,  // a check failed; its message has been shown and nothing changed
    Fault,         // an arithmetic fault; its message has been shown and the previous chart kept
};

// Title of the message shown when a computation meets an arithmetic fault.
inline constexpr const char* kComputationErrorTitle = "Error!";

// Which charts a computation makes. NatalOnly is for the report tool's runs over a names file whose
// page reads the natal chart alone: the diurnal window is still checked and transferred (its date stands
// in the page header), but the diurnal chart keeps whatever it held.
enum class ChartsWanted { Both, NatalOnly };

// The whole computation, as the OK button, a double-click on a name and the house menu run it.
ComputeOutcome ComputeCharts(Session& session, ChartsWanted wanted = ChartsWanted::Both);

// The steps after the checks: transfer and both passes, into `chart`. On a fault `chart` is unreliable;
// ComputeCharts therefore works on a copy and keeps the previous chart.
EngineResult ComputeBothCharts(Session& session, ChartState& chart);

// The house code the driver takes from the house menu: the checked code when it is one of the nine,
// otherwise Placidus.
std::string HouseCodeFromMenu(const std::string& checkedHouseCode);

}  // namespace talvenor
