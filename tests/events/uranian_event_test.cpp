// The event search and the graphic ephemeris with the Uranian factors: the hypothetical points as
// transiting movers, the Aries point and the points directed and progressed, the names the user types
// for each factor set, and the points drawn as graph bodies; with the classic factors nothing changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/progressions.h"
#include "datafiles/name_record.h"
#include "ephemeris/calendar.h"
#include "events/ephemeris_graph.h"
#include "events/event_dates.h"
#include "events/event_factors.h"
#include "events/event_search.h"

namespace talvenor {
namespace {

Chart UranianChartOf(const char* record, const Options& options, FactorSet set = FactorSet::Uranian) {
    const RecordBirth read = ReadRecordLineBirth(record, RegionalFormat{}, "the test");
    EXPECT_FALSE(read.fault.has_value()) << record;
    ChartResult computed =
        ComputeChart(read.birth, HouseSystem::Placidus, options, ChartRole::Natal, SkyEngine(), set);
    EXPECT_FALSE(computed.fault.has_value()) << record;
    return computed.chart.value_or(Chart{});
}

Chart SampleUranian(const Options& options) {
    return UranianChartOf("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52", options);
}

double Midnight(int year, int month, int day) {
    return JulianDayNumberOf(year, month, day) - 0.5;
}

double Apart(double a, double b) {
    return std::remainder(a - b, 360.0);
}

bool Has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// ---- Names, captions and refusals ----

TEST(UranianEventNamesTest, TheUranianSetAddsThePointsAndDirectsTheAriesPointButDoesNotProgressIt) {
    const std::vector<std::string> classic = AllMoverNames();
    EXPECT_EQ(classic, AllMoverNames(FactorSet::Classic));
    ASSERT_EQ(classic.size(), 11u + 13u + 13u);
    EXPECT_FALSE(Has(classic, "CUP"));
    EXPECT_FALSE(Has(classic, "SA.ARI"));

    const std::vector<std::string> all = AllMoverNames(FactorSet::Uranian);
    ASSERT_EQ(all.size(), 11u + 8u + 22u + 21u);
    // Transits first (bodies, then the points), then the directed, then the progressed factors.
    EXPECT_EQ(all[10], "NN");
    EXPECT_EQ(all[11], "CUP");
    EXPECT_EQ(all[18], "POS");
    EXPECT_EQ(all[19], "SA.SUN");
    EXPECT_EQ(all[19 + 13], "SA.ARI");
    EXPECT_EQ(all[19 + 21], "SA.POS");
    EXPECT_EQ(all[41], "Pr.SUN");
    EXPECT_EQ(all[41 + 13], "Pr.CUP");
    EXPECT_EQ(all.back(), "Pr.POS");
    // The Aries point does not move: no transiting ARI, and it progresses nowhere.
    EXPECT_FALSE(Has(all, "ARI"));
    EXPECT_FALSE(Has(all, "Pr.ARI"));
    // The classic names keep their order within the larger list.
    std::vector<std::string> common;
    for (const std::string& n : all) {
        if (Has(classic, n)) common.push_back(n);
    }
    EXPECT_EQ(common, classic);

    // The default: the ten bodies, and with the points the eight points too.
    const std::vector<std::string> bodies = {"SUN", "MOO", "MER", "VEN", "MAR",
                                             "JUP", "SAT", "URA", "NEP", "PLU"};
    EXPECT_EQ(DefaultMoverNames(), bodies);
    std::vector<std::string> withPoints = bodies;
    for (const char* p : {"CUP", "HAD", "ZEU", "KRO", "APO", "ADM", "VUL", "POS"}) withPoints.push_back(p);
    EXPECT_EQ(DefaultMoverNames(FactorSet::Uranian), withPoints);
}

TEST(UranianEventNamesTest, CaptionsNameThePointsAndTheAriesPoint) {
    EXPECT_EQ(MoverCaption("CUP"), "Transiting Cupido");
    EXPECT_EQ(MoverCaption("POS"), "Transiting Poseidon");
    EXPECT_EQ(MoverCaption("SA.ARI"), "Solar arc Aries point");
    EXPECT_EQ(MoverCaption("SA.VUL"), "Solar arc Vulkanus");
    EXPECT_EQ(MoverCaption("Pr.ADM"), "Progressed Admetos");
    // The classic captions as they were.
    EXPECT_EQ(MoverCaption("NN"), "Transiting North Node (mean)");
    EXPECT_EQ(MoverCaption("SA.NN"), "Solar arc North Node");
    // Every name of the set has a caption of its own.
    for (const std::string& name : AllMoverNames(FactorSet::Uranian)) EXPECT_NE(MoverCaption(name), name);
}

TEST(UranianEventNamesTest, ReadingTakesTheNamesOfTheSetAndRefusesOthersListingTheSetsNames) {
    std::vector<std::string> names = {"kept"};
    // Classic: the points are refused, with the message it always had.
    const std::optional<std::string> refused = ReadMoverNames("SUN,VUL", names);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(
        *refused,
        "\"VUL\" is not a moving factor (SUN, MOO, MER, VEN, MAR, JUP, SAT, URA, NEP, PLU, NN; SA.SUN ... "
        "SA.MC and Pr.SUN ... Pr.MC, or SA and PR for all of them).");
    EXPECT_TRUE(ReadMoverNames("SA.ARI", names, FactorSet::Classic).has_value());
    EXPECT_EQ(names, std::vector<std::string>{"kept"});

    // Uranian: any case and order, in the list's order.
    ASSERT_FALSE(ReadMoverNames("pr.cup, vul ,sa.ari,SUN", names, FactorSet::Uranian));
    EXPECT_EQ(names, (std::vector<std::string>{"SUN", "VUL", "SA.ARI", "Pr.CUP"}));
    ASSERT_FALSE(ReadMoverNames("SA", names, FactorSet::Uranian));
    EXPECT_EQ(names.size(), 22u);
    ASSERT_FALSE(ReadMoverNames("pr", names, FactorSet::Uranian));
    EXPECT_EQ(names.size(), 21u);
    for (const char* word : {"ARI", "Pr.ARI", "PLUTO"}) {
        const std::optional<std::string> message = ReadMoverNames(word, names, FactorSet::Uranian);
        ASSERT_TRUE(message.has_value()) << word;
        EXPECT_EQ(message->rfind("\"" + std::string(word) + "\" is not a moving factor (", 0), 0u);
        EXPECT_NE(message->find("CUP, HAD, ZEU, KRO, APO, ADM, VUL, POS"), std::string::npos);
        EXPECT_NE(message->find("SA.POS"), std::string::npos);
    }
}

// ---- Positions ----

// The points sampled once a day and interpolated stay on the engine's places at any moment, across two
// centuries (in which points pass 0 degrees) and at whole days.
TEST(UranianMoversTest, TheInterpolatedPointsKeepToTheEngine) {
    UranianAtMoment points;
    const SkyEngine engine;
    int passesOverZero = 0;
    UranianPlaces before = engine.UranianAt(InstantAtJulianDate(Midnight(1900, 1, 1)));
    for (double t = Midnight(1900, 1, 1) + 0.123; t < Midnight(2099, 12, 31); t += 3.71) {
        const UranianPlaces places = engine.UranianAt(InstantAtJulianDate(t));
        for (std::size_t p = 0; p < kUranianPoints; ++p) {
            const double lon = points.Longitude(p, t);
            ASSERT_GE(lon, -1.0);
            ASSERT_NEAR(Apart(lon, places[p].longitude), 0, 1e-6) << p << " at " << IsoMinuteText(t);
            if (std::fabs(places[p].longitude - before[p].longitude) > 180) ++passesOverZero;
        }
        before = places;
    }
    EXPECT_GT(passesOverZero, 0);
    const double day = Midnight(2027, 5, 1);
    EXPECT_EQ(points.Longitude(3, day), engine.UranianAt(InstantAtJulianDate(day))[3].longitude);
    EXPECT_FALSE(std::isfinite(points.Longitude(0, std::nan(""))));
    EXPECT_FALSE(std::isfinite(points.Longitude(0, HUGE_VAL)));
}

TEST(UranianMoversTest, MoversAreTheEnginesPointsTheArcAndTheProgressedChartsPoints) {
    const Options options = DefaultOptions();
    const Chart chart = SampleUranian(options);
    ASSERT_EQ(chart.factors, FactorSet::Uranian);
    const std::vector<MovingFactor> movers =
        EventMovers({"Pr.HAD", "SA.CUP", "POS", "SUN", "SA.ARI", "CUP", "Pr.CUP", "SA.MC"}, chart, options);
    const std::vector<std::string> order = {"SUN",    "CUP",    "POS",    "SA.MC",
                                            "SA.ARI", "SA.CUP", "Pr.CUP", "Pr.HAD"};
    ASSERT_EQ(movers.size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(movers[i].name, order[i]);
    for (double t : {Midnight(1992, 3, 14) + 0.61, Midnight(2027, 6, 1) + 0.37, Midnight(2030, 1, 1)}) {
        SCOPED_TRACE(IsoMinuteText(t));
        const UranianPlaces now = chart.engine.UranianAt(InstantAtJulianDate(t));
        EXPECT_NEAR(Apart(movers[1].longitudeAt(t), now[0].longitude), 0, 1e-6);
        EXPECT_NEAR(Apart(movers[2].longitudeAt(t), now[7].longitude), 0, 1e-6);
        const ChartResult computed = ComputeProgressedChart(chart, options, *AgeAtMoment(chart, t));
        ASSERT_TRUE(computed.chart.has_value());
        const Chart& progressed = *computed.chart;
        const double arc = SolarArc(chart, progressed);
        ASSERT_GT(arc, 20);
        EXPECT_NEAR(Apart(movers[3].longitudeAt(t), chart.Lon[kMidheaven] + arc), 0, 1e-9);
        // The Aries point directed is the arc itself.
        EXPECT_NEAR(Apart(movers[4].longitudeAt(t), arc), 0, 1e-9);
        EXPECT_NEAR(Apart(movers[5].longitudeAt(t), chart.UranianLon[1] + arc), 0, 1e-9);
        // The progressed points are those of the progressed chart: not the natal ones.
        EXPECT_EQ(movers[6].longitudeAt(t), progressed.UranianLon[1]);
        EXPECT_EQ(movers[7].longitudeAt(t), progressed.UranianLon[2]);
        EXPECT_NE(progressed.UranianLon[1], chart.UranianLon[1]);
    }
    // Before the birth the directed and progressed points have no place; the transiting ones have.
    EXPECT_FALSE(std::isfinite(movers[4].longitudeAt(Midnight(1962, 3, 13))));
    EXPECT_FALSE(std::isfinite(movers[6].longitudeAt(Midnight(1962, 3, 13))));
    EXPECT_TRUE(std::isfinite(movers[1].longitudeAt(Midnight(1962, 3, 13))));

    // A classic chart has no such movers: the names are left out.
    const Chart classic =
        UranianChartOf("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52", options, FactorSet::Classic);
    const std::vector<MovingFactor> plain = EventMovers({"SUN", "CUP", "SA.ARI", "Pr.CUP"}, classic, options);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].name, "SUN");
}

// A year of Cupido and Hades in the 90 degree dial against the 22 factors and their 231 midpoints: every
// crossing a daily scan of the engine's own places finds (bisected to a second on the engine, not on the
// search's sampling), and no other.
TEST(UranianMoversTest, TheSearchFindsTheCrossingsOfTheTransitingPoints) {
    const Options options = DefaultOptions();
    const Chart chart = SampleUranian(options);
    EventSearchRequest request;
    request.fromJulianDate = Midnight(2027, 1, 1);
    request.toJulianDate = Midnight(2028, 1, 1);
    request.modulus = 90;
    request.movers = EventMovers({"CUP", "HAD"}, chart, options);
    request.targets = NatalTargets(chart, options, {true, true, false});
    ASSERT_EQ(request.targets.size(), 253u);
    const EventSearchResult found = SearchEvents(request);
    ASSERT_EQ(found.outcome, EventSearchOutcome::Complete);

    auto lon = [&](double t, int mover) {
        return chart.engine.UranianAt(InstantAtJulianDate(t))[mover].longitude;
    };
    auto distance = [](double l, double target) {
        const double d = std::fmod(l - target + 3600.0 * 90, 90.0);
        return d >= 45 ? d - 90 : d;
    };
    std::vector<EventHit> scanned;
    for (double t = request.fromJulianDate; t < request.toJulianDate; t += 1) {
        for (int m = 0; m < 2; ++m) {
            const double l0 = lon(t, m), l1 = lon(t + 1, m);
            for (std::size_t j = 0; j < request.targets.size(); ++j) {
                const double target = request.targets[j].longitude;
                const double e0 = distance(l0, target), e1 = distance(l1, target);
                if ((e0 < 0) == (e1 < 0) || std::fabs(e1 - e0) > 10) continue;
                double lo = t, hi = t + 1;
                while (hi - lo > 1.0 / 86400) {
                    const double mid = (lo + hi) / 2;
                    ((distance(lon(mid, m), target) < 0) == (e0 < 0) ? lo : hi) = mid;
                }
                scanned.push_back({(lo + hi) / 2, m, static_cast<int>(j), e1 < e0});
            }
        }
    }
    ASSERT_GT(scanned.size(), 3u);
    ASSERT_EQ(found.hits.size(), scanned.size());
    std::sort(scanned.begin(), scanned.end(),
              [](const EventHit& a, const EventHit& b) { return a.julianDate < b.julianDate; });
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        SCOPED_TRACE(request.targets[static_cast<std::size_t>(scanned[i].target)].name);
        EXPECT_NEAR(found.hits[i].julianDate, scanned[i].julianDate, 1.0 / 1440) << i;
        EXPECT_EQ(found.hits[i].mover, scanned[i].mover);
        EXPECT_EQ(found.hits[i].target, scanned[i].target);
        EXPECT_EQ(found.hits[i].retrograde, scanned[i].retrograde);
    }
}

