#include "chart/chart.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "chart/chart_ephemeris.h"
#include "chart/chart_time.h"
#include "chart/house_systems.h"
#include "chart/midpoint_rule.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "datafiles/name_record.h"
#include "ephemeris/angles.h"

namespace talvenor {
namespace {

Birth BirthOf(const char* line) {
    const RecordBirth read = ReadRecordLineBirth(line, RegionalFormat{}, "--natal");
    EXPECT_FALSE(read.fault) << line;
    return read.birth;
}

struct KnownBirth {
    const char* line;
    HouseSystem houses;
};

// North-west, south-east, beyond the polar circle, on the equator, noon and midnight, every house system.
const KnownBirth kBirths[] = {
    {"Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52", HouseSystem::Placidus},
    {"South East,5 Sep 1990,12.30,A,-10,-151.13,-33.52", HouseSystem::Koch},
    {"Polar,21 Jun 1975,3.07,A,-1,-018.57,69.39", HouseSystem::Meridian},
    {"Eq,1 Jan 1900,12.00,A,0,000.00,0.00", HouseSystem::EqualAscendant},
    {"Noon,31 Dec 2099,12.00,P,8,122.25,-0.30", HouseSystem::Regiomontanus},
    {"Campanus,29 Feb 1600,7.45,A,0,002.20,48.52", HouseSystem::Campanus},
    {"Porphyry,1 Aug 2026,11.59,P,-5.5,-077.13,28.36", HouseSystem::Porphyry},
    {"Equal MC,7 Dec 2026,9.30,A,0,000.00,51.29", HouseSystem::EqualMidheaven},
    {"Morinus,4 Jul 1776,5.10,P,5,075.10,39.57", HouseSystem::Morinus},
};

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
            SCOPED_TRACE(k.line);
            const Birth birth = BirthOf(k.line);
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
    const Birth birth = BirthOf(kBirths[1].line);
    const ChartResult natal = ComputeChart(birth, HouseSystem::Koch, options, ChartRole::Natal);
    const ChartResult second = ComputeChart(birth, HouseSystem::Koch, options, ChartRole::Second);
    ASSERT_TRUE(natal.chart && second.chart);
    EXPECT_EQ(second.chart->MidpointCount, 0);
    EXPECT_EQ(second.chart->Lon, natal.chart->Lon);
    EXPECT_EQ(second.chart->Cusp, natal.chart->Cusp);
    EXPECT_EQ(second.chart->HouseText, natal.chart->HouseText);
    EXPECT_EQ(second.chart->TrueNode, natal.chart->TrueNode);
}

TEST(ComputeChartTest, EightThreadsAtOnceFindTheSameChartsAsOne) {
    const Options options = DefaultOptions();
    std::vector<Birth> births;
    std::vector<Chart> expected;
    for (const KnownBirth& k : kBirths) {
        births.push_back(BirthOf(k.line));
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
                << "thread " << t << ", " << kBirths[b].line;
        }
    }
}

TEST(ComputeChartTest, AFaultComesBackAsTheFaultWithoutAChart) {
    const Options options = DefaultOptions();
    // A latitude beyond single precision: the time routine meets a value that is not finite.
    Birth birth = BirthOf(kBirths[0].line);
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
