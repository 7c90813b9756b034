// The Sun's bending of a body's light: a point mass outside the Sun's disk, fading behind it with the mass
// the light passes by.
#include "ephemeris/solar_deflection.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>

namespace talvenor {
namespace {

constexpr double kArcsecond = 3.14159265358979323846 / 180 / 3600;

// A body `separation` (in units of the Sun's angular radius) from the Sun's centre as seen from an observer
// one au from the Sun, `beyond` au behind the Sun (negative: between the observer and the Sun): the
// observer at (-1, 0, 0) looks along +x at the Sun at the origin, the body off the line in y.
struct Sight {
    double p[3], q[3], e[3] = {-1, 0, 0};
    Sight(double separation, double beyond) {
        const double angle = separation * std::asin(kSunRadiusAu);
        const double along = 1.0 + beyond;
        const double body[2] = {beyond, along * std::tan(angle)};
        const double length = std::hypot(along, body[1]), r = std::hypot(body[0], body[1]);
        p[0] = along / length, p[1] = body[1] / length, p[2] = 0;
        q[0] = body[0] / r, q[1] = body[1] / r, q[2] = 0;
    }
    // The bending away from the Sun in seconds of arc.
    double Bending(const double bent[3]) const {
        return (std::atan2(bent[1], bent[0]) - std::atan2(p[1], p[0])) / kArcsecond;
    }
};

double BendingAt(double separation, double beyond) {
    const Sight sight(separation, beyond);
    double bent[3];
    BendLightPastSun(sight.p, sight.q, sight.e, 1.0, bent);
    return sight.Bending(bent);
}

TEST(SolarDeflection, TheMassProfileRisesFromTheCentreToTheWholeSun) {
    EXPECT_EQ(SunMassWithin(0), 0);
    EXPECT_EQ(SunMassWithin(1), 1);
    EXPECT_EQ(SunMassWithin(2), 1);
    EXPECT_NEAR(SunMassWithin(0.25), 0.5, 0.02);  // half the mass within a quarter of the radius
    EXPECT_NEAR(SunMassWithin(0.7), 0.98, 0.005);
    double previous = -1, previousProjected = -1;
    for (int i = 0; i <= 200; ++i) {
        const double x = i / 200.0;
        const double m = SunMassWithin(x), projected = SunMassProjectedWithin(x);
        EXPECT_GT(m, previous) << x;
        EXPECT_GT(projected, previousProjected) << x;
        // The cylinder holds the sphere of the same radius and the parts of the outer shells along the
        // line of sight.
        EXPECT_GE(projected, m - 1e-12) << x;
        previous = m, previousProjected = projected;
    }
    EXPECT_NEAR(SunMassProjectedWithin(0.999), 1.0, 0.001);
}

TEST(SolarDeflection, OutsideTheDiskTheSunIsAPointMass) {
    // A star-like body far behind the Sun at the limb is bent by 1.75"; twice the distance, half of that.
    EXPECT_NEAR(BendingAt(1.0001, 1e6), 1.75, 0.01);
    EXPECT_NEAR(BendingAt(2.0, 1e6), 0.875, 0.005);
    // The same as ERFA's point mass without any fading, for a body at Venus' distance behind the Sun.
    for (const double separation : {1.01, 1.5, 3.0, 20.0}) {
        Sight sight(separation, 0.72);
        double expected[3];
        eraLd(1.0, sight.p, sight.q, sight.e, 1.0, 1e-30, expected);
        EXPECT_NEAR(BendingAt(separation, 0.72), sight.Bending(expected), 1e-9) << separation;
    }
    // A body in front of the disk (Mercury or Venus in transit) has its light bent by the Sun behind it
    // only as far as the Sun's field reaches back to the observer: far less, and no fading.
    EXPECT_GT(BendingAt(0.3, -0.3), 0);
    EXPECT_LT(BendingAt(0.3, -0.3), 0.5);
}

TEST(SolarDeflection, BehindTheDiskTheBendingFadesWithTheMassTheLightPasses) {
    // Venus beyond the Sun (0.72 au from it): the point mass bends its light by about 0.73" at the limb
    // and would bend it by 7.3" a tenth of the radius in; the mass the light passes by keeps it under 2".
    const double beyond = 0.72;
    const double limb = BendingAt(1.0, beyond);
    EXPECT_NEAR(limb, 0.73, 0.03);
    EXPECT_NEAR(BendingAt(0.9999, beyond), limb, 0.001);  // no step at the limb
    EXPECT_NEAR(BendingAt(1.0001, beyond), limb, 0.001);
    double largest = 0;
    for (int i = 1; i < 100; ++i) {
        const double bending = BendingAt(i / 100.0, beyond);
        EXPECT_GT(bending, 0) << i;
        largest = std::max(largest, bending);
    }
    EXPECT_GT(largest, 1.5 * limb);  // it still grows inside the disk, to about a quarter of the radius
    EXPECT_LT(largest, 2.0);
    EXPECT_NEAR(BendingAt(0.25, beyond), limb / 0.25 * SunMassProjectedWithin(0.25), 0.01);
    // Towards the centre it levels off below the limb's.
    EXPECT_LT(BendingAt(0.001, beyond), 0.6 * limb);
    EXPECT_EQ(BendingAt(0, beyond), 0);
}

}  // namespace
}  // namespace talvenor
