// Planetary pictures, solar arc directions and secondary progressions of computed charts: the progressed
// chart against the chart computed that many days after birth, the arc at birth, and the pages compared
// with checked-in pages whose lines the tests here derive again on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "chart/midpoint_rule.h"
#include "chart/progressions.h"
#include "midpoints/analysis_table.h"
#include "midpoints/direction_aspects.h"
#include "midpoints/planetary_pictures.h"
#include "session/computed_charts.h"
#include "session/picture_commands.h"

namespace talvenor {
namespace {

using testing_support::ChartRecords;
using testing_support::ComputedChart;
using testing_support::kSampleCharts;

// ---- The test's own reading of the rules ----

// The points of the thirteen factors: Sun, Moon, Mercury to Pluto, node, Ascendant, Midheaven.
constexpr int kPoints[14] = {0, 1, 10, 2, 3, 4, 5, 6, 7, 8, 9, 11, 14, 15};
const char* const kNames[14] = {"",    "SUN", "MOO", "MER", "VEN", "MAR", "JUP",
                                "SAT", "URA", "NEP", "PLU", "NN",  "ASC", "MC"};
const char* const kCodes[14] = {"",   "SU", "MO", "ME", "VE", "MA", "JU",
                                "SA", "UR", "NE", "PL", "NN", "AS", "MC"};

std::array<double, 14> NatalFactors(const Chart& c, const Options& o) {
    std::array<double, 14> f{};
    for (int i = 1; i <= 13; ++i)
        f[static_cast<std::size_t>(i)] = c.Lon[static_cast<std::size_t>(kPoints[i])];
    f[11] = o[161] != 0 ? c.TrueNode : c.MeanNode;
    return f;
}

double Signed(double x, double modulus) {
    double o = std::fmod(x, modulus);
    if (o < 0) o += modulus;
    return o >= modulus / 2 ? o - modulus : o;
}

// Degrees and minutes with the minutes rounded and carried: "39°06'".
std::string DegreesMinutes(double v) {
    const long minutes = std::lround(std::fabs(v) * 60);
    char text[32];
    std::snprintf(text, sizeof text, "%ld\xC2\xB0%02ld'", minutes / 60, minutes % 60);
    return text;
}
std::string Place7(double v) {
    std::string s = DegreesMinutes(v);
    // The degree sign counts as one character.
    while (s.size() - 1 < 7) s.insert(s.begin(), ' ');
    return s;
}
std::string OrbText(double orb) {
    const long minutes = std::lround(std::fabs(orb) * 60);
    return (orb < 0 && minutes != 0 ? "-" : " ") + DegreesMinutes(orb);
}
std::string Name3(int f) {
    std::string s = kNames[f];
    s.resize(3, ' ');
    return s;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Line by line, so that a difference names its line.
void ExpectSameLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        ASSERT_EQ(actual[i], expected[i]) << "line " << i;
    }
    EXPECT_EQ(actual.size(), expected.size());
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::filesystem::path PagePath(const std::string& name) {
    return std::filesystem::path(TALVENOR_TEST_DATA_DIR) / "pages" / (name + ".txt");
}

std::string ShownPage(Session& s) {
    return PageText(s.report, "\r\n");
}

// ---- Progressions and the arc ----

class DirectionsOfChart : public ::testing::TestWithParam<ChartRecords> {};

TEST_P(DirectionsOfChart, AtTheBirthTheArcIsZeroAndTheProgressedChartIsTheNatalOne) {
    ComputedChart computed(GetParam());
    const Chart& natal = computed.session.natalChart;
    const ChartResult computedAtBirth = ComputeProgressedChart(natal, computed.session.options, 0);
    ASSERT_TRUE(computedAtBirth.chart.has_value());
    const Chart& progressed = *computedAtBirth.chart;
    EXPECT_EQ(SolarArc(natal, progressed), 0.0);
    for (std::size_t p = 1; p <= 15; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(progressed.Lon[p], natal.Lon[p]);
        EXPECT_EQ(SolarArcChart(natal, computed.session.options, 0).Lon[p], natal.Lon[p]);
    }
    EXPECT_EQ(progressed.Cusp, natal.Cusp);
    // At the birth both are the natal chart itself, to the last bit.
    EXPECT_EQ(progressed, natal);
    EXPECT_EQ(SolarArcChart(natal, computed.session.options, 0).HouseText, natal.HouseText);
}

// The birth records moved 30 days on, and the 30th birthday as the diurnal date.
struct ThirtyDays {
    ChartRecords birth;
    const char* thirtyDaysLater;
};
const ThirtyDays kThirtyDays[] = {
    {{"Sample", "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52",
      "Transit,14 Mar 1992,9.30,A,0,000.00,51.29"},
     "Sample Person,13 Apr 1962,10.15,P,6,087.39,41.52"},
    {{"Sydney", "Sydney Person,5 Jan 1990,6.45,A,-10,-151.13,-33.52",
      "Transit,5 Jan 2020,3.20,P,-1,-013.24,52.31"},
     "Sydney Person,4 Feb 1990,6.45,A,-10,-151.13,-33.52"},
    {{"Delhi", "Delhi Person,2 Oct 1969,11.50,A,-5.5,-077.13,28.40",
      "Transit,2 Oct 1999,12.00,P,-5.5,-077.13,28.40"},
     "Delhi Person,1 Nov 1969,11.50,A,-5.5,-077.13,28.40"},
};

double RightAscension(double lon, double obliquityDeg) {
    const double l = lon * std::numbers::pi / 180, e = obliquityDeg * std::numbers::pi / 180;
    return std::atan2(std::sin(l) * std::cos(e), std::cos(l)) * 180 / std::numbers::pi;
}

TEST(DirectionsTest, AProgressedChartAtThirtyIsTheChartComputedThirtyDaysAfterBirth) {
    for (const ThirtyDays& t : kThirtyDays) {
        SCOPED_TRACE(t.birth.name);
        ComputedChart computed(t.birth);
        ComputedChart later({t.birth.name, t.thirtyDaysLater, t.birth.diurnal});
        const Chart& natal = computed.session.natalChart;
        const Chart& thirty = later.session.natalChart;
        ASSERT_EQ(AgeOnDate(natal.birth, computed.session.secondChart.birth), 30.0);
        const ChartResult computedAt30 = ComputeProgressedChart(natal, computed.session.options, 30);
        ASSERT_TRUE(computedAt30.chart.has_value());
        const Chart& progressed = *computedAt30.chart;

        // The bodies and the nodes are those of the later chart, to the last bit.
        for (std::size_t p = 1; p <= 12; ++p) {
            SCOPED_TRACE(p);
            EXPECT_EQ(progressed.Lon[p], thirty.Lon[p]);
            EXPECT_EQ(progressed.Decl[p], thirty.Decl[p]);
            EXPECT_EQ(progressed.EclLat[p], thirty.EclLat[p]);
        }
        EXPECT_EQ(progressed.TrueNode, thirty.TrueNode);
        EXPECT_EQ(progressed.RetroFlags, thirty.RetroFlags);

        // The Midheaven moved by the Sun's arc in right ascension, not by thirty turns of the clock.
        const double sunArc = RightAscension(progressed.Lon[1], progressed.time.ObliquityDeg) -
                              RightAscension(natal.Lon[1], natal.time.ObliquityDeg);
        const double mcArc = RightAscension(progressed.Lon[15], progressed.time.ObliquityDeg) -
                             RightAscension(natal.Lon[15], natal.time.ObliquityDeg);
        EXPECT_NEAR(Signed(mcArc - sunArc, 360), 0, 1e-6);
        EXPECT_GT(std::fabs(Signed(progressed.Lon[15] - thirty.Lon[15], 360)), 0.01);
        // The houses follow the progressed meridian: the 10th cusp is its Midheaven.
        EXPECT_NEAR(progressed.Cusp[1], progressed.Lon[15], 1e-9);

        // Directed: every natal point moved on by the arc, the progressed Sun less the natal Sun.
        const double arc = SolarArc(natal, progressed);
        EXPECT_NEAR(Signed(arc - (progressed.Lon[1] - natal.Lon[1]), 360), 0, 1e-12);
        EXPECT_GT(arc, 25);
        EXPECT_LT(arc, 35);
        const Chart directed = SolarArcChart(natal, computed.session.options, arc);
        for (std::size_t p = 1; p <= 15; ++p) {
            EXPECT_NEAR(Signed(directed.Lon[p] - natal.Lon[p] - arc, 360), 0, 1e-9) << p;
        }
        EXPECT_EQ(directed.RetroFlags, std::string(15, ' '));
    }
}

TEST(DirectionsTest, TheUranianFactorsAreProgressedAndDirectedAsTheOthers) {
    const ThirtyDays& t = kThirtyDays[0];
    ComputedChart computed(t.birth);
    ComputedChart later({t.birth.name, t.thirtyDaysLater, t.birth.diurnal});
    const Options& options = computed.session.options;
    auto uranian = [&](const Chart& c) {
        return *ComputeChart(c.birth, c.houseSystem, options, ChartRole::Natal, c.engine, FactorSet::Uranian)
                    .chart;
    };
    const Chart natal = uranian(computed.session.natalChart);
    const Chart thirty = uranian(later.session.natalChart);
    const ChartResult at30 = ComputeProgressedChart(natal, options, 30);
    ASSERT_TRUE(at30.chart.has_value());
    // The progressed chart keeps the set and has the points of the day thirty days after the birth.
    EXPECT_EQ(at30.chart->factors, FactorSet::Uranian);
    for (std::size_t i = 0; i <= kUranianPoints; ++i)
        EXPECT_EQ(at30.chart->UranianLon[i], thirty.UranianLon[i]) << i;
    // Directed: the points and the Aries point move on by the arc.
    const double arc = SolarArc(natal, *at30.chart);
    const Chart directed = SolarArcChart(natal, options, arc);
    EXPECT_EQ(directed.factors, FactorSet::Uranian);
    EXPECT_NEAR(directed.UranianLon[0], arc, 1e-12);
    for (std::size_t i = 1; i <= kUranianPoints; ++i) {
        EXPECT_NEAR(Signed(directed.UranianLon[i] - natal.UranianLon[i] - arc, 360), 0, 1e-9) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Charts, DirectionsOfChart, ::testing::ValuesIn(kSampleCharts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DirectionsTest, ADateBeforeTheBirthIsRefusedWithAMessage) {
    ComputedChart computed({"Early", "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52",
                            "Transit,13 Mar 1962,9.30,A,0,000.00,51.29"});
    Session& s = computed.session;
    const int lines = s.report.PageLineCount;
    EXPECT_EQ(SolarArcCommand(s, 45), ShowResult::NothingToShow);
    EXPECT_EQ(ProgressionsCommand(s, 45), ShowResult::NothingToShow);
    ASSERT_EQ(computed.dialogs.shown.size(), 2u);
    EXPECT_EQ(computed.dialogs.shown[0].text, kBeforeBirthMessage);
    EXPECT_EQ(computed.dialogs.shown[0].title, "Warning!");
    EXPECT_EQ(s.report.PageLineCount, lines);
}

// ---- Pages, derived again line by line ----

// The expected lines of one target's pictures: every quadruple found by the test, nearest first.
std::vector<std::string> DerivedPictureLines(const std::array<double, 14>& f, double targetLon,
                                             int targetFactor, double modulus, double orb) {
    struct Hit {
        int a, b, c;
        double position, orb;
    };
    std::vector<Hit> hits;
    for (int a = 1; a <= 12; ++a) {
        for (int b = a + 1; b <= 13; ++b) {
            for (int c = 1; c <= 13; ++c) {
                if (c == a || c == b || targetFactor == a || targetFactor == b) continue;
                const auto at = [&](int i) { return f[static_cast<std::size_t>(i)]; };
                const double o = Signed(at(a) + at(b) - at(c) - targetLon, modulus);
                if (std::fabs(o) <= orb) {
                    double position = std::fmod(at(a) + at(b) - at(c) + 720, modulus);
                    hits.push_back({a, b, c, position, o});
                }
            }
        }
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const Hit& x, const Hit& y) { return std::fabs(x.orb) < std::fabs(y.orb); });
    std::vector<std::string> lines;
    for (const Hit& h : hits) {
        lines.push_back("    " + Name3(h.a) + " + " + Name3(h.b) + " - " + Name3(h.c) + "  " +
                        Place7(h.position) + "  " + OrbText(h.orb));
    }
    if (lines.empty()) lines.push_back("    none");
    return lines;
}

TEST(DirectionsTest, ThePicturesPageHoldsEveryPictureOfEveryTargetNearestFirst) {
    ComputedChart computed(kSampleCharts[0]);
    Session& s = computed.session;
    PictureRequest request;
    request.modulus = 90;
    request.orb = s.options[40];
    ASSERT_EQ(PlanetaryPicturesCommand(s, request), ShowResult::Shown);
    EXPECT_EQ(s.AnalysisMode, 0);
    const std::string page = ShownPage(s);
    EXPECT_EQ(page, ReadAll(PagePath("sample-pictures90")));

    // Derived again: the heading, then each natal factor and each transiting factor with its pictures.
    const std::array<double, 14> natal = NatalFactors(s.natalChart, s.options);
    std::vector<std::string> expected = {
        "",
        "  Sample Person",
        "  14 Mar 1962    TZ = 6.0      10.15 P.M.   41.52 NORTH    87.39 WEST",
        "",
        "  Planetary Pictures A + B - C = D - modulus = 90, orb = 1.5",
        "",
        "  NATAL PICTURES AT THE NATAL FACTORS"};
    for (int second = 0; second <= 1; ++second) {
        if (second) expected.insert(expected.end(), {"", "  TRANSITING FACTORS AT THE NATAL PICTURES"});
        for (int d = 1; d <= 13; ++d) {
            const double lon = second ? s.secondChart.Lon[static_cast<std::size_t>(kPoints[d])]
                                      : natal[static_cast<std::size_t>(d)];
            expected.push_back("");
            expected.push_back(std::string("  ") + (second ? "Tr. " : "") + Name3(d) + "  (" +
                               PositionText(lon) + ") " + Place7(std::fmod(lon, 90)));
            const auto lines = DerivedPictureLines(natal, lon, second ? 0 : d, 90, 1.5);
            expected.insert(expected.end(), lines.begin(), lines.end());
        }
    }
    // The page's last blank line, and the one that showing it adds.
    expected.insert(expected.end(), {"", "", ""});
    ExpectSameLines(Lines(page), expected);
}

TEST(DirectionsTest, PicturesForOneFactorOrADegreeListOnlyThatTarget) {
    ComputedChart computed(kSampleCharts[1]);
    Session& s = computed.session;
    s.diurnal.secondPerson = true;
    s.diurnal.secondPersonName = "Second Person";
    PictureRequest request;
    request.modulus = 22.5f;
    request.orb = 0.5;
    request.choice.factor = 13;
    ASSERT_EQ(PlanetaryPicturesCommand(s, request), ShowResult::Shown);
    const std::vector<std::string> page = Lines(ShownPage(s));
    const std::array<double, 14> natal = NatalFactors(s.natalChart, s.options);
    std::vector<std::string> expected = DerivedPictureLines(natal, natal[13], 13, 22.5, 0.5);
    ASSERT_GT(page.size(), 10u);
    EXPECT_EQ(page[4], "  Planetary Pictures A + B - C = D - modulus = 22.5, orb = 0.5");
    ExpectSameLines(
        std::vector<std::string>(page.begin() + 9, page.begin() + 9 + static_cast<long>(expected.size())),
        expected);
    EXPECT_NE(std::find(page.begin(), page.end(), "  Second Person's FACTORS AT THE NATAL PICTURES"),
              page.end());
    EXPECT_EQ(std::count_if(page.begin(), page.end(),
                            [](const std::string& l) { return l.rfind("  MC ", 0) == 0; }),
              1);

    request.choice = PictureChoice{};
    request.choice.degree = 7.25;
    ASSERT_EQ(PlanetaryPicturesCommand(s, request), ShowResult::Shown);
    const std::vector<std::string> atDegree = Lines(ShownPage(s));
    EXPECT_EQ(atDegree[8], "  At  7°15' on the dial");
    expected = DerivedPictureLines(natal, 7.25, 0, 22.5, 0.5);
    ExpectSameLines(std::vector<std::string>(atDegree.begin() + 9, atDegree.end() - 3), expected);
}

// The pictures at one target as the test finds them, nearest first, as (a, b, c, position, orb).
struct FoundPicture {
    int a, b, c;
    double position, orb;
};
std::vector<FoundPicture> DerivedPictures(const std::array<double, 14>& f, double targetLon, int targetFactor,
                                          double modulus, double orb) {
    std::vector<FoundPicture> hits;
    for (int a = 1; a <= 12; ++a) {
        for (int b = a + 1; b <= 13; ++b) {
            for (int c = 1; c <= 13; ++c) {
                if (c == a || c == b || targetFactor == a || targetFactor == b) continue;
                const auto at = [&](int i) { return f[static_cast<std::size_t>(i)]; };
                const double o = Signed(at(a) + at(b) - at(c) - targetLon, modulus);
                if (std::fabs(o) <= orb)
                    hits.push_back({a, b, c, std::fmod(at(a) + at(b) - at(c) + 720, modulus), o});
            }
        }
    }
    std::stable_sort(hits.begin(), hits.end(), [](const FoundPicture& x, const FoundPicture& y) {
        return std::fabs(x.orb) < std::fabs(y.orb);
    });
    return hits;
}

std::string Decimals4(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return std::string(text) == "-0.0000" ? "0.0000" : text;
}

TEST(DirectionsTest, TheReportToolsPictureLinesAreEveryPictureAtTheTarget) {
    ComputedChart computed(kSampleCharts[0]);
    const std::array<double, 14> natal = NatalFactors(computed.session.natalChart, computed.session.options);

    // pictures --modulus 45 --target MC --tsv: the natal MC, then the transiting MC.
    std::vector<std::string> expected;
    for (const FoundPicture& p : DerivedPictures(natal, natal[13], 13, 45, 1.5)) {
        expected.push_back(std::string(kNames[p.a]) + "\t" + kNames[p.b] + "\t" + kNames[p.c] + "\tMC\t" +
                           Decimals4(p.position) + "\t" + Decimals4(p.orb));
    }
    for (const FoundPicture& p : DerivedPictures(natal, computed.session.secondChart.Lon[15], 0, 45, 1.5)) {
        expected.push_back(std::string(kNames[p.a]) + "\t" + kNames[p.b] + "\t" + kNames[p.c] + "\tTr.MC\t" +
                           Decimals4(p.position) + "\t" + Decimals4(p.orb));
    }
    ExpectSameLines(
        Lines(ReadAll(std::filesystem::path(TALVENOR_TEST_DATA_DIR) / "pages" / "sample-pictures45-mc.tsv")),
        expected);

    // dial-panel --modulus 45 --pointer 13.4 --pictures: the panel as before, then the pictures.
    const std::vector<std::string> panel = Lines(ReadAll(PagePath("sample-dial-panel45")));
    const std::vector<std::string> withPictures = Lines(ReadAll(PagePath("sample-dial-panel45-pictures")));
    ASSERT_GT(withPictures.size(), panel.size());
    EXPECT_EQ(std::vector<std::string>(withPictures.begin(),
                                       withPictures.begin() + static_cast<long>(panel.size())),
              panel);
    expected.clear();
    for (const FoundPicture& p : DerivedPictures(natal, 13.4, 0, 45, 1.5)) {
        expected.push_back(std::string(kCodes[p.a]) + "+" + kCodes[p.b] + "-" + kCodes[p.c] + "\t" +
                           Decimals4(p.position) + "\t" + Decimals4(p.orb));
    }
    ExpectSameLines(
        std::vector<std::string>(withPictures.begin() + static_cast<long>(panel.size()), withPictures.end()),
        expected);
}

// The aspect lines of a directions page, derived again: every moved factor against every natal factor and
// midpoint on the dial, within the tree orb, nearest first.
std::vector<std::string> DerivedAspectLines(const std::array<double, 14>& moved,
                                            const std::array<double, 14>& natal, const char* prefix,
                                            double modulus, double orb) {
    struct Entry {
        std::string name;
        double lon;
    };
    std::vector<Entry> entries;
    for (int f = 1; f <= 13; ++f)
        entries.push_back({std::string("-") + Name3(f) + "-", natal[static_cast<std::size_t>(f)]});
    for (int i = 1; i <= 12; ++i) {
        for (int j = i + 1; j <= 13; ++j) {
            entries.push_back(
                {std::string(kCodes[i]) + "/" + kCodes[j],
                 MidpointOf(natal[static_cast<std::size_t>(i)], natal[static_cast<std::size_t>(j)])});
        }
    }
    struct Hit {
        std::string line;
        double orb;
    };
    std::vector<Hit> hits;
    for (int f = 1; f <= 13; ++f) {
        for (const Entry& e : entries) {
            const double o = Signed(
                std::fmod(e.lon, modulus) - std::fmod(moved[static_cast<std::size_t>(f)], modulus), modulus);
            if (std::fabs(o) <= orb)
                hits.push_back(
                    {std::string("  ") + prefix + Name3(f) + "   " + e.name + "  " + OrbText(o), o});
        }
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const Hit& x, const Hit& y) { return std::fabs(x.orb) < std::fabs(y.orb); });
    std::vector<std::string> lines;
    for (const Hit& h : hits) lines.push_back(h.line);
    return lines;
}

struct DirectionPage {
    const char* page;
    bool solarArc;
    float modulus;
};

class DirectionPages : public ::testing::TestWithParam<DirectionPage> {};

TEST_P(DirectionPages, PageMatchesTheVerifiedPageAndItsLinesAreDerivedAgain) {
    const DirectionPage& dp = GetParam();
    ComputedChart computed(kSampleCharts[0]);
    Session& s = computed.session;
    ASSERT_EQ(dp.solarArc ? SolarArcCommand(s, dp.modulus) : ProgressionsCommand(s, dp.modulus),
              ShowResult::Shown);
    EXPECT_EQ(s.AnalysisMode, 0);
    const std::string page = ShownPage(s);
    EXPECT_EQ(page, ReadAll(PagePath(dp.page)));

    const std::vector<std::string> lines = Lines(page);
    const double age = 64 + 268.0 / 365;  // 14 Mar 1962 to 7 Dec 2026
    const ChartResult computedAtAge = ComputeProgressedChart(s.natalChart, s.options, age);
    ASSERT_TRUE(computedAtAge.chart.has_value());
    const Chart& progressed = *computedAtAge.chart;
    const double arc = std::fmod(progressed.Lon[1] - s.natalChart.Lon[1] + 360, 360);
    const long seconds = static_cast<long>(std::floor(arc * 3600));
    char arcText[64];
    std::snprintf(arcText, sizeof arcText, "%ldd %02ldm %02lds", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    EXPECT_EQ(lines[5], std::string(dp.solarArc ? "  Directed" : "  Progressed") +
                            " to 07 Dec 2026 - age 64.7342 years - solar arc = " + arcText);

    // The positions rows: the moved longitude of each point, read back from its text.
    const char* signs[] = {"ARI", "TAU", "GEM", "CAN", "LEO", "VIR",
                           "LIB", "SCO", "SAG", "CPR", "AQU", "PIS"};
    const int rowPoints[] = {1, 10, 2, 3, 4, 5, 6, 7, 8, 9, 11, 13, 14, 15};
    const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("   SUN   ") != std::string::npos;
    });
    ASSERT_NE(first, lines.end());
    for (int r = 0; r < 14; ++r) {
        const std::string& row = *(first + r);
        SCOPED_TRACE(row);
        const int sign = static_cast<int>(std::find(std::begin(signs), std::end(signs), row.substr(5, 3)) -
                                          std::begin(signs));
        const double shown = sign * 30 + std::stoi(row.substr(2, 2)) + std::stoi(row.substr(9, 2)) / 60.0 +
                             std::stoi(row.substr(13, 2)) / 3600.0;
        const auto p = static_cast<std::size_t>(rowPoints[r]);
        const double lon = dp.solarArc ? std::fmod(s.natalChart.Lon[p] + arc, 360) : progressed.Lon[p];
        EXPECT_NEAR(Signed(lon - shown, 360), 0.5 / 3600, 0.5 / 3600 + 1e-9);
    }

