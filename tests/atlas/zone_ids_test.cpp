// The zone ids of a time-zone database's zone list, links and backward names included, and the shape a
// zone id has.
#include "atlas/zone_ids.h"

#include <gtest/gtest.h>

namespace talvenor {
namespace {

TEST(ZoneIdsTest, TheZoneListNamesZonesAndLinksOnce) {
    const std::string list =
        "# version 2025b\n"
        "R d 1916 o - Ap 30 23 1 S\n"
        "Z Europe/Berlin 0:53:28 - LMT 1893 Ap\n"
        "1 c CE%sT 1945 May 24 2\n"
        "Z CET 1 c CE%sT\n"
        "Z EST5EDT -5 u E%sT\r\n"
        "Z Etc/UTC 0 - UTC\n"
        "L Etc/UTC UTC\n"
        "L Etc/UTC Zulu\n"
        "L Etc/UTC Universal\n"
        "L America/New_York US/Eastern\n"
        "L Asia/Kolkata Asia/Calcutta\n"
        "Zone\tEtc/GMT+5\t-5\t-\t-05\n"
        "Link Etc/UTC Etc/Zulu\n"
        "L Etc/UTC Zulu\n"        // twice
        "L Etc/UTC\n"             // no name
        "Z\n"                     // no name
        "L Etc/UTC ../passwd\n";  // no zone id
    EXPECT_EQ(ZoneIdsOfZoneList(list),
              (std::vector<std::string>{"Asia/Calcutta", "CET", "EST5EDT", "Etc/GMT+5", "Etc/UTC", "Etc/Zulu",
                                        "Europe/Berlin", "US/Eastern", "UTC", "Universal", "Zulu"}));
    EXPECT_TRUE(ZoneIdsOfZoneList("").empty());
    EXPECT_TRUE(ZoneIdsOfZoneList("\x89PNG\r\n\x1a\nZ").empty());
}

TEST(ZoneIdsTest, OnlyNamesOfZoneFilesHaveTheShapeOfAZoneId) {
    const struct {
        const char* text;
        bool shape;
    } cases[] = {
        {"Europe/Berlin", true},
        {"America/Argentina/Buenos_Aires", true},
        {"America/Port-au-Prince", true},
        {"EST5EDT", true},
        {"Etc/GMT+5", true},
        {"Etc/GMT-14", true},
        {"UTC", true},
        {"Zulu", true},
        {"", false},
        {"UTC+05:00", false},  // an offset, which Qt would take as a zone of its own
        {"Europe/Berlin ", false},
        {"/etc/passwd", false},
        {"../zoneinfo/UTC", false},
        {"Europe//Berlin", false},
        {"Europe/", false},
        {".hidden", false},
        {"Europe/.hidden", false},
        {"Europe\\Berlin", false},
        {"K\xC3\xB6ln", false},
    };
    for (const auto& c : cases) EXPECT_EQ(HasZoneIdShape(c.text), c.shape) << c.text;
    EXPECT_TRUE(HasZoneIdShape(std::string(255, 'A')));
    EXPECT_FALSE(HasZoneIdShape(std::string(256, 'A')));
}

}  // namespace
}  // namespace talvenor
