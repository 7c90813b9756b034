#include "chart/arithmetic_fault.h"

#include <gtest/gtest.h>

namespace talvenor {
namespace {

TEST(ArithmeticFaultTest, EachEngineStatusNamesItsFaultInTheMessage) {
    struct Case {
        EngineStatus status;
        const char* what;
    };
    const Case cases[] = {
        {EngineStatus::OutOfRange, "a value out of range"},
        {EngineStatus::Overflow, "overflow"},
        {EngineStatus::InvalidOperation, "invalid operation"},
        {EngineStatus::DivisionByZero, "division by zero"},
        {EngineStatus::NoConvergence, "no convergence of Kepler's equation"},
    };
    for (const Case& c : cases) {
        const EngineResult fault = FaultOf(c.status, "the planetary positions");
        ASSERT_TRUE(fault.has_value()) << c.what;
        EXPECT_EQ(fault->what, c.what);
        EXPECT_EQ(fault->Message(), std::string("The chart could not be computed: ") + c.what +
                                        " in the planetary positions. Please check the input data.");
    }
    EXPECT_FALSE(FaultOf(EngineStatus::Sound, "the planetary positions").has_value());
}

}  // namespace
}  // namespace talvenor
