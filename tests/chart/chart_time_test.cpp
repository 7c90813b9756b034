#include "chart/chart_time.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "chart_test_support.h"
#include "ephemeris/angles.h"

namespace talvenor {
namespace {

using testing_support::Decimals;
using testing_support::NatalInput;

TEST(ChartTimeTest, JulianDayNumbersAcrossTheCalendarReform) {
    struct Case {
        int y, m, d;
        double jdn;
    };
    const Case cases[] = {
        {2000, 1, 1, 2451545},
        {1582, 10, 4, 2299160},
        {1582, 10, 16, 2299162},
        // The Gregorian correction starts strictly after 2299171, so the civil 15th stays Julian.
        {1582, 10, 15, 2299171},
        {-4712, 1, 1, 0},
        {1899, 12, 31, 2415020},
        {1900, 3, 1, 2415080},
        {2000, 3, 1, 2451605},
        {2024, 2, 29, 2460370},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_EQ(JulianDayNumberOf(c.y, c.m, c.d), c.jdn);
    }
}

TEST(ChartTimeTest, TwelveOClockIsTheFirstHourOfItsHalfDay) {
    EXPECT_NEAR(DayFractionOf(12.15, "A.M.", 0), 0.25 / 24, 1e-15);
    EXPECT_NEAR(DayFractionOf(12.15, "P.M.", 0), 0.5 + 0.25 / 24, 1e-15);
    EXPECT_NEAR(DayFractionOf(3.45, "P.M.", 0), 0.5 + 3.75 / 24, 1e-15);
    EXPECT_NEAR(DayFractionOf(11.59, "P.M.", 0), 0.5 + (11 + 59 / 60.0) / 24, 1e-15);
    // Only the exact text "P.M." moves the time into the afternoon.
    EXPECT_NEAR(DayFractionOf(3.45, "PM", 0), 3.75 / 24, 1e-15);
}

TEST(ChartTimeTest, ZoneCorrectionPastMidnightKeepsTheCivilDate) {
    ChartState st = NatalInput(2000, 1, 1, 11.30f, "P.M.", 5.0f);
    ASSERT_FALSE(ComputeChartTime(st));
    EXPECT_EQ(st.JulianDayNumber, 2451545);
    EXPECT_GT(st.DayFraction, 1.0);
    EXPECT_NEAR(st.CenturiesT, (2451545 - 2415020 + 28.5 / 24 - 0.5) / 36525.0, 1e-11);

    ChartState early = NatalInput(2000, 1, 1, 1.00f, "A.M.", -5.0f);
    ASSERT_FALSE(ComputeChartTime(early));
    EXPECT_LT(early.DayFraction, 0.0);
    EXPECT_EQ(early.JulianDayNumber, 2451545);
}

TEST(ChartTimeTest, SiderealTimeAtTheEpoch) {
    // 1899 December 31 at noon UT is T = 0.
    ChartState noon = NatalInput(1899, 12, 31, 12.00f, "P.M.");
    ASSERT_FALSE(ComputeChartTime(noon));
    EXPECT_EQ(noon.CenturiesT, 0.0);
    EXPECT_EQ(Decimals(RadToDeg(noon.RamcRad), "279.6909833"), "279.6909833");
    EXPECT_EQ(noon.SiderealHours, 18);
    EXPECT_EQ(noon.SiderealMinutes, 38);
    EXPECT_EQ(noon.SiderealSeconds, 45);  // 45.836 s, truncated

    ChartState midnight = NatalInput(1899, 12, 31, 12.00f, "A.M.");
    ASSERT_FALSE(ComputeChartTime(midnight));
    const double hours = RadToDeg(midnight.RamcRad) / 15.0;
    const double seconds = (hours - 6.0) * 3600.0 - 36 * 60;
    EXPECT_EQ(midnight.SiderealHours, 6);
    EXPECT_EQ(midnight.SiderealMinutes, 36);
    EXPECT_EQ(Decimals(seconds, "47.56"), "47.56");
}

TEST(ChartTimeTest, SouthernLatitudeShowsTwelveHoursMoreButKeepsTheMeridian) {
    ChartState north = NatalInput(1899, 12, 31, 12.00f, "P.M.", 0, 0, 33.52f, "NORTH");
    ChartState south = NatalInput(1899, 12, 31, 12.00f, "P.M.", 0, 0, -33.52f, "SOUTH");
    ASSERT_FALSE(ComputeChartTime(north));
    ASSERT_FALSE(ComputeChartTime(south));
    EXPECT_EQ(north.RamcRad, south.RamcRad);
    EXPECT_EQ(north.SiderealHours, 18);
    EXPECT_EQ(south.SiderealHours, 6);
    EXPECT_EQ(south.SiderealMinutes, north.SiderealMinutes);
    EXPECT_EQ(south.SiderealSeconds, north.SiderealSeconds);
}

TEST(ChartTimeTest, WestLongitudeIsSubtractedFromTheMeridian) {
    ChartState greenwich = NatalInput(1899, 12, 31, 12.00f, "P.M.");
    ChartState west = NatalInput(1899, 12, 31, 12.00f, "P.M.", 0, 74.30f);
    ChartState east = NatalInput(1899, 12, 31, 12.00f, "P.M.", 0, -74.30f);
    ASSERT_FALSE(ComputeChartTime(greenwich));
    ASSERT_FALSE(ComputeChartTime(west));
    ASSERT_FALSE(ComputeChartTime(east));
    const double g = RadToDeg(greenwich.RamcRad);
    // The packed single-precision longitude 74.30 is 74.5 degrees to about five decimals.
    EXPECT_NEAR(RadToDeg(west.RamcRad), g - 74.5, 1e-4);
    EXPECT_NEAR(RadToDeg(east.RamcRad), Norm360(g + 74.5), 1e-4);
}

TEST(ChartTimeTest, AnglesForMeridian30AndLatitude40) {
    const ChartAngles a = ComputeAngles(DegToRad(30.0), DegToRad(23.44), 40.00, "NORTH");
    EXPECT_EQ(Decimals(a.Ascendant, "132.4625"), "132.4625");
    EXPECT_EQ(Decimals(a.Midheaven, "32.1814"), "32.1814");
    EXPECT_EQ(Decimals(a.Vertex, "268.986"), "268.986");
    EXPECT_EQ(Decimals(a.EquatorialAscendant, "117.910"), "117.910");
    EXPECT_EQ(Decimals(a.CoAscendant, "137.126"), "137.126");
    EXPECT_EQ(Decimals(a.PolarAscendant, "278.210"), "278.210");
}

double CircleDistance(double a, double b) {
    const double d = std::fabs(Norm360(a) - Norm360(b));
    return std::min(d, 360.0 - d);
}

TEST(ChartTimeTest, AtTheEquatorTheVertexAndCoAscendantStayNearZero) {
    // The substitute latitude of 0.00001 radian turns them by at most 0.0015 degree, depending on the
    // meridian; at RAMC 60 it is well inside a thousandth.
    const double ramc = DegToRad(60.0), eps = DegToRad(23.44);
    const ChartAngles equator = ComputeAngles(ramc, eps, 0.0, "NORTH");
    EXPECT_LT(CircleDistance(equator.Vertex, 0.0), 0.001);
    EXPECT_LT(CircleDistance(equator.CoAscendant, 0.0), 0.001);
    for (double meridian = 5; meridian < 360; meridian += 10) {
        const ChartAngles a = ComputeAngles(DegToRad(meridian), eps, 0.0, "NORTH");
        EXPECT_LT(CircleDistance(a.Vertex, 0.0), 0.0015) << meridian;
        EXPECT_LT(CircleDistance(a.CoAscendant, 0.0), 0.0015) << meridian;
    }

    // The Equatorial Ascendant does not depend on latitude; the Polar Ascendant barely moves.
    const ChartAngles nearby = ComputeAngles(ramc, eps, 0.01, "NORTH");
    EXPECT_EQ(equator.EquatorialAscendant, nearby.EquatorialAscendant);
    EXPECT_LT(CircleDistance(equator.PolarAscendant, nearby.PolarAscendant), 0.01);
}

TEST(ChartTimeTest, AuxiliaryAnglesTakeTheHemisphereFromTheText) {
    const double ramc = DegToRad(30.0), eps = DegToRad(23.44);
    const ChartAngles byText = ComputeAngles(ramc, eps, 40.00, "SOUTH");
    const ChartAngles bySign = ComputeAngles(ramc, eps, -40.00, "SOUTH");
    const ChartAngles signOnly = ComputeAngles(ramc, eps, -40.00, "NORTH");
    EXPECT_EQ(byText.Vertex, bySign.Vertex);
    EXPECT_EQ(byText.CoAscendant, bySign.CoAscendant);
    EXPECT_EQ(signOnly.Vertex, ComputeAngles(ramc, eps, 40.00, "NORTH").Vertex);
    // The Ascendant itself follows the signed latitude.
    EXPECT_NE(byText.Ascendant, bySign.Ascendant);
}

TEST(ChartTimeTest, ObliquityIsLeftNegatedForTheLaterSteps) {
    ChartState st = NatalInput(2000, 1, 1);
    ASSERT_FALSE(ComputeChartTime(st));
    EXPECT_LT(st.ObliquityRad, 0);
    EXPECT_NEAR(st.ObliquityDeg, 23.4393, 0.0001);
    EXPECT_DOUBLE_EQ(RadToDeg(-st.ObliquityRad), st.ObliquityDeg);
}

TEST(ChartTimeTest, DiurnalSelectorReadsTheDiurnalInputAndItsHemisphereText) {
    ChartState st = NatalInput(2000, 1, 1);
    st.DiurnalYear = 1992;
    st.DiurnalMonth = 10;
    st.DiurnalDay = 13;
    st.DiurnalTime = 12.00f;
    st.DiurnalAmPm = "A.M.";
    st.DiurnalNorthSouth = "SOUTH";
    st.DiurnalLatitude = -33.52f;
    st.ChartSelector = kSelectDiurnal;
    ASSERT_FALSE(ComputeChartTime(st));
    EXPECT_EQ(st.JulianDayNumber, JulianDayNumberOf(1992, 10, 13));
    EXPECT_EQ(st.NatalNorthSouth, "SOUTH");
}

TEST(ChartTimeTest, FaultsAreReportedAndTheCallersFlagsSurvive) {
    ChartState bad = NatalInput(2000, 1, 1);
    bad.NatalTZ = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(ComputeChartTime(bad).has_value());

    // A right ascension of exactly 0 divides by zero in the Equatorial Ascendant.
    {
        FaultWatch watch;
        (void)ComputeAngles(0.0, DegToRad(23.44), 40.0, "NORTH");
        EXPECT_NE(watch.Status(), EngineStatus::Sound);
    }

    std::feraiseexcept(FE_INEXACT);
    {
        ChartState good = NatalInput(2000, 1, 1);
        EXPECT_FALSE(ComputeChartTime(good).has_value());
    }
    EXPECT_TRUE(std::fetestexcept(FE_INEXACT));
}

}  // namespace
}  // namespace talvenor
