// The moments of the event search: ranges as the user types them, the limits of the dates the program
// computes, and the minute a moment is written as.
#include "events/event_dates.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ephemeris/time_scales.h"

namespace talvenor {
namespace {

struct RangeCase {
    const char* from;
    const char* to;
    const char* message;  // the start of the message; nullptr when the range is taken
    double days;          // the range's length when taken
};

const RangeCase kEventRanges[] = {
    {"1 Jan 2027", "31 Dec 2027", nullptr, 365},
    {"1 Jan 2028", "31 Dec 2028", nullptr, 366},
    {"14 Mar 2027", "14 Mar 2027", nullptr, 1},
    {"1/1/2000", "12/31/2099", nullptr, 36525},
    {"1 Jan 1900", "31 Dec 1999", nullptr, 36524},
    {"1 Jan 1582", "31 Dec 1582", nullptr, 355},
    {"31 Dec 1999", "1 Jan 2100",
     "The program computes dates up to 31 Dec 2099: a range cannot end on 01 Jan 2100.", 0},
    {"1 Jan 2095", "31 Dec 2105",
     "The program computes dates up to 31 Dec 2099: a range cannot end on 31 Dec 2105.", 0},
    {"1 Jan 2100", "1 Jan 2101",
     "The program computes dates up to 31 Dec 2099: a range cannot start on 01 Jan 2100.", 0},
    {"1 Jan 0000", "1 Jan 0001", "The start of the range, \"1 Jan 0000\", is not a date", 0},
    {"31 Dec 1899", "1 Jan 2000", "The search covers at most 100 years.", 0},
    {"1 Jan 2027", "31 Dec 2026", "The range ends on 31 Dec 2026, before it starts on 01 Jan 2027.", 0},
    {"30 Feb 2027", "1 Mar 2027", "The start of the range, \"30 Feb 2027\", is not a date", 0},
    {"1 Jan 2027", "soon", "The end of the range, \"soon\", is not a date", 0},
    {"", "1 Jan 2027", "The start of the range, \"\", is not a date", 0},
    // The year rule of every date: the year 1 written in full is the year 1, a year in short is no guess.
    {"1 Jan 0001", "31 Dec 0001", nullptr, 365},
    {"1 Jan 27", "31 Dec 2027",
     "The start of the range, \"1 Jan 27\", gives the year in short: write it in full (1962, not 62; the "
     "year "
     "62 as 0062), for the years the program computes (1 to 2099).",
     0},
    {"1 Jan 2027", "12/31/27",
     "The end of the range, \"12/31/27\", gives the year in short: write it in full (1962, not 62; the year "
     "62 "
     "as 0062), for the years the program computes (1 to 2099).",
     0},
};

TEST(EventDatesTest, TakesRangesOfWholeDaysWithinTheProgramsDatesAndAHundredYears) {
    const RegionalFormat regional;
    for (const RangeCase& c : kEventRanges) {
        SCOPED_TRACE(std::string(c.from) + " - " + c.to);
        DayRange range;
        const std::optional<std::string> message =
            ReadDayRange(c.from, c.to, regional, kEventRangeLimits, range);
        if (c.message) {
            ASSERT_TRUE(message.has_value());
            EXPECT_EQ(message->substr(0, std::string(c.message).size()), c.message);
        } else {
            ASSERT_FALSE(message.has_value()) << *message;
            EXPECT_EQ(range.Days(), c.days);
            EXPECT_EQ(range.fromJulianDate,
                      JulianDayNumberOf(range.first.year, range.first.month, range.first.day) - 0.5);
        }
    }
}

TEST(EventDatesTest, TheGraphicEphemerisSpansOneMonthToTenYears) {
    const RegionalFormat regional;
    const RangeCase cases[] = {
        {"1 Feb 2027", "28 Feb 2027", nullptr, 28},
        {"1 Jan 2027", "31 Dec 2036", nullptr, 3653},
        {"1 Feb 2027", "27 Feb 2027", "The graphic ephemeris spans at least one month.", 0},
        {"1 Jan 2027", "1 Jan 2037", "The graphic ephemeris spans at most ten years.", 0},
        {"1 Jan 2095", "1 Jan 2100", "The program computes dates up to 31 Dec 2099", 0},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " - " + c.to);
        DayRange range;
        const std::optional<std::string> message =
            ReadDayRange(c.from, c.to, regional, kGraphRangeLimits, range);
        if (c.message) {
            ASSERT_TRUE(message.has_value());
            EXPECT_EQ(message->substr(0, std::string(c.message).size()), c.message);
        } else {
            ASSERT_FALSE(message.has_value()) << *message;
            EXPECT_EQ(range.Days(), c.days);
        }
    }
}

TEST(EventDatesTest, DatesAreReadInTheRegionalOrderAndTheMessagesUseItsMonthNames) {
    RegionalFormat regional;
    regional.DateOrder = 1;
    regional.MonthAbbrev[12] = "Dez";
    DayRange range;
    EXPECT_FALSE(ReadDayRange("2/1/2027", "31/12/2027", regional, kEventRangeLimits, range));
    EXPECT_EQ(range.first, (CivilDate{2027, 1, 2}));
    EXPECT_EQ(range.last, (CivilDate{2027, 12, 31}));
    EXPECT_EQ(ReadDayRange("1/1/2099", "1/1/2100", regional, kEventRangeLimits, range).value_or(""),
              "The program computes dates up to 31 Dez 2099: a range cannot end on 01 Jan 2100.");
}

double At(int year, int month, int day, int hour, int minute, double seconds) {
    return JulianDayNumberOf(year, month, day) - 0.5 + (hour + (minute + seconds / 60.0) / 60.0) / 24.0;
}

TEST(EventDatesTest, MomentsAreWrittenToTheNearestMinute) {
    const struct {
        double jd;
        const char* iso;
    } cases[] = {
        {At(2027, 3, 14, 6, 5, 29.5), "2027-03-14 06:05"}, {At(2027, 3, 14, 6, 5, 30.5), "2027-03-14 06:06"},
        {At(2027, 3, 14, 0, 0, 0), "2027-03-14 00:00"},    {At(2027, 12, 31, 23, 59, 45), "2028-01-01 00:00"},
        {At(2028, 2, 28, 23, 59, 31), "2028-02-29 00:00"}, {At(999, 7, 1, 12, 0, 0), "0999-07-01 12:00"},
        {At(1582, 10, 4, 23, 59, 50), "1582-10-15 00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(IsoMinuteText(c.jd), c.iso);
}

TEST(EventDatesTest, TheLocalTimeOfAZoneWestOfGreenwichIsEarlier) {
    const RegionalFormat regional;
    const double jd = At(2027, 1, 1, 3, 14, 0);
    EXPECT_EQ(DayMinuteText(jd, regional), "01 Jan 2027  03:14");
    EXPECT_EQ(DayMinuteText(LocalJulianDate(jd, 6), regional), "31 Dec 2026  21:14");
    EXPECT_EQ(DayMinuteText(LocalJulianDate(jd, -5.5), regional), "01 Jan 2027  08:44");
    EXPECT_EQ(DayText(LocalJulianDate(jd, 6), regional), "31 Dec 2026");
}

TEST(EventDatesTest, TheEnginesInstantOfAMomentIsTheCivilDayAndItsTime) {
    const Instant i = InstantAtJulianDate(At(2027, 3, 14, 18, 0, 0));
    EXPECT_EQ(i.JulianDayNumber, JulianDayNumberOf(2027, 3, 14));
    EXPECT_DOUBLE_EQ(i.DayFraction, 0.75);
    const Instant chart = InstantOf(JulianDayNumberOf(2027, 3, 14), 0.75);
    EXPECT_NEAR(i.CenturiesT, chart.CenturiesT, 1e-15);
    EXPECT_NEAR(i.CenturiesJ2000, chart.CenturiesJ2000, 1e-15);
}

}  // namespace
}  // namespace talvenor
