// The factors of the event search: the transiting bodies from the engine, the names the user types,
// and the natal targets taken from a chart.
#include "events/event_factors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/midpoint_rule.h"
#include "events/event_dates.h"

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
        {"SUN,MAR", {"SUN", "MAR"}, nullptr},          {"mar, sun ,Moo", {"SUN", "MOO", "MAR"}, nullptr},
        {"PLU,PLU,nn", {"PLU", "NN"}, nullptr},        {"SUN,VUL", {}, "\"VUL\" is not a moving factor"},
        {"SUN,,MAR", {"SUN", "MAR"}, nullptr},         {" , ", {}, "No moving factor is named."},
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
ChartState ChartWithFactors() {
    ChartState chart;
    for (int p = 1; p <= 15; ++p) chart.NatalLon[static_cast<std::size_t>(p)] = p * 23.5;
    chart.NatalMeanNode = chart.NatalLon[kNorthNode];
    chart.TrueNode = 300.25;
    return chart;
}

TEST(EventFactorsTest, NatalTargetsAreTheThirteenFactorsAndTheirMidpointsByTheirFormulasNames) {
    const ChartState chart = ChartWithFactors();
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
        EXPECT_EQ(all[f].longitude, chart.NatalLon[static_cast<std::size_t>(points[f])]);
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
    EXPECT_DOUBLE_EQ(trueNode[13 + 9].longitude, MidpointOf(chart.NatalLon[kSun], 300.25));  // SUN/NN
    EXPECT_EQ(trueNode[13 + 9].name, "SUN/NN");
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
