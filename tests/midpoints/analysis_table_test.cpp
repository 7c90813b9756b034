#include "midpoints/analysis_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart/point_catalogue.h"
#include "midpoints/midpoint_test_support.h"

namespace talvenor {
namespace {

using midpoint_test::SetDiurnalFactors;
using midpoint_test::SetNatalFactors;

TEST(AnalysisTableTest, PairsAreNumberedInBlocksOfTwelveElevenAndSoOn) {
    struct Case {
        int m, i, j;
    };
    const Case cases[] = {{1, 1, 2},    {12, 1, 13},  {13, 2, 3},   {24, 3, 4}, {31, 3, 11}, {43, 5, 6},
                          {76, 11, 12}, {77, 11, 13}, {78, 12, 13}, {0, 0, 0},  {79, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m);
        EXPECT_EQ(PairFactors(c.m), std::make_pair(c.i, c.j));
    }
    // Every pair once, in the order (1,2) ... (1,13), (2,3) ... (12,13), matching the MidpointLon index.
    std::pair<int, int> previous{1, 1};
    for (int m = 1; m <= kPairCount; ++m) {
        const auto [i, j] = PairFactors(m);
        SCOPED_TRACE(m);
        EXPECT_LT(i, j);
        EXPECT_LT(previous, std::make_pair(i, j));
        EXPECT_EQ(MidpointPairIndex(i, j), m);
        previous = {i, j};
    }
}

TEST(AnalysisTableTest, TheUranianPairsAreNumberedTheSameWayOverTwentyTwoFactors) {
    struct Case {
        int m, i, j;
    };
    const Case cases[] = {{1, 1, 2},     {21, 1, 22},   {22, 2, 3},    {12, 1, 13}, {13, 1, 14},
                          {187, 13, 14}, {231, 21, 22}, {230, 20, 22}, {0, 0, 0},   {232, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m);
        EXPECT_EQ(PairFactors(c.m, 22), std::make_pair(c.i, c.j));
    }
    std::pair<int, int> previous{1, 1};
    int count = 0;
    for (int m = 1; m <= PairCountOf(FactorSet::Uranian); ++m) {
        const auto [i, j] = PairFactors(m, 22);
        ASSERT_LT(i, j) << m;
        ASSERT_LT(previous, std::make_pair(i, j)) << m;
        previous = {i, j};
        ++count;
    }
    EXPECT_EQ(count, 231);
    EXPECT_EQ(previous, std::make_pair(21, 22));
}

TEST(AnalysisTableTest, TheUranianTableAddsTheAriesPointAndTheEightPointsAfterTheThirteen) {
    Chart natal;
    midpoint_test::SetUranianFactors(natal, 100,
                                     {{1, 10}, {2, 190}, {13, 300}, {14, 0}, {15, 350}, {22, 20}});
    const AnalysisTable t = NatalAnalysisTable(natal, Options{});
    EXPECT_EQ(t.set, FactorSet::Uranian);
    EXPECT_EQ(t.FactorCount(), 22);
    EXPECT_EQ(t.PairCount(), 231);
    EXPECT_EQ(t.EntryCount(), 253);
    EXPECT_EQ(t.Lon[1], 10);
    EXPECT_EQ(t.Lon[13], 300);
    EXPECT_EQ(t.Lon[14], 0);    // the Aries point
    EXPECT_EQ(t.Lon[15], 350);  // Cupido
    EXPECT_EQ(t.Lon[22], 20);   // Poseidon
    // Every midpoint under its pair's label, on the shorter arc.
    for (int m = 1; m <= t.PairCount(); ++m) {
        const auto [i, j] = t.Pair(m);
        const auto e = static_cast<std::size_t>(22 + m);
        double d = std::fabs(t.Lon[static_cast<std::size_t>(i)] - t.Lon[static_cast<std::size_t>(j)]);
        if (d > 180) d = 360 - d;
        const double toFirst =
            std::fabs(std::remainder(t.Lon[e] - t.Lon[static_cast<std::size_t>(i)], 360.0));
        EXPECT_NEAR(toFirst, d / 2, 1e-9) << m;
    }
    const std::pair<int, const char*> labels[] = {{14, "ARIES PT "}, {15, "CUPIDO   "}, {22, "POSEIDON "},
                                                  {23, "SUN/MOO  "}, {35, "SUN/ARI  "}, {190, "NN /ARI  "},
                                                  {253, "VUL/POS  "}};
    for (const auto& [e, label] : labels) EXPECT_EQ(t.Label[static_cast<std::size_t>(e)], label) << e;
    EXPECT_EQ(t.Lon[35], 5);    // SUN/ARI: 10 and 0
    EXPECT_EQ(t.Lon[36], 0);    // SUN/CUP across 0 degrees
    EXPECT_EQ(t.Lon[253], 60);  // VUL/POS: 100 and 20
    // The classic table of the same chart is the first thirteen factors and their own 78 midpoints.
    Chart classic = natal;
    classic.factors = FactorSet::Classic;
    const AnalysisTable c = NatalAnalysisTable(classic, Options{});
    EXPECT_EQ(c.EntryCount(), 91);
    for (int m = 1; m <= 78; ++m) {
        const auto [i, j] = c.Pair(m);
        const int uranianPair = (i - 1) * (44 - i) / 2 + (j - i);
        EXPECT_EQ(c.Lon[static_cast<std::size_t>(13 + m)], t.Lon[static_cast<std::size_t>(22 + uranianPair)])
            << m;
    }
}

TEST(AnalysisTableTest, TheHypotheticalPointsAreRetrogradeByTheirMotionAndTheAriesPointNever) {
    Chart natal;
    midpoint_test::SetUranianFactors(natal, 100);
    natal.UranianSpeed[1] = -0.002;  // Cupido
    natal.RetroFlags[2] = 'R';       // Venus, point 3
    EXPECT_TRUE(FactorRetrograde(natal, 15));
    EXPECT_FALSE(FactorRetrograde(natal, 16));
    EXPECT_FALSE(FactorRetrograde(natal, 14));
    EXPECT_TRUE(FactorRetrograde(natal, 4));   // Venus
    EXPECT_FALSE(FactorRetrograde(natal, 1));  // the Sun
    natal.factors = FactorSet::Classic;
    EXPECT_FALSE(FactorRetrograde(natal, 15));
}

TEST(AnalysisTableTest, HoldsFactorsInFactorOrderThenMidpointsOnTheShorterArc) {
    Chart natal;
    SetNatalFactors(natal, 100, {{1, 10}, {2, 190}, {3, 359}, {4, 0}, {5, 350}, {6, 20}});
    const AnalysisTable t = BuildAnalysisTables(natal, Chart{}, Options{}, kNatalMode).table;
    for (std::size_t e = 1; e <= kAnalysisCount; ++e)
        EXPECT_EQ(NatalAnalysisTable(natal, Options{}).Lon[e], t.Lon[e]);

    EXPECT_EQ(t.Lon[2], 190);  // the Moon is factor 2 although it is point 10
    EXPECT_EQ(t.Lon[3], 359);
    EXPECT_EQ(t.Lon[14], 100);    // SUN/MOO: exactly opposite keeps the plain mean
    EXPECT_EQ(t.Lon[37], 359.5);  // MER/VEN across 0 degrees
    EXPECT_EQ(t.Lon[56], 5);      // MAR/JUP
    EXPECT_EQ(t.Lon[91], 100);    // ASC/MC

    const std::pair<int, const char*> labels[] = {{1, "SUN      "},  {11, "NN       "}, {13, "MC       "},
                                                  {14, "SUN/MOO  "}, {44, "MER/NN   "}, {89, "NN /ASC  "},
                                                  {91, "ASC/MC   "}};
    for (const auto& [e, label] : labels) EXPECT_EQ(t.Label[static_cast<std::size_t>(e)], label) << e;
}

TEST(AnalysisTableTest, NatalNodeFollowsOption161AndTheSecondChartKeepsItsOwnNode) {
    Chart natal, second;
    SetNatalFactors(natal, 0);
    natal.Lon[kNorthNode] = 11;
    natal.MeanNode = 22;
    natal.TrueNode = 33;
    SetDiurnalFactors(second, 0, {{11, 44}});
    second.MeanNode = 55;
    second.TrueNode = 66;

    Options meanNode, trueNode;
    trueNode[161] = 1;
    EXPECT_EQ(BuildAnalysisTables(natal, second, meanNode, kNatalMode).table.Lon[11], 22);
    EXPECT_EQ(BuildAnalysisTables(natal, second, trueNode, kNatalMode).table.Lon[11], 33);

    const AnalysisTables transit = BuildAnalysisTables(natal, second, trueNode, kTransitMode);
    EXPECT_EQ(transit.table.Lon[11], 44);
    EXPECT_EQ(transit.natal.Lon[11], 33);
    EXPECT_EQ(transit.natal.Label[91], "ASC/MC   ");
}

TEST(AnalysisTableTest, HardAspectBoundsCountAndDeviationsRoundToTenths) {
    Options options;
    options[33] = 8.3f;  // not exact in binary: the bounds must meet d computed from the same option
    options[34] = 1.5f;
    options[35] = 0.75f;
    const double o1 = options[33];
    struct Case {
        double d;
        int k;  // 0: no aspect
        double deviation;
    };
    const Case cases[] = {
        {180 - o1, 6, 8.3}, {180 - o1 - 0.001, 0, 0}, {o1, 2, 8.3},     {o1 + 0.001, 0, 0},
        {0, 2, 0},          {91.25, 4, 1.3},          {91.249, 4, 1.2}, {90 + o1 + 1e-9, 4, 8.3},
        {46.5, 9, 1.5},     {133.5, 10, 1.5},         {23.25, 17, 0.8}, {22.5 + 0.75 + 1e-9, 0, 0},
        {66.8, 18, 0.7},    {112.5, 19, 0},           {158.2, 20, 0.7}, {60, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.d);
        const std::optional<HardAspect> hit = HardAspectTest(c.d, options);
        if (c.k == 0) {
            EXPECT_FALSE(hit);
            continue;
        }
        ASSERT_TRUE(hit);
        EXPECT_EQ(hit->k, c.k);
        EXPECT_NEAR(hit->deviation, c.deviation, 1e-12);
    }
    EXPECT_DOUBLE_EQ(RoundToTenths(1.25), 1.3);
    EXPECT_DOUBLE_EQ(RoundToTenths(1.249), 1.2);
}

}  // namespace
}  // namespace talvenor
