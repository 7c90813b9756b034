#include "chart/chart.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "chart/chart_ephemeris.h"
#include "chart/chart_state.h"
#include "chart/chart_time.h"
#include "chart/house_systems.h"
#include "chart/midpoint_rule.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "ephemeris/angles.h"

namespace talvenor {
namespace {

struct KnownBirth {
    const char* name;
    int year, month, day, hour, minute;
    bool pm;
    double zone;
    int lonDeg, lonMin;
    bool east;
    int latDeg, latMin;
    bool south;
    HouseSystem houses;
};

// North-west, south-east, beyond the polar circle, on the equator, noon and midnight, every house system.
const KnownBirth kBirths[] = {
    {"Sample Person", 1962, 3, 14, 10, 15, true, 6, 87, 39, false, 41, 52, false, HouseSystem::Placidus},
    {"South East", 1990, 9, 5, 12, 30, false, -10, 151, 13, true, 33, 52, true, HouseSystem::Koch},
    {"Polar", 1975, 6, 21, 3, 7, false, -1, 18, 57, true, 69, 39, false, HouseSystem::Meridian},
    {"Equator", 1900, 1, 1, 12, 0, false, 0, 0, 0, false, 0, 0, false, HouseSystem::EqualAscendant},
    {"Noon", 2099, 12, 31, 12, 0, true, 8, 122, 25, false, 0, 30, true, HouseSystem::Regiomontanus},
    {"Leap day", 1600, 2, 29, 7, 45, false, 0, 2, 20, true, 48, 52, false, HouseSystem::Campanus},
    {"Half zone", 2026, 8, 1, 11, 59, true, -5.5, 77, 13, true, 28, 36, false, HouseSystem::Porphyry},
    {"Greenwich", 2026, 12, 7, 9, 30, false, 0, 0, 0, false, 51, 29, false, HouseSystem::EqualMidheaven},
    {"Morinus", 1776, 7, 4, 5, 10, true, 5, 75, 10, false, 39, 57, false, HouseSystem::Morinus},
};

Birth BirthOf(const KnownBirth& k) {
    Birth b;
    b.name = k.name;
    b.year = GivenNumber(k.year), b.month = GivenNumber(k.month), b.day = GivenNumber(k.day);
    b.hour = GivenNumber(k.hour), b.minute = GivenNumber(k.minute), b.pm = k.pm;
    b.zone = GivenNumber(k.zone);
    b.longitudeDegrees = GivenNumber(k.lonDeg), b.longitudeMinutes = GivenNumber(k.lonMin), b.east = k.east;
    b.latitudeDegrees = GivenNumber(k.latDeg), b.latitudeMinutes = GivenNumber(k.latMin), b.south = k.south;
    b.dateText = std::to_string(k.month) + "/" + std::to_string(k.day) + "/" + std::to_string(k.year);
    b.source = "the test";
    return b;
}

// The chart as the pass's steps give it on a chart state of the old shape, one step after the other: the
// time routine, the houses, the ephemeris, the house placements, the declinations of the points on the
// ecliptic, the solstice points and the midpoints. ComputeChart must find exactly these values.
void ExpectTheStepsGive(const Chart& chart, const Birth& birth, HouseSystem houses, const Options& options) {
    ChartState st;
    TransferNatalBirth(birth, st);
    st.HouseSystemCode = std::string(CodeOfHouseSystem(houses));
    ASSERT_FALSE(ComputeChartTime(st));
    const PassTimeOutputs time = st.CurrentTimeOutputs();
    EXPECT_EQ(ComputeHouseCusps(st), EngineStatus::Sound);
    ASSERT_FALSE(ComputeEphemeris(st));
    PlaceHouses(st);

    EXPECT_EQ(chart.time, time);
    EXPECT_EQ(chart.CenturiesTNextDay, st.CenturiesT);
    for (std::size_t h = 1; h <= 12; ++h) EXPECT_EQ(chart.Cusp[h], st.HouseCusp[h]) << "cusp " << h;
    for (std::size_t p = 1; p <= kPointCount; ++p) {
        EXPECT_EQ(chart.Lon[p], st.PointLon[p]) << "point " << p;
        EXPECT_EQ(chart.EclLat[p], st.PointEclLat[p]) << "point " << p;
        EXPECT_EQ(chart.LonNextDay[p], st.PointLonNextDay[p]) << "point " << p;
        const double decl =
            p >= kNorthNode ? Declination(st.PointLon[p], 0.0, -st.ObliquityRad) : st.PointDecl[p];
        EXPECT_EQ(chart.Decl[p], decl) << "point " << p;
        EXPECT_EQ(chart.SolsticePt[p], SolsticePoint(st.PointLon[p], options)) << "point " << p;
    }
    EXPECT_EQ(chart.RetroFlags, st.RetroFlags);
    EXPECT_EQ(chart.HouseText, st.PointHouseText);
    EXPECT_EQ(chart.MeanNode, st.MeanNode);
    EXPECT_EQ(chart.TrueNode, st.TrueNode);
    EXPECT_EQ(chart.TrueNodeDecl, Declination(st.TrueNode, 0.0, -st.ObliquityRad));
    EXPECT_EQ(chart.MoonDeclNextDay, st.MoonDeclNextDay);
    EXPECT_EQ(chart.Vertex(), st.Vertex);
    EXPECT_EQ(chart.PolarAsc(), st.PolarAscendant);

    // Pair (i, j) of the thirteen factors, the node as option 161 chooses it.
    EXPECT_EQ(chart.MidpointCount, 78);
    const double node = options[161] != 0 ? st.TrueNode : st.MeanNode;
    EXPECT_EQ(chart.MidpointFactor[11], node);
    EXPECT_EQ(chart.MidpointFactor[13], st.Midheaven);
    EXPECT_EQ(chart.MidpointFactor[17], st.PolarAscendant);
    EXPECT_EQ(chart.MidpointLon[MidpointPairIndex(1, 2)], MidpointOf(st.PointLon[kSun], st.PointLon[kMoon]));
    EXPECT_EQ(chart.MidpointLon[MidpointPairIndex(11, 12)], MidpointOf(node, st.Ascendant));
    EXPECT_EQ(chart.MidpointLon[78], MidpointOf(st.Ascendant, st.Midheaven));
}

TEST(ComputeChartTest, EveryTableIsWhatThePassStepsGiveForKnownBirths) {
    Options options = DefaultOptions();
    for (const float trueNode : {0.0f, 1.0f}) {
        options[161] = trueNode;
        for (const KnownBirth& k : kBirths) {
            SCOPED_TRACE(k.name);
            const Birth birth = BirthOf(k);
            const ChartResult result = ComputeChart(birth, k.houses, options);
            ASSERT_FALSE(result.fault) << result.fault->Message();
            ASSERT_TRUE(result.chart);
            EXPECT_EQ(result.chart->birth, birth);
            EXPECT_EQ(result.chart->houseSystem, k.houses);
            ExpectTheStepsGive(*result.chart, birth, k.houses, options);
        }
    }
}

TEST(ComputeChartTest, TheSecondChartHasNoMidpointTableAndTheSamePositions) {
    const Options options = DefaultOptions();
    const Birth birth = BirthOf(kBirths[1]);
    const ChartResult natal = ComputeChart(birth, HouseSystem::Koch, options, ChartRole::Natal);
    const ChartResult second = ComputeChart(birth, HouseSystem::Koch, options, ChartRole::Second);
    ASSERT_TRUE(natal.chart && second.chart);
    EXPECT_EQ(second.chart->MidpointCount, 0);
    EXPECT_EQ(second.chart->Lon, natal.chart->Lon);
    EXPECT_EQ(second.chart->Cusp, natal.chart->Cusp);
    EXPECT_EQ(second.chart->HouseText, natal.chart->HouseText);
    EXPECT_EQ(second.chart->TrueNode, natal.chart->TrueNode);
}

TEST(ComputeChartTest, TheUranianFactorsAddTheHypotheticalPointsAndChangeNothingElse) {
    const Options options = DefaultOptions();
    for (const KnownBirth& k : kBirths) {
        SCOPED_TRACE(k.name);
        const Birth birth = BirthOf(k);
        for (const ChartRole role : {ChartRole::Natal, ChartRole::Second}) {
            const ChartResult classic = ComputeChart(birth, k.houses, options, role);
            const ChartResult uranian =
                ComputeChart(birth, k.houses, options, role, SkyEngine(), FactorSet::Uranian);
            ASSERT_TRUE(classic.chart && uranian.chart);
            EXPECT_EQ(classic.chart->factors, FactorSet::Classic);
            EXPECT_EQ(classic.chart->UranianLon, (std::array<double, 9>{}));
            EXPECT_EQ(uranian.chart->factors, FactorSet::Uranian);
            // The points of the chart's instant, as the engine gives them; the Aries point at 0.
            const UranianPlaces points = SkyEngine().UranianAt(
                InstantOf(classic.chart->time.JulianDayNumber, classic.chart->time.DayFraction));
            EXPECT_EQ(uranian.chart->UranianLon[0], 0);
            for (std::size_t i = 0; i < kUranianPoints; ++i) {
                EXPECT_EQ(uranian.chart->UranianLon[i + 1], points[i].longitude) << i;
                EXPECT_EQ(uranian.chart->UranianDecl[i + 1], points[i].declination) << i;
                EXPECT_EQ(uranian.chart->UranianSpeed[i + 1], points[i].longitudeSpeed) << i;
            }
            Chart same = *uranian.chart;
            same.factors = FactorSet::Classic;
            same.UranianLon = {};
            same.UranianDecl = {};
            same.UranianSpeed = {};
            EXPECT_EQ(same, *classic.chart);
        }
    }
}

TEST(ComputeChartTest, EightThreadsAtOnceFindTheSameChartsAsOne) {
    const Options options = DefaultOptions();
    std::vector<Birth> births;
    std::vector<Chart> expected;
    for (const KnownBirth& k : kBirths) {
        births.push_back(BirthOf(k));
        expected.push_back(*ComputeChart(births.back(), k.houses, options).chart);
    }
    constexpr int kThreads = 8;
    constexpr int kRounds = 20;
    std::vector<std::vector<Chart>> found(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            // Each thread starts at another birth, so that different charts are computed at the same time.
            for (int round = 0; round < kRounds; ++round) {
                for (std::size_t i = 0; i < births.size(); ++i) {
                    const std::size_t b = (i + static_cast<std::size_t>(t)) % births.size();
                    ChartResult r = ComputeChart(births[b], kBirths[b].houses, options);
                    if (round == kRounds - 1 && r.chart)
                        found[static_cast<std::size_t>(t)].push_back(*r.chart);
                }
            }
        });
    }
    for (std::thread& t : threads) t.join();
    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(found[static_cast<std::size_t>(t)].size(), births.size()) << "thread " << t;
        for (std::size_t i = 0; i < births.size(); ++i) {
            const std::size_t b = (i + static_cast<std::size_t>(t)) % births.size();
            EXPECT_TRUE(found[static_cast<std::size_t>(t)][i] == expected[b])
                << "thread " << t << ", " << kBirths[b].name;
        }
    }
}

TEST(ComputeChartTest, AFaultComesBackAsTheFaultWithoutAChart) {
    const Options options = DefaultOptions();
    // A latitude beyond single precision: the time routine meets a value that is not finite.
    Birth birth = BirthOf(kBirths[0]);
    birth.latitudeDegrees = GivenNumber(1e39);
    for (const ChartRole role : {ChartRole::Natal, ChartRole::Second}) {
        const ChartResult result = ComputeChart(birth, HouseSystem::Meridian, options, role);
        EXPECT_FALSE(result.chart);
        ASSERT_TRUE(result.fault);
        EXPECT_EQ(result.fault->routine, "the time and angle computation");
        EXPECT_NE(result.fault->Message().find("could not be computed"), std::string::npos);
    }
}

}  // namespace
}  // namespace talvenor
