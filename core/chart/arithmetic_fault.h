// How an arithmetic fault of the engine is told to the user.
//
// The engine returns a fault as a status in each result; the chart computation turns the first one it
// meets into this message, abandons the command and keeps the previous chart.
#pragma once

#include <optional>
#include <string>

#include "ephemeris/fault_watch.h"

namespace talvenor {

struct ArithmeticFault {
    std::string routine;  // the engine step that met the fault, e.g. "time and angles"
    std::string what;     // "division by zero", "invalid operation", "overflow", "no convergence" ...

    std::string Message() const;
};

using EngineResult = std::optional<ArithmeticFault>;  // empty when the run was sound

// The fault of a step for an engine status; empty when the status is Sound.
EngineResult FaultOf(EngineStatus status, const std::string& routine);

}  // namespace talvenor
