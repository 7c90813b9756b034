#include "ephemeris/fault_watch.h"

#include <cmath>

#if defined(__x86_64__) && defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace talvenor {

#if defined(__x86_64__) && defined(__SSE2__)

// On x86-64 every double operation, the mathematical library's included, runs on the SSE unit, and only
// long double arithmetic (which the engine has none of) would touch the x87 flags: the SSE status word
// alone holds the flags, and reading and writing it directly costs a few cycles where the <cfenv> calls
// save and reload the whole x87 environment, several times over for each chart.
namespace {

// The flags of FE_ALL_EXCEPT in the SSE status word (invalid, division by zero, overflow, underflow,
// inexact; not the denormal flag, which FE_ALL_EXCEPT leaves out too).
constexpr unsigned kFlags = 0x3D;
constexpr unsigned kInvalid = 0x01;
constexpr unsigned kDivisionByZero = 0x04;
constexpr unsigned kOverflow = 0x08;

}  // namespace

FaultWatch::FaultWatch() {
    const unsigned status = _mm_getcsr();
    saved_ = status & kFlags;
    _mm_setcsr(status & ~kFlags);
}

FaultWatch::~FaultWatch() {
    _mm_setcsr((_mm_getcsr() & ~kFlags) | saved_);
}

EngineStatus FaultWatch::Status() const {
    const unsigned raised = _mm_getcsr();
    if (raised & kDivisionByZero) return EngineStatus::DivisionByZero;
    if (raised & kInvalid) return EngineStatus::InvalidOperation;
    if (raised & kOverflow) return EngineStatus::Overflow;
    return EngineStatus::Sound;
}

#else

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

#endif

EngineStatus FiniteStatus(double value) {
    return std::isfinite(value) ? EngineStatus::Sound : EngineStatus::OutOfRange;
}

}  // namespace talvenor
