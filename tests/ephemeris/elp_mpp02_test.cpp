#include "ephemeris/elp_mpp02.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

namespace talvenor {
namespace {

const ElpTables& Tables() {
    static const ElpRead read =
        LoadElpMpp02(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris" / "elpmpp02.txt");
    static const ElpTables tables = read.tables.value_or(ElpTables{});
    EXPECT_FALSE(read.fault.has_value()) << read.fault.value_or("");
    return tables;
}

// The test cases published with a C++ implementation of the full series (Y. T. Liu, "ELP/MPP02 Lunar
// Ephemeris", 2018), constants fitted to DE405/DE406: geocentric X, Y, Z in km on the ecliptic and
// equinox of J2000.0, to five decimals. The tables here carry the series with the fitted constants already
// folded into the amplitudes, so the last printed digit may differ by one or two: 2 cm, a hundred
// thousandth of an arc second as seen from the Earth, over as much as 2 600 years from J2000.
TEST(ElpMpp02Test, TheFullSeriesGiveThePublishedCoordinatesToTheirPrintedDigits) {
    const struct {
        double julianDay, x, y, z;
    } cases[] = {
        {2521835.67, -184108.21468, 345893.25529, 30395.06868},
        {2265621.33, -298024.37832, -213909.67132, -23263.21426},
        {2009406.99, 350041.24745, -201093.28987, 1643.33539},
        {1753192.65, 90272.39894, 351997.39617, 13417.01712},
        {1496978.31, -403018.01560, -2639.93889, -28463.89733},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "JD" << c.julianDay);
        const MoonRectangular m = ElpMpp02J2000(Tables(), c.julianDay);
        EXPECT_NEAR(m.x, c.x, 2e-5);
        EXPECT_NEAR(m.y, c.y, 2e-5);
        EXPECT_NEAR(m.z, c.z, 2e-5);
    }
}

TEST(ElpMpp02Test, AMalformedTableIsNamedByItsLine) {
    const std::string sound =
        "W1 1 2 0 0 0\nseries L 0 1\n1 0 0 0 0 0\nseries B 0 0\nseries R 0 1\n385000 1.5 0 0 0 0\n";
    const ElpRead read = ParseElpMpp02(sound);
    ASSERT_TRUE(read.tables.has_value()) << read.fault.value_or("");
    // W1 = 1 + 2 T radians; the longitude series adds nothing at T = 0 (sin 0), the distance 385000 sin 1.5.
    const MoonSeriesPosition p = ElpMpp02Position(*read.tables, 2451545.0);
    EXPECT_DOUBLE_EQ(p.longitude, 1.0);
    EXPECT_DOUBLE_EQ(p.distance, 385000 * std::sin(1.5));

    EXPECT_EQ(ParseElpMpp02("W1 1 2 0 0\n").fault, "line 1: the mean longitude W1 takes five numbers, once");
    EXPECT_EQ(ParseElpMpp02("W1 1 2 0 0 0\nW1 1 2 0 0 0\n").fault,
              "line 2: the mean longitude W1 takes five numbers, once");
    EXPECT_EQ(ParseElpMpp02("series L 4 1\n1 0 0 0 0 0\n").fault, "line 1: a series heading was expected");
    EXPECT_EQ(ParseElpMpp02("series L 0 2\n1 0 0 0 0 0\n").fault,
              "line 2: a term of six numbers was expected");
    EXPECT_EQ(ParseElpMpp02("series L 0 1\n1 0 0 0 0\n").fault, "line 2: a term of six numbers was expected");
    EXPECT_EQ(ParseElpMpp02("series L 0 1\n1 0 0 0 0 0\nseries L 0 1\n1 0 0 0 0 0\n").fault,
              "line 3: the series is given twice");
    EXPECT_EQ(ParseElpMpp02("W1 1 2 0 0 0\nseries L 0 0\n").fault,
              "the mean longitude or a series is missing");
}

// The motion summed with its rates gives ElpMpp02Position's place and rates that agree with its change
// over three minutes either side; and turned to the ecliptic of J2000.0 it is ElpMpp02J2000's point.
TEST(ElpMpp02Test, TheRatesSummedWithThePositionAreThePositionsOwnChange) {
    for (const double jd : {2451545.0, 2460310.25, 2415020.6, 2488070.1, 2086308.5}) {
        SCOPED_TRACE(jd);
        const MoonSeriesMotion m = ElpMpp02Motion(Tables(), jd);
        const MoonSeriesPosition p = ElpMpp02Position(Tables(), jd);
        EXPECT_NEAR(std::remainder(m.longitude - p.longitude, 2 * M_PI), 0, 1e-12);
        EXPECT_NEAR(m.latitude, p.latitude, 1e-12);
        EXPECT_NEAR(m.distance, p.distance, 1e-7);
        constexpr double h = 0.002;
        const MoonSeriesPosition ahead = ElpMpp02Position(Tables(), jd + h);
        const MoonSeriesPosition behind = ElpMpp02Position(Tables(), jd - h);
        // The Moon's 0.23 radians a day to a part in ten million, its 30 000 km a day to ten metres.
        EXPECT_NEAR(m.longitudeRate, std::remainder(ahead.longitude - behind.longitude, 2 * M_PI) / (2 * h),
                    2e-8);
        EXPECT_NEAR(m.latitudeRate, (ahead.latitude - behind.latitude) / (2 * h), 2e-8);
        EXPECT_NEAR(m.distanceRate, (ahead.distance - behind.distance) / (2 * h), 0.01);
        const MoonRectangular r = ElpMpp02ToJ2000(m.longitude, m.latitude, m.distance, jd);
        const MoonRectangular j = ElpMpp02J2000(Tables(), jd);
        EXPECT_NEAR(r.x, j.x, 1e-5);  // a centimetre: the longitude unreduced to one turn
        EXPECT_NEAR(r.y, j.y, 1e-5);
        EXPECT_NEAR(r.z, j.z, 1e-5);
    }
}

}  // namespace
}  // namespace talvenor
