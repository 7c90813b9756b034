// Detection of arithmetic faults in the engine.
//
// The formulas are written as plain arithmetic, exactly as they were designed; rather than test every
// division, each engine entry point watches the floating-point status flags over its whole run. A zero
// divisor, an invalid operation (0/0, the root of a negative, the sine of infinity) or an overflow
// anywhere in the run turns into an ArithmeticFault that the caller can show to the user, while the
// routine's results are discarded by the caller.
#pragma once

#include <cfenv>
#include <optional>
#include <string>

namespace talvenor {

struct ArithmeticFault {
    std::string routine;  // the engine step that met the fault, e.g. "time and angles"
    std::string what;     // "division by zero", "invalid operation", "overflow", "no convergence" ...

    std::string Message() const;
};

using EngineResult = std::optional<ArithmeticFault>;  // empty when the run was sound

// Clears the status flags on construction and restores the caller's flags on destruction, so that a
// watch never hides or invents a fault outside its own scope.
class FaultWatch {
  public:
    FaultWatch();
    ~FaultWatch();
    FaultWatch(const FaultWatch&) = delete;
    FaultWatch& operator=(const FaultWatch&) = delete;

    // The fault raised since construction, if any.
    EngineResult Check(const std::string& routine) const;

  private:
    std::fexcept_t saved_{};
};

// A fault when value is not finite (used for inputs that arrive already infinite or NaN, where no
// operation of ours would raise a flag).
EngineResult CheckFinite(double value, const std::string& routine);

}  // namespace talvenor
