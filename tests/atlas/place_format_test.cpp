// Positions and zones as the cities files, the names file and the input windows write them.
#include "atlas/place_format.h"

#include <gtest/gtest.h>

namespace talvenor {
namespace {

TEST(PlaceFormatTest, PositionsAreWrittenAsTheCitiesFilesWriteThem) {
    struct Case {
        double latitude, longitude;
        const char *lat, *lon;
    };
    const Case cases[] = {
        {33.75, -84.3833, "33N45", "084W23"},     // the cities files' own example
        {-33.8679, 151.2073, "33S52", "151E12"},  // south and east
        {48.3984, 9.9916, "48N24", "009E59"},     // 59.496 minutes stay 59
        {-5.1167, 2.3333, "05S07", "002E20"},     // two- and three-digit padding
        {10.99999, -0.00001, "11N00", "000E00"},  // 59.9994 minutes carry into the degree; a hair west is 0
        {0, 180, "00N00", "180E00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lat);
        EXPECT_EQ(CitiesLatitude(c.latitude), c.lat);
        EXPECT_EQ(CitiesLongitude(c.longitude), c.lon);
    }
}

TEST(PlaceFormatTest, ZonesAreHoursWestPositiveWithAtMostFourDecimals) {
    struct Case {
        int offsetEast;
        const char *names, *window;
    };
    const Case cases[] = {
        {-21600, "6", " 6"},           // Chicago, CST
        {19800, "-5.5", "-5.5"},       // India
        {1172, "-0.3256", "-0.3256"},  // Amsterdam Mean Time, +0:19:32
        {4772, "-1.3256", "-1.3256"},  // Amsterdam summer time 1928
        {0, "0", " 0"},                // UT itself, never "-0"
        {3600, "-1", "-1"},
        {-16200, "4.5", " 4.5"},      // Caracas 2007-2016
        {45900, "-12.75", "-12.75"},  // Chatham Islands
        {-18, "0.005", " 0.005"},     // 18 s is exactly 0.005 h: no trailing zeros
        {-2, "0.0006", " 0.0006"},    // 2 s rounds to four decimals
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offsetEast);
        EXPECT_EQ(ZoneHoursText(c.offsetEast), c.names);
        EXPECT_EQ(ZoneFieldText(c.offsetEast), c.window);
    }
}

TEST(PlaceFormatTest, HoursTextRoundsToFourDecimals) {
    EXPECT_EQ(HoursText(2), "2");
    EXPECT_EQ(HoursText(-1), "-1");
    EXPECT_EQ(HoursText(0.5), "0.5");
    EXPECT_EQ(HoursText(5.84333333), "5.8433");
    EXPECT_EQ(HoursText(-0.00001), "0");
}

TEST(PlaceFormatTest, MeanTimeIsFourSecondsOfTimePerMinuteOfArc) {
    EXPECT_EQ(MeanTimeOffsetSeconds(13 * 60 + 24), 3216);       // 13°24' E: 53 min 36 s east
    EXPECT_EQ(MeanTimeOffsetSeconds(-(87 * 60 + 39)), -21036);  // 87°39' W: Chicago's mean time
    EXPECT_EQ(ToDegreesMinutes(-87.65).TotalMinutes(), -(87 * 60 + 39));
}

}  // namespace
}  // namespace talvenor
