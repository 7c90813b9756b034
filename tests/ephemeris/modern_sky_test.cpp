#include "ephemeris/modern_sky.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ephemeris/time_scales.h"
#include "support/shipped_tables.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::Arcseconds;
using testing_support::Tables;

// A civil moment of UT as a Julian day of TT.
double Tt(int year, int month, int day, int hour, int minute) {
    const double ut = JulianDayNumberOf(year, month, day) - 0.5 + (hour + minute / 60.0) / 24.0;
    return TerrestrialTime(Tables(), ut);
}

// The equinoxes and solstices as the almanacs print them, to the minute of UT: at that minute the Sun's
// apparent longitude is 0, 90, 180 or 270 degrees within the half minute the printing rounds away (the
// Sun moves 2.46 seconds of arc a minute), and the half second of arc the series are good to.
TEST(ModernSkyTest, TheSunStandsOnTheCardinalPointsAtTheMinutesTheAlmanacsPrint) {
    const struct {
        int year, month, day, hour, minute;
        double longitude;
    } moments[] = {
        {2000, 3, 20, 7, 35, 0},     {2000, 6, 21, 1, 48, 90}, {2000, 9, 22, 17, 28, 180},
        {2000, 12, 21, 13, 37, 270}, {2020, 3, 20, 3, 50, 0},  {2024, 3, 20, 3, 6, 0},
    };
    for (const auto& m : moments) {
        SCOPED_TRACE(::testing::Message() << m.year << "-" << m.month << "-" << m.day);
        const ApparentPlace sun =
            ApparentPlaceAt(Tables(), ModernBody::Sun, Tt(m.year, m.month, m.day, m.hour, m.minute));
        EXPECT_LE(std::fabs(Arcseconds(sun.longitude - m.longitude)), 0.5 * 2.46 + 0.5);
        EXPECT_NEAR(sun.latitude * 3600, 0, 1.0);
        EXPECT_NEAR(sun.distance, 1.0, 0.0170);
    }
}

// The Moon's apparent longitude less the Sun's, in seconds of arc.
double Elongation(double tt) {
    return Arcseconds(ApparentPlaceAt(Tables(), ModernBody::Moon, tt).longitude -
                      ApparentPlaceAt(Tables(), ModernBody::Sun, tt).longitude);
}

// New moons of solar eclipses as the almanacs print them, to the minute of UT: the moment the two
// apparent longitudes meet (found by the secant rule) rounds to that minute, give or take the second
// the series are good to; and at an eclipse the Moon's latitude is within the Sun's and the Moon's radii.
TEST(ModernSkyTest, TheMoonMeetsTheSunAtThePrintedMinutesOfEclipseNewMoons) {
    const struct {
        int year, month, day, hour, minute;
    } newMoons[] = {{2017, 8, 21, 18, 30}, {2024, 4, 8, 18, 21}, {1999, 8, 11, 11, 8}};
    for (const auto& m : newMoons) {
        SCOPED_TRACE(::testing::Message() << m.year << "-" << m.month << "-" << m.day);
        const double printed = Tt(m.year, m.month, m.day, m.hour, m.minute);
        double a = printed - 0.01, b = printed + 0.01;
        for (int i = 0; i < 8 && b != a; ++i) {
            const double fa = Elongation(a), fb = Elongation(b);
            if (fb == fa) break;
            const double c = b - fb * (b - a) / (fb - fa);
            a = b;
            b = c;
        }
        EXPECT_LE(std::fabs(b - printed) * 86400, 30.0 + 1.0);
        const ApparentPlace moon = ApparentPlaceAt(Tables(), ModernBody::Moon, b);
        EXPECT_LT(std::fabs(moon.latitude) * 60, 32.0);
        EXPECT_NEAR(moon.distance * 149597870.7, 380000, 30000);
    }
}

// What the apparent place adds to the geometric one: the Sun is seen 20.5 seconds of arc behind its
// geometric place (the aberration, 20.4898" over the distance in au), shifted by the nutation in
// longitude; the declination belongs to the same place.
TEST(ModernSkyTest, TheSunIsSeenWhereTheAberrationAndTheNutationPutIt) {
    for (const double tt : {2451545.0, 2415020.0, 2488070.0, 2460000.5}) {
        SCOPED_TRACE(tt);
        const ApparentPlace sun = ApparentPlaceAt(Tables(), ModernBody::Sun, tt);
        const HeliocentricPosition earth = Vsop87Position(Tables().vsop[Vsop87Body::Earth], tt);
        // The geometric longitude of the Sun from the series, precessed to the mean equinox of date with
        // the general precession in longitude (IAU 2006, to the cube of T), and the nutation added.
        const double t = (tt - 2451545.0) / 36525.0;
        const double precession = (5028.796195 * t + 1.1054348 * t * t + 0.00007964 * t * t * t) / 3600.0;
        const double geometric = earth.longitude * 180 / M_PI + 180 + precession;
        const double aberration = -20.4898 / 3600.0 / earth.radius;
        const double difference = Arcseconds(sun.longitude - geometric - aberration);
        EXPECT_LT(std::fabs(difference), 18.0) << "the nutation in longitude is below 18 seconds of arc";
        const double eps = (23.439291 - 0.0130042 * t) * M_PI / 180;  // the mean obliquity of date
        const double declination =
            std::asin(std::sin(eps) * std::sin(sun.longitude * M_PI / 180)) * 180 / M_PI;
        EXPECT_NEAR(sun.declination, declination, 10.0 / 3600) << "with a latitude of almost nothing";
    }
}

TEST(ModernSkyTest, AFolderWithoutTheTablesIsNamed) {
    const std::filesystem::path nowhere = std::filesystem::temp_directory_path() / "talvenor-no-tables";
    const ModernTablesRead read = LoadModernTables(nowhere);
    EXPECT_EQ(read.tables, nullptr);
    EXPECT_EQ(read.fault, "The table file " + (nowhere / "vsop87b.txt").string() + " cannot be read.");
}

// The Pluto table is read with the others: without it, or with it damaged, the tables are refused whole
// and the fault names it.
TEST(ModernSkyTest, AMissingOrDamagedPlutoTableIsNamed) {
    testing_support::TemporaryFolder folder;
    const std::filesystem::path shipped = std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris";
    for (const char* name : {"vsop87b.txt", "elpmpp02.txt", "deltat.txt"})
        std::filesystem::copy_file(shipped / name, folder.path() / name);
    const std::filesystem::path pluto = folder.path() / "pluto.txt";
    ModernTablesRead read = LoadModernTables(folder.path());
    EXPECT_EQ(read.tables, nullptr);
    EXPECT_EQ(read.fault, "The table file " + pluto.string() + " cannot be read.");

    std::ifstream in(shipped / "pluto.txt", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text[text.find("chebyshev ") + 10] ^= 1;  // the first day of the table
    std::ofstream(pluto, std::ios::binary) << text;
    read = LoadModernTables(folder.path());
    EXPECT_EQ(read.tables, nullptr);
    EXPECT_EQ(read.fault, "The table file " + pluto.string() +
                              " is damaged (its check value does not match its contents).");

    std::filesystem::copy_file(shipped / "pluto.txt", pluto,
                               std::filesystem::copy_options::overwrite_existing);
    read = LoadModernTables(folder.path());
    ASSERT_NE(read.tables, nullptr) << read.fault.value_or("");
    EXPECT_GT(read.tables->pluto.Segments(), 0u);
}

}  // namespace
}  // namespace talvenor
