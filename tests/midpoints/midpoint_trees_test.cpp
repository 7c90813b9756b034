#include "midpoints/midpoint_trees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "chart/point_catalogue.h"
#include "midpoints/analysis_table.h"

namespace talvenor {
namespace {

struct RecordedProgress : ProgressReporter {
    std::vector<std::string> calls;
    void Load() override { calls.push_back("Load"); }
    void Clear() override { calls.push_back("Clear"); }
    void ShowProgress(int done, int total) override {
        calls.push_back(std::to_string(done) + "/" + std::to_string(total));
    }
    void Unload() override { calls.push_back("Unload"); }
};

using Factors = std::array<double, 13>;  // Sun, Moon, Mercury ... Pluto, node, Ascendant, Midheaven

void SetFactors(PointArray& lon, const Factors& f) {
    for (int i = 1; i <= kFactorCount; ++i) lon[static_cast<std::size_t>(FactorOf(i).point)] = f[i - 1];
}

const std::string kSun = "     SUN          ";
const std::string kMoo = "     MOO          ";

constexpr double k1d23 = 1 + 23.0 / 60;
// The Moon/Venus midpoint stands 1°23' ahead of the Sun, retrograde Mercury 0°45' behind it.
constexpr Factors kNatal = {100, 130 + k1d23, 99.25, 70 + k1d23, 200, 233, 262, 291, 320, 349, 13, 40, 178};

struct TreeRun {
    Chart natal, second;
    Options options;
    ReportBuffer report;
    RecordedProgress progress;

