#include "ephemeris/calendar.h"

#include <gtest/gtest.h>

#include <string>

#include "environment/regional_format.h"
#include "ephemeris/time_scales.h"

namespace talvenor {
namespace {

// The first day of the month after the given one.
CivilDate NextMonth(int year, int month) {
    return month == 12 ? CivilDate{year + 1, 1, 1} : CivilDate{year, month + 1, 1};
}

// A date exists exactly when the time routine gives it a day of its own before the first of the next
// month; a day the calendar lacks (29 February 1700) is counted as the first of the next month or later.
TEST(CalendarTest, TheDateCheckAcceptsExactlyTheDaysTheTimeRoutineCountsInTheirMonth) {
    int disagreements = 0;
    for (int year = 1; year <= 2099; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const CivilDate next = NextMonth(year, month);
            const double nextDay = JulianDayNumberOf(next.year, next.month, next.day);
            for (int day = 1; day <= 31; ++day) {
                const bool inMonth = JulianDayNumberOf(year, month, day) < nextDay;
                if (IsValidDate({year, month, day}) != inMonth && ++disagreements <= 5) {
                    ADD_FAILURE() << year << "-" << month << "-" << day << ": the check says "
                                  << IsValidDate({year, month, day}) << ", the time routine " << inMonth;
                }
            }
        }
    }
    EXPECT_EQ(disagreements, 0);
}

TEST(CalendarTest, JulianUpToTheFifteenthOfOctober1582AndGregorianAfter) {
    const struct {
        int year, month, day;
        bool julian;
        double dayNumber;  // what the time routine counts
    } cases[] = {
        {1500, 2, 29, true, 2268992},  {1582, 10, 4, true, 2299160},  {1582, 10, 5, true, 2299161},
        {1582, 10, 14, true, 2299170}, {1582, 10, 15, true, 2299171}, {1582, 10, 16, false, 2299162},
        {1583, 1, 1, false, 2299239},  {2000, 1, 1, false, 2451545},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
        EXPECT_EQ(CountsInJulianCalendar(c.year, c.month, c.day), c.julian);
        EXPECT_EQ(JulianDayNumberOf(c.year, c.month, c.day), c.dayNumber);
    }
    for (const int year : {4, 100, 1100, 1300, 1500, 1580, 1600, 2000}) EXPECT_TRUE(IsLeapYear(year)) << year;
    for (const int year : {1, 1582, 1700, 1900, 2023}) EXPECT_FALSE(IsLeapYear(year)) << year;
}

// Every date the input windows take comes back from its day number, but the eleven Julian dates of 5 to
// 15 October 1582, whose numbers the Gregorian days 15 to 25 October carry as well.
TEST(CalendarTest, TheDayNumberOfEveryDateTurnsBackIntoTheDate) {
    int disagreements = 0;
    for (int year = 1; year <= 2099; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                if (!IsValidDate({year, month, day})) continue;
                if (year == 1582 && month == 10 && day >= 5 && day <= 15) continue;
                const DayOfCalendar back = CalendarDayOf(JulianDayNumberOf(year, month, day));
                if (back != DayOfCalendar{year, month, day} && ++disagreements <= 5) {
                    ADD_FAILURE() << year << "-" << month << "-" << day << " comes back as " << back.year
                                  << "-" << back.month << "-" << back.day;
                }
            }
        }
    }
    EXPECT_EQ(disagreements, 0);
    // Around the reform, and a day number given with its time of day (the day runs from noon to noon).
    EXPECT_EQ(CalendarDayOf(2299160), (DayOfCalendar{1582, 10, 4}));
    EXPECT_EQ(CalendarDayOf(2299161), (DayOfCalendar{1582, 10, 15}));
    EXPECT_EQ(CalendarDayOf(2299171), (DayOfCalendar{1582, 10, 25}));
    EXPECT_EQ(CalendarDayOf(2451545.49), (DayOfCalendar{2000, 1, 1}));
    EXPECT_EQ(CalendarDayOf(2451545.5), (DayOfCalendar{2000, 1, 2}));
    EXPECT_EQ(CalendarDayOf(1721424), (DayOfCalendar{1, 1, 1}));
}

}  // namespace
}  // namespace talvenor
