#include "chart/arithmetic_fault.h"

#include <cmath>

namespace talvenor {

namespace {
constexpr int kWatched = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;
}

std::string ArithmeticFault::Message() const {
    return "The chart could not be computed: " + what + " in " + routine + ". Please check the input data.";
}

FaultWatch::FaultWatch() {
    std::fegetexceptflag(&saved_, FE_ALL_EXCEPT);
    std::feclearexcept(FE_ALL_EXCEPT);
}

FaultWatch::~FaultWatch() {
    std::fesetexceptflag(&saved_, FE_ALL_EXCEPT);
}

EngineResult FaultWatch::Check(const std::string& routine) const {
    const int raised = std::fetestexcept(kWatched);
    if (raised & FE_DIVBYZERO) return ArithmeticFault{routine, "division by zero"};
    if (raised & FE_INVALID) return ArithmeticFault{routine, "invalid operation"};
    if (raised & FE_OVERFLOW) return ArithmeticFault{routine, "overflow"};
    return std::nullopt;
}

EngineResult CheckFinite(double value, const std::string& routine) {
    if (std::isfinite(value)) return std::nullopt;
    return ArithmeticFault{routine, "a value out of range"};
}

}  // namespace talvenor
