#include "ephemeris/apparent_sky.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ephemeris/time_scales.h"
#include "support/shipped_tables.h"

namespace talvenor {
namespace {

using testing_support::ArcsecondsApart;
using testing_support::kNineBodies;
using testing_support::Tables;

// Instants from 1800 to 2200 and three beyond, at odd hours.
std::vector<double> Instants() {
    std::vector<double> days;
    for (int i = 0; i <= 24; ++i) days.push_back(2451545.0 + (-200 + 400.0 * i / 24) * 365.25 + 0.29 * i);
    for (const double year : {500.0, 1200.0, 3000.0})
        days.push_back(2451545.0 + (year - 2000) * 365.25 + 0.41);
    return days;
}

// With the full series the sky computed together is ApparentPlaceAt's, body by body: the step back over the
// light time, the velocities from the series' rates and the shared frame change nothing that shows.
TEST(ApparentSkyTest, TheSkyFromTheFullSeriesIsEachBodysApparentPlace) {
    for (const double jd : Instants()) {
        SCOPED_TRACE(jd);
        const ApparentSky sky = ApparentSkyFromSeries(Tables().vsop, Tables().elp, Tables().pluto, jd);
        for (const ModernBody body : kNineBodies) {
            SCOPED_TRACE(static_cast<int>(body));
            const ApparentPlace one = ApparentPlaceAt(Tables(), body, jd);
            const ApparentPlace& all = sky[body];
            EXPECT_LT(ArcsecondsApart(all.longitude - one.longitude), 0.001);
            EXPECT_LT(ArcsecondsApart(all.latitude - one.latitude), 0.001);
            EXPECT_LT(ArcsecondsApart(all.declination - one.declination), 0.001);
            EXPECT_NEAR(all.distance, one.distance, 1e-9 * one.distance);
        }
    }
}

// Pluto comes from its table in the sky computed together as in ApparentPlaceAt, with its velocity from the
// table; beyond the table's years it is not a number, and so are its speed, while the others are given.
TEST(ApparentSkyTest, PlutoFromItsTableIsApparentPlaceAtsAndMissingBeyondIt) {
    for (double year = 1.0; year <= 2100; year += 99.7) {
        SCOPED_TRACE(year);
        const double jd = 2451545.0 + (year - 2000) * 365.25;
        const ApparentSky sky = ApparentSkyAt(Tables(), jd);
        const ApparentPlace one = ApparentPlaceAt(Tables(), ModernBody::Pluto, jd);
        // The Earth's shortened series keep within a thousandth of a second of arc of the full ones as seen
        // from Pluto from 1800 on, a hundredth before.
        const double within = year >= 1800 ? 0.001 : 0.01;
        EXPECT_LT(ArcsecondsApart(sky[ModernBody::Pluto].longitude - one.longitude), within);
        EXPECT_LT(ArcsecondsApart(sky[ModernBody::Pluto].latitude - one.latitude), within);
        EXPECT_LT(ArcsecondsApart(sky[ModernBody::Pluto].declination - one.declination), within);
        // About 1.5 degrees a year at most, less than a degree a year after 1990.
        EXPECT_LT(std::fabs(sky.SpeedOf(ModernBody::Pluto)), 0.05);
    }
    const ApparentSky beyond = ApparentSkyAt(Tables(), 2451545.0 + 1000 * 365.25);
    EXPECT_TRUE(std::isnan(beyond[ModernBody::Pluto].longitude));
    EXPECT_TRUE(std::isnan(beyond.SpeedOf(ModernBody::Pluto)));
    EXPECT_FALSE(std::isnan(beyond[ModernBody::Neptune].longitude));
}

// The budget of each body's apparent place from the shortened series, in seconds of arc: its own series'
// and (for the planets) the Earth's seen from the planet's closest approach.
double Budget(ModernBody body) {
    const double earth = kSunTruncationArcsec * kPlanetReach[2].closestToEarth;
    switch (body) {
        case ModernBody::Sun:
            return kSunTruncationArcsec;
        case ModernBody::Moon:
            return 2 *
                   kMoonTruncationArcsec;  // the declination takes both the longitude's and the latitude's
        case ModernBody::Mercury:
            return kPlanetTruncationArcsec + earth / kPlanetReach[0].closestToEarth;
        case ModernBody::Venus:
            return kPlanetTruncationArcsec + earth / kPlanetReach[1].closestToEarth;
        case ModernBody::Mars:
            return kPlanetTruncationArcsec + earth / kPlanetReach[3].closestToEarth;
        case ModernBody::Jupiter:
            return kPlanetTruncationArcsec + earth / kPlanetReach[4].closestToEarth;
        case ModernBody::Saturn:
            return kPlanetTruncationArcsec + earth / kPlanetReach[5].closestToEarth;
        case ModernBody::Uranus:
            return kOuterPlanetTruncationArcsec + earth / kPlanetReach[6].closestToEarth;
        case ModernBody::Neptune:
            return kOuterPlanetTruncationArcsec + earth / kPlanetReach[7].closestToEarth;
        case ModernBody::Pluto:  // its table is not shortened; the Earth's series from 28 au
            return earth / 28.0;
    }
    return 0;
}

// The everyday sky from the shortened series against the full series' apparent places from 1800 to 2200:
// within each body's budget at every instant, and in practice a fraction of it.
TEST(ApparentSkyTest, TheEverydaySkyKeepsWithinTheTruncationBudgets) {
    for (const double jd : Instants()) {
        if (std::fabs(jd - 2451545.0) > kTruncationInnerYears * 365.25) continue;
        SCOPED_TRACE(jd);
        const ApparentSky sky = ApparentSkyAt(Tables(), jd);
        for (const ModernBody body : kNineBodies) {
            SCOPED_TRACE(static_cast<int>(body));
            const ApparentPlace full = ApparentPlaceAt(Tables(), body, jd);
            const double budget = Budget(body) + 0.001;
            EXPECT_LT(ArcsecondsApart(sky[body].longitude - full.longitude), budget);
            EXPECT_LT(ArcsecondsApart(sky[body].latitude - full.latitude), budget);
            EXPECT_LT(ArcsecondsApart(sky[body].declination - full.declination), budget);
            EXPECT_LT(ArcsecondsApart(sky[body].longitude - full.longitude), budget / 3);
        }
    }
}

// The longitude speeds are the apparent longitudes' own change (over 0.05 day either side), and put the
// planets' stations where the almanacs do: Mercury stationary on 2024 April 1 and 25, Mars on 2022
// October 30 and 2023 January 12 (UT; the speed changes sign within a day of the printed date).
TEST(ApparentSkyTest, TheSpeedsFollowTheLongitudesAndTurnAtThePrintedStations) {
    for (const double jd : {2451545.0, 2415020.5, 2460400.3, 2488069.9}) {
        SCOPED_TRACE(jd);
        const ApparentSky sky = ApparentSkyAt(Tables(), jd);
        const ApparentSky ahead = ApparentSkyAt(Tables(), jd + 0.05);
        const ApparentSky behind = ApparentSkyAt(Tables(), jd - 0.05);
        for (const ModernBody body : kNineBodies) {
            SCOPED_TRACE(static_cast<int>(body));
            const double change = std::remainder(ahead[body].longitude - behind[body].longitude, 360.0) / 0.1;
            EXPECT_NEAR(sky.SpeedOf(body), change, 0.002);
        }
        EXPECT_NEAR(sky.SpeedOf(ModernBody::Sun), 0.9856, 0.035);
        EXPECT_GT(sky.SpeedOf(ModernBody::Moon), 11.7);
        EXPECT_LT(sky.SpeedOf(ModernBody::Moon), 15.5);
    }
    const auto speed = [](ModernBody body, int year, int month, int day) {
        const double ut = JulianDayNumberOf(year, month, day) - 0.5;
        return ApparentSkyAt(Tables(), TerrestrialTime(Tables(), ut)).SpeedOf(body);
    };
    EXPECT_GT(speed(ModernBody::Mercury, 2024, 3, 31), 0);
    EXPECT_LT(speed(ModernBody::Mercury, 2024, 4, 3), 0);
    EXPECT_LT(speed(ModernBody::Mercury, 2024, 4, 24), 0);
    EXPECT_GT(speed(ModernBody::Mercury, 2024, 4, 27), 0);
    EXPECT_GT(speed(ModernBody::Mars, 2022, 10, 29), 0);
    EXPECT_LT(speed(ModernBody::Mars, 2022, 11, 1), 0);
    EXPECT_LT(speed(ModernBody::Mars, 2023, 1, 11), 0);
    EXPECT_GT(speed(ModernBody::Mars, 2023, 1, 14), 0);
}

// The true obliquity and the nutation in longitude of the sky are those the places were turned with: the
// Sun's declination follows from its longitude and latitude on the ecliptic of that obliquity.
TEST(ApparentSkyTest, TheObliquityIsTheOneThePlacesWereTurnedWith) {
    for (const double jd : {2451545.0, 2378496.5, 2524595.5}) {
        SCOPED_TRACE(jd);
        const ApparentSky sky = ApparentSkyAt(Tables(), jd);
        EXPECT_NEAR(sky.trueObliquity, 23.44, 0.05);
        EXPECT_LT(std::fabs(sky.nutationInLongitude) * 3600, 18.0);
        for (const ModernBody body : {ModernBody::Sun, ModernBody::Moon, ModernBody::Mars}) {
            const ApparentPlace& p = sky[body];
            const double e = sky.trueObliquity * M_PI / 180, l = p.longitude * M_PI / 180,
                         b = p.latitude * M_PI / 180;
            const double declination =
                std::asin(std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l)) * 180 / M_PI;
            EXPECT_LT(ArcsecondsApart(p.declination - declination), 1e-6);
        }
    }
}

// The abridged IAU 2000B nutation keeps within 0.004" of the full 2000A series from 1800 to 2200 (its
// authors give a millisecond of arc over 1995-2050): every place moves by no more than that, the
// obliquity by no more than 0.0025".
TEST(ApparentSkyTest, TheAbridgedNutationKeepsWithinFourMillisecondsOfArc) {
    double largest = 0;
    for (const double jd : Instants()) {
        if (std::fabs(jd - 2451545.0) > kTruncationInnerYears * 365.25) continue;
        SCOPED_TRACE(jd);
        const ApparentSky full = ApparentSkyAt(Tables(), jd);
        SkyOptions abridged;
        abridged.nutation = NutationSeries::Iau2000B;
        const ApparentSky sky = ApparentSkyAt(Tables(), jd, abridged);
        const double dpsi = ArcsecondsApart(sky.nutationInLongitude - full.nutationInLongitude);
        EXPECT_LT(dpsi, 0.004);
        EXPECT_LT(ArcsecondsApart(sky.trueObliquity - full.trueObliquity), 0.0025);
        largest = std::max(largest, dpsi);
        for (const ModernBody body : kNineBodies) {
            EXPECT_LT(ArcsecondsApart(sky[body].longitude - full[body].longitude), 0.0045);
            EXPECT_LT(ArcsecondsApart(sky[body].latitude - full[body].latitude), 0.0045);
            EXPECT_LT(ArcsecondsApart(sky[body].declination - full[body].declination), 0.0045);
        }
    }
    EXPECT_GT(largest, 0.0001);  // the two series do differ
}

}  // namespace
}  // namespace talvenor
