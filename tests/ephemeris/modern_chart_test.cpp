#include "ephemeris/modern_chart.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "ephemeris/elp_mpp02.h"
#include "ephemeris/sky_engine.h"
#include "ephemeris/time_scales.h"
#include "support/shipped_tables.h"

namespace talvenor {
namespace {

using testing_support::Arcseconds;

const std::shared_ptr<const ModernTables>& Tables() {
    return testing_support::ShippedModernTables();
}

// A civil moment of UT as the chart's instant.
Instant At(int year, int month, int day, double hours) {
    return InstantOf(JulianDayNumberOf(year, month, day), hours / 24.0);
}

double NutationInLongitude(double tt) {
    double dpsi = 0, deps = 0;
    eraNut06a(ERFA_DJM0, tt - ERFA_DJM0, &dpsi, &deps);
    return dpsi * 180.0 / M_PI;
}

// The mean node less its nutation is the mean node of the mean equinox of date, for which Meeus
// (Astronomical Algorithms, 2nd ed., 47.7) prints the ELP-2000/82 polynomial; the ELP/MPP02 node with its
// DE405 fit keeps within a second of arc of it from 1800 to 2100.
TEST(ModernChartTest, TheMeanNodeFollowsThePublishedPolynomial) {
    for (double year = 1800; year <= 2100; year += 7.3) {
        const double tt = 2451545.0 + (year - 2000) * 365.25;
        const double t = (tt - 2451545.0) / 36525.0;
        const double meeus = 125.0445479 - 1934.1362891 * t + 0.0020754 * t * t + t * t * t / 467441 -
                             t * t * t * t / 60616000;
        const double node = ModernMeanNode(*Tables(), tt) - NutationInLongitude(tt);
        EXPECT_LE(std::fabs(Arcseconds(node - meeus)), 1.0) << year;
    }
}

// The Moon's position on the mean ecliptic and equinox of date, as the true node is computed from it:
// longitude in degrees with the nutation added, latitude in degrees.
std::pair<double, double> MoonOfDate(double tt) {
    const MoonSeriesPosition m = ElpMpp02Position(Tables()->elp, tt);
    const double t = (tt - 2451545.0) / 36525.0;
    const double precession = (5029.0966 - 0.29965) * t + 1.1120 * t * t;  // arc seconds; the rest is tiny
    return {m.longitude * 180 / M_PI + precession / 3600 + NutationInLongitude(tt), m.latitude * 180 / M_PI};
}

// Where the Moon crosses the ecliptic going north it stands at the ascending node of its osculating orbit
// at that instant: there the true node and the Moon's longitude agree (to the rounding of the velocity).
// Between two crossings the true node swings around the mean node by up to about 1.7 degrees.
TEST(ModernChartTest, TheTrueNodeIsWhereTheMoonCrossesTheEclipticNorthward) {
    int crossings = 0;
    double largestSwing = 0;
    double before = MoonOfDate(2451545.0).second;
    for (double tt = 2451545.0; tt < 2451545.0 + 400; tt += 1) {
        const double after = MoonOfDate(tt + 1).second;
        if (std::fmod(tt, 3) == 0.0) {
            const double swing = Arcseconds(ModernTrueNode(*Tables(), tt) - ModernMeanNode(*Tables(), tt));
            largestSwing = std::max(largestSwing, std::fabs(swing) / 3600);
        }
        if (before < 0 && after >= 0) {
            double a = tt, b = tt + 1;
            for (int i = 0; i < 40; ++i) {
                const double m = (a + b) / 2;
                (MoonOfDate(m).second < 0 ? a : b) = m;
            }
            ++crossings;
            EXPECT_LE(std::fabs(Arcseconds(ModernTrueNode(*Tables(), a) - MoonOfDate(a).first)), 0.05) << a;
        }
        before = after;
    }
    EXPECT_EQ(crossings, 14);  // 400 days hold 14.7 draconic months of 27.21 days
    EXPECT_GT(largestSwing, 1.0);
    EXPECT_LT(largestSwing, 2.0);
}

// Meeus' examples 12.a and 22.a: on 1987 April 10 at 0h UT the apparent sidereal time at Greenwich is
// 13h10m46.1351s, and at 0h TD the true obliquity is 23 deg 26' 36.850". The examples take the nutation
// from a short series good to half a second of arc, which moves the equation of the equinoxes by up to
// 0.03 s of time: the IAU 2000A nutation here keeps within 0.005 s of the printed time.
TEST(ModernChartTest, SiderealTimeAndObliquityMatchThePrintedExamples) {
    const LocalAngles greenwich = ModernAnglesAt(*Tables(), At(1987, 4, 10, 0), PlaceAt(0, 51.5));
    ASSERT_EQ(greenwich.Status, EngineStatus::Sound);
    const double seconds = greenwich.RamcRad * 180 / M_PI / 15 * 3600;
    EXPECT_NEAR(seconds, (13 * 60 + 10) * 60 + 46.1351, 0.005);
    EXPECT_EQ(greenwich.SiderealHours, 13);
    EXPECT_EQ(greenwich.SiderealMinutes, 10);
    EXPECT_EQ(greenwich.SiderealSeconds, 46);
    const double tt = JulianDayNumberOf(1987, 4, 10) - 0.5;
    EXPECT_NEAR(ModernTrueObliquity(tt) * 180 / M_PI * 3600, (23 * 60 + 26) * 60 + 36.850, 0.05);

    // A place 75 degrees west has its meridian five hours of sidereal time earlier, and the angles follow
    // the meridian: the Midheaven's right ascension is the meridian's.
    const LocalAngles west = ModernAnglesAt(*Tables(), At(1987, 4, 10, 0), PlaceAt(75, 40));
    EXPECT_NEAR(std::remainder(west.RamcRad - greenwich.RamcRad + 75 * M_PI / 180, 2 * M_PI), 0, 1e-12);
    const double eps = west.ObliquityRad, mc = west.Angles.Midheaven * M_PI / 180;
    EXPECT_NEAR(
        std::remainder(std::atan2(std::sin(mc) * std::cos(eps), std::cos(mc)) - west.RamcRad, 2 * M_PI), 0,
        1e-10);
}

TEST(ModernChartTest, TheSkyHoldsTheApparentPlacesAndTheTrueObliquity) {
    const Instant instant = At(2024, 4, 8, 18.35);
    const Sky sky = ModernSkyAt(*Tables(), instant);
    ASSERT_EQ(sky.Status, EngineStatus::Sound);
    const double tt = TerrestrialTime(*Tables(), JulianDayUt(instant));
    // The chart's sky comes from the shortened series with the IAU 2000B nutation: within a few hundredths
    // of a second of arc of the full series' places with the full nutation.
    const ApparentPlace moon = ApparentPlaceAt(*Tables(), ModernBody::Moon, tt);
    const ApparentPlace mars = ApparentPlaceAt(*Tables(), ModernBody::Mars, tt);
    EXPECT_LT(std::fabs(Arcseconds(sky.Longitude[kMoon] - moon.longitude)), 0.02);
    EXPECT_LT(std::fabs(Arcseconds(sky.Declination[kMoon] - moon.declination)), 0.02);
    EXPECT_LT(std::fabs(Arcseconds(sky.Longitude[kMars] - mars.longitude)), 0.02);
    EXPECT_NEAR(sky.ObliquityRad, ModernTrueObliquity(tt), 1e-14);
    // The nodes of the chart from the shortened lunar series, the true node from their rates: against the
    // full series.
    for (double day = 0; day < 30; day += 1.37) {
        const Instant at = At(2024, 4, 1 + static_cast<int>(day), 24 * (day - std::floor(day)));
        const Sky s = ModernSkyAt(*Tables(), at);
        const double when = TerrestrialTime(*Tables(), JulianDayUt(at));
        EXPECT_LT(std::fabs(Arcseconds(s.MeanNode - ModernMeanNode(*Tables(), when))), 1e-6) << day;
        EXPECT_LT(std::fabs(Arcseconds(s.TrueNode - ModernTrueNode(*Tables(), when))), 0.2) << day;
    }
    EXPECT_TRUE(sky.HasDailyMotion);
    EXPECT_NEAR(sky.DailyMotion[kSun], 0.985, 0.02);
    EXPECT_GT(sky.DailyMotion[kMoon], 11.5);
    // The total eclipse of that day: Sun and Moon within a few arc minutes.
    EXPECT_LT(std::fabs(Arcseconds(sky.Longitude[kSun] - sky.Longitude[kMoon])), 600);
    for (int p = kSun; p <= kMoon; ++p) {
        EXPECT_GE(sky.Longitude[p], 0) << p;
        EXPECT_LT(sky.Longitude[p], 360) << p;
    }
    // Mercury, Venus and Mars are never far from the Sun; Pluto is in Aquarius in 2024.
    EXPECT_LT(std::fabs(Arcseconds(sky.Longitude[kMercury] - sky.Longitude[kSun])), 28.5 * 3600);
    EXPECT_LT(std::fabs(Arcseconds(sky.Longitude[kVenus] - sky.Longitude[kSun])), 47.5 * 3600);
    EXPECT_GT(sky.Longitude[kPluto], 300);
    EXPECT_LT(sky.Longitude[kPluto], 302);
}

// Meeus' worked examples (Astronomical Algorithms, 2nd ed.): the Sun on 1992 October 13.0 TD (example 25.b:
// apparent longitude 199 deg 54' 21.818", declination -7 deg 47' 01.74") and Venus on 1992 December 20.0 TD
// (example 33.a: apparent longitude 313.08102 deg, latitude -2.08474 deg). The examples work in the FK5
// frame with the 1980 nutation, and Venus with the abridged series of the book's appendix, good to about a
// second of arc: the full series with the IAU 2006 chain keep within 0.15" of the Sun's figures and within
// 1.5" of Venus's.
TEST(ModernChartTest, TheSunAndVenusOfTheWorkedExamples) {
    const double sunDay = 2448908.5, venusDay = 2448976.5;
    const ApparentPlace sun = ApparentPlaceAt(*Tables(), ModernBody::Sun, sunDay);
    EXPECT_LT(std::fabs(Arcseconds(sun.longitude - (199 + 54 / 60.0 + 21.818 / 3600))), 0.15);
    EXPECT_LT(std::fabs(Arcseconds(sun.declination - -(7 + 47 / 60.0 + 1.74 / 3600))), 0.15);
    const ApparentPlace venus = ApparentPlaceAt(*Tables(), ModernBody::Venus, venusDay);
    EXPECT_LT(std::fabs(Arcseconds(venus.longitude - 313.08102)), 1.5);
    EXPECT_LT(std::fabs(Arcseconds(venus.latitude - -2.08474)), 1.5);
    // The chart's shortened sky gives the full series' places to a few hundredths.
    const ApparentSky sky =
        ApparentSkyAt(*Tables(), venusDay, {kAllSkyBodies, SunDeflection::Applied, kChartNutation});
    EXPECT_LT(std::fabs(Arcseconds(sky[ModernBody::Venus].longitude - venus.longitude)), 0.05);
    EXPECT_LT(
        std::fabs(Arcseconds(ApparentSkyAt(*Tables(), sunDay)[ModernBody::Sun].longitude - sun.longitude)),
        0.05);
}

TEST(ModernChartTest, InstantsOutsideTheServedYearsAreRefusedNotComputed) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Instant tooEarly = InstantOf(kModernFirstJulianDay - 1, 0.5);
    const Instant tooLate = InstantOf(kModernLastJulianDay + 1, 0.5);
    const Instant notANumber = InstantOf(nan, 0.5);
    for (const Instant& i : {tooEarly, tooLate, notANumber}) {
        EXPECT_EQ(ModernSkyAt(*Tables(), i).Status, EngineStatus::OutOfRange);
        EXPECT_EQ(ModernAnglesAt(*Tables(), i, PlaceAt(0, 50)).Status, EngineStatus::OutOfRange);
        EXPECT_EQ(ModernAnglesForMeridian(*Tables(), 1.0, i, PlaceAt(0, 50)).Status,
                  EngineStatus::OutOfRange);
    }
    // The first and the last day the program computes are served.
    EXPECT_EQ(ModernSkyAt(*Tables(), At(1, 1, 1, 0)).Status, EngineStatus::Sound);
    EXPECT_EQ(ModernSkyAt(*Tables(), At(2099, 12, 31, 23.99)).Status, EngineStatus::Sound);
    EXPECT_EQ(ModernAnglesAt(*Tables(), At(2099, 12, 31, 12), PlaceAt(0, 50)).Status, EngineStatus::Sound);
}

TEST(ModernChartTest, TheEngineValueChoosesBetweenTheTheoryAndTheModernSeries) {
    const SkyEngine theory;
    const SkyEngine modern(Tables());
    EXPECT_FALSE(theory.IsModern());
    EXPECT_TRUE(modern.IsModern());
    EXPECT_EQ(theory.Choice(), EphemerisChoice::Theory);
    EXPECT_EQ(modern.Choice(), EphemerisChoice::Modern);
    const Instant instant = At(1962, 3, 15, 4.25);
    const Place place = PlaceAt(87.65, 41.87);
    // The theory's value is SkyAt's to the bit; the modern one differs, but by seconds of arc only.
    const Sky a = theory.SkyAt(instant), b = SkyAt(instant), m = modern.SkyAt(instant);
    for (int p = kSun; p <= kMoon; ++p) {
        EXPECT_EQ(a.Longitude[p], b.Longitude[p]) << p;
        EXPECT_LT(std::fabs(Arcseconds(m.Longitude[p] - a.Longitude[p])), p == kPluto ? 600 : 240) << p;
    }
    EXPECT_EQ(theory.AnglesAt(instant, place).Angles.Ascendant, AnglesAt(instant, place).Angles.Ascendant);
    EXPECT_LT(std::fabs(Arcseconds(modern.AnglesAt(instant, place).Angles.Ascendant -
                                   theory.AnglesAt(instant, place).Angles.Ascendant)),
              60);
    EXPECT_EQ(theory.ObliquityRad(instant), ObliquityRadAt(instant.CenturiesT));
    EXPECT_EQ(modern.AnglesAt(instant, place).ObliquityRad, modern.ObliquityRad(instant));

    EXPECT_EQ(EphemerisChoiceOfWord("modern"), EphemerisChoice::Modern);
    EXPECT_EQ(EphemerisChoiceOfWord("Theory"), EphemerisChoice::Theory);
    EXPECT_EQ(EphemerisChoiceOfWord("MODERN"), EphemerisChoice::Modern);
    EXPECT_FALSE(EphemerisChoiceOfWord("modern "));
    EXPECT_FALSE(EphemerisChoiceOfWord("swiss"));
    EXPECT_FALSE(EphemerisChoiceOfWord(""));
    EXPECT_EQ(EphemerisChoiceWord(EphemerisChoice::Modern), "modern");
    EXPECT_EQ(EphemerisChoiceWord(EphemerisChoice::Theory), "theory");
}

}  // namespace
}  // namespace talvenor
