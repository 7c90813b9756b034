#include "chart/arithmetic_fault.h"

namespace talvenor {

std::string ArithmeticFault::Message() const {
    return "The chart could not be computed: " + what + " in " + routine + ". Please check the input data.";
}

EngineResult FaultOf(EngineStatus status, const std::string& routine) {
    switch (status) {
        case EngineStatus::Sound:
            return std::nullopt;
        case EngineStatus::OutOfRange:
            return ArithmeticFault{routine, "a value out of range"};
        case EngineStatus::Overflow:
            return ArithmeticFault{routine, "overflow"};
        case EngineStatus::InvalidOperation:
            return ArithmeticFault{routine, "invalid operation"};
        case EngineStatus::DivisionByZero:
            return ArithmeticFault{routine, "division by zero"};
        case EngineStatus::NoConvergence:
            return ArithmeticFault{routine, "no convergence of Kepler's equation"};
    }
    return std::nullopt;
}

}  // namespace talvenor
