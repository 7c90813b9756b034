#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "arc_statistics.h"
#include "comparison.h"
#include "ephemeris/modern_chart.h"
#include "modern_comparison.h"
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

TEST(ArcStatistics, MergingIsAddingEveryDifferenceOfTheOther) {
    ArcStatistics a, b, all;
    const double da[] = {0.3, -1.2, 0.7}, db[] = {2.5, -0.1};
    for (int i = 0; i < 3; ++i) a.Add(da[i], 10.0 + i), all.Add(da[i], 10.0 + i);
    for (int i = 0; i < 2; ++i) b.Add(db[i], 20.0 + i), all.Add(db[i], 20.0 + i);
    a.Merge(b);
    EXPECT_EQ(a.Count(), 5);
    EXPECT_DOUBLE_EQ(a.Largest(), 2.5);
    EXPECT_DOUBLE_EQ(a.LargestAt(), 20.0);
    EXPECT_DOUBLE_EQ(a.Rms(), all.Rms());
    // Not the mean of the two root mean squares: 3 and 2 differences weigh 3 to 2.
    EXPECT_NEAR(a.Rms(), std::sqrt((0.09 + 1.44 + 0.49 + 6.25 + 0.01) / 5.0), 1e-12);
}

TEST(ArcStatistics, MergingKeepsItsOwnLargestOnATieAndIgnoresAnEmptyOne) {
    ArcStatistics a, b, empty;
    a.Add(-3.0, 1.0);
    b.Add(3.0, 2.0);
    a.Merge(b);
    EXPECT_DOUBLE_EQ(a.LargestAt(), 1.0);
    a.Merge(empty);
    EXPECT_EQ(a.Count(), 2);
    EXPECT_DOUBLE_EQ(a.Rms(), 3.0);
    // Into an empty summary even a zero difference comes with its instant.
    ArcStatistics c, zero;
    zero.Add(0.0, 5.0);
    c.Merge(zero);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_DOUBLE_EQ(c.LargestAt(), 5.0);
}

TEST(TwoSpanStatistics, TheFirstDayOfTheMainSpanCountsToItAndEarlierDaysApart) {
    TwoSpanStatistics s(2415020.5);
    s.Add(4.0, 2415020.4999);  // the last moment of 1899
    s.Add(1.0, 2415020.5);     // 1900-01-01 0h
    s.Add(-2.0, 2488069.0);
    EXPECT_EQ(s.Earlier().Count(), 1);
    EXPECT_DOUBLE_EQ(s.Earlier().Largest(), 4.0);
    EXPECT_EQ(s.Main().Count(), 2);
    EXPECT_DOUBLE_EQ(s.Main().Largest(), 2.0);
    EXPECT_DOUBLE_EQ(s.Main().LargestAt(), 2488069.0);
    EXPECT_DOUBLE_EQ(s.Main().Rms(), std::sqrt(2.5));

    TwoSpanStatistics other(2415020.5);
    other.Add(5.0, 2415021.0);
    other.Add(0.5, 2400000.0);
    s.Merge(other);
    EXPECT_EQ(s.Main().Count(), 3);
    EXPECT_DOUBLE_EQ(s.Main().Largest(), 5.0);
    EXPECT_EQ(s.Earlier().Count(), 2);
    EXPECT_DOUBLE_EQ(s.Earlier().Largest(), 4.0);
}

TEST(SamplePlaces, FillTheLatitudeBandOnBothSidesAndRepeat) {
    const std::vector<Place> places = SamplePlaces(400, 60.0, 21);
    ASSERT_EQ(places.size(), 400u);
    int south = 0, west = 0;
    for (const Place& p : places) {
        EXPECT_GE(p.Latitude, -60.0);
        EXPECT_LT(p.Latitude, 60.0);
        EXPECT_GE(p.LongitudeWest, -180.0);
        EXPECT_LT(p.LongitudeWest, 180.0);
        EXPECT_EQ(p.South, p.Latitude < 0) << p.Latitude;
        south += p.Latitude < 0;
        west += p.LongitudeWest > 0;
    }
    // Both hemispheres and both sides of Greenwich, near half and half.
    EXPECT_GT(south, 150);
    EXPECT_LT(south, 250);
    EXPECT_GT(west, 150);
    EXPECT_LT(west, 250);
    const auto [low, high] = std::minmax_element(
        places.begin(), places.end(), [](const Place& a, const Place& b) { return a.Latitude < b.Latitude; });
    EXPECT_LT(low->Latitude, -55.0);
    EXPECT_GT(high->Latitude, 55.0);
    const std::vector<Place> again = SamplePlaces(400, 60.0, 21);
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(again[i].Latitude, places[i].Latitude);
        EXPECT_EQ(again[i].LongitudeWest, places[i].LongitudeWest);
    }
    EXPECT_NE(SamplePlaces(1, 60.0, 22)[0].Latitude, places[0].Latitude);
}

