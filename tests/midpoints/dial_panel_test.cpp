#include "midpoints/dial_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "midpoints/analysis_table.h"
#include "midpoints/midpoint_test_support.h"
#include "midpoints/midpoint_trees.h"

namespace talvenor {
namespace {

using midpoint_test::SetDiurnalFactors;
using midpoint_test::SetNatalFactors;

// A chart of round numbers: the Sun at 10, the Moon at 100 (Sun/Moon at 55), Mercury at 57, every other
// factor at 200.
struct TwoCharts {
    Chart natal, second;
};
TwoCharts RoundChart() {
    TwoCharts c;
    SetNatalFactors(c.natal, 200, {{1, 10}, {2, 100}, {3, 57}});
    SetDiurnalFactors(c.second, 300, {{1, 12}});
    return c;
}

TEST(DialPanelTest, PanelListsNearestFirstWithTheTreesNamesAndSignedOrbs) {
    const TwoCharts c = RoundChart();
    Options options;
    options[40] = 2;
    // On the 90 dial: Sun 10, Moon 10, Mercury 57, Sun/Moon 55, Sun/Mercury 33.5, Moon/Mercury 78.5,
    // and the rest at 20 (200) and their midpoints with Sun (15, 60, 105 -> 15) ...
    const std::vector<DialPanelEntry> panel = DialPanel(c.natal, options, 90, 56);
    ASSERT_EQ(panel.size(), 2u);
    EXPECT_EQ(panel[0].name, "ME");
    EXPECT_DOUBLE_EQ(panel[0].orb, 1);
    EXPECT_EQ(panel[0].first, 3);
    EXPECT_EQ(panel[0].second, 0);
    EXPECT_EQ(panel[1].name, "SU/MO");
    EXPECT_DOUBLE_EQ(panel[1].orb, -1);
    EXPECT_EQ(panel[1].first, 1);
    EXPECT_EQ(panel[1].second, 2);
    EXPECT_DOUBLE_EQ(panel[1].position, 55);
    EXPECT_DOUBLE_EQ(panel[1].lon, 55);
    EXPECT_EQ(DialPanelText(panel, 90), "ME\t57.0000\t1.0000\nSU/MO\t55.0000\t-1.0000\n");
    EXPECT_EQ(DialPanelText(panel, 90, "\r\n"), "ME\t57.0000\t1.0000\r\nSU/MO\t55.0000\t-1.0000\r\n");

    // The Sun and the Moon both stand 0.5 behind a pointer at 10.5: equal orbs keep table order.
    const std::vector<DialPanelEntry> atSun = DialPanel(c.natal, options, 90, 10.5);
    ASSERT_GE(atSun.size(), 2u);
    EXPECT_EQ(atSun[0].name, "SU");
    EXPECT_EQ(atSun[1].name, "MO");
    EXPECT_DOUBLE_EQ(atSun[0].orb, -0.5);
    for (std::size_t i = 1; i < atSun.size(); ++i)
        EXPECT_LE(std::fabs(atSun[i - 1].orb), std::fabs(atSun[i].orb));

    // The pointer near the end of the dial reaches across its zero: a Sun at 0.5 stands 1 ahead of 44.5.
    Chart early;
    SetNatalFactors(early, 200, {{1, 0.5}});
    EXPECT_EQ(DialPanelText(DialPanel(early, options, 45, 44.5), 45), "SU\t0.5000\t1.0000\n");
    EXPECT_EQ(DialPanelText(DialPanel(early, options, 45, 1.5), 45), "SU\t0.5000\t-1.0000\n");
}

TEST(DialPanelTest, EqualDistancesPutTheOneAheadFirst) {
    Chart c;
    SetNatalFactors(c, 200, {{1, 9}, {2, 11}});
    Options options;
    options[40] = 1.5f;
    const std::vector<DialPanelEntry> panel = DialPanel(c, options, 90, 10);
    ASSERT_EQ(panel.size(), 3u);
    EXPECT_EQ(panel[0].name, "SU/MO");
    EXPECT_EQ(panel[1].name, "MO");
    EXPECT_EQ(panel[2].name, "SU");
}

TEST(DialPanelTest, NamesFollowTheTrees) {
    const std::pair<int, const char*> codes[] = {{1, "SU"},  {2, "MO"},  {3, "ME"},  {11, "NN"},
                                                 {12, "AS"}, {13, "MC"}, {14, "AR"}, {15, "CU"},
                                                 {22, "PO"}, {23, ""},   {0, ""}};
    for (const auto& [f, code] : codes) EXPECT_EQ(FactorCode(f), code) << f;
    Chart c;
    SetNatalFactors(c, 100);
    Options options;
    options[40] = 1;
    std::vector<std::string> names;
    for (const DialPanelEntry& e : DialPanel(c, options, 90, 10)) names.push_back(e.name);
    ASSERT_EQ(names.size(), 91u);  // every factor and every midpoint at one place
    EXPECT_EQ(names[0], "SU");
    EXPECT_EQ(names[13], "SU/MO");
    EXPECT_NE(std::find(names.begin(), names.end(), "NN/AS"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "SU/NN"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "AS/MC"), names.end());
}

TEST(DialPanelTest, ChordsJoinThePairsUnderThePointer) {
    const TwoCharts c = RoundChart();
    Options options;
    options[40] = 2;
    const DialLayout dial = BuildDialLayout(c.natal, c.second, options, 90, 56, true, 0.02, 0.02);
    ASSERT_EQ(dial.chords.size(), 1u);
    EXPECT_EQ(dial.chords[0].first, 1);
    EXPECT_EQ(dial.chords[0].second, 2);
    EXPECT_DOUBLE_EQ(dial.chords[0].from, 10);
    EXPECT_DOUBLE_EQ(dial.chords[0].to, 10);  // 100 on the 90 dial
    EXPECT_EQ(dial.panel.size(), 2u);
    ASSERT_EQ(dial.natal.size(), 13u);
    ASSERT_EQ(dial.second.size(), 13u);
    EXPECT_DOUBLE_EQ(dial.second[0].position, 12);
    EXPECT_DOUBLE_EQ(dial.natal[2].position, 57);
    EXPECT_EQ(dial.natal[2].name, "ME");
    // The Sun and the Moon share a place: their glyphs stand apart, one either side.
    EXPECT_NEAR(std::fabs(dial.natal[0].shown - dial.natal[1].shown), 0.02 * 90, 1e-9);
    EXPECT_TRUE(BuildDialLayout(c.natal, c.second, options, 90, 56, false, 0.02, 0.02).second.empty());
}

TEST(DialPanelTest, TheUranianFactorsPutTwentyTwoMarksOnEachRingAndInThePanel) {
    Chart natal, second;
    midpoint_test::SetUranianFactors(natal, 200, {{14, 0}, {15, 100.5}, {22, 190}});
    natal.UranianSpeed[1] = -0.001;  // Cupido moves backwards
    midpoint_test::SetUranianFactors(second, 300);
    Options options;
    options[40] = 1;
    const DialLayout dial = BuildDialLayout(natal, second, options, 90, 10, true, 0.02, 0.02);
    ASSERT_EQ(dial.natal.size(), 22u);
    ASSERT_EQ(dial.second.size(), 22u);
    EXPECT_EQ(dial.natal[13].name, "AR");
    EXPECT_EQ(dial.natal[14].name, "CU");
    EXPECT_TRUE(dial.natal[14].retrograde);
    EXPECT_FALSE(dial.natal[15].retrograde);
    EXPECT_EQ(dial.natal[21].name, "PO");
    EXPECT_DOUBLE_EQ(dial.natal[21].position, 10);  // 190 on the 90 dial
    // Under the pointer at 10: Cupido (100.5) and Poseidon (190), but not their midpoint.
    std::vector<std::string> names;
    for (const DialPanelEntry& e : dial.panel) names.push_back(e.name);
    EXPECT_NE(std::find(names.begin(), names.end(), "PO"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "CU"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "CU/PO"), names.end());  // 145.25: 55.25 on the dial
}

TEST(DialPanelTest, TicksAndLabelsSuitTheModulus) {
    struct Case {
        float modulus;
        std::size_t ticks, middle, labelled;
        const char* lastLabel;
    };
    const Case cases[] = {
        {360, 360, 36, 36, "350"},
        {90, 90, 0, 18, "85"},
        {45, 45, 0, 9, "40"},
        {22.5f, 90, 0, 23, "22"},
    };
    for (const Case& c : cases) {
        const std::vector<DialTick> ticks = DialTicks(c.modulus);
        EXPECT_EQ(ticks.size(), c.ticks) << c.modulus;
        std::size_t middle = 0, labelled = 0;
        std::string last;
        for (const DialTick& t : ticks) {
            middle += t.level == 1;
            if (t.level == 2) {
                ++labelled;
                last = t.label;
            }
        }
        EXPECT_EQ(middle, c.middle) << c.modulus;
        EXPECT_EQ(labelled, c.labelled) << c.modulus;
        EXPECT_EQ(last, c.lastLabel) << c.modulus;
    }
    EXPECT_TRUE(DialTicks(0).empty());
}

TEST(DialPanelTest, PointerTurnsWithinTheDial) {
    struct Case {
        double pointer, step;
        float modulus;
        double result;
    };
    const Case cases[] = {
        {89.5, 1, 90, 0.5}, {0, -1.0 / 60, 90, 90 - 1.0 / 60},
        {10, 0, 360, 10},   {-1, 0, 90, 89},
        {400, 0, 360, 40},  {22, 1, 22.5f, 0.5},
        {0, 0, 90, 0},      {44.5, 1, 45, 0.5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(TurnPointer(c.pointer, c.step, c.modulus), c.result, 1e-9) << c.pointer;
}

TEST(DialPanelTest, ZeroAtTheTopAndTheDialRunsCounterclockwise) {
    EXPECT_DOUBLE_EQ(DialDirection(0, 90), 90);
    EXPECT_DOUBLE_EQ(DialDirection(22.5, 90), 180);
    EXPECT_DOUBLE_EQ(DialDirection(67.5, 90), 0);
    EXPECT_DOUBLE_EQ(DialDirection(180, 360), 270);
    for (float modulus : {90.0f, 22.5f, 360.0f}) {
        for (double position : {0.0, 1.25, modulus / 2.0, modulus - 0.01}) {
            EXPECT_NEAR(DialPositionAt(DialDirection(position, modulus), modulus), position, 1e-9);
        }
    }
}

TEST(DialPanelTest, ClickSnapsToTheNearestGlyphWithinReach) {
    DialLayout dial;
    dial.modulus = 90;
    dial.natal = {{1, "SU", 10, 10, 9, false}, {2, "MO", 11, 11, 12, false}};
    dial.second = {{1, "SU", 179.5, 89.5, 89.5, false}};
    const struct {
        double click;
        std::optional<double> snapped;
    } cases[] = {{9.2, 10}, {11.5, 11}, {20, std::nullopt}, {0.3, 89.5}, {89.9, 89.5}};
    for (const auto& c : cases) EXPECT_EQ(SnapToMark(dial, c.click, 1.0), c.snapped) << c.click;
}

// The modulus is written with the digits the user typed, never as the binary fraction of its single
// precision ("7.30000019073486"); integer moduli as they always were.
TEST(DialPanelTest, TheModulusIsWrittenAsTyped) {
    const std::pair<float, const char*> texts[] = {
        {90, "90"},
        {360, "360"},
        {45, "45"},
        {22.5f, "22.5"},
        {11.25f, "11.25"},
        {7.3f, "7.3"},
        {0.001f, "0.001"},
        {30.1f, "30.1"},
        {123.45678f, "123.4568"},
        {1.0f / 3, "0.3333"},
        {0.1f, "0.1"},
        {359.9999f, "359.9999"},
        {0.00001f, "0.00001"},
    };
    for (const auto& [modulus, text] : texts) EXPECT_EQ(DialModulusText(modulus), text) << text;
}

// Four-decimal positions lie within 0 to below the modulus as written: what would round up to the
// modulus is the dial's zero.
TEST(DialPanelTest, WrittenPositionsStayBelowTheModulus) {
    const struct {
        double position;
        float modulus;
        const char* text;
    } cases[] = {
        {10.00004, 45, "10.0000"},   {44.99994, 45, "44.9999"}, {44.99996, 45, "0.0000"},
        {22.49996, 22.5f, "0.0000"}, {7.29996, 7.3f, "0.0000"}, {0.00099, 0.001f, "0.0000"},
        {0.0004, 0.001f, "0.0004"},  {-1e-9, 90, "0.0000"},     {0, 360, "0.0000"},
    };
    for (const auto& c : cases) EXPECT_EQ(DialPositionText(c.position, c.modulus), c.text) << c.position;

    // On a dial of 0.001 the whole chart lies under the pointer: not one position is the modulus itself.
    const TwoCharts c = RoundChart();
    Options options;
    options[40] = 1.5f;
    const std::vector<DialPanelEntry> panel = DialPanel(c.natal, options, 0.001f, 0);
    ASSERT_FALSE(panel.empty());
    const std::string text = DialPanelText(panel, 0.001f);
    EXPECT_EQ(text.find("\t0.0010\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\t0.0000\t"), std::string::npos);
}

TEST(DialPanelTest, PanelLinesAndDegreeTexts) {
    const std::pair<double, const char*> texts[] = {{12.5,
                                                     "12\xC2\xB0"
                                                     "30'"},
                                                    {89.99999,
                                                     "90\xC2\xB0"
                                                     "00'"},
                                                    {0,
                                                     "0\xC2\xB0"
                                                     "00'"},
                                                    {22.5,
                                                     "22\xC2\xB0"
                                                     "30'"}};
    for (const auto& [v, text] : texts) EXPECT_EQ(DialDegreeText(v), text) << v;

    DialPanelEntry e;
    e.name = "SU/MO";
    e.position = 5 + 7.0 / 60;
    e.lon = 125 + 7.0 / 60;
    e.orb = -0.75;
    EXPECT_EQ(DialPanelLine(e, false),
              "SU/MO   5\xC2\xB0"
              "07'  -0\xC2\xB0"
              "45'");
    EXPECT_EQ(DialPanelLine(e, true),
              "SU/MO   5\xC2\xB0"
              "07'  -0\xC2\xB0"
              "45'  (05 LEO 07)");
    e.name = "SU";
    e.position = 45;
    e.orb = 1.5;
    EXPECT_EQ(DialPanelLine(e, false),
              "SU     45\xC2\xB0"
              "00'   1\xC2\xB0"
              "30'");
}

}  // namespace
}  // namespace talvenor
