#include "chart/chart_ephemeris.h"

#include <gtest/gtest.h>

#include <limits>

#include "chart/chart_time.h"
#include "chart/point_catalogue.h"
#include "chart_test_support.h"
#include "ephemeris/angles.h"
#include "ephemeris/sky.h"

namespace talvenor {
namespace {

using testing_support::Decimals;
using testing_support::NatalInput;

ChartState ComputedAt(ChartState st) {
    EXPECT_FALSE(ComputeChartTime(st));
    EXPECT_FALSE(ComputeEphemeris(st));
    return st;
}

TEST(EphemerisTest, OuterPlanetsAtTheTurnOfTheCentury) {
    const ChartState st = ComputedAt(NatalInput(2000, 1, 1));
    struct Case {
        int point;
        const char* lon;
        const char* lat;
    };
    const Case cases[] = {
        {kJupiter, "25.2403", "-1.2627"}, {kSaturn, "40.3969", "-2.4510"}, {kUranus, "314.7958", "-0.6590"},
        {kNeptune, "303.1930", "0.2352"}, {kPluto, "251.4326", "10.8628"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(PointName[static_cast<std::size_t>(c.point)]);
        EXPECT_EQ(Decimals(st.PointLon[c.point], c.lon), c.lon);
        EXPECT_EQ(Decimals(st.PointEclLat[c.point], c.lat), c.lat);
    }
}

TEST(EphemerisTest, FullPassFillsEveryPointConsistently) {
    const ChartState st = ComputedAt(NatalInput(2000, 1, 1));
    EXPECT_EQ(Decimals(st.PointLon[kSun], "279.8581"), "279.8581");
    EXPECT_EQ(Decimals(st.PointLon[kMercury], "271.1293"), "271.1293");
    EXPECT_EQ(Decimals(st.PointLon[kMoon], "217.2800"), "217.2800");
    EXPECT_EQ(Decimals(st.PointLon[kNorthNode], "125.0698"), "125.0698");
    EXPECT_EQ(Decimals(st.TrueNode, "123.9449"), "123.9449");
    EXPECT_EQ(st.TrueNodeWork, st.TrueNode);
    EXPECT_EQ(st.PointEclLat[kSun], 0.0);

    EXPECT_EQ(st.PointLon[kSouthNode], Norm360(st.PointLon[kNorthNode] + 180.0));
    EXPECT_EQ(st.PointLon[kPartOfFortune], Norm360(st.PointLon[kMoon] + st.Ascendant - st.PointLon[kSun]));
    EXPECT_EQ(st.PointLon[kAscendant], st.Ascendant);
    EXPECT_EQ(st.PointLon[kMidheaven], st.Midheaven);
    for (int p = 1; p <= kPointCount; ++p) {
        EXPECT_GE(st.PointLon[p], 0.0) << p;
        EXPECT_LT(st.PointLon[p], 360.0) << p;
    }
    for (int p = kSun; p <= kMoon; ++p) {
        EXPECT_EQ(st.PointDecl[p], Declination(st.PointLon[p], st.PointEclLat[p], -st.ObliquityRad)) << p;
    }
    // The Sun near the winter solstice stands close to the tropic.
    EXPECT_NEAR(st.PointDecl[kSun], -23.07, 0.01);
    // The time argument is left one day on.
    EXPECT_DOUBLE_EQ(st.CenturiesT, (2451545.0 - 2415020.0 - 0.5 + 1.0) / 36525.0);
}

TEST(EphemerisTest, PartOfFortuneAndSouthNode) {
    EXPECT_DOUBLE_EQ(PartOfFortune(10, 20, 350), 40);
    EXPECT_DOUBLE_EQ(PartOfFortune(350, 20, 10), 0);
    EXPECT_DOUBLE_EQ(SouthNode(200), 20);
    EXPECT_DOUBLE_EQ(SouthNode(0), 180);
    EXPECT_DOUBLE_EQ(SouthNode(180), 0);
}

TEST(EphemerisTest, RetrogradeTestAcrossTheZeroPoint) {
    struct Case {
        double today, tomorrow;
        bool retrograde;
    };
    const Case cases[] = {
        {359.9, 0.1, false}, {0.1, 359.9, true}, {100, 100, false}, {100, 99.5, true},
        {99.5, 100, false},  {180, 0, false},    {0, 180, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.today << " -> " << c.tomorrow);
        EXPECT_EQ(IsRetrograde(c.today, c.tomorrow), c.retrograde);
    }
}

TEST(EphemerisTest, RetroFlagsMarkOnlyTheRetrogradePlanets) {
    // 1997 December 7: Mercury and Saturn both retrograde, everything else direct.
    const ChartState st = ComputedAt(NatalInput(1997, 12, 7, 12.00f, "P.M.", 0, 0, 51.30f));
    EXPECT_EQ(st.RetroFlags, " R   R         ");
}

TEST(EphemerisTest, NeverFlagsTheLuminariesNodesOrAngles) {
    for (int month = 1; month <= 12; ++month) {
        const ChartState st = ComputedAt(NatalInput(2003, month, 15));
        ASSERT_EQ(st.RetroFlags.size(), 15u);
        EXPECT_EQ(st.RetroFlags[kSun - 1], ' ');
        for (int p = kMoon; p <= kMidheaven; ++p) EXPECT_EQ(st.RetroFlags[p - 1], ' ') << p;
    }
}

TEST(EphemerisTest, SecondPassKeepsTheFirstPassTrueNode) {
    ChartState st = ComputedAt(NatalInput(2000, 1, 1));
    const double natalTrueNode = st.TrueNode;

    st.DiurnalYear = 1992;
    st.DiurnalMonth = 4;
    st.DiurnalDay = 12;
    st.DiurnalTime = 12.00f;
    st.ChartSelector = kSelectDiurnal;
    ASSERT_FALSE(ComputeChartTime(st));
    ASSERT_FALSE(ComputeEphemeris(st));
    EXPECT_EQ(st.TrueNode, natalTrueNode);
    EXPECT_NE(st.TrueNodeWork, natalTrueNode);
    EXPECT_EQ(Decimals(st.PointLon[kMoon], "133.1627"), "133.1627");
}

TEST(EphemerisTest, APassStoresTheSkyOfItsInstantAndOfTheNextDay) {
    const ChartState inputs[] = {
        NatalInput(1962, 3, 14, 10.15f, "P.M.", 6, 87.39f, 41.52f),
        NatalInput(1997, 12, 7, 12.00f, "P.M.", 0, 0, 51.30f),
        NatalInput(-500, 7, 1, 4.30f, "A.M.", -3, -30.00f, -20.00f, "SOUTH"),
    };
    for (ChartState st : inputs) {
        SCOPED_TRACE(st.NatalYear);
        ASSERT_FALSE(ComputeChartTime(st));
        const Instant instant = InstantOf(st.JulianDayNumber, st.DayFraction);
        ASSERT_FALSE(ComputeEphemeris(st));
        const Sky sky = SkyAt(instant);
        const Sky next = SkyAt(OneDayLater(instant));
        for (int p = kSun; p <= kMoon; ++p) {
            SCOPED_TRACE(p);
            EXPECT_EQ(st.PointLon[p], sky.Longitude[p]);
            EXPECT_EQ(st.PointEclLat[p], sky.Latitude[p]);
            EXPECT_EQ(st.PointDecl[p], sky.Declination[p]);
            EXPECT_EQ(st.PointLonNextDay[p], next.Longitude[p]);
        }
        for (int p = kMercury; p <= kPluto; ++p) {
            EXPECT_EQ(st.RetroFlags[p - 1] == 'R', IsRetrograde(sky.Longitude[p], next.Longitude[p])) << p;
        }
        EXPECT_EQ(st.MeanNode, sky.MeanNode);
        EXPECT_EQ(st.PointLon[kNorthNode], sky.MeanNode);
        EXPECT_EQ(st.TrueNodeWork, sky.TrueNode);
        EXPECT_EQ(-st.ObliquityRad, sky.ObliquityRad);
        // The Moon's next-day declination is taken with the obliquity of the instant itself.
        EXPECT_EQ(st.MoonDeclNextDay,
                  Declination(next.Longitude[kMoon], next.Latitude[kMoon], sky.ObliquityRad));
        EXPECT_EQ(st.CenturiesT, OneDayLater(instant).CenturiesT);
    }
}

TEST(EphemerisTest, FaultsSurfaceFromAPoisonedTimeArgument) {
    ChartState st = ComputedAt(NatalInput(2000, 1, 1));
    st.CenturiesT = std::numeric_limits<double>::quiet_NaN();
    st.DayFraction = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(ComputeEphemeris(st).has_value());
}

}  // namespace
}  // namespace talvenor
