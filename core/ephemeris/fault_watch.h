// Arithmetic faults in the engine, as a status in every result.
//
// The formulas are written as plain arithmetic, exactly as they were designed; rather than test every
// division, each entry point watches the floating-point status flags over its whole run. A zero divisor,
// an invalid operation (0/0, the root of a negative, the sine of infinity) or an overflow anywhere in the
// run shows in the status of the value it returns, and the caller drops that value.
#pragma once

#include <cfenv>

namespace talvenor {

// In rising order of precedence: when a run meets several faults, the last one listed is reported.
enum class EngineStatus {
    Sound,
    OutOfRange,  // an input that is already infinite or not a number
    Overflow,
    InvalidOperation,
    DivisionByZero,
    NoConvergence,  // Kepler's equation would not settle (only far outside the elements' range)
};

// The status to report for two runs that fed the same result.
constexpr EngineStatus WorseStatus(EngineStatus a, EngineStatus b) {
    return a < b ? b : a;
}

// Clears the status flags on construction and restores the caller's flags on destruction, so that a
// watch never hides or invents a fault outside its own scope.
class FaultWatch {
  public:
    FaultWatch();
    ~FaultWatch();
    FaultWatch(const FaultWatch&) = delete;
    FaultWatch& operator=(const FaultWatch&) = delete;

    // The fault raised since construction: division by zero before an invalid operation before an
    // overflow; Sound when none was.
    EngineStatus Status() const;

  private:
#if defined(__x86_64__) && defined(__SSE2__)
    unsigned saved_ = 0;  // the caller's SSE status flags
#else
    std::fexcept_t saved_{};
#endif
};

// OutOfRange when the value is not finite (an input that arrives infinite or NaN, where no operation of
// the engine's would raise a flag).
EngineStatus FiniteStatus(double value);

}  // namespace talvenor
