// The graphic ephemeris as core lays it out: the bodies' lines on the dial, cut cleanly at its edge, the
// natal levels, the time scale and the labels kept apart.
#include "events/ephemeris_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "events/event_factors.h"
#include "events/event_search.h"

namespace talvenor {
namespace {

DayRange Range(const char* from, const char* to) {
    DayRange range;
    EXPECT_FALSE(ReadDayRange(from, to, RegionalFormat{}, kGraphRangeLimits, range));
    return range;
}

Chart SampleChart() {
    Chart chart;
    chart.birth.name = "Sample Person";
    const double lons[] = {0,     354.1, 107.0, 329.6, 5.5,   332.2, 327.6, 308.0,
                           147.4, 223.3, 158.4, 136.1, 316.1, 45.0,  260.7, 175.2};
    for (std::size_t p = 1; p <= 15; ++p) chart.Lon[p] = lons[p];
    chart.MeanNode = chart.Lon[kNorthNode];
    return chart;
}

struct GraphCase {
    const char* name;
    const char* from;
    const char* to;
    float modulus;
    bool withMoon;
};

void PrintTo(const GraphCase& c, std::ostream* os) {
    *os << c.name;
}

const GraphCase kGraphCases[] = {
    {"OneMonthWithTheMoon45", "1 Mar 2027", "31 Mar 2027", 45, true},
    {"OneYear90", "1 Jan 2027", "31 Dec 2027", 90, false},
    {"OneYearWithTheMoon22_5", "1 Jan 2027", "31 Dec 2027", 22.5f, true},
    {"TenYears360", "1 Jan 2027", "31 Dec 2036", 360, false},
    {"TenYearsWithTheMoon45", "1 Jan 2027", "31 Dec 2036", 45, true},
};

class GraphLinesTest : public ::testing::TestWithParam<GraphCase> {
  protected:
    EphemerisGraph Build() const {
        const GraphCase& c = GetParam();
        EphemerisGraphRequest request;
        request.range = Range(c.from, c.to);
        request.modulus = c.modulus;
        request.bodies = c.withMoon ? DefaultMoverNames() : DefaultGraphBodyNames();
        request.samples = 400;
        return BuildEphemerisGraph(SampleChart(), DefaultOptions(), RegionalFormat{}, request);
    }
};

TEST_P(GraphLinesTest, EachRunStaysOnTheDialAndTheNextBeginsAtTheOtherEdgeAtTheSameMoment) {
    const EphemerisGraph graph = Build();
    const double m = graph.modulus;
    ASSERT_EQ(graph.bodies.size(), GetParam().withMoon ? 10u : 9u);
    for (const GraphBody& body : graph.bodies) {
        SCOPED_TRACE(body.name);
        ASSERT_FALSE(body.runs.empty());
        EXPECT_DOUBLE_EQ(body.runs.front().front().julianDate, graph.range.fromJulianDate);
        EXPECT_DOUBLE_EQ(body.runs.back().back().julianDate, graph.range.toJulianDate);
        for (std::size_t r = 0; r < body.runs.size(); ++r) {
            const std::vector<GraphPoint>& run = body.runs[r];
            ASSERT_GE(run.size(), 2u);
            for (std::size_t k = 0; k < run.size(); ++k) {
                EXPECT_GE(run[k].place, 0);
                EXPECT_LE(run[k].place, m);
                if (k > 0) {
                    EXPECT_GE(run[k].julianDate, run[k - 1].julianDate);
                    // Samples close enough that the line is smooth and its step over the edge is plain.
                    EXPECT_LE(std::fabs(run[k].place - run[k - 1].place), m / 3);
                }
            }
            if (r + 1 < body.runs.size()) {
                const GraphPoint& end = run.back();
                const GraphPoint& start = body.runs[r + 1].front();
                EXPECT_EQ(end.julianDate, start.julianDate);
                const bool up = end.place == m && start.place == 0;
                const bool down = end.place == 0 && start.place == m;
                EXPECT_TRUE(up || down) << end.place << " then " << start.place;
            }
        }
    }
}

// Every point of a line that is not on the edge is the body's own place on the dial at that moment.
TEST_P(GraphLinesTest, ThePointsAreTheEnginesPlacesReducedToTheDial) {
    const EphemerisGraph graph = Build();
    for (const GraphBody& body : graph.bodies) {
        int checked = 0;
        for (const auto& run : body.runs) {
            for (std::size_t k = 1; k + 1 < run.size(); k += 7) {
                const Sky sky = SkyAt(InstantAtJulianDate(run[k].julianDate));
                const double expected = DialPlace(TransitLongitude(sky, body.point), graph.modulus);
                EXPECT_NEAR(std::remainder(run[k].place - expected, graph.modulus), 0, 1e-7) << body.name;
                ++checked;
            }
        }
        EXPECT_GT(checked, 0) << body.name;
    }
}

// Between its points a line stays within a thousandth of the dial of the body's true place (a pixel of a
// graph a thousand pixels high), so its crossings are where the body crosses.
TEST_P(GraphLinesTest, BetweenItsPointsALineKeepsToTheBodysTruePlace) {
    const EphemerisGraph graph = Build();
    const double m = graph.modulus;
    for (const GraphBody& body : graph.bodies) {
        double worst = 0;
        for (const auto& run : body.runs) {
            for (std::size_t k = 1; k < run.size(); k += 11) {
                for (double share : {0.25, 0.5, 0.75}) {
                    const double t =
                        run[k - 1].julianDate + share * (run[k].julianDate - run[k - 1].julianDate);
                    const double line = run[k - 1].place + share * (run[k].place - run[k - 1].place);
                    const double truth = TransitLongitude(SkyAt(InstantAtJulianDate(t)), body.point);
                    worst = std::max(worst, std::fabs(std::remainder(line - truth, m)));
                }
            }
        }
        EXPECT_LE(worst, m * 0.0011) << body.name;
    }
}

// A line leaves the dial as often as the search finds its body on 0 of the dial, and then the body stands
// within a thousandth of the dial of its edge.
TEST_P(GraphLinesTest, ALineLeavesTheDialWhereTheSearchFindsItsBodyOnZero) {
    const EphemerisGraph graph = Build();
    EventSearchRequest search;
    search.fromJulianDate = graph.range.fromJulianDate;
    search.toJulianDate = graph.range.toJulianDate;
    search.modulus = graph.modulus;
    std::vector<std::string> names;
    for (const GraphBody& b : graph.bodies) names.push_back(b.name);
    search.movers = TransitMovers(names, std::make_shared<SkyAtMoment>());
    search.targets = {{"ZERO", 0}};
    const EventSearchResult found = SearchEvents(search);
    for (std::size_t b = 0; b < graph.bodies.size(); ++b) {
        const GraphBody& body = graph.bodies[b];
        const auto crossings = std::count_if(found.hits.begin(), found.hits.end(), [&](const EventHit& h) {
            return h.mover == static_cast<int>(b);
        });
        ASSERT_EQ(static_cast<long>(body.runs.size()) - 1, crossings) << body.name;
        for (std::size_t r = 0; r + 1 < body.runs.size(); ++r) {
            const double t = body.runs[r].back().julianDate;
            const double lon = TransitLongitude(SkyAt(InstantAtJulianDate(t)), body.point);
            EXPECT_LE(std::fabs(std::remainder(lon, graph.modulus)), graph.modulus * 0.0011) << body.name;
        }
    }
}

// At the usual dials every body is drawn as lines: no stretch of it is too fast for the picture.
TEST_P(GraphLinesTest, AtTheUsualDialsEveryBodyIsDrawnAsLines) {
    const EphemerisGraph graph = Build();
    for (const GraphBody& body : graph.bodies) EXPECT_TRUE(body.sweeps.empty()) << body.name;
}

INSTANTIATE_TEST_SUITE_P(Graphs, GraphLinesTest, ::testing::ValuesIn(kGraphCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Any modulus ----

struct TinyDialCase {
    const char* name;
    const char* from;
    const char* to;
    float modulus;
    std::vector<std::string> bodies;
    bool sweeps;  // some body crosses the whole dial within a pixel somewhere
};

void PrintTo(const TinyDialCase& c, std::ostream* os) {
    *os << c.name;
}

const TinyDialCase kTinyDialCases[] = {
    {"SunOverAMonthInAThousandthOfADegree", "1 Mar 2027", "31 Mar 2027", 0.001f, {"SUN"}, true},
    {"SunOverAMonthInATwentiethOfADegree", "1 Mar 2027", "31 Mar 2027", 0.05f, {"SUN"}, false},
    {"EveryBodyOverAYearInAThousandthOfADegree",
     "1 Jan 2027",
     "31 Dec 2027",
     0.001f,
     {"SUN", "MOO", "MER", "VEN", "MAR", "JUP", "SAT", "URA", "NEP", "PLU", "NN"},
     true},
    {"EveryBodyOverAYearInABillionthOfADegree",
     "1 Jan 2027",
     "31 Dec 2027",
     1e-9f,
     {"SUN", "MOO", "MER", "VEN", "MAR", "JUP", "SAT", "URA", "NEP", "PLU", "NN"},
     true},
    {"TheMoonOverTenYearsInAMinuteOfArc", "1 Jan 2027", "31 Dec 2036", 1.0f / 60, {"MOO", "SUN"}, true},
};

class TinyDialTest : public ::testing::TestWithParam<TinyDialCase> {};

// However small the dial, a body's line has no more points than a few to a pixel of the widest picture
// sampled for (a year in a thousandth of a degree once took gigabytes); where the body crosses the whole
// dial within such a step the graph has a sweep instead, and lines and sweeps together cover the range.
TEST_P(TinyDialTest, TheLinesStayAsManyAsThePictureHasPixelsAndTheSweepsFillTheRest) {
    const TinyDialCase& c = GetParam();
    EphemerisGraphRequest request;
    request.range = Range(c.from, c.to);
    request.modulus = c.modulus;
    request.bodies = c.bodies;
    const EphemerisGraph graph =
        BuildEphemerisGraph(SampleChart(), DefaultOptions(), RegionalFormat{}, request);
    ASSERT_EQ(graph.bodies.size(), c.bodies.size());
    const double m = graph.modulus, from = graph.range.fromJulianDate, to = graph.range.toJulianDate;
    bool anySweep = false;
    for (const GraphBody& body : graph.bodies) {
        SCOPED_TRACE(body.name);
        std::size_t points = 0;
        std::vector<std::pair<double, double>> covered;
        for (const auto& run : body.runs) {
            ASSERT_GE(run.size(), 2u);
            points += run.size();
            for (const GraphPoint& p : run) {
                EXPECT_GE(p.place, 0);
                EXPECT_LE(p.place, m);
            }
            covered.emplace_back(run.front().julianDate, run.back().julianDate);
        }
        EXPECT_LE(points, static_cast<std::size_t>(8 * kGraphColumns));
        EXPECT_LE(body.sweeps.size(), static_cast<std::size_t>(4 * kGraphColumns));
        for (const GraphSweep& s : body.sweeps) {
            EXPECT_LT(s.fromJulianDate, s.toJulianDate);
            covered.emplace_back(s.fromJulianDate, s.toJulianDate);
        }
        anySweep = anySweep || !body.sweeps.empty();
        std::sort(covered.begin(), covered.end());
        ASSERT_FALSE(covered.empty());
        EXPECT_DOUBLE_EQ(covered.front().first, from);
        double reached = from;
        for (const auto& [start, end] : covered) {
            EXPECT_LE(start, reached + 1e-9) << "a gap before " << start;
            reached = std::max(reached, end);
        }
        EXPECT_DOUBLE_EQ(reached, to);
    }
    EXPECT_EQ(anySweep, c.sweeps);
}

INSTANTIATE_TEST_SUITE_P(Dials, TinyDialTest, ::testing::ValuesIn(kTinyDialCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EphemerisGraphTest, TheLevelsAreTheNatalFactorsAndWhenChosenTheirMidpoints) {
    EphemerisGraphRequest request;
    request.range = Range("1 Jan 2027", "31 Jan 2027");
    request.modulus = 45;
    request.bodies = {"SUN"};
    const Chart chart = SampleChart();
    const EphemerisGraph factors = BuildEphemerisGraph(chart, DefaultOptions(), RegionalFormat{}, request);
    ASSERT_EQ(factors.levels.size(), 13u);
    EXPECT_EQ(factors.levels[0].name, "SUN");
    EXPECT_EQ(factors.levels[0].point, kSun);
    EXPECT_DOUBLE_EQ(factors.levels[0].place, DialPlace(chart.Lon[kSun], 45));
    EXPECT_EQ(factors.levels[1].name, "MOO");
    EXPECT_EQ(factors.levels[1].point, kMoon);
    EXPECT_EQ(factors.levels[12].name, "MC");
    EXPECT_EQ(factors.levels[12].point, kMidheaven);
    request.midpoints = true;
    const EphemerisGraph all = BuildEphemerisGraph(chart, DefaultOptions(), RegionalFormat{}, request);
    ASSERT_EQ(all.levels.size(), 91u);
    EXPECT_EQ(all.levels[13].name, "SUN/MOO");
    EXPECT_EQ(all.levels[13].point, 0);
    for (const GraphLevel& l : all.levels) {
        EXPECT_GE(l.place, 0);
        EXPECT_LT(l.place, 45);
    }
    EXPECT_EQ(all.title, "Sample Person");
    EXPECT_EQ(all.subtitle, "Graphic ephemeris   01 Jan 2027 - 31 Jan 2027   dial 45\xC2\xB0");
    // A modulus is written as typed, not as the binary fraction of its single precision.
    request.modulus = 7.3f;
    EXPECT_EQ(BuildEphemerisGraph(chart, DefaultOptions(), RegionalFormat{}, request).subtitle,
              "Graphic ephemeris   01 Jan 2027 - 31 Jan 2027   dial 7.3\xC2\xB0");
}

TEST(EphemerisGraphTest, TheTimeScaleShowsDaysMonthsOrYearsAsTheRangeAllows) {
    const RegionalFormat regional;
    const struct {
        const char* from;
        const char* to;
        std::size_t ticks;
        std::vector<std::string> labels;
    } cases[] = {
        {"1 Mar 2027", "31 Mar 2027", 32, {"1 Mar", "8 Mar", "15 Mar", "22 Mar", "1 Apr"}},
        {"20 Dec 2026",
         "19 Feb 2027",
         63,
         {"22 Dec", "1 Jan", "8 Jan", "15 Jan", "22 Jan", "1 Feb", "8 Feb", "15 Feb"}},
        {"1 Jan 2027",
         "31 Dec 2027",
         25,
         {"Jan 2027", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec",
          "Jan 2028"}},
        {"1 Jan 2027",
         "31 Dec 2036",
         121,
         {"2027", "2028", "2029", "2030", "2031", "2032", "2033", "2034", "2035", "2036", "2037"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        const DayRange range = Range(c.from, c.to);
        const std::vector<GraphTimeTick> ticks = GraphTimeTicks(range, regional);
        EXPECT_EQ(ticks.size(), c.ticks);
        std::vector<std::string> labels;
        for (const GraphTimeTick& t : ticks) {
            EXPECT_GE(t.julianDate, range.fromJulianDate);
            EXPECT_LE(t.julianDate, range.toJulianDate);
            EXPECT_EQ(t.label.empty(), t.level == 0);
            if (!t.label.empty()) labels.push_back(t.label);
        }
        EXPECT_EQ(labels, c.labels);
    }
}

TEST(EphemerisGraphTest, TheHoverTextGivesDateTimeAndPlaceAndAClickTheDateOfTheDiurnalZone) {
    const double jd = JulianDayNumberOf(2027, 3, 14) - 0.5 + 2.5 / 24;  // 02:30 UT
    EXPECT_EQ(GraphHoverText(jd, 12.5708, RegionalFormat{}),
              "14 Mar 2027  02:30 UT   12\xC2\xB0"
              "34'");
    EXPECT_EQ(LocalDateAt(jd, 0), (CivilDate{2027, 3, 14}));
    EXPECT_EQ(LocalDateAt(jd, 5), (CivilDate{2027, 3, 13}));
    EXPECT_EQ(LocalDateAt(jd, -10), (CivilDate{2027, 3, 14}));
    EXPECT_EQ(LocalDateAt(jd, -21.5), (CivilDate{2027, 3, 15}));
}

TEST(EphemerisGraphTest, LabelsKeepTheirGapWithinTheRangeAndStayNearTheirPlaces) {
    const struct {
        std::vector<double> places;
        double gap, low, high;
        std::vector<double> spread;
    } cases[] = {
        {{10, 20, 30}, 2, 0, 45, {10, 20, 30}},        {{10, 11, 30}, 2, 0, 45, {9.5, 11.5, 30}},
        {{11, 10, 10.5}, 2, 0, 45, {12.5, 8.5, 10.5}}, {{0, 0.5, 44.9}, 2, 0, 45, {0, 2, 44.9}},
        {{44, 44.5, 45}, 2, 0, 45, {41, 43, 45}},      {{5, 6, 7, 8}, 3, 0, 10, {1, 4, 7, 10}},
        {{5, 6, 7, 8}, 4, 0, 10, {0, 4, 8, 12}},
    };
    for (const auto& c : cases) {
        const std::vector<double> spread = SpreadLabels(c.places, c.gap, c.low, c.high);
        ASSERT_EQ(spread.size(), c.spread.size());
        for (std::size_t i = 0; i < spread.size(); ++i) EXPECT_NEAR(spread[i], c.spread[i], 1e-9) << i;
    }
}

TEST(EphemerisGraphTest, ASpanOfMonthsEndsTheDayBeforeTheSameDayThatManyMonthsLater) {
    const RegionalFormat regional;
    const struct {
        const char* from;
        int months;
        CivilDate last;
        const char* message;
    } cases[] = {
        {"1 Jan 2027", 12, {2027, 12, 31}, nullptr},
        {"14 Mar 2027", 1, {2027, 4, 13}, nullptr},
        {"31 Jan 2027", 1, {2027, 2, 27}, nullptr},
        {"1 Feb 2028", 1, {2028, 2, 29}, nullptr},
        {"15 Nov 2027", 3, {2028, 2, 14}, nullptr},
        {"1 Jan 2027", 120, {2036, 12, 31}, nullptr},
        {"1 Jan 2095",
         120,
         {},
         "The program computes dates up to 31 Dec 2099: a range cannot end on 31 Dec 2104."},
        {"someday", 12, {}, "The start of the range, \"someday\", is not a date (for example 1 Jan 2027)."},
        {"1 Jan 27",
         12,
         {},
         "The start of the range, \"1 Jan 27\", gives the year in short: write it in full (1962, not 62; the "
         "year 62 as 0062), for the years the program computes (1 to 2099)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        DayRange range;
        const auto message = GraphRangeFrom(c.from, c.months, regional, range);
        if (c.message) {
            EXPECT_EQ(message.value_or(""), c.message);
        } else {
            ASSERT_FALSE(message) << *message;
            EXPECT_EQ(range.last, c.last);
        }
    }
    const std::vector<std::string> captions = {"1 month", "3 months", "6 months", "1 year",
                                               "2 years", "5 years",  "10 years"};
    std::vector<std::string> shown;
    for (int months : kGraphSpanMonths) shown.push_back(GraphSpanCaption(months));
    EXPECT_EQ(shown, captions);
}

TEST(EphemerisGraphTest, DefaultBodiesLeaveOutTheMoon) {
    EXPECT_EQ(DefaultGraphBodyNames(),
              (std::vector<std::string>{"SUN", "MER", "VEN", "MAR", "JUP", "SAT", "URA", "NEP", "PLU"}));
}

}  // namespace
}  // namespace talvenor
