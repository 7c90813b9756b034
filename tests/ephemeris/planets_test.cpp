#include "ephemeris/planets.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "ephemeris/time_scales.h"

namespace talvenor {
namespace {

using testing_support::Decimals;

// Centuries from J1900 and from J2000 at 0h UT of a civil date.
double T1900(int y, int m, int d) {
    return (JulianDayNumberOf(y, m, d) - 2415020.0 - 0.5) / 36525.0;
}
double T2000(int y, int m, int d) {
    return (JulianDayNumberOf(y, m, d) - 2451545.0 - 0.5) / 36525.0;
}

struct Geocentric {
    double lon, lat;
};
Geocentric Inner(int body, double t2000) {
    PlanetWork w;
    w.CenturiesT = t2000;
    for (int b : {kBodyEarth, body}) {
        w.BodyIndex = b;
        ComputeInnerBody(w);
    }
    return {Norm360(w.BodyGeoLon), w.BodyGeoLat};
}

TEST(PlanetsTest, SunAtWorkedDates) {
    EXPECT_EQ(Decimals(Norm360(ComputeSun(T1900(2000, 1, 1))), "279.8581"), "279.8581");
    EXPECT_EQ(Decimals(Norm360(ComputeSun(T1900(1992, 10, 13))), "199.9062"), "199.9062");
}

TEST(PlanetsTest, InnerPlanetsAtTheTurnOfTheCentury) {
    struct Case {
        int body;
        const char* lon;
        const char* lat;
    };
    const Case cases[] = {{2, "271.1293", "-0.9465"}, {3, "240.9746", "2.0799"}, {4, "327.5882", "-1.0737"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const Geocentric g = Inner(c.body, T2000(2000, 1, 1));
        EXPECT_EQ(Decimals(g.lon, c.lon), c.lon);
        EXPECT_EQ(Decimals(g.lat, c.lat), c.lat);
    }
}

TEST(PlanetsTest, VenusAtTheEndOf1992) {
    const Geocentric g = Inner(3, T2000(1992, 12, 20));
    EXPECT_EQ(Decimals(g.lon, "313.0833"), "313.0833");
    EXPECT_EQ(Decimals(g.lat, "-2.0846"), "-2.0846");
}

TEST(PlanetsTest, MeanAnomaliesComeStraightFromTheElementTables) {
    PlanetWork w;
    w.CenturiesT = 0;
    w.BodyIndex = 2;
    ComputeInnerBody(w);
    EXPECT_DOUBLE_EQ(w.ElemMeanAnomaly, 174.7947);
    EXPECT_DOUBLE_EQ(w.ElemArgPeri, 77.4552 - 48.331);

    // The Earth row of the 1900 elements holds the Sun's mean longitude: a half turn reconciles them.
    w = {};
    w.CenturiesT = 0;
    w.BodyIndex = kBodyEarth;
    ComputeOuterBody(w);
    EXPECT_NEAR(w.ElemMeanAnomaly, 358.475828, 1e-9);
}

TEST(PlanetsTest, CircularOrbitPutsTheBodyAtItsMeanLongitude) {
    PlanetWork w;
    w.BodyIndex = kBodyEarth;
    w.ElemA = kKilometresPerAU;
    w.ElemE = 0;
    w.ElemI = 0;
    w.ElemNode = 20;
    w.ElemArgPeri = 10;
    w.ElemMeanAnomaly = 30;
    SolveOrbit(w);
    EXPECT_NEAR(w.EarthHelioLon, 60.0, 1e-9);
    EXPECT_NEAR(w.EarthRadius, kKilometresPerAU, 1e-6);
    EXPECT_FALSE(w.KeplerUnsettled);
}

TEST(PlanetsTest, HeliocentricLongitudeBeyondOneTurnGivesTheSameGeocentricPlace) {
    PlanetWork w;
    w.CenturiesT = 0;
    w.BodyIndex = kBodyEarth;
    ComputeInnerBody(w);
    PlanetWork shifted = w;

    for (PlanetWork* p : {&w, &shifted}) {
        p->BodyIndex = 4;
        p->ElemA = 1.5 * kKilometresPerAU;
        p->ElemE = 0.09;
        p->ElemI = 1.85;
        p->ElemNode = 49.5;
        p->ElemArgPeri = 286.5;
        p->ElemMeanAnomaly = 19.4;
    }
    shifted.ElemNode += 360.0;  // heliocentric longitude now above 360
    SolveOrbit(w);
    SolveOrbit(shifted);
    EXPECT_GT(shifted.BodyHelioLon, 360.0);
    EXPECT_NEAR(Norm360(w.BodyGeoLon), Norm360(shifted.BodyGeoLon), 1e-7);
    EXPECT_NEAR(w.BodyGeoLat, shifted.BodyGeoLat, 1e-7);
}

TEST(PlanetsTest, AnOrbitThatCannotConvergeIsReportedInsteadOfHanging) {
    PlanetWork w;
    w.BodyIndex = kBodyEarth;
    w.ElemA = kKilometresPerAU;
    w.ElemE = 3.0;  // no ellipse: from this start Newton's steps wander for ever
    w.ElemMeanAnomaly = 71.0;
    SolveOrbit(w);
    EXPECT_TRUE(w.KeplerUnsettled);
}

}  // namespace
}  // namespace talvenor
