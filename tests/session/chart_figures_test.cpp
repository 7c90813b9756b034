// The chart figures against the pages of the real chart computation: the wheel's aspect lines are the
// natal grid's list, the biwheel shows both computed charts, and the dial's panel at a factor's place
// lists exactly that factor's midpoint tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart/point_catalogue.h"
#include "chart/wheel_layout.h"
#include "midpoints/analysis_table.h"
#include "midpoints/dial_panel.h"
#include "midpoints/midpoint_test_support.h"
#include "midpoints/midpoint_trees.h"
#include "session/computed_charts.h"
#include "session/midpoint_commands.h"

namespace talvenor {
namespace {

// The signed shift from a to b the shorter way round the circle.
double Shift(double from, double to, double circumference) {
    double d = std::fmod(to - from, circumference);
    if (d > circumference / 2) d -= circumference;
    if (d < -circumference / 2) d += circumference;
    return d;
}

// The grid's aspect list of the natal data page, as point pairs: the lines under its heading.
std::vector<std::pair<int, int>> ListedPairs(const std::string& page) {
    std::vector<std::pair<int, int>> pairs;
    std::istringstream in(page);
    std::string line;
    bool inList = false;
    auto pointOf = [](const std::string& name) {
        for (int p = 1; p <= kPointCount; ++p) {
            if (PointNameField(p) == name) return p;
        }
        return 0;
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find("Planet    Planet    Separation") != std::string::npos) {
            inList = true;
            continue;
        }
        if (!inList) continue;
        if (line.size() < 22) break;
        pairs.push_back({pointOf(line.substr(2, 10)), pointOf(line.substr(12, 10))});
    }
    return pairs;
}

TEST(WheelLayoutTest, AspectLinesAreTheNatalGridsAspectList) {
    const struct {
        const char* page;
        testing_support::ChartRecords records;
        const char* house;
    } charts[] = {
        {"sample-placidus-natal-data.txt", testing_support::kSampleCharts[0], "P"},
        {"delhi-regiomontanus-natal-data.txt", testing_support::kSampleCharts[2], "R"},
    };
    for (const auto& c : charts) {
        testing_support::ComputedChart chart(c.records, c.house);
        std::ifstream in(std::filesystem::path(TALVENOR_TEST_DATA_DIR) / "pages" / c.page, std::ios::binary);
        std::stringstream page;
        page << in.rdbuf();
        const std::vector<std::pair<int, int>> expected = ListedPairs(page.str());
        ASSERT_GT(expected.size(), 5u) << c.page;
        const std::vector<WheelAspect> lines =
            GridAspects(chart.session.natalChart.Lon, chart.session.options);
        std::vector<std::pair<int, int>> drawn;
        for (const WheelAspect& a : lines) drawn.push_back({a.a, a.b});
        EXPECT_EQ(drawn, expected) << c.page;
    }
}

TEST(WheelLayoutTest, BiwheelHasBothRingsSpreadApartWithTheirTrueLongitudes) {
    testing_support::ComputedChart chart(testing_support::kSampleCharts[0]);
    const Chart& natal = chart.session.natalChart;
    const Chart& second = chart.session.secondChart;
    const WheelLayout biwheel =
        BuildWheelLayout(natal, second, chart.session.options, chart.session.regional, true, 8, 6);
    ASSERT_EQ(biwheel.natal.size(), 15u);
    ASSERT_EQ(biwheel.second.size(), 15u);
    EXPECT_EQ(biwheel.title, "Sample Person");
    EXPECT_EQ(biwheel.subtitle, "14 Mar 1962  TZ = 6.0  10.15 P.M.  41.52 NORTH  87.39 WEST");
    EXPECT_EQ(biwheel.houseSystem, "Placidus");
    EXPECT_FALSE(biwheel.secondSubtitle.empty());
    EXPECT_EQ(biwheel.ascendant, natal.Lon[kAscendant]);
    EXPECT_EQ(biwheel.cusps, natal.Cusp);
    for (const auto* ring : {&biwheel.natal, &biwheel.second}) {
        const double gap = ring == &biwheel.natal ? 8 : 6;
        for (std::size_t i = 0; i < ring->size(); ++i) {
            const WheelPoint& p = (*ring)[i];
            EXPECT_EQ(p.point, static_cast<int>(i) + 1);
            for (std::size_t j = 0; j < ring->size(); ++j) {
                if (i == j) continue;
                const double d = std::fabs(Shift(p.shown, (*ring)[j].shown, 360));
                EXPECT_GE(d, gap - 1e-7) << i << " " << j;
            }
        }
    }
    EXPECT_EQ(biwheel.natal[kSun - 1].lon, natal.Lon[kSun]);
    EXPECT_EQ(biwheel.second[kSun - 1].lon, second.Lon[kSun]);
    EXPECT_EQ(biwheel.natal[kSun - 1].degreeText, DegreeMinuteText(natal.Lon[kSun]));
    for (int p = 1; p <= kPointCount; ++p) {
        EXPECT_EQ(biwheel.natal[static_cast<std::size_t>(p - 1)].retrograde,
                  natal.RetroFlags[static_cast<std::size_t>(p - 1)] == 'R');
        EXPECT_EQ(biwheel.second[static_cast<std::size_t>(p - 1)].retrograde,
                  second.RetroFlags[static_cast<std::size_t>(p - 1)] == 'R');
    }

    const WheelLayout single =
        BuildWheelLayout(natal, second, chart.session.options, chart.session.regional, false, 8, 6);
    EXPECT_TRUE(single.second.empty());
    EXPECT_TRUE(single.secondSubtitle.empty());
    EXPECT_EQ(single.aspects.size(), biwheel.aspects.size());
}

// With the Uranian factors the natal ring holds the eight hypothetical points after the fifteen, spread with
// them, and the Aries point is marked; the second ring and the aspect lines stay those of the points.
TEST(WheelLayoutTest, TheUranianFactorsAddTheEightPointsToTheNatalRing) {
    testing_support::ComputedChart chart(testing_support::kSampleCharts[0]);
    const Options& options = chart.session.options;
    auto uranian = [&](const Chart& c, ChartRole role) {
        return *ComputeChart(c.birth, c.houseSystem, options, role, c.engine, FactorSet::Uranian).chart;
    };
    const Chart natal = uranian(chart.session.natalChart, ChartRole::Natal);
    const Chart second = uranian(chart.session.secondChart, ChartRole::Second);
    const WheelLayout classic = BuildWheelLayout(chart.session.natalChart, chart.session.secondChart, options,
                                                 chart.session.regional, true, 8, 6);
    const WheelLayout wheel = BuildWheelLayout(natal, second, options, chart.session.regional, true, 8, 6);
    EXPECT_FALSE(classic.ariesPoint);
    EXPECT_TRUE(wheel.ariesPoint);
    ASSERT_EQ(wheel.natal.size(), 23u);
    ASSERT_EQ(wheel.second.size(), 15u);
    EXPECT_EQ(wheel.aspects.size(), classic.aspects.size());
    for (std::size_t i = 0; i < 15; ++i) EXPECT_EQ(wheel.natal[i].point, static_cast<int>(i + 1));
    for (std::size_t i = 0; i < kUranianPoints; ++i) {
        const WheelPoint& p = wheel.natal[15 + i];
        EXPECT_EQ(p.point, 0);
        EXPECT_EQ(p.factor, kFirstUranianFactor + static_cast<int>(i));
        EXPECT_EQ(p.lon, natal.UranianLon[i + 1]);
        EXPECT_EQ(p.retrograde, natal.UranianSpeed[i + 1] < 0);
    }
    // All twenty-three keep the ring's gap.
    for (std::size_t i = 0; i < wheel.natal.size(); ++i) {
        for (std::size_t j = i + 1; j < wheel.natal.size(); ++j) {
            EXPECT_GE(std::fabs(Shift(wheel.natal[i].shown, wheel.natal[j].shown, 360)), 8 - 1e-7)
                << i << " " << j;
        }
    }
}

// One tree of a tree report printed one below the other without positions: the entries as
// (name, orb text), in the order printed.
using TreeEntries = std::vector<std::pair<std::string, std::string>>;

// The 13 trees of a page (option 60 at 0, option 65 at 0): after the title and a blank line, each tree
// is its header line, its entry lines and a blank line.
std::vector<TreeEntries> TreesOf(const ReportBuffer& report) {
    std::vector<TreeEntries> trees;
    const std::vector<std::string> page = midpoint_test::PageOf(report);
    std::size_t i = 3;  // blank, title, blank
    while (i < page.size() && trees.size() < 13) {
        TreeEntries tree;
        ++i;  // the header
        for (; i < page.size() && !page[i].empty(); ++i) {
            // " " + retrograde mark (3) + name (5) + retrograde mark (3) + orb
            tree.push_back({page[i].substr(4, 5), page[i].substr(12)});
        }
        ++i;
        trees.push_back(tree);
    }
    return trees;
}

// The panel as a tree would print it: names of single factors as "-SUN-", the orb as the tree's text.
TreeEntries AsTree(const std::vector<DialPanelEntry>& panel, const AnalysisTable& table, int leaveOut) {
    TreeEntries entries;
    for (const DialPanelEntry& e : panel) {
        if (e.entry == leaveOut) continue;
        entries.push_back(
            {TreeEntryName(table.Label[static_cast<std::size_t>(e.entry)], e.entry, table.FactorCount()),
             TreeOrbText(e.orb)});
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

struct PanelCase {
    testing_support::ChartRecords records;
    float modulus;
    float orb;
};

class DialPanelTreeTest : public ::testing::TestWithParam<PanelCase> {};

// The panel at the place of a factor lists exactly what that factor's tree lists, with the same orbs:
// the natal tree for a natal factor (which leaves the factor itself out) and the transit tree for a
// factor of the second chart.
TEST_P(DialPanelTreeTest, PanelAtAFactorIsThatFactorsTree) {
    const PanelCase& c = GetParam();
    testing_support::ComputedChart computed(c.records);
    Session& s = computed.session;
    s.options[40] = c.orb;
    s.options[60] = 0;
    s.options[65] = 0;
    const AnalysisTables natal = BuildAnalysisTables(s.natalChart, s.secondChart, s.options, kNatalMode);
    const AnalysisTables transit = BuildAnalysisTables(s.natalChart, s.secondChart, s.options, kTransitMode);

    ASSERT_EQ(NatalTreeCommand(s, c.modulus, NoProgress()), ShowResult::Shown);
    const std::vector<TreeEntries> natalTrees = TreesOf(s.report);
    ASSERT_EQ(natalTrees.size(), 13u);
    ASSERT_EQ(TransitTreeCommand(s, c.modulus, NoProgress()), ShowResult::Shown);
    const std::vector<TreeEntries> transitTrees = TreesOf(s.report);
    ASSERT_EQ(transitTrees.size(), 13u);

    std::size_t entriesSeen = 0;
    for (int p = 1; p <= kFactorCount; ++p) {
        const auto e = static_cast<std::size_t>(p);
        TreeEntries expected = natalTrees[e - 1];
        std::sort(expected.begin(), expected.end());
        const double natalPlace = ReduceOnDial(natal.table.Lon[e], c.modulus);
        EXPECT_EQ(AsTree(DialPanel(s.natalChart, s.options, c.modulus, natalPlace), natal.table, p), expected)
            << "natal factor " << p;

        expected = transitTrees[e - 1];
        std::sort(expected.begin(), expected.end());
        const double transitPlace = ReduceOnDial(transit.table.Lon[e], c.modulus);
        EXPECT_EQ(AsTree(DialPanel(s.natalChart, s.options, c.modulus, transitPlace), natal.table, 0),
                  expected)
            << "transit factor " << p;
        entriesSeen += expected.size();
    }
    // The charts are chosen so that the trees are not all empty.
    EXPECT_GT(entriesSeen, 3u);
}

std::vector<PanelCase> PanelCases() {
    std::vector<PanelCase> cases;
    for (const auto& records : testing_support::kSampleCharts) {
        for (float modulus : {90.0f, 45.0f, 22.5f, 360.0f}) {
            for (float orb : {1.5f, 2.5f}) cases.push_back({records, modulus, orb});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(ChartsModuliOrbs, DialPanelTreeTest, ::testing::ValuesIn(PanelCases()),
                         [](const auto& info) {
                             std::string name = std::string(info.param.records.name) + "_" +
                                                std::to_string(static_cast<int>(info.param.modulus * 10)) +
                                                "_orb" +
                                                std::to_string(static_cast<int>(info.param.orb * 10));
                             return name;
                         });

}  // namespace
}  // namespace talvenor
