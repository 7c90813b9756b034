#include "ephemeris/fault_watch.h"

#include <cmath>

namespace talvenor {

FaultWatch::FaultWatch() {
    std::fegetexceptflag(&saved_, FE_ALL_EXCEPT);
    std::feclearexcept(FE_ALL_EXCEPT);
}

FaultWatch::~FaultWatch() {
    std::fesetexceptflag(&saved_, FE_ALL_EXCEPT);
}

EngineStatus FaultWatch::Status() const {
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    if (raised & FE_DIVBYZERO) return EngineStatus::DivisionByZero;
    if (raised & FE_INVALID) return EngineStatus::InvalidOperation;
    if (raised & FE_OVERFLOW) return EngineStatus::Overflow;
    return EngineStatus::Sound;
}

EngineStatus FiniteStatus(double value) {
    return std::isfinite(value) ? EngineStatus::Sound : EngineStatus::OutOfRange;
}

}  // namespace talvenor
