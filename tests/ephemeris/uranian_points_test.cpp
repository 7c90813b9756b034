// The eight hypothetical points: their heliocentric places against worked values computed apart from the
// program, their geocentric places with both engines, and their daily motions.
#include "ephemeris/uranian_points.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/time_scales.h"
#include "support/shipped_tables.h"

namespace talvenor {
namespace {

using testing_support::Arcseconds;
using testing_support::Tables;

// Heliocentric longitude and latitude of the mean ecliptic and equinox of date and radius, from the same
// elements by tools/ephemeris/uranian_worked_values.mjs: Meeus' Kepler iteration as the npm package
// astronomia carries it and the IAU 2006 ecliptic precession angles in Meeus' rotation (21.7), where the
// program has its own Kepler solver and ERFA's eraEcm06.
struct Worked {
    UranianPoint point;
    double julianDay, longitude, latitude, radius;
};
constexpr Worked kWorked[] = {
    {UranianPoint::Cupido, 2415020.5, 105.15923873, -0.45226071, 41.17948909},
    {UranianPoint::Cupido, 2433282.5, 173.85112158, 0.74335177, 41.11422007},
    {UranianPoint::Cupido, 2447892.5, 229.18104061, 1.06298275, 40.94351700},
    {UranianPoint::Cupido, 2451545.0, 243.08691623, 0.99332850, 40.90223286},
    {UranianPoint::Cupido, 2460000.5, 275.36796827, 0.62377327, 40.83108748},
    {UranianPoint::Cupido, 2470000.5, 313.62773562, -0.04517657, 40.81276562},
    {UranianPoint::Cupido, 2488069.5, 22.57945777, -1.00610583, 40.96001178},
    {UranianPoint::Hades, 2415020.5, 337.29580702, 0.07394921, 50.55754783},
    {UranianPoint::Hades, 2433282.5, 28.03899261, -0.75182740, 50.64098448},
    {UranianPoint::Hades, 2447892.5, 68.50262636, -1.03605395, 50.72496774},
    {UranianPoint::Hades, 2451545.0, 78.59926623, -1.03151773, 50.74314104},
    {UranianPoint::Hades, 2460000.5, 101.94813902, -0.90389330, 50.77563288},
    {UranianPoint::Hades, 2470000.5, 129.53182446, -0.57156366, 50.79149237},
    {UranianPoint::Hades, 2488069.5, 179.37965825, 0.27482905, 50.75181822},
    {UranianPoint::Zeus, 2415020.5, 104.20355150, 0.00000017, 59.28304136},
    {UranianPoint::Zeus, 2433282.5, 144.31061695, 0.00328968, 59.27896935},
    {UranianPoint::Zeus, 2447892.5, 176.41424773, -0.00029029, 59.25391928},
    {UranianPoint::Zeus, 2451545.0, 184.44498160, -0.00211797, 59.24543561},
    {UranianPoint::Zeus, 2460000.5, 203.04528257, -0.00746824, 59.22381992},
    {UranianPoint::Zeus, 2470000.5, 225.06097378, -0.01491769, 59.19719230},
    {UranianPoint::Zeus, 2488069.5, 264.88696814, -0.02610244, 59.15754368},
    {UranianPoint::Kronos, 2415020.5, 17.96668255, 0.00000007, 65.01099449},
    {UranianPoint::Kronos, 2433282.5, 52.95174118, 0.00556656, 64.99827356},
    {UranianPoint::Kronos, 2447892.5, 80.97245604, 0.01172989, 64.94138884},
    {UranianPoint::Kronos, 2451545.0, 87.98631668, 0.01304814, 64.92207725},
    {UranianPoint::Kronos, 2460000.5, 104.24018106, 0.01522288, 64.87202816},
    {UranianPoint::Kronos, 2470000.5, 123.49650646, 0.01553402, 64.80762711},
    {UranianPoint::Kronos, 2488069.5, 158.38471434, 0.00801937, 64.69833774},
    {UranianPoint::Apollon, 2415020.5, 138.05415519, 0.00000010, 70.29949000},
    {UranianPoint::Apollon, 2433282.5, 169.28919377, 0.00059772, 70.29949000},
    {UranianPoint::Apollon, 2447892.5, 194.27801889, -0.00388230, 70.29949000},
    {UranianPoint::Apollon, 2451545.0, 200.52524042, -0.00560590, 70.29949000},
    {UranianPoint::Apollon, 2460000.5, 214.98751762, -0.01025479, 70.29949000},
    {UranianPoint::Apollon, 2470000.5, 232.09154847, -0.01637265, 70.29949000},
    {UranianPoint::Apollon, 2488069.5, 262.99694057, -0.02606743, 70.29949000},
    {UranianPoint::Admetos, 2415020.5, 351.33579915, -0.00000001, 73.62765000},
    {UranianPoint::Admetos, 2433282.5, 20.52389869, 0.00286320, 73.62765000},
    {UranianPoint::Admetos, 2447892.5, 43.87512784, 0.00885779, 73.62765000},
    {UranianPoint::Admetos, 2451545.0, 49.71295049, 0.01064896, 73.62765000},
    {UranianPoint::Admetos, 2460000.5, 63.22747370, 0.01489855, 73.62765000},
    {UranianPoint::Admetos, 2470000.5, 79.21063208, 0.01953276, 73.62765000},
    {UranianPoint::Admetos, 2488069.5, 108.09071940, 0.02423957, 73.62765000},
    {UranianPoint::Vulkanus, 2415020.5, 55.89904485, 0.00000016, 77.25568000},
    {UranianPoint::Vulkanus, 2433282.5, 83.10400774, 0.00653257, 77.25568000},
    {UranianPoint::Vulkanus, 2447892.5, 104.86868486, 0.01105894, 77.25568000},
    {UranianPoint::Vulkanus, 2451545.0, 110.30986959, 0.01182167, 77.25568000},
    {UranianPoint::Vulkanus, 2460000.5, 122.90618000, 0.01275812, 77.25568000},
    {UranianPoint::Vulkanus, 2470000.5, 137.80340226, 0.01207496, 77.25568000},
    {UranianPoint::Vulkanus, 2488069.5, 164.72130846, 0.00522792, 77.25568000},
    {UranianPoint::Poseidon, 2415020.5, 165.51696303, 0.00000003, 83.66907000},
    {UranianPoint::Poseidon, 2433282.5, 189.73340730, -0.00171287, 83.66907000},
    {UranianPoint::Poseidon, 2447892.5, 209.10720328, -0.00659380, 83.66907000},
    {UranianPoint::Poseidon, 2451545.0, 213.95066758, -0.00819258, 83.66907000},
    {UranianPoint::Poseidon, 2460000.5, 225.16326127, -0.01228309, 83.66907000},
    {UranianPoint::Poseidon, 2470000.5, 238.42401435, -0.01747292, 83.66907000},
    {UranianPoint::Poseidon, 2488069.5, 262.38498730, -0.02605001, 83.66907000},
};

TEST(UranianPointsTest, HeliocentricPlacesOfDateAreTheWorkedValues) {
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(std::string(ElementsOf(w.point).name) + " " + std::to_string(w.julianDay));
        const HeliocentricPlace p = UranianHeliocentricOfDate(w.point, w.julianDay);
        // Eight decimals of a degree are printed: the last one, 36 micro-arcseconds, is the tolerance.
        EXPECT_NEAR(p.longitude, w.longitude, 1e-8);
        EXPECT_NEAR(p.latitude, w.latitude, 1e-8);
        EXPECT_NEAR(p.radius, w.radius, 1e-8);
    }
}

TEST(UranianPointsTest, TheOrbitsKeepTheirElements) {
    for (std::size_t i = 0; i < kUranianPoints; ++i) {
        const UranianPoint point = static_cast<UranianPoint>(i);
        const UranianElements& e = ElementsOf(point);
        SCOPED_TRACE(std::string(e.name));
        // Kepler's third law with Gauss's constant: a sidereal year of 365.2568983 days at 1 au.
        const double period = 365.2568983 * e.semiAxis * std::sqrt(e.semiAxis);
        const HeliocentricState atEpoch = UranianStateJ1900(point, kUranianEpoch);
        const HeliocentricState aPeriodOn = UranianStateJ1900(point, kUranianEpoch + period);
        const double r = std::hypot(atEpoch.position[0], atEpoch.position[1], atEpoch.position[2]);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(aPeriodOn.position[k], atEpoch.position[k], 1e-8 * r);
            EXPECT_NEAR(aPeriodOn.velocity[k], atEpoch.velocity[k], 1e-10);
        }
        // On the ecliptic of J1900.0 the latitude never exceeds the inclination; the circular orbits keep
        // their radius.
        EXPECT_LE(std::fabs(std::asin(atEpoch.position[2] / r)), e.inclination * M_PI / 180 + 1e-15);
        EXPECT_NEAR(r, e.semiAxis * (1 - e.eccentricity * std::cos(e.meanAnomaly * M_PI / 180)),
                    e.semiAxis * e.eccentricity * e.eccentricity + 1e-12);
        // The velocity is the orbit's: sqrt(GM (2 / r - 1 / a)) in au a day.
        const double speed = std::hypot(atEpoch.velocity[0], atEpoch.velocity[1], atEpoch.velocity[2]);
        EXPECT_NEAR(speed, 0.01720209895 * std::sqrt(2 / r - 1 / e.semiAxis), 1e-9);
    }
}