    // The aspect list.
    std::array<double, 14> moved =
        NatalFactors(dp.solarArc ? SolarArcChart(s.natalChart, s.options, arc) : progressed, s.options);
    const auto title = std::find(lines.begin(), lines.end(),
                                 std::string(dp.solarArc ? "  DIRECTED" : "  PROGRESSED") +
                                     " FACTORS TO NATAL FACTORS AND MIDPOINTS - orb = 1.5");
    ASSERT_NE(title, lines.end());
    const std::vector<std::string> aspects(title + 2, lines.end() - 3);
    const std::vector<std::string> expected = DerivedAspectLines(
        moved, NatalFactors(s.natalChart, s.options), dp.solarArc ? "SA  " : "Pr. ", dp.modulus, 1.5);
    ASSERT_FALSE(expected.empty());
    ExpectSameLines(aspects, expected);
}

INSTANTIATE_TEST_SUITE_P(Pages, DirectionPages,
                         ::testing::Values(DirectionPage{"sample-solar-arc45", true, 45},
                                           DirectionPage{"sample-progressed45", false, 45}),
                         [](const auto& info) { return info.param.solarArc ? "SolarArc" : "Progressed"; });

TEST(DirectionsTest, TheMenuCommandsAskForTheModulusAndThePicturesForTheirTarget) {
    ComputedChart computed(kSampleCharts[0]);
    Session& s = computed.session;
    computed.dialogs.answers = {std::string("45"), std::string("Jupiter x"), std::string(" jupiter ")};
    ASSERT_EQ(PlanetaryPicturesCommand(s), ShowResult::Shown);
    // A target that is neither a factor nor a degree is refused with a message before the prompt returns.
    ASSERT_EQ(computed.dialogs.shown.size(), 4u);
    EXPECT_EQ(computed.dialogs.shown[1].text, PictureTargetPrompt());
    EXPECT_EQ(
        computed.dialogs.shown[2].text,
        "\"Jupiter x\" is neither a factor (SUN, MOO ... NN, ASC, MC) nor a degree from 0 to below 360.");
    EXPECT_EQ(computed.dialogs.shown[2].title, "Planetary Pictures");
    EXPECT_EQ(computed.dialogs.shown[2].icon, MessageIcon::Exclamation);
    EXPECT_EQ(computed.dialogs.shown[3].text, PictureTargetPrompt());
    const std::vector<std::string> page = Lines(ShownPage(s));
    EXPECT_EQ(page[4], "  Planetary Pictures A + B - C = D - modulus = 45, orb = 1.5");
    EXPECT_EQ(page[8].substr(0, 7), "  JUP  ");

    const int lines = s.report.PageLineCount;
    computed.dialogs.answers = {std::string("45"), std::nullopt};
    EXPECT_EQ(PlanetaryPicturesCommand(s), ShowResult::NothingToShow);
    computed.dialogs.answers = {std::string("")};
    EXPECT_EQ(SolarArcCommand(s), ShowResult::NothingToShow);
    EXPECT_EQ(ProgressionsCommand(s), ShowResult::NothingToShow);
    EXPECT_EQ(s.report.PageLineCount, lines);
    computed.dialogs.answers = {std::string("22.5")};
    EXPECT_EQ(ProgressionsCommand(s), ShowResult::Shown);
    EXPECT_EQ(Lines(ShownPage(s))[4], "  SECONDARY PROGRESSIONS - modulus = 22.5");
}

}  // namespace
}  // namespace talvenor