// ---- The graphic ephemeris ----

TEST(UranianGraphTest, TheLevelsAreTheTwentyTwoFactorsAndThePointsAreBodies) {
    const Options options = DefaultOptions();
    const Chart chart = SampleUranian(options);
    EphemerisGraphRequest request;
    ASSERT_FALSE(
        ReadDayRange("1 Jan 2027", "31 Dec 2027", RegionalFormat{}, kGraphRangeLimits, request.range));
    request.modulus = 45;
    request.bodies = {"POS", "SUN", "CUP"};
    request.samples = 200;
    request.midpoints = true;
    const EphemerisGraph graph = BuildEphemerisGraph(chart, options, RegionalFormat{}, request);
    ASSERT_EQ(graph.levels.size(), 22u + 231u);
    EXPECT_EQ(graph.levels[13].name, "ARI");
    EXPECT_EQ(graph.levels[13].factor, 14);
    EXPECT_EQ(graph.levels[14].name, "CUP");
    EXPECT_EQ(graph.levels[14].factor, 15);
    EXPECT_EQ(graph.levels[21].name, "POS");
    EXPECT_EQ(graph.levels[22].factor, 0);

    // The bodies in the menu's order: the Sun, then the points, each with its factor.
    ASSERT_EQ(graph.bodies.size(), 3u);
    EXPECT_EQ(graph.bodies[0].name, "SUN");
    EXPECT_EQ(graph.bodies[0].factor, 0);
    EXPECT_EQ(graph.bodies[1].name, "CUP");
    EXPECT_EQ(graph.bodies[1].factor, 15);
    EXPECT_EQ(graph.bodies[1].point, 0);
    EXPECT_EQ(graph.bodies[2].name, "POS");
    EXPECT_EQ(graph.bodies[2].factor, 22);
    // A point's line lies on the engine's places reduced to the dial.
    for (std::size_t b = 1; b <= 2; ++b) {
        const int point = graph.bodies[b].factor - 15;
        ASSERT_FALSE(graph.bodies[b].runs.empty());
        EXPECT_TRUE(graph.bodies[b].sweeps.empty());
        for (const auto& run : graph.bodies[b].runs) {
            for (const GraphPoint& p : run) {
                const double lon = chart.engine.UranianAt(InstantAtJulianDate(p.julianDate))[point].longitude;
                const double d = std::remainder(p.place - DialPlace(lon, 45), 45.0);
                ASSERT_NEAR(d, 0, 1e-6);
            }
        }
    }
    // The points alone need no sky of the bodies.
    request.bodies = {"KRO"};
    const EphemerisGraph alone = BuildEphemerisGraph(chart, options, RegionalFormat{}, request);
    ASSERT_EQ(alone.bodies.size(), 1u);
    EXPECT_FALSE(alone.bodies[0].runs.empty());

    // A classic chart draws no points, and its levels are the 13 factors.
    Chart classic = chart;
    classic.factors = FactorSet::Classic;
    request.bodies = {"SUN", "CUP"};
    request.midpoints = false;
    const EphemerisGraph plain = BuildEphemerisGraph(classic, options, RegionalFormat{}, request);
    ASSERT_EQ(plain.bodies.size(), 1u);
    EXPECT_EQ(plain.levels.size(), 13u);
}

TEST(UranianGraphTest, TheBodiesOfferedFollowTheFactorSet) {
    const std::vector<std::string> classic = GraphBodyNames();
    ASSERT_EQ(classic.size(), 11u);
    EXPECT_EQ(classic.back(), "NN");
    const std::vector<std::string> uranian = GraphBodyNames(FactorSet::Uranian);
    ASSERT_EQ(uranian.size(), 19u);
    EXPECT_TRUE(std::equal(classic.begin(), classic.end(), uranian.begin()));
    EXPECT_EQ(uranian[11], "CUP");
    EXPECT_EQ(uranian.back(), "POS");
    EXPECT_EQ(DefaultGraphBodyNames(), DefaultGraphBodyNames(FactorSet::Classic));
    const std::vector<std::string> shown = DefaultGraphBodyNames(FactorSet::Uranian);
    EXPECT_EQ(shown.size(), 9u + 8u);
    EXPECT_FALSE(Has(shown, "MOO"));
    EXPECT_TRUE(Has(shown, "VUL"));
    for (const std::string& name : uranian) EXPECT_NE(MoverCaption(name), name);
}

}  // namespace
}  // namespace talvenor
