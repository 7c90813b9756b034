#include "ephemeris/calendar.h"

#include <gtest/gtest.h>

#include <string>

#include "ephemeris/time_scales.h"
#include "environment/regional_format.h"

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

}  // namespace
}  // namespace talvenor
