#include "chart/midpoint_rule.h"

#include <gtest/gtest.h>

namespace talvenor {
namespace {

TEST(MidpointRuleTest, MidpointsLieOnTheShorterArc) {
    struct Case {
        double a, b, m;
    };
    const Case cases[] = {
        {350, 10, 0}, {10, 350, 0},   {0, 180, 90},  // exactly opposite: the plain mean
        {10, 30, 20}, {300, 100, 20}, {359, 181, 270}, {100, 300, 20}, {90, 270, 180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "/" << c.b);
        EXPECT_DOUBLE_EQ(MidpointOf(c.a, c.b), c.m);
    }
}

}  // namespace
}  // namespace talvenor
