#include "ephemeris/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ephemeris/fault_watch.h"

namespace talvenor {
namespace {

TEST(AnglesTest, Norm360ReducesToOneTurn) {
    struct Case {
        double in, out;
    };
    const Case cases[] = {{360, 0}, {-360, 0}, {720.5, 0.5}, {-10, 350}, {0, 0}, {359.5, 359.5}, {-730, 350}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_DOUBLE_EQ(Norm360(c.in), c.out);
        EXPECT_DOUBLE_EQ(Norm360BranchFree(c.in), c.out);
    }
}

TEST(AnglesTest, Norm360OfATinyNegativeValueIsExactly360) {
    // x + 360 rounds to 360: the reduction cannot do better in double precision.
    EXPECT_EQ(Norm360(-1e-14), 360.0);
    EXPECT_EQ(Norm360BranchFree(-1e-14), 360.0);
}

TEST(AnglesTest, PackedValuesHoldMinutesInTheFraction) {
    EXPECT_DOUBLE_EQ(PackedToDecimal(12.30), 12.5);
    EXPECT_DOUBLE_EQ(SignedPackedToDecimal(-74.30), -74.5);
    EXPECT_DOUBLE_EQ(SignedPackedToDecimal(40.15), 40.25);
    EXPECT_EQ(SignedPackedToDecimal(0.0), 0.0);
}

TEST(AnglesTest, ConversionsUseTheTenDecimalPi) {
    EXPECT_EQ(RadToDeg(EnginePi), 180.0);
    EXPECT_GT(RadToDeg(std::numbers::pi), 180.0);
    EXPECT_EQ(DegToRad(180.0), EnginePi);
    // The cosine of a right angle is not zero, which keeps the Midheaven step clear of a zero divisor.
    EXPECT_GT(std::fabs(CosDeg(90.0)), 1e-11);
}

TEST(AnglesTest, RectToPolarNeverReturnsAnExactlyZeroDirection) {
    EngineScratch s;
    s.X = 2;
    s.Y = 0;
    RectToPolar(s);
    EXPECT_DOUBLE_EQ(s.Angle, kTinyAngle / 2);
    EXPECT_EQ(s.Y, kTinyAngle);  // the substitute stays in Y
    EXPECT_DOUBLE_EQ(s.Radius, 2.0);

    s = {};
    s.X = -1;
    s.Y = 0;
    RectToPolar(s);
    // The substitute Y makes the quotient a tiny negative number, so the half-turn lands just short of pi.
    EXPECT_NE(s.Angle, EnginePi);
    EXPECT_NEAR(s.Angle, EnginePi, 2e-9);
}

TEST(AnglesTest, RectToPolarCoversTheFullCircle) {
    struct Case {
        double x, y, degrees;
    };
    const Case cases[] = {{1, 1, 45}, {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        EngineScratch s;
        s.X = c.x;
        s.Y = c.y;
        RectToPolar(s);
        // Within the difference between EnginePi and pi.
        EXPECT_NEAR(RadToDeg(s.Angle), c.degrees, 1e-8);
    }
}

TEST(AnglesTest, PolarToRectReplacesAnExactZeroAngle) {
    EngineScratch s;
    s.Angle = 0;
    s.Radius = 3;
    PolarToRect(s);
    EXPECT_EQ(s.Angle, kTinyAngle);
    EXPECT_DOUBLE_EQ(s.X, 3.0);
    EXPECT_NEAR(s.Y, 3 * kTinyAngle, 1e-20);
}

TEST(AnglesTest, RectToSphericalHandlesThePolesAndAllQuadrants) {
    struct Case {
        double x, y, z, alpha, delta;
    };
    const Case cases[] = {
        {0, 0, 5, 0, 90},   {0, 0, -2, 0, -90},  {0, 0, 0, 0, 0},    {-1, 0, 0, 180, 0}, {1, 1, 0, 45, 0},
        {-1, 1, 0, 135, 0}, {-1, -1, 0, 225, 0}, {1, -1, 0, 315, 0}, {1, 0, 1, 0, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << "," << c.z);
        EngineScratch s;
        s.X = c.x;
        s.Y = c.y;
        s.Z = c.z;
        FaultWatch watch;
        RectToSpherical(s);
        // The pole is a valid direction: no fault may be raised for it.
        EXPECT_EQ(watch.Status(), EngineStatus::Sound);
        EXPECT_NEAR(s.Alpha, c.alpha, 1e-8);
        EXPECT_NEAR(s.Delta, c.delta, 1e-8);
    }
}

TEST(AnglesTest, EclipticToEquatorialGivesTheSolsticeDeclination) {
    const double eps = DegToRad(23.44);
    EXPECT_NEAR(Declination(90.0, 0.0, eps), 23.44, 1e-9);
    EXPECT_NEAR(Declination(270.0, 0.0, eps), -23.44, 1e-9);
    EXPECT_NEAR(Declination(0.0, 0.0, eps), 0.0, 1e-9);
    EXPECT_NEAR(Declination(0.0, 5.0, eps), 5.0 * std::cos(eps), 0.01);
}

TEST(AnglesTest, ZeroDivisorsAreReportedNotSwallowed) {
    {
        FaultWatch watch;
        EngineScratch s;
        s.X = 0;
        s.Y = 1;
        RectToPolar(s);
        EXPECT_EQ(watch.Status(), EngineStatus::DivisionByZero);
    }
    {
        FaultWatch watch;
        (void)ArcSinRad(1.0);
        EXPECT_NE(watch.Status(), EngineStatus::Sound);
    }
    {
        FaultWatch watch;
        EXPECT_NEAR(ArcSinRad(0.5), EnginePi / 6, 1e-9);
        EXPECT_EQ(watch.Status(), EngineStatus::Sound);
    }
}

}  // namespace
}  // namespace talvenor
