// Turning a clock time into its readings, with a made-up zone whose history is known exactly: gaps and
// overlaps are handed back for a choice, local mean time comes from the place's own longitude.
#include "atlas/zone_readings.h"

#include <gtest/gtest.h>

#include <map>

namespace talvenor {
namespace {

// A zone with a fixed list of periods, each in force from its start (seconds since 1970 UT).
class TableZones : public ZoneDatabase {
  public:
    std::map<std::int64_t, ZonePeriod> periods;

    bool HasZone(const std::string& zone) override { return zone == "Test/Zone"; }
    std::optional<ZonePeriod> PeriodAt(const std::string& zone, std::int64_t ut) override {
        if (!HasZone(zone)) return std::nullopt;
        auto it = periods.upper_bound(ut);
        if (it == periods.begin()) return std::nullopt;
        return std::prev(it)->second;
    }
    std::vector<std::int64_t> ChangesBetween(const std::string&, std::int64_t from,
                                             std::int64_t to) override {
        std::vector<std::int64_t> out;
        for (const auto& [start, p] : periods)
            if (start > from && start <= to) out.push_back(start);
        return out;
    }
};

const ZonePeriod kMean{3208, 3208, 0, "LMT"};
const ZonePeriod kWinter{3600, 3600, 0, "CET"};
const ZonePeriod kSummer{7200, 3600, 3600, "CEST"};

// 2024: mean time until 1893, then CET; CEST from 31 Mar 01:00 UT to 27 Oct 01:00 UT.
TableZones TestZone() {
    TableZones z;
    const std::int64_t day = 86400;
    z.periods[-4'000'000'000] = kMean;
    z.periods[ClockSeconds({{1893, 4, 1}, 0, 0}) - 3208] = kWinter;
    z.periods[19813 * day + 3600] = kSummer;  // 2024-03-31 01:00 UT
    z.periods[20023 * day + 3600] = kWinter;  // 2024-10-27 01:00 UT
    return z;
}

TEST(ZoneReadingsTest, ClockSecondsCountsDaysFrom1970) {
    EXPECT_EQ(ClockSeconds({{1970, 1, 1}, 0, 0}), 0);
    EXPECT_EQ(ClockSeconds({{2024, 3, 31}, 1, 0}), 19813 * 86400 + 3600);
    EXPECT_EQ(ClockSeconds({{1969, 12, 31}, 23, 59}), -60);
    EXPECT_EQ(ClockSeconds({{1900, 3, 1}, 0, 0}), -2203891200);  // 1900 is no leap year
}

TEST(ZoneReadingsTest, EachClockTimeGetsItsReadings) {
    TableZones zones = TestZone();
    struct Case {
        const char* what;
        LocalClock clock;
        ClockKind kind;
        std::vector<const char*> abbreviations;
    };
    const Case cases[] = {
        {"winter", {{2024, 1, 15}, 12, 0}, ClockKind::Single, {"CET"}},
        {"summer", {{2024, 7, 1}, 12, 0}, ClockKind::Single, {"CEST"}},
        {"just before the gap", {{2024, 3, 31}, 1, 59}, ClockKind::Single, {"CET"}},
        {"in the gap", {{2024, 3, 31}, 2, 30}, ClockKind::Skipped, {"CET", "CEST"}},
        {"just after the gap", {{2024, 3, 31}, 3, 0}, ClockKind::Single, {"CEST"}},
        {"just before the overlap", {{2024, 10, 27}, 1, 59}, ClockKind::Single, {"CEST"}},
        {"in the overlap", {{2024, 10, 27}, 2, 30}, ClockKind::Repeated, {"CEST", "CET"}},
        {"just after the overlap", {{2024, 10, 27}, 3, 0}, ClockKind::Single, {"CET"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ClockAnswer a = ReadClock(zones, "Test/Zone", c.clock, std::nullopt);
        EXPECT_EQ(a.kind, c.kind);
        ASSERT_EQ(a.readings.size(), c.abbreviations.size());
        for (std::size_t i = 0; i < a.readings.size(); ++i) {
            EXPECT_EQ(a.readings[i].period.abbreviation, c.abbreviations[i]);
            EXPECT_EQ(a.readings[i].utSeconds, ClockSeconds(c.clock) - a.readings[i].period.offsetSeconds);
        }
    }
}

TEST(ZoneReadingsTest, TheOverlapsReadingsComeInTheOrderTheyHappened) {
    TableZones zones = TestZone();
    const ClockAnswer a = ReadClock(zones, "Test/Zone", {{2024, 10, 27}, 2, 30}, std::nullopt);
    ASSERT_EQ(a.readings.size(), 2u);
    EXPECT_EQ(a.readings[1].utSeconds - a.readings[0].utSeconds, 3600);
    EXPECT_EQ(ClockChoiceAnswers(a), (std::vector<std::string>{"the first: CEST, 2 hours east of UT",
                                                               "the second: CET, 1 hour east of UT"}));
    const ClockAnswer gap = ReadClock(zones, "Test/Zone", {{2024, 3, 31}, 2, 30}, std::nullopt);
    EXPECT_EQ(ClockChoiceAnswers(gap),
              (std::vector<std::string>{"CET, 1 hour east of UT (the clocks not yet put forward)",
                                        "CEST, 2 hours east of UT (the clocks already put forward)"}));
    // OK before a choice: what to choose, in the order of the readings.
    EXPECT_EQ(ClockChoiceReminder(a),
              "Choose CEST or CET below. The first is selected now: OK again takes it.");
    EXPECT_EQ(ClockChoiceReminder(gap),
              "Choose CET or CEST below. The first is selected now: OK again takes it.");
    ClockAnswer alike = gap;
    alike.readings[1].period.abbreviation = "CET";
    EXPECT_EQ(ClockChoiceReminder(alike),
              "Choose the first or the second reading below. The first is selected now: OK again takes it.");
    EXPECT_EQ(
        ClockChoiceQuestion("Test/Zone", {{2024, 3, 31}, 2, 30}, ClockKind::Skipped),
        "2:30 AM on 31 Mar 2024 did not exist in Test/Zone: the clocks were put forward over it. Choose the "
        "offset the birth time was read with:");
}

TEST(ZoneReadingsTest, MeanTimeComesFromThePlacesOwnLongitude) {
    TableZones zones = TestZone();
    const LocalClock clock{{1879, 1, 1}, 12, 0};
    const ClockAnswer own = ReadClock(zones, "Test/Zone", clock, 13 * 60 + 24);
    ASSERT_EQ(own.readings.size(), 1u);
    EXPECT_TRUE(own.readings[0].meanTime);
    EXPECT_EQ(own.readings[0].period.offsetSeconds, 3216);
    EXPECT_EQ(own.readings[0].utSeconds, ClockSeconds(clock) - 3216);
    EXPECT_EQ(OffsetSentence("Test/Zone", own.readings[0]),
              "Test/Zone, LMT, 53 minutes 36 seconds east of UT, local mean time of the place");

    // Without a longitude the database's own mean time stays, and is not called the place's.
    const ClockAnswer reference = ReadClock(zones, "Test/Zone", clock, std::nullopt);
    EXPECT_FALSE(reference.readings[0].meanTime);
    EXPECT_EQ(reference.readings[0].period.offsetSeconds, 3208);
    // Standard time is never replaced.
    EXPECT_FALSE(ReadClock(zones, "Test/Zone", {{1900, 1, 1}, 12, 0}, 804).readings[0].meanTime);
}

TEST(ZoneReadingsTest, AnUnknownZoneHasNoReading) {
    TableZones zones = TestZone();
    const ClockAnswer a = ReadClock(zones, "Nowhere/Zone", {{2024, 1, 1}, 12, 0}, std::nullopt);
    EXPECT_EQ(a.kind, ClockKind::UnknownZone);
    EXPECT_TRUE(a.readings.empty());
}

TEST(ZoneReadingsTest, OffsetsAreToldInHoursMinutesAndSeconds) {
    struct Case {
        ZonePeriod period;
        const char* sentence;
    };
    const Case cases[] = {
        {kSummer, "Europe/Berlin, CEST, 2 hours east of UT, of which 1 hour daylight saving"},
        {kWinter, "Europe/Berlin, CET, 1 hour east of UT, no daylight saving"},
        {{-21600, -21600, 0, "CST"}, "Europe/Berlin, CST, 6 hours west of UT, no daylight saving"},
        {{10800, 3600, 7200, "CEMT"},
         "Europe/Berlin, CEMT, 3 hours east of UT, of which 2 hours daylight saving"},
        {{1172, 1172, 0, "AMT"}, "Europe/Berlin, AMT, 19 minutes 32 seconds east of UT, no daylight saving"},
        {{19800, 19800, 0, "IST"}, "Europe/Berlin, IST, 5 hours 30 minutes east of UT, no daylight saving"},
        {{0, 0, 0, "GMT"}, "Europe/Berlin, GMT, on UT, no daylight saving"},
        {{0, 3600, -3600, "GMT"}, "Europe/Berlin, GMT, on UT, of which 1 hour less than standard time"},
    };
    for (const Case& c : cases) EXPECT_EQ(OffsetSentence("Europe/Berlin", {c.period, 0, false}), c.sentence);
    EXPECT_EQ(DurationText(0), "0 hours");
    EXPECT_EQ(DurationText(4772), "1 hour 19 minutes 32 seconds");
}

TEST(ZoneReadingsTest, DatesBefore1970CarryTheNote) {
    EXPECT_TRUE(IsBefore1970({1969, 12, 31}));
    EXPECT_FALSE(IsBefore1970({1970, 1, 1}));
}

}  // namespace
}  // namespace talvenor
