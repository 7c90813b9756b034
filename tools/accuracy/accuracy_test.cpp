#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "arc_statistics.h"
#include "comparison.h"
#include "samples.h"

namespace talvenor {
namespace {

TEST(SignedArcSeconds, TakesTheShortWayRoundTheCircle) {
    struct Case {
        double engine, reference, arcSeconds;
    };
    const Case cases[] = {
        {10.0, 9.0, 3600.0},      // ahead
        {9.0, 10.0, -3600.0},     // behind
        {0.01, 359.99, 72.0},     // across 0 forwards
        {359.99, 0.01, -72.0},    // across 0 backwards
        {725.0, 5.0, 0.0},        // two whole turns apart
        {-0.5, 0.5, -3600.0},     // a negative longitude
        {0.0, 179.5, -646200.0},  // just under half a turn
        {0.0, 180.5, 646200.0},   // just over half a turn is the other way
        {123.456, 123.456, 0.0},  // the same
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(SignedArcSeconds(c.engine, c.reference), c.arcSeconds, 1e-6)
            << c.engine << " against " << c.reference;
    }
    EXPECT_NEAR(std::fabs(SignedArcSeconds(190.0, 10.0)), 648000.0, 1e-6);
}

TEST(ArcStatistics, LargestBySizeWithItsInstantAndTheRootMeanSquare) {
    ArcStatistics s;
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.Rms(), 0.0);
    s.Add(3.0, 100.0);
    s.Add(-4.0, 101.0);  // larger in size though negative
    s.Add(4.0, 102.0);   // as large: the first instant stays
    s.Add(0.0, 103.0);
    EXPECT_EQ(s.Count(), 4);
    EXPECT_DOUBLE_EQ(s.Largest(), 4.0);
    EXPECT_DOUBLE_EQ(s.LargestAt(), 101.0);
    EXPECT_DOUBLE_EQ(s.Rms(), std::sqrt((9.0 + 16.0 + 16.0 + 0.0) / 4.0));
}

TEST(ArcStatistics, OneNegativeDifferenceIsTheLargest) {
    ArcStatistics s;
    s.Add(-0.5, 7.0);
    EXPECT_DOUBLE_EQ(s.Largest(), 0.5);
    EXPECT_DOUBLE_EQ(s.LargestAt(), 7.0);
    EXPECT_DOUBLE_EQ(s.Rms(), 0.5);
}

TEST(SampleInstants, GridCoversTheRangeAndRandomInstantsStayInside) {
    const SampleRange range{2415020.5, 2415030.5, 1.7, 200, 18};
    const std::vector<double> instants = SampleInstants(range);
    // 0, 1.7 ... 8.5: six grid instants, then the random ones.
    ASSERT_EQ(instants.size(), 6u + 200u);
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(instants[static_cast<std::size_t>(i)], 2415020.5 + 1.7 * i);
    for (std::size_t i = 6; i < instants.size(); ++i) {
        EXPECT_GE(instants[i], range.FirstJulianDay);
        EXPECT_LT(instants[i], range.EndJulianDay);
    }
    // Drawn over the whole range, not bunched at one end.
    const auto [low, high] = std::minmax_element(instants.begin() + 6, instants.end());
    EXPECT_LT(*low, 2415021.5);
    EXPECT_GT(*high, 2415029.5);
}

TEST(SampleInstants, TheSameSeedDrawsTheSameInstants) {
    SampleRange range{2415020.5, 2488070.5, 1.7, 50, 18};
    const std::vector<double> first = SampleInstants(range);
    EXPECT_EQ(SampleInstants(range), first);
    range.Seed = 19;
    EXPECT_NE(SampleInstants(range), first);
}

TEST(SampleInstants, AnEndOnTheGridIsIncluded) {
    const std::vector<double> instants = SampleInstants({100.0, 110.0, 2.5, 0, 1});
    EXPECT_EQ(instants, (std::vector<double>{100.0, 102.5, 105.0, 107.5, 110.0}));
}

TEST(EngineInstantAt, IsTheInstantAChartBuildsFromTheCivilDateAndTime) {
    struct Case {
        int year, month, day;
        double hours;  // Universal Time
    };
    const Case cases[] = {
        {1900, 1, 1, 0.0},  {1962, 3, 14, 16.25}, {1999, 12, 31, 23.999},
        {2000, 1, 1, 12.0}, {2024, 2, 29, 6.5},   {2100, 12, 31, 23.5},
    };
    for (const Case& c : cases) {
        const Instant got = EngineInstantAt(swe_julday(c.year, c.month, c.day, c.hours, SE_GREG_CAL));
        const Instant chart = InstantOf(JulianDayNumberOf(c.year, c.month, c.day), c.hours / 24.0);
        EXPECT_EQ(got.JulianDayNumber, chart.JulianDayNumber) << c.year << '-' << c.month << '-' << c.day;
        EXPECT_NEAR(got.DayFraction, chart.DayFraction, 1e-9) << c.year << '-' << c.month << '-' << c.day;
        EXPECT_NEAR(got.CenturiesT, chart.CenturiesT, 1e-13);
        EXPECT_NEAR(got.CenturiesJ2000, chart.CenturiesJ2000, 1e-13);
    }
}

TEST(CivilDateOf, NamesTheDateOfTheJulianDay) {
    EXPECT_EQ(CivilDateOf(2415020.5), "1900-01-01");
    EXPECT_EQ(CivilDateOf(2451545.0), "2000-01-01");
    EXPECT_EQ(CivilDateOf(2451544.4999), "1999-12-31");
    EXPECT_EQ(CivilDateOf(2488433.9), "2100-12-31");
}

TEST(ComparisonTable, OneRowPerBodyWithFiguresToOneDecimal) {
    BodyComparison moon{"Moon", "apparent, true equinox", {}, {}};
    moon.AtCivilTime.Add(-12.34, 2451545.0);
    moon.AtCivilTime.Add(5.0, 2451546.0);
    moon.TheoryAlone.Add(7.06, 2451545.0);
    const std::string table = ComparisonTable({moon});
    EXPECT_EQ(table,
              "| Body | Compared as | Largest \" | on | RMS \" | Theory alone: largest \" | RMS \" |\n"
              "|---|---|--:|---|--:|--:|--:|\n"
              "| Moon | apparent, true equinox | 12.3 | 2000-01-01 | 9.4 | 7.1 | 7.1 |\n");
}

}  // namespace
}  // namespace talvenor