// A point's geocentric place swings about its heliocentric one by up to the angle the Earth's orbit
// subtends at it, and moves backwards around its opposition to the Sun and forwards around its conjunction
// with it; with both engines alike.
TEST(UranianPointsTest, GeocentricPlacesShowTheEarthsYear) {
    const ModernTables& tables = Tables();
    for (std::size_t i = 0; i < kUranianPoints; ++i) {
        const UranianPoint point = static_cast<UranianPoint>(i);
        SCOPED_TRACE(std::string(ElementsOf(point).name));
        int backwards = 0;
        for (int day = 0; day < 365; day += 5) {
            const double jd = 2460676.5 + day;  // through 2025
            const Instant instant = InstantOf(jd + 0.5, 0.0);
            const UranianPlace theory = TheoryUranianPlaces(instant)[i];
            const UranianPlace modern = ModernUranianPlaces(tables, jd, NutationSeries::Iau2000A)[i];
            const HeliocentricPlace helio = UranianHeliocentricOfDate(point, jd);
            const double swing = std::asin(1.0167 / helio.radius) * 180 / M_PI;
            EXPECT_LE(std::fabs(std::remainder(theory.longitude - helio.longitude, 360.0)), swing);
            // The theory's geometric place of the mean equinox and the modern apparent place part by the
            // aberration (20.5") and the nutation (17.2") at most, and the theory's Earth.
            EXPECT_LE(std::fabs(Arcseconds(modern.longitude - theory.longitude)), 40.0) << day;
            EXPECT_LE(std::fabs(Arcseconds(modern.declination - theory.declination)), 40.0) << day;
            EXPECT_NEAR(theory.longitudeSpeed, modern.longitudeSpeed, 0.0005) << day;
            const double sun =
                ApparentSkyAt(tables, jd, {SkyBodyBit(ModernBody::Sun)})[ModernBody::Sun].longitude;
            const double fromOpposition = std::fabs(std::remainder(modern.longitude - sun - 180.0, 360.0));
            if (modern.longitudeSpeed < 0) {
                ++backwards;
                EXPECT_LT(fromOpposition, 90.0) << day;
            }
            if (fromOpposition < 30.0) {
                EXPECT_LT(modern.longitudeSpeed, 0.0) << day;
            }
            if (fromOpposition > 150.0) {
                EXPECT_GT(modern.longitudeSpeed, 0.0) << day;
            }
        }
        // Some five months a year backwards: the stations of a body 40 to 84 au away.
        EXPECT_GE(backwards * 5, 140);
        EXPECT_LE(backwards * 5, 190);
    }
}

}  // namespace
}  // namespace talvenor
