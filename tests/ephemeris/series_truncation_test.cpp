#include "ephemeris/series_truncation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ephemeris/modern_sky.h"
#include "support/shipped_tables.h"

namespace talvenor {
namespace {

using testing_support::Tables;

constexpr double kArcsec = M_PI / 180 / 3600;

// The instants the comparisons sample: 301 across 1800-2200 and 41 across the outer span, year 1 to 4000.
std::vector<double> InnerInstants() {
    std::vector<double> days;
    for (int i = 0; i <= 300; ++i) days.push_back(2451545.0 + (-200 + 400.0 * i / 300) * 365.25 + 0.37 * i);
    return days;
}
std::vector<double> OuterInstants() {
    std::vector<double> days;
    for (int i = 0; i <= 40; ++i) days.push_back(2451545.0 + (-1999 + 3998.0 * i / 40) * 365.25 + 0.61 * i);
    return days;
}

TEST(SeriesTruncationTest, TheSmallestTermsByTheirWeightAtTheSpansEdgeGoFirstWithinBothBudgets) {
    // At the inner edge (0.2 millennia) the power-3 term weighs 1e-5 x 0.008 = 8e-8, the least of all, but at
    // the outer edge (2 millennia) 8e-5, more than the outer budget: it stays. The two small power-0 terms
    // go (3e-6 in all); the next would overrun the inner budget.
    Vsop87Series full;
    full[0] = {{1e-3, 0.1, 10}, {2e-6, 0.2, 20}, {1e-6, 0.3, 30}, {2e-6, 0.4, 40}};
    full[3] = {{1e-5, 0.5, 50}};
    const ShortenedVsop87Series s = ShortenVsop87Series(full, {3.5e-6, 3.5e-5});
    ASSERT_EQ(s.series[0].size(), 2u);
    EXPECT_EQ(s.series[0][0].a, 1e-3);
    EXPECT_EQ(s.series[0][1].c, 40);  // the order of the kept terms is the table's
    ASSERT_EQ(s.series[3].size(), 1u);
    EXPECT_EQ(s.dropped.kept, 3u);
    EXPECT_EQ(s.dropped.dropped, 2u);
    EXPECT_DOUBLE_EQ(s.dropped.byPower[0], 3e-6);
    EXPECT_EQ(s.dropped.byPower[3], 0);
    EXPECT_DOUBLE_EQ(s.dropped.BoundAt(5.0), 3e-6);

    // With a loose outer budget the power-3 term goes as well, and its weight grows with t cubed.
    const ShortenedVsop87Series loose = ShortenVsop87Series(full, {3.5e-6, 1e-3});
    EXPECT_TRUE(loose.series[3].empty());
    EXPECT_DOUBLE_EQ(loose.dropped.BoundAt(2.0), 3e-6 + 8e-5);
}

// Every coordinate's record keeps within its budget at both edges, the budgets turn into the stated
// geocentric angles, and the shortening does shorten: the everyday series hold far fewer terms.
TEST(SeriesTruncationTest, EveryCoordinateKeepsWithinItsBudgetAndTheBudgetsGiveTheStatedAngles) {
    const ShortenedSeries& s = Tables().shortened;
    const double inner = kTruncationInnerYears / kVsop87YearsPerUnit;
    const double outer = kTruncationOuterYears / kVsop87YearsPerUnit;
    std::size_t kept = 0, all = 0;
    for (std::size_t i = 0; i < kVsop87Bodies; ++i) {
        const Vsop87Body body = static_cast<Vsop87Body>(i);
        SCOPED_TRACE(Vsop87BodyName(body));
        const Vsop87Budgets b = Vsop87TruncationBudgets(body);
        const std::array<TruncationBudget, 3> budgets = {b.L, b.B, b.R};
        for (std::size_t c = 0; c < 3; ++c) {
            const DroppedAmplitudes& d = s.vsopDropped[i][c];
            EXPECT_LE(d.BoundAt(inner), budgets[c].inner);
            EXPECT_LE(d.BoundAt(outer), budgets[c].outer);
            kept += d.kept;
            all += d.kept + d.dropped;
        }
        // A position error of r dL + r dB + dR seen from the closest approach.
        const PlanetReach& reach = kPlanetReach[i];
        const double angle =
            (reach.farthestFromSun * (b.L.inner + b.B.inner) + b.R.inner) / reach.closestToEarth / kArcsec;
        const double stated = body == Vsop87Body::Earth ? kSunTruncationArcsec
                              : body == Vsop87Body::Uranus || body == Vsop87Body::Neptune
                                  ? kOuterPlanetTruncationArcsec
                                  : kPlanetTruncationArcsec;
        EXPECT_NEAR(angle, stated, 1e-9);
    }
    EXPECT_LT(kept, all * 3 / 4);
    const double moonInner = kTruncationInnerYears / kElpYearsPerUnit;
    EXPECT_LE(s.elpDropped[0].BoundAt(moonInner), kMoonTruncationArcsec);
    EXPECT_LE(s.elpDropped[1].BoundAt(moonInner), kMoonTruncationArcsec);
    EXPECT_LE(s.elpDropped[2].BoundAt(moonInner), kMoonDistanceTruncationKm);
    std::size_t moonKept = 0, moonAll = 0;
    for (const DroppedAmplitudes& d : s.elpDropped) {
        moonKept += d.kept;
        moonAll += d.kept + d.dropped;
    }
    EXPECT_LT(moonKept, moonAll / 2);
    EXPECT_EQ(s.elp.w1, Tables().elp.w1);
}

// The shortened planetary series against the full ones: at every sampled instant the difference is within
// the rigorous bound at that instant, and within the 1800-2200 budget across that span.
TEST(SeriesTruncationTest, TheShortenedPlanetsStayWithinTheBoundOfWhatWasLeftOut) {
    const ShortenedSeries& s = Tables().shortened;
    for (std::size_t i = 0; i < kVsop87Bodies; ++i) {
        const Vsop87Body body = static_cast<Vsop87Body>(i);
        SCOPED_TRACE(Vsop87BodyName(body));
        const Vsop87Budgets budgets = Vsop87TruncationBudgets(body);
        const auto compare = [&](const std::vector<double>& days, bool inner) {
            for (const double jd : days) {
                const HeliocentricPosition full = Vsop87Position(Tables().vsop[body], jd);
                const HeliocentricPosition cut = Vsop87Position(s.vsop[body], jd);
                const double t = std::fabs(jd - 2451545.0) / 365250.0;
                const double dl = std::fabs(std::remainder(full.longitude - cut.longitude, 2 * M_PI));
                const double db = std::fabs(full.latitude - cut.latitude);
                const double dr = std::fabs(full.radius - cut.radius);
                constexpr double kRounding = 1e-14;
                ASSERT_LE(dl, s.vsopDropped[i][0].BoundAt(t) + kRounding) << jd;
                ASSERT_LE(db, s.vsopDropped[i][1].BoundAt(t) + kRounding) << jd;
                ASSERT_LE(dr, s.vsopDropped[i][2].BoundAt(t) + kRounding) << jd;
                const double factor = inner ? 1 : kTruncationOuterFactor;
                ASSERT_LE(dl, budgets.L.inner * factor) << jd;
                ASSERT_LE(db, budgets.B.inner * factor) << jd;
                ASSERT_LE(dr, budgets.R.inner * factor) << jd;
            }
        };
        compare(InnerInstants(), true);
        compare(OuterInstants(), false);
    }
}

TEST(SeriesTruncationTest, TheShortenedMoonStaysWithinTheBoundOfWhatWasLeftOut) {
    const ShortenedSeries& s = Tables().shortened;
    double largest[3] = {};
    const auto compare = [&](const std::vector<double>& days, double factor) {
        for (const double jd : days) {
            const MoonSeriesPosition full = ElpMpp02Position(Tables().elp, jd);
            const MoonSeriesPosition cut = ElpMpp02Position(s.elp, jd);
            const double t = std::fabs(jd - 2451545.0) / 36525.0;
            const double dl = std::fabs(std::remainder(full.longitude - cut.longitude, 2 * M_PI)) / kArcsec;
            const double db = std::fabs(full.latitude - cut.latitude) / kArcsec;
            const double dr = std::fabs(full.distance - cut.distance);
            ASSERT_LE(dl, s.elpDropped[0].BoundAt(t) + 1e-8) << jd;
            ASSERT_LE(db, s.elpDropped[1].BoundAt(t) + 1e-8) << jd;
            ASSERT_LE(dr, s.elpDropped[2].BoundAt(t) + 1e-8) << jd;
            ASSERT_LE(dl, kMoonTruncationArcsec * factor) << jd;
            ASSERT_LE(db, kMoonTruncationArcsec * factor) << jd;
            ASSERT_LE(dr, kMoonDistanceTruncationKm * factor) << jd;
            if (factor == 1) {
                largest[0] = std::max(largest[0], dl);
                largest[1] = std::max(largest[1], db);
                largest[2] = std::max(largest[2], dr);
            }
        }
    };
    compare(InnerInstants(), 1);
    compare(OuterInstants(), kTruncationOuterFactor);
    // The left-out terms' phases are scattered: what they add up to in practice is a small part of the bound.
    EXPECT_LT(largest[0], kMoonTruncationArcsec / 5);
    EXPECT_LT(largest[1], kMoonTruncationArcsec / 5);
    EXPECT_LT(largest[2], kMoonDistanceTruncationKm / 5);
}

}  // namespace
}  // namespace talvenor
