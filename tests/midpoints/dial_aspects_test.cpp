#include "midpoints/dial_aspects.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "chart/point_catalogue.h"
#include "midpoints/midpoint_test_support.h"

namespace talvenor {
namespace {

using midpoint_test::HeadedChart;
using midpoint_test::kHeading;
using midpoint_test::PageOf;
using midpoint_test::RecordingProgress;
using midpoint_test::SetDiurnalFactors;
using midpoint_test::SetNatalFactors;

TEST(DialAspectsTest, DialOrbAbove225IsCappedAndStoredBack) {
    Options options;
    options[162] = 3;
    EXPECT_EQ(DialOrb(options), 2.25);
    EXPECT_EQ(options[162], 2.25f);
    options[162] = 1.5f;
    EXPECT_EQ(DialOrb(options), 1.5);
    EXPECT_EQ(options[162], 1.5f);
}

// Checks one distance: step -1 means no aspect.
void ExpectDialAspect(double d, double orb, double dial, int step, double deviation) {
    SCOPED_TRACE(testing::Message() << d << " with orb " << orb << " on dial " << dial);
    const std::optional<DialAspect> hit = DialAspectTest(d, orb, dial);
    if (step < 0) {
        EXPECT_FALSE(hit);
        return;
    }
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->step, step);
    EXPECT_NEAR(hit->deviation, deviation, 1e-12);
}

TEST(DialAspectsTest, EachDialShowsItsOwnStepsAndTheFirstBandHoldingTheDistanceDecides) {
    // 0.25 past every step (0.25 short of 180): the 16 dial shows all nine, the 8 dial every second,
    // the 4 dial 0, 90 and 180 only.
    for (const double dial : {16.0, 8.0, 4.0}) {
        for (int q = 0; q <= 8; ++q) {
            const bool shown = dial == 16 || (dial == 8 && q % 2 == 0) || q % 4 == 0;
            ExpectDialAspect(q == 8 ? 179.75 : q * 22.5 + 0.25, 1, dial, shown ? q : -1,
                             q == 8 ? -0.25 : 0.25);
        }
    }
    ExpectDialAspect(22.6, 1, 8, -1, 0);  // the 22.5 band is found but not shown on the 8 dial
    ExpectDialAspect(44.2, 1, 8, 2, -0.8);
    ExpectDialAspect(30, 1, 16, -1, 0);
    ExpectDialAspect(33, 12, 8, -1, 0);  // an orb this wide lets the 45 band hold 33 too
    // Whole-degree bands compare in single precision, the 22.5 family in double.
    ExpectDialAspect(46.000000001, 1, 16, 2, 1.000000001);
    ExpectDialAspect(1.000000001, 1, 16, 0, 1.000000001);
    ExpectDialAspect(23.500000001, 1, 16, -1, 0);
}

TEST(DialAspectsTest, PairLinesAre33CharactersEndingInTheSignedOrb) {
    struct Case {
        const char* a;
        int step;
        const char* b;
        double orb;
        const char* line;
    };
    const Case cases[] = {
        {"SUN      ", 0, "MOON     ", 0.5, "  SUN        0.0  MOON      0.50d"},
        {"SUN/MOO  ", 1, "MC       ", -2.25, "  SUN/MOO   22.5  MC       -2.25d"},
        {"ASC/MC   ", 5, "NN       ", 2.25, "  ASC/MC   112.5  NN        2.25d"},
        {"VENUS    ", 8, "MARS     ", -0.004, "  VENUS    180.0  MARS      0.00d"},  // no "-0.00"
        {"VENUS    ", 4, "MARS     ", -0.005, "  VENUS     90.0  MARS     -0.01d"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PairLine(c.a, c.step, c.b, c.orb), c.line);
        EXPECT_EQ(std::string(c.line).size(), 33u);
    }
}

// A natal chart whose 91 entries make five dial-4 aspects at an orb of 0.1, two pairs of them with equal
// orbs.
Chart DialChart() {
    Chart chart;
    SetNatalFactors(chart, 0,
                    {{1, 258.36},
                     {2, 76.79},
                     {3, 323.99},
                     {4, 352.98},
                     {5, 351.85},
                     {6, 193.3},
                     {7, 284.68},
                     {8, 115.34},
                     {9, 327.6},
                     {10, 308.08},
                     {11, 125.46},
                     {12, 29.8},
                     {13, 158.72}});
    return chart;
}

Options DialOptions(float orb, float dial) {
    Options options;
    options[162] = orb;
    options[163] = dial;
    return options;
}

std::vector<std::string> Progression(int total, int from, int to) {
    std::vector<std::string> calls;
    for (int n = from; n <= to; ++n) calls.push_back(std::to_string(n) + "/" + std::to_string(total));
    return calls;
}

TEST(DialAspectsTest, NatalAspectsListEveryAspectFromBothSidesInTableOrder) {
    Options options = DialOptions(0.1f, 4);
    ReportBuffer report;
    report.ReportLine = "  Unsorted Natal To Natal Aspects";
    RecordingProgress progress;
    WriteNatalDialAspects(DialChart(), options, false, report, progress);

    // clang-format off
    const std::vector<std::string> expected = {
        "  Unsorted Natal To Natal Aspects",
        "",
        "  MERCURY    0.0  SUN/ASC   0.09d",
        "  JUPITER   90.0  SUN/PLU  -0.08d",
        "  SUN/MOO   90.0  NN /ASC   0.05d",
        "  SUN/PLU   90.0  JUPITER   0.08d",
        "  SUN/ASC    0.0  MERCURY  -0.09d",
        "  SUN/ASC   90.0  VEN/URA   0.08d",
        "  MOO/MAR   90.0  MER/SAT   0.01d",
        "  MER/SAT   90.0  MOO/MAR  -0.01d",
        "  VEN/URA   90.0  SUN/ASC  -0.08d",
        "  NN /ASC   90.0  SUN/MOO  -0.05d",
    };
    // clang-format on
    EXPECT_EQ(PageOf(report), expected);

    std::vector<std::string> calls = {"Load"};
    for (const std::string& call : Progression(91, 1, 91)) calls.push_back(call);
    calls.push_back("Unload");
    EXPECT_EQ(progress.calls, calls);
}

TEST(DialAspectsTest, SortedNatalAspectsRunFromLargestOrbDownWithExchangeSortTies) {
    Options options = DialOptions(0.1f, 4);
    ReportBuffer report;
    report.ReportLine = "   Sorted Natal To Natal Aspects";
    RecordingProgress progress;
    WriteNatalDialAspects(DialChart(), options, true, report, progress);

    // Equal orbs end where the exchange sort leaves them: VEN/URA ahead of JUPITER although JUPITER came
    // first (a stable sort would keep it first), and SUN/PLU ahead of SUN/ASC (a sort that also exchanged
    // equal orbs would swap them).
    // clang-format off
    const std::vector<std::string> expected = {
        "   Sorted Natal To Natal Aspects",
        "",
        "  MERCURY    0.0  SUN/ASC   0.09d",
        "  SUN/PLU   90.0  JUPITER   0.08d",
        "  SUN/ASC   90.0  VEN/URA   0.08d",
        "  SUN/MOO   90.0  NN /ASC   0.05d",
        "  MOO/MAR   90.0  MER/SAT   0.01d",
        "  MER/SAT   90.0  MOO/MAR  -0.01d",
        "  NN /ASC   90.0  SUN/MOO  -0.05d",
        "  VEN/URA   90.0  SUN/ASC  -0.08d",
        "  JUPITER   90.0  SUN/PLU  -0.08d",
        "  SUN/ASC    0.0  MERCURY  -0.09d",
    };
    // clang-format on
    EXPECT_EQ(PageOf(report), expected);

    std::vector<std::string> calls = {"Load"};
    for (const std::string& call : Progression(91, 1, 91)) calls.push_back(call);
    calls.push_back("Clear");
    for (const std::string& call : Progression(9, 0, 8)) calls.push_back(call);
    calls.push_back("Unload");
    EXPECT_EQ(progress.calls, calls);
}

// The second chart's factors at 251.3 and the natal ones at 36.66 except those placed: none of the
// groups this makes aspects another, so only the placed items can show.
TEST(DialAspectsTest, FormulasSetTheSecondChartAgainstTheNatalAndSkipTheSameTableNumber) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, double>> second, natal;
        std::vector<std::string> unsorted, sorted;
    };
    const std::string moonSun = "  MOON      45.0  SUN      ";
    const Case cases[] = {
        {"b lies past a + 45", {{2, 10}}, {{1, 55.5}}, {moonSun + " 0.50d"}, {moonSun + " 0.50d"}},
        {"b falls short of a - 45", {{2, 55.5}}, {{1, 10}}, {moonSun + "-0.50d"}, {moonSun + "-0.50d"}},
        {"the Sun is not set against the natal Sun", {{1, 10}}, {{1, 55.5}}, {}, {}},
        {"largest orb first",
         {{2, 10}},
         {{1, 52.75}, {3, 79.75}},
         {moonSun + "-2.25d", "  MOON      67.5  MERCURY   2.25d"},
         {"  MOON      67.5  MERCURY   2.25d", moonSun + "-2.25d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Chart natal, second;
        SetDiurnalFactors(second, 251.3, c.second);
        SetNatalFactors(natal, 36.66, c.natal);
        for (const bool sorted : {false, true}) {
            Options options = DialOptions(3, 16);  // used as 2.25
            ReportBuffer report;
            report.ReportLine = "title";
            WriteFormulas(natal, second, options, sorted, report, NoProgress());
            std::vector<std::string> expected = {"title", ""};
            const std::vector<std::string>& lines = sorted ? c.sorted : c.unsorted;
            expected.insert(expected.end(), lines.begin(), lines.end());
            EXPECT_EQ(PageOf(report), expected) << (sorted ? "sorted" : "unsorted");
        }
    }
}

TEST(DialAspectsTest, TransitMidpointsMeetTheNatalPointsByPairThenPoint) {
    for (const bool secondPerson : {false, true}) {
        SCOPED_TRACE(secondPerson);
        Chart natal = HeadedChart();
        Chart second;
        SetDiurnalFactors(second, 266.36, {{1, 100}, {2, 120}});  // SUN/MOO at 110
        natal.Lon.fill(332.04);
        natal.Lon[kMars] = 201.2;
        natal.Lon[kPartOfFortune] = 110;
        // The second chart's own points play no part: only its midpoints meet the natal points.
        second.Lon[kSouthNode] = 290;
        second.Lon[kPartOfFortune] = 21.2;
        Options options;
        options[33] = 2, options[34] = 1, options[35] = 0.5f;
        SecondInputTexts diurnal;
        diurnal.secondPerson = secondPerson;
        diurnal.secondPersonName = "Jane";
        ReportBuffer report;
        WriteTransitMidpointsToNatal(natal, second, options, RegionalFormat{}, diurnal, report);

        std::vector<std::string> expected = {""};
        if (secondPerson) {
            expected.insert(expected.end(),
                            {"  Jane's MIDPOINTS ASPECTS TO", "  Sample Person's NATAL PLANETS"});
        } else {
            expected.insert(expected.end(), kHeading.begin(), kHeading.end());
            expected.insert(expected.end(), {"", "     TRANSITING MIDPOINT ASPECTS TO NATAL PLANETS"});
        }
        expected.insert(expected.end(), {"", "  SUN/MOO     Square       MARS          1.2 degrees",
                                         "  SUN/MOO     Conjunct     P. OF F.      0.0 degrees", ""});
        EXPECT_EQ(PageOf(report), expected);
    }
}

}  // namespace
}  // namespace talvenor
