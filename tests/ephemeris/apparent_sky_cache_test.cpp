#include "ephemeris/apparent_sky_cache.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "support/shipped_tables.h"

namespace talvenor {
namespace {

using testing_support::ArcsecondsApart;
using testing_support::kNineBodies;
using testing_support::Tables;

// The fitted sky against the computed one through 2023 June to 2024 September, which holds Venus passing
// between the Earth and the Sun (2023 August 13) and behind it (2024 June 4), Mars behind it (2023
// November 18), Mercury's six conjunctions, the Moon's eclipses; and in 1801 and 2199, at the span's edges.
TEST(ApparentSkyCacheTest, TheFittedPlacesKeepWithinAHundredthOfASecondOfTheComputedOnes) {
    ApparentSkyCache cache(Tables());
    for (const double start : {2460097.5, 2378861.5, 2524230.5}) {
        const int samples = start == 2460097.5 ? 650 : 60;
        for (int i = 0; i < samples; ++i) {
            const double jd = start + i * 0.713;
            SCOPED_TRACE(jd);
            const ApparentSky sky = ApparentSkyAt(Tables(), jd);
            for (const ModernBody body : kNineBodies) {
                SCOPED_TRACE(static_cast<int>(body));
                const ApparentPlace fitted = cache.PlaceAt(body, jd);
                const ApparentPlace& computed = sky[body];
                ASSERT_LT(ArcsecondsApart(fitted.longitude - computed.longitude), 0.01);
                ASSERT_LT(ArcsecondsApart(fitted.latitude - computed.latitude), 0.01);
                ASSERT_LT(ArcsecondsApart(fitted.declination - computed.declination), 0.01);
                ASSERT_NEAR(fitted.distance, computed.distance, 1e-9);
                ASSERT_GE(fitted.longitude, 0);
                ASSERT_LT(fitted.longitude, 360);
                ASSERT_NEAR(cache.SpeedAt(body, jd), sky.SpeedOf(body), 0.002);
            }
        }
    }
}

// With the abridged nutation the fits follow the sky computed with it.
TEST(ApparentSkyCacheTest, TheFitsFollowTheNutationChosen) {
    ApparentSkyCache cache(Tables(), NutationSeries::Iau2000B);
    SkyOptions options;
    options.nutation = NutationSeries::Iau2000B;
    for (int i = 0; i < 90; ++i) {
        const double jd = 2488000.5 + i * 0.731;
        SCOPED_TRACE(jd);
        const ApparentSky sky = ApparentSkyAt(Tables(), jd, options);
        for (const ModernBody body : kNineBodies) {
            ASSERT_LT(ArcsecondsApart(cache.PlaceAt(body, jd).longitude - sky[body].longitude), 0.01);
            ASSERT_LT(ArcsecondsApart(cache.PlaceAt(body, jd).declination - sky[body].declination), 0.01);
        }
    }
}

// The windows lie where they lie whatever was asked before: a cache that has wandered over other years
// gives the very same numbers as a fresh one; and a window is fitted once however often it is read.
TEST(ApparentSkyCacheTest, APlaceDoesNotDependOnWhatWasAskedBefore) {
    ApparentSkyCache fresh(Tables()), wandered(Tables());
    for (const double jd : {2451545.0, 2440000.5, 2470000.5, 2460000.5, 2460040.5}) {
        for (const ModernBody body : kNineBodies) wandered.PlaceAt(body, jd);
    }
    const double jd = 2460031.37;
    for (const ModernBody body : kNineBodies) {
        const ApparentPlace a = fresh.PlaceAt(body, jd), b = wandered.PlaceAt(body, jd);
        EXPECT_EQ(a.longitude, b.longitude);
        EXPECT_EQ(a.latitude, b.latitude);
        EXPECT_EQ(a.declination, b.declination);
        EXPECT_EQ(a.distance, b.distance);
    }
    const std::size_t fitted = fresh.WindowsFitted();
    EXPECT_EQ(fitted, kSkyCacheGroups);
    for (int hour = 0; hour < 24 * 10; ++hour) {
        for (const ModernBody body : kNineBodies) fresh.PlaceAt(body, 2460030.5 + hour / 24.0);
    }
    EXPECT_EQ(fresh.WindowsFitted(), fitted);
}

using Vector3 = std::array<double, 3>;

Vector3 Unit(const ApparentPlace& p) {
    const double l = p.longitude * M_PI / 180, b = p.latitude * M_PI / 180;
    return {std::cos(b) * std::cos(l), std::cos(b) * std::sin(l), std::sin(b)};
}
Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Dot(const Vector3& a, const Vector3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
double Norm(const Vector3& a) {
    return std::sqrt(Dot(a, a));
}

// The Sun's light deflection left out of the sky, for a body at its distance behind or beside the Sun
// (Explanatory Supplement, 3.26): seen at p from the Earth, at q from the Sun, with e the Sun-Earth direction
// and E the Sun's distance, the light is turned by 2GM/(c^2 E) |(p.q) e - (e.p) q| / (1 + q.e) (1.974e-8 rad
// / E) away from the Sun; far beyond the Sun (q = p) that is a star's (1 + cos theta) / sin theta. The Sun
// and the Moon are not bent.
TEST(ApparentSkyCacheTest, TheLightDeflectionLeftOutIsTheSunsBendingOfTheLight) {
    for (int i = 0; i < 40; ++i) {
        const double jd = 2451545.0 + i * 91.3;
        SCOPED_TRACE(jd);
        const ApparentSky bent = ApparentSkyAt(Tables(), jd);
        const ApparentSky straight = ApparentSkyAt(Tables(), jd, {kAllSkyBodies, SunDeflection::LeftOut});
        EXPECT_EQ(bent[ModernBody::Sun].longitude, straight[ModernBody::Sun].longitude);
        EXPECT_EQ(bent[ModernBody::Moon].longitude, straight[ModernBody::Moon].longitude);
        const ApparentPlace& sun = bent[ModernBody::Sun];
        const Vector3 s = Unit(sun);
        const Vector3 e = {-s[0], -s[1], -s[2]};
        for (const ModernBody body :
             {ModernBody::Mars, ModernBody::Jupiter, ModernBody::Saturn, ModernBody::Neptune}) {
            SCOPED_TRACE(static_cast<int>(body));
            const Vector3 a = Unit(bent[body]), p = Unit(straight[body]);
            const double r = straight[body].distance;
            Vector3 q = {p[0] * r + e[0] * sun.distance, p[1] * r + e[1] * sun.distance,
                         p[2] * r + e[2] * sun.distance};
            const double qn = Norm(q);
            for (double& x : q) x /= qn;
            const Vector3 turn = {Dot(p, q) * e[0] - Dot(e, p) * q[0], Dot(p, q) * e[1] - Dot(e, p) * q[1],
                                  Dot(p, q) * e[2] - Dot(e, p) * q[2]};
            const double expected = 1.974e-8 / sun.distance * Norm(turn) / (1 + Dot(q, e));
            const double theta = std::atan2(Norm(Cross(s, p)), Dot(s, p));
            const double moved = std::atan2(Norm(Cross(a, p)), Dot(a, p));
            EXPECT_NEAR(moved, expected, 0.01 * expected + 1e-11);
            EXPECT_NEAR(std::atan2(Norm(Cross(s, a)), Dot(s, a)), theta + expected, 0.01 * expected + 1e-11);
            // Less than a star's at the same angle from the Sun: the body is nearer.
            EXPECT_LT(expected, 1.974e-8 / sun.distance * (1 + std::cos(theta)) / std::sin(theta));
        }
    }
}

}  // namespace
}  // namespace talvenor
