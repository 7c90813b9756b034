// The factors of the event search: the transiting bodies from the engine, the names the user types,
// and the natal targets taken from a chart.
#include "events/event_factors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/midpoint_rule.h"
#include "chart/progressions.h"
#include "datafiles/name_record.h"
#include "ephemeris/calendar.h"
#include "events/event_dates.h"
#include "midpoints/planetary_pictures.h"

namespace talvenor {
namespace {

TEST(EventFactorsTest, TransitMoversGiveTheEnginesLongitudesInTheFormulasOrder) {
    auto sky = std::make_shared<SkyAtMoment>();
    const std::vector<MovingFactor> movers = TransitMovers({"PLU", "NN", "SUN", "MOO"}, sky);
    ASSERT_EQ(movers.size(), 4u);
    EXPECT_EQ(movers[0].name, "SUN");
    EXPECT_EQ(movers[1].name, "MOO");
    EXPECT_EQ(movers[2].name, "PLU");
    EXPECT_EQ(movers[3].name, "NN");
    const double jd = JulianDayNumberOf(2027, 6, 1) - 0.5 + 0.3;
    const Sky expected = SkyAt(InstantAtJulianDate(jd));
    EXPECT_EQ(movers[0].longitudeAt(jd), expected.Longitude[kSun]);
    EXPECT_EQ(movers[1].longitudeAt(jd), expected.Longitude[kMoon]);
    EXPECT_EQ(movers[2].longitudeAt(jd), expected.Longitude[kPluto]);
    // The node of the second chart: the mean node.
    EXPECT_EQ(movers[3].longitudeAt(jd), expected.MeanNode);
    // Another moment asked after it is not answered from the last one.
    EXPECT_EQ(movers[0].longitudeAt(jd + 1), SkyAt(InstantAtJulianDate(jd + 1)).Longitude[kSun]);
}

TEST(EventFactorsTest, ASkyThatCannotBeComputedGivesNoLongitude) {
    auto sky = std::make_shared<SkyAtMoment>();
    const std::vector<MovingFactor> movers = TransitMovers({"MAR"}, sky);
    EXPECT_FALSE(std::isfinite(movers[0].longitudeAt(std::nan(""))));
    EXPECT_FALSE(std::isfinite(movers[0].longitudeAt(HUGE_VAL)));
}

TEST(EventFactorsTest, ReadsTheMoversNamedInAnyCaseAndOrder) {
    const struct {
        const char* list;
        std::vector<std::string> names;
        const char* message;
    } cases[] = {
        {"SUN,MAR", {"SUN", "MAR"}, nullptr},
        {"mar, sun ,Moo", {"SUN", "MOO", "MAR"}, nullptr},
        {"PLU,PLU,nn", {"PLU", "NN"}, nullptr},
        {"SUN,VUL", {}, "\"VUL\" is not a moving factor"},
        {"sa.mc,Pr.moo,SUN", {"SUN", "SA.MC", "Pr.MOO"}, nullptr},
        {"PR.NN, SA.ASC", {"SA.ASC", "Pr.NN"}, nullptr},
        {"SA.VUL", {}, "\"SA.VUL\" is not a moving factor"},
        {"SAT.SUN", {}, "\"SAT.SUN\" is not a moving factor"},
        {"SUN,,MAR", {"SUN", "MAR"}, nullptr},
        {" , ", {}, "No moving factor is named."},
        {"ASC", {}, "\"ASC\" is not a moving factor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        std::vector<std::string> names = {"untouched"};
        const auto message = ReadMoverNames(c.list, names);
        if (c.message) {
            ASSERT_TRUE(message.has_value());
            EXPECT_EQ(message->rfind(c.message, 0), 0u) << *message;
            EXPECT_EQ(names, std::vector<std::string>{"untouched"});
        } else {
            ASSERT_FALSE(message.has_value()) << *message;
            EXPECT_EQ(names, c.names);
        }
    }
    // "SA" and "PR" stand for all thirteen directed or progressed factors.
    std::vector<std::string> group;
    EXPECT_FALSE(ReadMoverNames("MOO, sa", group));
    ASSERT_EQ(group.size(), 14u);
    EXPECT_EQ(group[0], "MOO");
    EXPECT_EQ(group[1], "SA.SUN");
    EXPECT_EQ(group[13], "SA.MC");
    EXPECT_FALSE(ReadMoverNames("pr", group));
    ASSERT_EQ(group.size(), 13u);
    EXPECT_EQ(group[10], "Pr.NN");
    EXPECT_EQ(AllMoverNames().size(), 11u + 13u + 13u);
    EXPECT_TRUE(IsDirectedMover("SA.SUN"));
    EXPECT_TRUE(IsDirectedMover("Pr.MC"));
    EXPECT_FALSE(IsDirectedMover("SAT"));
    EXPECT_EQ(DefaultMoverNames(), (std::vector<std::string>{"SUN", "MOO", "MER", "VEN", "MAR", "JUP", "SAT",
                                                             "URA", "NEP", "PLU"}));
}

TEST(EventFactorsTest, ReadsTheKindsOfTargets) {
    const struct {
        const char* list;
        bool natal, midpoints, pictures;
        const char* message;
    } cases[] = {
        {"natal", true, false, false, nullptr},
        {"midpoints", false, true, false, nullptr},
        {"pictures", false, false, true, nullptr},
        {"Natal, MIDPOINTS", true, true, false, nullptr},
        {"natal,stars", false, false, false, "\"stars\" is not a kind of target"},
        {"", false, false, false, "No kind of target is named."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        TargetChoice choice;
        const auto message = ReadTargetChoice(c.list, choice);
        if (c.message) {
            ASSERT_TRUE(message.has_value());
            EXPECT_EQ(message->rfind(c.message, 0), 0u) << *message;
        } else {
            ASSERT_FALSE(message.has_value()) << *message;
            EXPECT_EQ(choice.natalFactors, c.natal);
            EXPECT_EQ(choice.natalMidpoints, c.midpoints);
            EXPECT_EQ(choice.pictures, c.pictures);
        }
    }
}

// A natal chart with the factors at known places.
Chart ChartWithFactors() {
    Chart chart;
    for (int p = 1; p <= 15; ++p) chart.Lon[static_cast<std::size_t>(p)] = p * 23.5;
    chart.MeanNode = chart.Lon[kNorthNode];
    chart.TrueNode = 300.25;
    return chart;
}

TEST(EventFactorsTest, NatalTargetsAreTheThirteenFactorsAndTheirMidpointsByTheirFormulasNames) {
    const Chart chart = ChartWithFactors();
    Options options = DefaultOptions();
    options[161] = 0;
    const std::vector<EventTarget> all = NatalTargets(chart, options, {true, true, false});
    ASSERT_EQ(all.size(), 91u);
    const std::vector<std::string> factorNames = {"SUN", "MOO", "MER", "VEN", "MAR", "JUP", "SAT",
                                                  "URA", "NEP", "PLU", "NN",  "ASC", "MC"};
    const int points[] = {kSun,    kMoon,    kMercury, kVenus,     kMars,      kJupiter,  kSaturn,
                          kUranus, kNeptune, kPluto,   kNorthNode, kAscendant, kMidheaven};
    for (std::size_t f = 0; f < 13; ++f) {
        EXPECT_EQ(all[f].name, factorNames[f]);
        EXPECT_EQ(all[f].longitude, chart.Lon[static_cast<std::size_t>(points[f])]);
    }
    std::size_t e = 13;
    for (std::size_t i = 0; i < 13; ++i) {
        for (std::size_t j = i + 1; j < 13; ++j, ++e) {
            EXPECT_EQ(all[e].name, factorNames[i] + "/" + factorNames[j]);
            EXPECT_DOUBLE_EQ(all[e].longitude, MidpointOf(all[i].longitude, all[j].longitude));
        }
    }
    EXPECT_EQ(all[13].name, "SUN/MOO");
    EXPECT_EQ(all[90].name, "ASC/MC");

    const std::vector<EventTarget> factors = NatalTargets(chart, options, {true, false, false});
    ASSERT_EQ(factors.size(), 13u);
    const std::vector<EventTarget> midpoints = NatalTargets(chart, options, {false, true, false});
    ASSERT_EQ(midpoints.size(), 78u);
    EXPECT_EQ(midpoints.front().name, "SUN/MOO");

    // Option 161 puts the true node in the node's place, in its midpoints too.
    options[161] = 1;
    const std::vector<EventTarget> trueNode = NatalTargets(chart, options, {true, true, false});
    EXPECT_EQ(trueNode[10].longitude, 300.25);
    EXPECT_DOUBLE_EQ(trueNode[13 + 9].longitude, MidpointOf(chart.Lon[kSun], 300.25));  // SUN/NN
    EXPECT_EQ(trueNode[13 + 9].name, "SUN/NN");
}

TEST(EventFactorsTest, PictureTargetsAreEveryAPlusBMinusCOfTheNatalFactors) {
    const Chart chart = ChartWithFactors();
    const Options options = DefaultOptions();
    const std::vector<EventTarget> pictures = NatalTargets(chart, options, {false, false, true});
    ASSERT_EQ(pictures.size(), 78u * 11u);
    EXPECT_EQ(pictures[0].name, "SUN+MOO-MER");
    EXPECT_EQ(pictures.back().name, "ASC+MC-NN");
    const std::vector<EventTarget> factors = NatalTargets(chart, options, {true, false, false});
    std::size_t k = 0;
    for (int a = 0; a < 13; ++a) {
        for (int b = a + 1; b < 13; ++b) {
            for (int c = 0; c < 13; ++c) {
                if (c == a || c == b) continue;
                const auto& t = pictures[k++];
                EXPECT_EQ(t.name, factors[static_cast<std::size_t>(a)].name + "+" +
                                      factors[static_cast<std::size_t>(b)].name + "-" +
                                      factors[static_cast<std::size_t>(c)].name);
                const double expected = factors[static_cast<std::size_t>(a)].longitude +
                                        factors[static_cast<std::size_t>(b)].longitude -
                                        factors[static_cast<std::size_t>(c)].longitude;
                EXPECT_NEAR(std::remainder(t.longitude - expected, 360.0), 0, 1e-9) << t.name;
                EXPECT_GE(t.longitude, 0);
                EXPECT_LT(t.longitude, 360);
            }
        }
    }
    EXPECT_EQ(NatalTargets(chart, options, {true, true, true}).size(), 91u + 858u);
}

// ---- Directed and progressed factors ----

// The natal chart of a names-file record in Placidus houses.
Chart ChartOf(const char* record, const Options& options) {
    const RecordBirth read = ReadRecordLineBirth(record, RegionalFormat{}, "the test");
    EXPECT_FALSE(read.fault.has_value()) << record;
    ChartResult computed = ComputeChart(read.birth, HouseSystem::Placidus, options);
    EXPECT_FALSE(computed.fault.has_value()) << record;
    return computed.chart.value_or(Chart{});
}

// The sample birth, 14 Mar 1962, 10.15 P.M. at zone 6, 87W39 41N52.
Chart SampleBirth(const Options& options) {
    return ChartOf("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52", options);
}

double Midnight(int year, int month, int day) {
    return JulianDayNumberOf(year, month, day) - 0.5;
}

TEST(EventFactorsTest, TheAgeRunsEvenlyThroughEachDayFromBirthdayToBirthday) {
    const Options options = DefaultOptions();
    const Chart chart = SampleBirth(options);
    EXPECT_FALSE(AgeAtMoment(chart, Midnight(1962, 3, 13) + 0.5).has_value());
    EXPECT_EQ(*AgeAtMoment(chart, Midnight(1962, 3, 14)), 0.0);
    EXPECT_EQ(*AgeAtMoment(chart, Midnight(1992, 3, 14)), 30.0);
    const struct {
        int y, m, d;
    } days[] = {{1991, 9, 13}, {1992, 2, 29}, {1992, 3, 13}, {2026, 12, 7}, {2027, 3, 13}};
    for (const auto& d : days) {
        SCOPED_TRACE(::testing::Message() << d.y << "-" << d.m << "-" << d.d);
        const double start = Midnight(d.y, d.m, d.d);
        const double today = *AgeInYears(1962, 3, 14, d.y, d.m, d.d);
        EXPECT_NEAR(*AgeAtMoment(chart, start), today, 1e-12);
        const DayOfCalendar next = CalendarDayOf(start + 1.5);
        const double tomorrow = *AgeInYears(1962, 3, 14, next.year, next.month, next.day);
        EXPECT_NEAR(*AgeAtMoment(chart, start + 0.25), today + 0.25 * (tomorrow - today), 1e-12);
        EXPECT_NEAR(*AgeAtMoment(chart, start + 1 - 1e-9), tomorrow, 1e-9);
    }
}

TEST(EventFactorsTest, DirectedAndProgressedFactorsAreThoseOfTheProgressedChartAtTheMoment) {
    const Options options = DefaultOptions();
    const Chart chart = SampleBirth(options);
    const std::vector<MovingFactor> movers =
        EventMovers({"SUN", "SA.SUN", "SA.MC", "SA.NN", "Pr.MOO", "Pr.MC", "Pr.ASC"}, chart, options);
    // In the search's order: transits, directed, progressed, each by the factors' order.
    ASSERT_EQ(movers.size(), 7u);
    const std::vector<std::string> order = {"SUN", "SA.SUN", "SA.NN", "SA.MC", "Pr.MOO", "Pr.ASC", "Pr.MC"};
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(movers[i].name, order[i]);
    for (double t : {Midnight(1992, 3, 14), Midnight(2027, 6, 1) + 0.37, Midnight(1962, 3, 14) + 0.9}) {
        SCOPED_TRACE(IsoMinuteText(t));
        const ChartResult computed = ComputeProgressedChart(chart, options, *AgeAtMoment(chart, t));
        ASSERT_TRUE(computed.chart.has_value());
        const Chart& progressed = *computed.chart;
        const double arc = SolarArc(chart, progressed);
        EXPECT_EQ(movers[0].longitudeAt(t), SkyAt(InstantAtJulianDate(t)).Longitude[kSun]);
        EXPECT_NEAR(std::remainder(movers[1].longitudeAt(t) - progressed.Lon[kSun], 360.0), 0, 1e-9);
        EXPECT_NEAR(std::remainder(movers[2].longitudeAt(t) - chart.MidpointFactor[11] - arc, 360.0), 0,
                    1e-9);
        EXPECT_NEAR(std::remainder(movers[3].longitudeAt(t) - chart.Lon[kMidheaven] - arc, 360.0), 0,
                    1e-9);
        EXPECT_EQ(movers[4].longitudeAt(t), progressed.Lon[kMoon]);
        EXPECT_EQ(movers[5].longitudeAt(t), progressed.Lon[kAscendant]);
        EXPECT_EQ(movers[6].longitudeAt(t), progressed.Lon[kMidheaven]);
    }
    // Thirty years after birth the progressed chart is the chart of thirty days after it.
    const Chart later = ChartOf("Later,13 Apr 1962,10.15,P,6,087.39,41.52", options);
    EXPECT_NEAR(movers[4].longitudeAt(Midnight(1992, 3, 14)), later.Lon[kMoon], 1e-9);
    // Before the birth they have no place.
    EXPECT_FALSE(std::isfinite(movers[1].longitudeAt(Midnight(1962, 3, 13))));
    EXPECT_FALSE(std::isfinite(movers[4].longitudeAt(Midnight(1900, 1, 1))));
}

// The progressed Moon over ten years against the natal factors, and the directed Midheaven against the
// midpoints: every crossing a daily scan of the progressed chart finds (bisected to a minute with the
// age itself), and no other.
TEST(EventFactorsTest, TheSearchFindsTheCrossingsOfDirectedAndProgressedFactors) {
    const Options options = DefaultOptions();
    const Chart chart = SampleBirth(options);
    EventSearchRequest request;
    request.fromJulianDate = Midnight(1990, 1, 1);
    request.toJulianDate = Midnight(2000, 1, 1);
    request.modulus = 45;
    request.movers = EventMovers({"SA.MC", "Pr.MOO"}, chart, options);
    request.targets = NatalTargets(chart, options, {true, true, false});
    const EventSearchResult found = SearchEvents(request);
    ASSERT_EQ(found.outcome, EventSearchOutcome::Complete);

    auto lon = [&](double age, int mover) {
        const ChartResult computed = ComputeProgressedChart(chart, options, age);
        EXPECT_TRUE(computed.chart.has_value());
        const Chart p = computed.chart.value_or(chart);
        return mover == 0 ? chart.Lon[kMidheaven] + SolarArc(chart, p) : p.Lon[kMoon];
    };
    auto distance = [&](double l, double target) {
        const double d = std::fmod(l - target + 3600.0 * 45, 45.0);
        return d >= 22.5 ? d - 45 : d;
    };
    std::vector<EventHit> scanned;
    for (double t = request.fromJulianDate; t < request.toJulianDate; t += 1) {
        const double a0 = *AgeAtMoment(chart, t), a1 = *AgeAtMoment(chart, t + 1);
        for (int m = 0; m < 2; ++m) {
            const double l0 = lon(a0, m), l1 = lon(a1, m);
            for (std::size_t j = 0; j < request.targets.size(); ++j) {
                const double e0 = distance(l0, request.targets[j].longitude);
                const double e1 = distance(l1, request.targets[j].longitude);
                if ((e0 < 0) == (e1 < 0) || std::fabs(e1 - e0) > 10) continue;
                double lo = t, hi = t + 1;
                while (hi - lo > 0.5 / 1440) {
                    const double mid = (lo + hi) / 2;
                    const double age = a0 + (mid - t) * (a1 - a0);
                    if ((distance(lon(age, m), request.targets[j].longitude) < 0) == (e0 < 0)) {
                        lo = mid;
                    } else {
                        hi = mid;
                    }
                }
                scanned.push_back({(lo + hi) / 2, m, static_cast<int>(j), e1 < e0});
            }
        }
    }
    ASSERT_GT(scanned.size(), 20u);
    ASSERT_EQ(found.hits.size(), scanned.size());
    std::sort(scanned.begin(), scanned.end(),
              [](const EventHit& a, const EventHit& b) { return a.julianDate < b.julianDate; });
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        EXPECT_NEAR(found.hits[i].julianDate, scanned[i].julianDate, 1.0 / 1440) << i;
        EXPECT_EQ(found.hits[i].mover, scanned[i].mover);
        EXPECT_EQ(found.hits[i].target, scanned[i].target);
        EXPECT_EQ(found.hits[i].retrograde, scanned[i].retrograde);
    }
    // The solar arc only ever moves forward.
    for (const EventHit& h : found.hits) {
        if (h.mover == 0) {
            EXPECT_FALSE(h.retrograde);
        }
    }
}

TEST(EventFactorsTest, EveryMoverHasACaptionThatSaysWhatItIs) {
    EXPECT_EQ(MoverCaption("SUN"), "Transiting Sun");
    EXPECT_EQ(MoverCaption("NN"), "Transiting North Node (mean)");
    EXPECT_EQ(MoverCaption("SA.MC"), "Solar arc Midheaven");
    EXPECT_EQ(MoverCaption("SA.NN"), "Solar arc North Node");
    EXPECT_EQ(MoverCaption("Pr.MOO"), "Progressed Moon");
    EXPECT_EQ(MoverCaption("Pr.ASC"), "Progressed Ascendant");
    for (const std::string& name : AllMoverNames()) EXPECT_NE(MoverCaption(name), name);
}

TEST(EventFactorsTest, FactorNamesAreTheLabelsWithoutTheirPadding) {
    EXPECT_EQ(FactorName("MOON     "), "MOO");
    EXPECT_EQ(FactorName("NN       "), "NN");
    EXPECT_EQ(FactorName("MC       "), "MC");
    EXPECT_EQ(FactorName("MER/NN   "), "MER/NN");
    EXPECT_EQ(FactorName("ASC/MC   "), "ASC/MC");
    EXPECT_EQ(FactorName("NN /ASC  "), "NN/ASC");
}

}  // namespace
}  // namespace talvenor