// A row with the given differences at the same TT (main span from 1900) and at the same UT.
ModernRow RowOf(const std::string& name, AccuracyGoal goal, std::vector<std::pair<double, double>> sameTt,
                std::vector<std::pair<double, double>> sameUt) {
    ModernRow row{
        name, goal, TwoSpanStatistics(2415020.5), TwoSpanStatistics(2415020.5), TwoSpanStatistics(2415020.5),
        {}};
    for (const auto& [arcSeconds, jd] : sameTt) row.SameTt.Add(arcSeconds, jd);
    for (const auto& [arcSeconds, jd] : sameUt) row.SameUt.Add(arcSeconds, jd);
    return row;
}

TEST(ModernTable, BothSpansBothTimesWithTheGoalAndTheDateOfTheLargest) {
    ModernRow sun = RowOf("Sun", {1, 5}, {{0.114, 2451545.0}, {-0.05, 2451546.0}, {0.3, 2400000.5}},
                          {{4.666, 2451545.0}, {-0.2, 2400000.5}});
    ModernRow declinations = RowOf("Declinations", {1, 5}, {{-0.556, 2430000.5}}, {});
    declinations.LargestOf = "Moon";
    const ModernRow pluto = RowOf("Pluto", {3, 30}, {}, {});
    EXPECT_EQ(ModernTable({sun, declinations, pluto}),
              "| Point | Goal \" | 1900-2099: largest \" | on | RMS \" | 1800-1899: largest \" "
              "| Same UT, 1900-2099: largest \" | 1800-1899 \" |\n"
              "|---|--:|--:|---|--:|--:|--:|--:|\n"
              "| Sun | 1 / 5 | 0.11 | 2000-01-01 | 0.09 | 0.30 | 4.67 | 0.20 |\n"
              "| Declinations | 1 / 5 | 0.56 | 1941-01-06 (Moon) | 0.56 | 0.00 | 0.00 | 0.00 |\n"
              "| Pluto | 3 / 30 | 0.00 | - | 0.00 | 0.00 | 0.00 | 0.00 |\n");
}

TEST(MissedGoals, NamesEachRowAndSpanPastItsGoalAndOnlyThose) {
    const ModernRow met = RowOf("Moon", {1, 5}, {{1.0, 2451545.0}, {-5.0, 2400000.5}}, {{60.0, 2451545.0}});
    const ModernRow mainMissed = RowOf("Venus", {1, 5}, {{-3.06, 2454625.5}, {0.8, 2400000.5}}, {});
    const ModernRow bothMissed = RowOf("Pluto", {3, 30}, {{3.5, 2480000.5}, {31.0, 2400000.5}}, {});
    const ModernRow empty = RowOf("Midheaven", {1, 5}, {}, {});
    // At the goal is met; the same UT is not held to it.
    EXPECT_EQ(MissedGoals({met, empty}), "");
    EXPECT_EQ(MissedGoals({met, mainMissed, bothMissed, empty}),
              "Venus (1900-2099): 3.06 > 1\n"
              "Pluto (1900-2099): 3.50 > 3\n"
              "Pluto (1800-1899): 31.00 > 30\n");
}

TEST(AwayFromSunNote, ListsOnlyThePlanetsWhoseLargestLiesNearTheSun) {
    ModernRow venus = RowOf("Venus", {1, 5}, {{3.06, 2454625.5}, {0.3, 2451545.0}}, {});
    venus.AwayFromSun.Add(0.3, 2451545.0);
    ModernRow mars = RowOf("Mars", {1, 5}, {{0.26, 2451545.0}}, {});
    mars.AwayFromSun.Add(0.26, 2451545.0);  // its largest is away from the Sun: not listed
    ModernRow mercury = RowOf("Mercury", {1, 5}, {{2.18, 2431039.0}, {-0.456, 2451545.0}}, {});
    mercury.AwayFromSun.Add(-0.456, 2451545.0);
    const ModernRow moon = RowOf("Moon", {1, 5}, {{0.06, 2451545.0}}, {});
    EXPECT_EQ(AwayFromSunNote({moon, mars}), "");
    EXPECT_EQ(AwayFromSunNote({moon, mercury, venus, mars}),
              "At least 0.3 degree from the Sun, 1900-2099 largest \": Mercury 0.46, Venus 0.30.\n");
}

// The modern engine and the reference with its data files, read once for the tests below.
class ModernAgainstReference : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ModernTablesRead read = LoadModernTables(TALVENOR_EPHEMERIS_TABLES);
        ASSERT_TRUE(read.tables) << read.fault.value_or("");
        tables_ = read.tables;
        UseReferenceDataFiles(TALVENOR_SWE_DATA_FILES);
    }
    static void TearDownTestSuite() {
        swe_close();
        tables_.reset();
    }
    static std::shared_ptr<const ModernTables> tables_;
};
std::shared_ptr<const ModernTables> ModernAgainstReference::tables_;

