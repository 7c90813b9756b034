// What Find Place reads from an input window and what it writes back.
#include "atlas/find_place.h"

#include <gtest/gtest.h>

#include "atlas/place_format.h"
#include "environment/year_rule.h"

namespace talvenor {
namespace {

const WorldPlace kAmsterdam{"Amsterdam", "North Holland",    "Netherlands", 52.3740,
                            4.8897,      "Europe/Amsterdam", 741636};
const WorldPlace kChicago{"Chicago", "Illinois",        "United States", 41.8500,
                          -87.6500,  "America/Chicago", 2720546};
const WorldPlace kSydney{"Sydney", "New South Wales",  "Australia", -33.8679,
                         151.2073, "Australia/Sydney", 4627345};

TEST(FindPlaceTest, TheWindowsDateIsReadOnlyWhenItExists) {
    EXPECT_EQ(TypedDate("3", "14", "1962"), (CivilDate{1962, 3, 14}));
    EXPECT_EQ(TypedDate(" 2", " 29", " 2000"), (CivilDate{2000, 2, 29}));
    EXPECT_FALSE(TypedDate("2", "29", "1900"));
    EXPECT_FALSE(TypedDate("13", "1", "1962"));
    EXPECT_FALSE(TypedDate("", "1", "1962"));
    EXPECT_FALSE(TypedDate("1", "1", "0"));
    EXPECT_FALSE(TypedDate("1", "1", "19x2"));
    EXPECT_FALSE(TypedDate("1", "1", "-1962"));
    // The years the program computes, the year as typed.
    EXPECT_EQ(TypedDate("1", "1", "1"), (CivilDate{1, 1, 1}));
    EXPECT_EQ(TypedDate("3", "14", "62"), (CivilDate{62, 3, 14}));
    EXPECT_EQ(TypedDate("12", "31", "2099"), (CivilDate{2099, 12, 31}));
    EXPECT_FALSE(TypedDate("1", "1", "2100"));
    EXPECT_FALSE(TypedDate("1", "1", "9999"));
}

TEST(FindPlaceTest, ATypedDateThatBreaksTheYearRuleIsNamedSo) {
    EXPECT_EQ(NotADateMessage("someday", kNotADateFault), NotADateMessage("someday"));
    EXPECT_EQ(NotADateMessage("14 Mar 62", ShortYearFault()), "\"14 Mar 62\" " + ShortYearFault() + ".");
    EXPECT_EQ(NotADateMessage("1 Jan 2100", *YearRangeFault(2100)),
              "\"1 Jan 2100\" is outside the years the program computes (1 to 2099).");
}

TEST(FindPlaceTest, TheTwelveHourClockBecomesTheDaysHour) {
    const CivilDate d{1962, 3, 14};
    struct Case {
        const char *hour, *minute;
        bool pm;
        int h, m;
    };
    const Case cases[] = {{"10", "15", true, 22, 15},
                          {"12", "0", false, 0, 0},
                          {"12", "30", true, 12, 30},
                          {" 1", " 5", false, 1, 5}};
    for (const Case& c : cases) {
        const auto clock = TypedClock(d, c.hour, c.minute, c.pm);
        ASSERT_TRUE(clock);
        EXPECT_EQ(clock->hour, c.h);
        EXPECT_EQ(clock->minute, c.m);
    }
    EXPECT_FALSE(TypedClock(d, "0", "15", false));
    EXPECT_FALSE(TypedClock(d, "13", "15", false));
    EXPECT_FALSE(TypedClock(d, "10", "60", false));
    EXPECT_FALSE(TypedClock(d, "", "15", false));
}

TEST(FindPlaceTest, AFillIsInTheWindowsConvention) {
    struct Case {
        WorldPlace place;
        ZonePeriod period;
        PlaceFill fill;
    };
    const Case cases[] = {
        {kAmsterdam, {1172, 1172, 0, "AMT"}, {"-0.3256", " 4", " 53", " 52", " 22", true, false}},
        {kChicago, {-21600, -21600, 0, "CST"}, {" 6", " 87", " 39", " 41", " 51", false, false}},
        {kSydney, {36000, 36000, 0, "AEST"}, {"-10", " 151", " 12", " 33", " 52", true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place.name);
        const PlaceFill f = MakePlaceFill(c.place, {c.period, 0, false});
        EXPECT_EQ(f.zone, c.fill.zone);
        EXPECT_EQ(f.longDeg, c.fill.longDeg);
        EXPECT_EQ(f.longMin, c.fill.longMin);
        EXPECT_EQ(f.latDeg, c.fill.latDeg);
        EXPECT_EQ(f.latMin, c.fill.latMin);
        EXPECT_EQ(f.east, c.fill.east);
        EXPECT_EQ(f.south, c.fill.south);
    }
    EXPECT_EQ(LongitudeEastMinutes(kChicago), -(87 * 60 + 39));
}

TEST(FindPlaceTest, ThePreviewSaysWhatWillBeFilledAndWhatToMind) {
    const LocalClock clock{{1928, 1, 15}, 12, 0};
    const std::string preview = PlacePreview(kAmsterdam, clock, true, {{1172, 1172, 0, "AMT"}, 0, false});
    EXPECT_EQ(
        preview,
        "Amsterdam, North Holland, Netherlands\n52N22  004E53  Europe/Amsterdam\n\n"
        "At 12:00 PM on 15 Jan 1928: Europe/Amsterdam, AMT, 19 minutes 32 seconds east of UT, no daylight "
        "saving.\nFills: time zone -0.3256, longitude 4\xC2\xB0"
        "53' E, latitude 52\xC2\xB0"
        "22' N.\n" +
            std::string(kBefore1970Note));

    const std::string meanTime =
        PlacePreview(kAmsterdam, {{1830, 1, 1}, 12, 0}, false, {{1172, 1172, 0, "LMT"}, 0, true});
    EXPECT_NE(meanTime.find(kMeanTimeNote), std::string::npos);
    EXPECT_NE(meanTime.find(kNoClockNote), std::string::npos);

    const std::string recent =
        PlacePreview(kChicago, {{2024, 7, 4}, 9, 5}, true, {{-18000, -21600, 3600, "CDT"}, 0, false});
    EXPECT_NE(recent.find("America/Chicago, CDT, 5 hours west of UT, of which 1 hour daylight saving"),
              std::string::npos);
    EXPECT_NE(recent.find("time zone 5, longitude 87\xC2\xB0"
                          "39' W, latitude 41\xC2\xB0"
                          "51' N"),
              std::string::npos);
    EXPECT_EQ(recent.find("1970"), std::string::npos);
}

}  // namespace
}  // namespace talvenor
