#include "ephemeris/fault_watch.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

namespace talvenor {
namespace {

// Real arithmetic, so that the flags rise as the engine's own operations raise them.
volatile double zero = 0.0;
volatile double one = 1.0;
volatile double huge = std::numeric_limits<double>::max();

void DivideByZero() {
    volatile double x = one / zero;
    (void)x;
}
void InvalidOperation() {
    volatile double x = std::sqrt(-one);
    (void)x;
}
void Overflow() {
    volatile double x = huge * 2.0;
    (void)x;
}

TEST(FaultWatchTest, EachFaultShowsAndTheGravestWins) {
    {
        FaultWatch watch;
        EXPECT_EQ(watch.Status(), EngineStatus::Sound);
        Overflow();
        EXPECT_EQ(watch.Status(), EngineStatus::Overflow);
        InvalidOperation();
        EXPECT_EQ(watch.Status(), EngineStatus::InvalidOperation);
        DivideByZero();
        EXPECT_EQ(watch.Status(), EngineStatus::DivisionByZero);
    }
    {
        FaultWatch watch;
        volatile double x = one / 3.0;  // inexact and underflow are no faults
        x = x * 1e-310;
        (void)x;
        EXPECT_EQ(watch.Status(), EngineStatus::Sound);
    }
}

TEST(FaultWatchTest, AWatchNeitherHidesNorInventsTheCallersFlags) {
    std::feclearexcept(FE_ALL_EXCEPT);
    Overflow();  // the caller's own flag, raised before the watch
    {
        FaultWatch watch;
        EXPECT_EQ(watch.Status(), EngineStatus::Sound);
        DivideByZero();
        InvalidOperation();
        EXPECT_EQ(watch.Status(), EngineStatus::DivisionByZero);
    }
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID));

    // Watches inside watches: the inner one's faults stay in it, the outer one's survive it.
    std::feclearexcept(FE_ALL_EXCEPT);
    {
        FaultWatch outer;
        InvalidOperation();
        {
            FaultWatch inner;
            EXPECT_EQ(inner.Status(), EngineStatus::Sound);
            DivideByZero();
            EXPECT_EQ(inner.Status(), EngineStatus::DivisionByZero);
        }
        EXPECT_EQ(outer.Status(), EngineStatus::InvalidOperation);
    }
    EXPECT_FALSE(std::fetestexcept(FE_ALL_EXCEPT));

    // A flag raised through the library call, whichever unit holds it, survives a watch as well.
    std::feraiseexcept(FE_INEXACT | FE_UNDERFLOW);
    { FaultWatch watch; }
    EXPECT_TRUE(std::fetestexcept(FE_INEXACT));
    EXPECT_TRUE(std::fetestexcept(FE_UNDERFLOW));
    std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
}  // namespace talvenor