TEST_F(ModernAgainstReference, TheReferenceSiderealTimeIsTheIau2006OneTheEngineTakes) {
    // Outside 1850-2050 the reference's own default differs from IAU 2006 by up to 0.02 s of time in
    // 1800; set to IAU 2006 it agrees with the engine's right ascension of the meridian at Greenwich.
    for (double jd : {2378496.7, 2396758.9, 2451545.3, 2488060.1}) {
        const LocalAngles angles = ModernAnglesAt(*tables_, EngineInstantAt(jd), PlaceAt(0.0, 45.0));
        ASSERT_EQ(angles.Status, EngineStatus::Sound);
        const double tt = TerrestrialTime(*tables_, jd);
        swe_set_delta_t_userdef(tt - jd);
        const double reference = swe_sidtime(jd) * 15.0;
        swe_set_delta_t_userdef(SE_DELTAT_AUTOMATIC);
        EXPECT_NEAR(SignedArcSeconds(angles.RamcRad * 180.0 / std::numbers::pi, reference), 0.0, 0.005)
            << "JD " << jd;
    }
}

TEST_F(ModernAgainstReference, AReferenceWithoutItsDataFilesStopsTheComparison) {
    const std::vector<double> one = {2451545.0};
    const std::vector<Place> place = {PlaceAt(0.0, 45.0)};
    ASSERT_FALSE(CompareModernWithReference(tables_, one, place, 2415020.5).Rows.empty());
    // Without the files the reference falls back to its analytical mode and says so in its flags.
    swe_set_ephe_path("/nonexistent");
    EXPECT_TRUE(CompareModernWithReference(tables_, one, place, 2415020.5).Rows.empty());
    UseReferenceDataFiles(TALVENOR_SWE_DATA_FILES);
    // One place for each instant.
    EXPECT_TRUE(CompareModernWithReference(tables_, {2451545.0, 2451546.0}, place, 2415020.5).Rows.empty());
}

TEST_F(ModernAgainstReference, TheFiguresStayWithinTheGoalsOrTheKnownMisses) {
    // A small sample of both spans, with the superior conjunctions where the light deflection differs.
    std::vector<double> instants = SampleInstants({2415020.5, 2488068.5, 1461.3, 40, 7});
    const std::vector<double> earlier = SampleInstants({2378496.5, 2415019.5, 1826.6, 20, 8});
    instants.insert(instants.end(), earlier.begin(), earlier.end());
    instants.push_back(2431038.75);  // 1943-11-10 6h: Mercury 0.15 degree from the Sun
    instants.push_back(2454625.75);  // 2008-06-08 6h: Venus behind the Sun's disk
    instants.push_back(2459891.5);   // 2022-11-08 0h: Mercury behind the Sun's disk
    instants.push_back(2457545.5);   // 2016-06-06 0h: Venus behind the Sun's disk
    const std::vector<Place> places = SamplePlaces(instants.size(), 60.0, 3);
    const ModernComparison got = CompareModernWithReference(tables_, instants, places, 2415020.5);
    ASSERT_EQ(got.Rows.size(), 15u);
    // The miss measured over the whole run: Pluto's sources after 2040 (up to 3.5" in longitude, 1.2" in
    // declination); limits a little above it. Every other row meets its goal, behind the Sun's disk too
    // (where the light passes through the Sun's mass), and more than 0.3 degree from the Sun's centre.
    struct Known {
        const char* name;
        double main, away;
    };
    const Known known[] = {{"Pluto", 4.0, 4.0}, {"Declinations", 1.5, 1.5}};
    for (const ModernRow& row : got.Rows) {
        double limit = row.Goal.Main, awayLimit = row.Goal.Main;
        for (const Known& k : known)
            if (row.Name == k.name) limit = k.main, awayLimit = k.away;
        EXPECT_LE(row.SameTt.Main().Largest(), limit) << row.Name;
        EXPECT_LE(row.SameTt.Earlier().Largest(), row.Goal.Earlier) << row.Name;
        EXPECT_GT(row.SameTt.Main().Count(), 0) << row.Name;
        EXPECT_GT(row.SameTt.Earlier().Count(), 0) << row.Name;
        EXPECT_LE(row.AwayFromSun.Main().Largest(), awayLimit) << row.Name;
        // The same UT adds the Delta T difference, never nothing for the Moon.
        if (row.Name == "Moon") {
            EXPECT_GT(row.SameUt.Main().Largest(), row.SameTt.Main().Largest());
        }
    }
    // The planets but not the Sun and the Moon are counted away from the Sun, most instants of them.
    EXPECT_EQ(got.Rows[0].AwayFromSun.Main().Count(), 0);
    EXPECT_EQ(got.Rows[1].AwayFromSun.Main().Count(), 0);
    EXPECT_GT(got.Rows[2].AwayFromSun.Main().Count(), got.Rows[2].SameTt.Main().Count() * 9 / 10);
    EXPECT_LT(got.Rows[2].AwayFromSun.Main().Count(), got.Rows[2].SameTt.Main().Count());
    // Delta T: the engine's observed values and the reference's agree to a few seconds before 2025; the
    // forecasts part after (Espenak and Meeus against the reference's extrapolation).
    EXPECT_LT(got.DeltaT.Earlier().Largest(), 10.0);
    EXPECT_GT(got.DeltaT.Main().Largest(), 30.0);
}

}  // namespace
}  // namespace talvenor
