// Offsets of the past checked against the system's time-zone database (tzdata with its history back to
// local mean time), as the Find Place window and the report tool read them.
#include "system_zones.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "atlas/place_format.h"
#include "atlas/zone_ids.h"
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
    // Offsets and files of the zone folder that are no zones of the database.
    for (const char* id :
         {"Mars/Olympus", "UTC+05:00", "UTC+05", "", "posixrules", "localtime", "right/UTC",
          "posix/Europe/Berlin", "zone.tab", "tzdata.zi", "../zoneinfo/UTC", "/usr/share/zoneinfo/UTC"})
        EXPECT_FALSE(zones.HasZone(id)) << id;
    EXPECT_FALSE(zones.PeriodAt("Mars/Olympus", 0));
}

// The zones without an area, the links and the backward names, as users and spreadsheets write them.
TEST(SystemZonesTest, LinksAndBackwardNamesAreZonesWithTheirTargetsOffsets) {
    struct Case {
        const char* zone;
        LocalClock clock;
        const char* hoursWest;
        const char* abbreviation;
    };
    const Case cases[] = {
        {"UTC", {{1962, 3, 14}, 22, 15}, "0", "UTC"},
        {"Etc/UTC", {{1962, 3, 14}, 22, 15}, "0", "UTC"},
        {"Zulu", {{1962, 3, 14}, 22, 15}, "0", "UTC"},
        {"Universal", {{2024, 7, 1}, 12, 0}, "0", "UTC"},
        {"GMT", {{2024, 7, 1}, 12, 0}, "0", "GMT"},
        {"CET", {{2024, 1, 15}, 12, 0}, "-1", "CET"},
        {"CET", {{2024, 7, 1}, 12, 0}, "-2", "CEST"},
        {"EST5EDT", {{1962, 7, 4}, 22, 15}, "5", "EST"},  // the federal rules had no summer time then
        {"EST5EDT", {{2024, 7, 4}, 22, 15}, "4", "EDT"},
        {"EST", {{1962, 7, 4}, 22, 15}, "5", "EST"},
        {"US/Eastern", {{1962, 3, 14}, 22, 15}, "5", "EST"},
        {"Asia/Calcutta", {{1950, 1, 1}, 12, 0}, "-5.5", "IST"},
        {"Etc/GMT+5", {{2024, 7, 1}, 12, 0}, "5", "-05"},
        {"Pacific/Kiritimati", {{2015, 6, 15}, 12, 0}, "-14", "+14"},
        {"Pacific/Chatham", {{2015, 6, 15}, 12, 0}, "-12.75", "+1245"},
    };
    SystemZoneDatabase zones;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + ClockText(c.clock));
        EXPECT_TRUE(zones.HasZone(c.zone));
        const ClockAnswer a = ReadClock(zones, c.zone, c.clock, std::nullopt);
        ASSERT_EQ(a.kind, ClockKind::Single);
        EXPECT_EQ(ZoneHoursText(a.readings[0].period.offsetSeconds), c.hoursWest);
        EXPECT_EQ(a.readings[0].period.abbreviation, c.abbreviation);
    }
}

// Every name the database lists is a zone that gives an offset, in the past and today.
TEST(SystemZonesTest, EveryIdOfTheDatabaseIsAZone) {
    std::ifstream in(std::string("/usr/share/zoneinfo/") + kZoneListFile, std::ios::binary);
    ASSERT_TRUE(in) << "tzdata is installed";
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> ids = ZoneIdsOfZoneList(text);
    EXPECT_GT(ids.size(), 550u);
    SystemZoneDatabase zones;
    std::vector<std::string> refused;
    for (const std::string& id : ids) {
        const bool known = zones.HasZone(id) &&
                           ReadClock(zones, id, {{1900, 1, 1}, 12, 0}, 0).kind != ClockKind::UnknownZone &&
                           ReadClock(zones, id, {{2024, 7, 1}, 12, 0}, 0).kind != ClockKind::UnknownZone;
        if (!known) refused.push_back(id);
    }
    EXPECT_EQ(refused, std::vector<std::string>{});
}

}  // namespace
}  // namespace talvenor
