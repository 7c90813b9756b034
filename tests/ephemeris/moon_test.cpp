#include "ephemeris/moon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_support.h"
#include "ephemeris/angles.h"
#include "ephemeris/time_scales.h"

namespace talvenor {
namespace {

using testing_support::Decimals;

double T1900(int y, int m, int d) {
    return (JulianDayNumberOf(y, m, d) - 2415020.0 - 0.5) / 36525.0;
}

TEST(MoonTest, PositionAndNodesAtTheTurnOfTheCentury) {
    const MoonPosition m = ComputeMoon(T1900(2000, 1, 1));
    EXPECT_EQ(Decimals(Norm360(m.Longitude), "217.2800"), "217.2800");
    EXPECT_EQ(Decimals(m.Latitude, "5.2294"), "5.2294");
    EXPECT_EQ(Decimals(m.MeanNode, "125.0698"), "125.0698");
    EXPECT_EQ(Decimals(Norm360(m.TrueNode), "123.9449"), "123.9449");
}

TEST(MoonTest, PositionInApril1992) {
    const MoonPosition m = ComputeMoon(T1900(1992, 4, 12));
    EXPECT_EQ(Decimals(Norm360(m.Longitude), "133.1627"), "133.1627");
    EXPECT_EQ(Decimals(m.Latitude, "-3.2271"), "-3.2271");
}

TEST(MoonTest, MeanNodeMovesBackwards) {
    const double t = T1900(2000, 1, 1);
    const MoonPosition today = ComputeMoon(t);
    const MoonPosition tomorrow = ComputeMoon(t + 1.0 / 36525.0);
    EXPECT_NEAR(today.MeanNode - tomorrow.MeanNode, 0.053, 0.001);
}

TEST(MoonTest, LatitudeAndTrueNodeStayWithinTheirBoundsOverTwoDecades) {
    // Sampled every 1.9 days so that every phase of the month and the node's cycle comes round.
    double largest = 0;
    for (double days = 0; days < 20 * 365.25; days += 1.9) {
        const MoonPosition m = ComputeMoon(T1900(1990, 1, 1) + days / 36525.0);
        largest = std::max(largest, std::fabs(m.Latitude));
        double gap = std::fabs(Norm360(m.TrueNode) - m.MeanNode);
        gap = std::min(gap, 360.0 - gap);
        ASSERT_LE(gap, 7089.0 / 3600.0) << "day " << days;
        ASSERT_GE(Norm360(m.Longitude), 0.0);
    }
    EXPECT_LT(largest, 5.31);
    EXPECT_GT(largest, 5.0);
}

}  // namespace
}  // namespace talvenor
