// Offsets of the past checked against the system's time-zone database (tzdata with its history back to
// local mean time), as the Find Place window and the report tool read them.
#include "system_zones.h"

#include <gtest/gtest.h>

#include "atlas/place_format.h"
#include "atlas/zone_readings.h"

namespace talvenor {
namespace {

TEST(SystemZonesTest, HistoricalOffsetsMatchTheDatabase) {
    struct Case {
        const char* zone;
        LocalClock clock;
        const char* hoursWest;
        const char* abbreviation;
        const char* daylightHours;
    };
    const Case cases[] = {
        {"America/Chicago", {{1962, 3, 14}, 22, 15}, "6", "CST", "0"},
        {"America/Chicago", {{1962, 7, 4}, 22, 15}, "5", "CDT", "1"},
        {"Europe/Berlin", {{1945, 6, 15}, 12, 0}, "-3", "CEMT", "2"},         // double summer time
        {"America/New_York", {{1943, 6, 1}, 12, 0}, "4", "EWT", "1"},         // war time
        {"Europe/London", {{1941, 7, 1}, 12, 0}, "-2", "BDST", "2"},          // double summer time
        {"Europe/Amsterdam", {{1928, 1, 15}, 12, 0}, "-0.3256", "AMT", "0"},  // +0:19:32
        {"Europe/Amsterdam", {{1928, 7, 1}, 12, 0}, "-1.3256", "NST", "1"},
        {"Asia/Kolkata", {{1950, 1, 1}, 12, 0}, "-5.5", "IST", "0"},
        {"Europe/Berlin", {{2024, 7, 1}, 12, 0}, "-2", "CEST", "1"},
    };
    SystemZoneDatabase zones;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + ClockText(c.clock));
        const ClockAnswer a = ReadClock(zones, c.zone, c.clock, std::nullopt);
        ASSERT_EQ(a.kind, ClockKind::Single);
        EXPECT_EQ(ZoneHoursText(a.readings[0].period.offsetSeconds), c.hoursWest);
        EXPECT_EQ(a.readings[0].period.abbreviation, c.abbreviation);
        EXPECT_EQ(HoursText(a.readings[0].period.daylightSeconds / 3600.0), c.daylightHours);
    }
}

TEST(SystemZonesTest, BerlinIn1879IsMeanTimeOfThePlacesOwnLongitude) {
    SystemZoneDatabase zones;
    const LocalClock clock{{1879, 6, 1}, 12, 0};
    // Berlin's own mean time in the database: 13°22' E of the reference city, +0:53:28.
    const ClockAnswer reference = ReadClock(zones, "Europe/Berlin", clock, std::nullopt);
    ASSERT_EQ(reference.readings.size(), 1u);
    EXPECT_EQ(reference.readings[0].period.abbreviation, "LMT");
    EXPECT_EQ(reference.readings[0].period.offsetSeconds, 3208);
    // Ulm, 9°59' E, in the same zone: its own 39 min 56 s.
    const ClockAnswer ulm = ReadClock(zones, "Europe/Berlin", clock, 9 * 60 + 59);
    EXPECT_TRUE(ulm.readings[0].meanTime);
    EXPECT_EQ(ulm.readings[0].period.offsetSeconds, 2396);
    EXPECT_EQ(ZoneHoursText(ulm.readings[0].period.offsetSeconds), "-0.6656");
}

TEST(SystemZonesTest, SpringGapAndAutumnOverlapAreFound) {
    SystemZoneDatabase zones;
    const ClockAnswer gap = ReadClock(zones, "Europe/Berlin", {{2024, 3, 31}, 2, 30}, std::nullopt);
    EXPECT_EQ(gap.kind, ClockKind::Skipped);
    ASSERT_EQ(gap.readings.size(), 2u);
    EXPECT_EQ(gap.readings[0].period.abbreviation, "CET");
    EXPECT_EQ(gap.readings[1].period.abbreviation, "CEST");

    const ClockAnswer overlap = ReadClock(zones, "America/New_York", {{1962, 10, 28}, 1, 30}, std::nullopt);
    EXPECT_EQ(overlap.kind, ClockKind::Repeated);
    ASSERT_EQ(overlap.readings.size(), 2u);
    EXPECT_EQ(overlap.readings[0].period.abbreviation, "EDT");
    EXPECT_EQ(overlap.readings[1].period.abbreviation, "EST");
}

TEST(SystemZonesTest, OnlyZoneNamesAreZones) {
    SystemZoneDatabase zones;
    EXPECT_TRUE(zones.HasZone("Europe/Berlin"));
    EXPECT_TRUE(zones.HasZone("America/Argentina/Buenos_Aires"));
    EXPECT_FALSE(zones.HasZone("Mars/Olympus"));
    EXPECT_FALSE(zones.HasZone("UTC+05:00"));
    EXPECT_FALSE(zones.HasZone(""));
    EXPECT_FALSE(zones.PeriodAt("Mars/Olympus", 0));
}

}  // namespace
}  // namespace talvenor