    explicit TreeRun(const Factors& natalFactors) {
        SetFactors(natal.Lon, natalFactors);
        natal.MeanNode = natalFactors[10];
        natal.RetroFlags[kMercury - 1] = 'R';
        options[40] = 1.5;
    }
    std::vector<std::string> Page(float modulus, std::int16_t mode) {
        WriteTreeReport(natal, second, options, modulus, mode, report, progress);
        return {report.PageLines.begin(), report.PageLines.begin() + report.PageLineCount};
    }
};

TEST(MidpointTreesTest, DialOrbIsSignedDistanceAcrossTheDialsZero) {
    struct Case {
        double focal, candidate;
        float modulus, orbOption;
        std::optional<double> orb;
    };
    // The last case: the close test hits (0.8 ahead), then the wrap test turns it into 1.2 behind.
    const Case cases[] = {{10, 54, 45, 1.5, -1},      {0.5, 44.5, 45, 1.5, -1},  {44.5, 0.5, 45, 1.5, 1},
                          {10, 11.5, 360, 1.5, 1.5},  {359.5, 0.5, 360, 1.5, 1}, {10, 12, 360, 1.5, {}},
                          {10, 190, 360, 1.5, {}},    {20, 23, 45, 1.5, {}},     {100.5, 10.5, 90, 1.5, -0.0},
                          {0.25, 0.9, 1, 0.5, -0.35}, {0.9, 0.1, 1, 0.5, 0.2},   {0.2, 1.0, 2, 1.5, -1.2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.focal << " / " << c.candidate << " mod " << c.modulus);
        const auto orb = TreeDialOrb(c.focal, c.candidate, c.modulus, c.orbOption);
        ASSERT_EQ(orb.has_value(), c.orb.has_value());
        EXPECT_NEAR(orb.value_or(0), c.orb.value_or(0), 1e-9);
    }
}

TEST(MidpointTreesTest, OrbTextShowsSignDegreesAndMinutes) {
    const std::pair<double, const char*> cases[] = {
        {k1d23, " 1°23'"},  {-0.75, "-0°45'"}, {0.75, " 0°45'"},   {-(1 + 5.0 / 60), "-1°05'"},
        {-0.004, " 0°00'"}, {-0.0, " 0°00'"},  {-12.5, "-12°30'"}, {12.25, " 12°15'"},
    };
    for (const auto& [orb, text] : cases) {
        SCOPED_TRACE(orb);
        EXPECT_EQ(TreeOrbText(orb), text);
    }
}

TEST(MidpointTreesTest, OrbTextRoundsToTheWholeMinuteBeforeSplittingDegrees) {
    const std::pair<double, const char*> cases[] = {
        {1.99999, " 2°00'"},  // 119.9994 minutes are two degrees, never " 1°60'" or " 1°59'"
        {1.9999, " 2°00'"},  {-1.99999, "-2°00'"}, {9.99999, " 10°00'"},
        {0.99999, " 1°00'"}, {1.99, " 1°59'"},  // 119.4 minutes stay below two degrees
        {-0.006, " 0°00'"},                     // rounds to no minute: no minus
        {-0.0084, "-0°01'"},                    // -0.504 minutes round away from zero
        {0.0083, " 0°00'"},  {0.00834, " 0°01'"},
    };
    for (const auto& [orb, text] : cases) {
        SCOPED_TRACE(orb);
        EXPECT_EQ(TreeOrbText(orb), text);
    }
}

TEST(MidpointTreesTest, NatalTreesListEntriesBelowEachOtherWithoutTheFocalFactor) {
    TreeRun run(kNatal);
    const std::vector<std::string> expected = {
        "",
        "     SUN          ",
        "    MO/VE    1°23'",
        "    SU/ME R -0°23'",
        "  R -MER-   -0°45'",
        "",
        "     MOO          ",
        "",
        "     MER R        ",
        "    -SUN-    0°45'",
        "    SU/ME R  0°23'",
        "",
    };
    const auto page = run.Page(360, kNatalMode);
    ASSERT_GE(page.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(page.begin(), page.begin() + 12), expected);
    EXPECT_EQ(page.back(), "");
    EXPECT_EQ(std::count(page.begin(), page.end(), ""), 14);

    std::vector<std::string> calls = {"Load"};
    for (int p = 1; p <= 13; ++p) calls.push_back(std::to_string(p) + "/13");
    calls.push_back("Unload");
    EXPECT_EQ(run.progress.calls, calls);
}

TEST(MidpointTreesTest, PositionsWidenEveryLineToThirtyCharacters) {
    TreeRun run(kNatal);
    run.options[60] = 1;
    const auto page = run.Page(360, kNatalMode);
    const std::vector<std::string> expected = {
        "  (10 CAN 00)    SUN          ", "  (11 CAN 23)   MO/VE    1°23'", "  (09 CAN 38)   SU/ME R -0°23'",
        "  (09 CAN 15) R -MER-   -0°45'"};
    EXPECT_EQ(std::vector<std::string>(page.begin() + 1, page.begin() + 5), expected);
}

TEST(MidpointTreesTest, TransitTreesTakeHeaderMarksFromTheSecondChartAndEntriesFromTheNatal) {
    TreeRun run(kNatal);
    SetFactors(run.second.Lon, {100.5, 10, 250, 260, 270, 280, 290, 300, 310, 320, 330, 340, 350});
    run.second.RetroFlags[kVenus - 1] = 'R';
    const auto page = run.Page(360, kTransitMode);
    const std::vector<std::string> expected = {"   Tr. SUN        ", "    MO/VE    0°53'",
                                               "    -SUN-   -0°30'", "    SU/ME R -0°53'",
                                               "  R -MER-   -1°15'"};
    EXPECT_EQ(std::vector<std::string>(page.begin() + 1, page.begin() + 6), expected);
    EXPECT_NE(std::find(page.begin(), page.end(), "   Tr. MER        "), page.end());
    EXPECT_NE(std::find(page.begin(), page.end(), "   Tr. VEN R      "), page.end());
}

TEST(MidpointTreesTest, EqualOrbsEndWhereTheExchangeSortLeavesThem) {
    TreeRun run({300, 100.5, 20, 45, 100.5, 60, 142, 200, 230, 250, 330, 10, 280});
    SetFactors(run.second.Lon, {100, 10, 250, 260, 270, 280, 290, 300, 310, 320, 330, 340, 350});
    const auto page = run.Page(360, kTransitMode);
    const std::vector<std::string> expected = {"    JU/SA    1°00'", "    -MAR-    0°30'",
                                               "    MO/MA    0°30'", "    -MOO-    0°30'"};
    EXPECT_EQ(std::vector<std::string>(page.begin() + 2, page.begin() + 6), expected);
}

TEST(MidpointTreesTest, ColumnsAreGroupedToThePageWidth) {
    struct Case {
        float width, gap;
        std::size_t lines;  // page lines: the opening blank, the row lines and a blank after each group
    };
    const Case cases[] = {{400, 0, 6}, {62, 3, 25}, {61, 2.5, 19}, {10, 2, 41}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        TreeRun run(kNatal);
        run.options[65] = 1;
        run.options[66] = c.width;
        run.options[67] = c.gap;
        const auto page = run.Page(360, kNatalMode);
        EXPECT_EQ(page.size(), c.lines);
        EXPECT_EQ(run.options[67], std::max(c.gap, 2.0f));
        if (c.width == 400) {  // all 13 columns side by side; only the last column of a row goes unpadded
            EXPECT_EQ(page[1].substr(0, 36), kSun + kMoo);
            EXPECT_EQ(page[4], "  R -MER-   -0°45'" + std::string(11 * 18, ' '));
        }
        if (c.width == 62) {
            EXPECT_EQ(page[1], kSun + " " + kMoo);
            EXPECT_EQ(page[2], "    MO/VE    1°23' ");
            EXPECT_EQ(page[6], "     MER R        " + std::string(" ") + "     VEN          ");
        }
    }
}

TEST(MidpointTreesTest, ColumnsShowTheHeaderAndThirtyEntriesAtMost) {
    TreeRun run(kNatal);
    run.options[40] = 0.5;  // on a dial of one degree every candidate is within orb: 90 entries a tree
    run.options[65] = 1;
    run.options[66] = 400;
    EXPECT_EQ(run.Page(1, kNatalMode).size(), 1u + 31 + 1);
}

TEST(MidpointTreesTest, WideOrbLinesKeepTheNextColumnInLine) {
    TreeRun run({100, 111, 200, 205, 210, 215, 220, 225, 230, 235, 240, 245, 250});
    run.options[40] = 12;
    run.options[65] = 1;
    run.options[66] = 45;
    const auto page = run.Page(360, kNatalMode);
    EXPECT_EQ(page[1], kSun + " " + kMoo);  // the header is one narrower than the column
    EXPECT_EQ(page[2], "    -MOO-    11°00'" + std::string("    SU/MO   -5°30'"));
    EXPECT_EQ(page[3], "    SU/MO    5°30' " + std::string("    -SUN-   -11°00'"));
}

TEST(MidpointTreesTest, ColumnSwitchOtherThanZeroOrOnePrintsNoTrees) {
    TreeRun run(kNatal);
    run.options[65] = 2;
    EXPECT_EQ(run.Page(360, kNatalMode), std::vector<std::string>{""});
    EXPECT_EQ(run.progress.calls.size(), 15u);
}

}  // namespace
}  // namespace talvenor
