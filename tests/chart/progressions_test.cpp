#include "chart/progressions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace talvenor {
namespace {

TEST(ProgressionsTest, AgeCountsWholeYearsFromBirthdayToBirthdayAndTheDaysBetween) {
    struct Case {
        int by, bm, bd, y, m, d;
        double age;  // -1: before the birth
    };
    const Case cases[] = {
        {1962, 3, 14, 1962, 3, 14, 0},                 // the birth date itself
        {1962, 3, 14, 1992, 3, 14, 30},                // a birthday: a whole age, leap days or not
        {1962, 3, 14, 1992, 3, 13, 29 + 365.0 / 366},  // the day before: 1991-03-14 .. 1992-03-14 is 366 days
        {1962, 3, 14, 1991, 9, 13, 29 + 183.0 / 366},  // the year of life that holds 29 Feb 1992
        {1962, 3, 14, 2026, 12, 7, 64 + 268.0 / 365},  // the sample's diurnal date
        {1962, 3, 14, 1962, 3, 13, -1},                // before the birth
        {1962, 3, 14, 1900, 1, 1, -1},
        {2000, 2, 29, 2001, 2, 28, 1},             // a 29 February birthday falls on 28 February
        {2000, 2, 29, 2001, 3, 1, 1 + 1.0 / 365},  // 2001-02-28 .. 2002-02-28
        {2000, 2, 29, 2004, 2, 29, 4},
        {2000, 2, 29, 2004, 2, 28, 3 + 365.0 / 366},  // 2003-02-28 .. 2004-02-29
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.by << "-" << c.bm << "-" << c.bd << " to " << c.y << "-" << c.m << "-" << c.d);
        const std::optional<double> age = AgeInYears(c.by, c.bm, c.bd, c.y, c.m, c.d);
        ASSERT_EQ(age.has_value(), c.age >= 0);
        if (age) {
            EXPECT_NEAR(*age, c.age, 1e-12);
        }
    }
    // A whole age is exact: it moves the civil date by whole days.
    EXPECT_EQ(*AgeInYears(1962, 3, 14, 1992, 3, 14), 30.0);
}

TEST(ProgressionsTest, RightAscensionOfTheEclipticFollowsTheObliquity) {
    const double eps = 23.44 * std::numbers::pi / 180;
    for (double lon : {0.0, 30.0, 89.0, 90.0, 91.0, 180.0, 200.0, 270.0, 300.0, 359.5}) {
        SCOPED_TRACE(lon);
        const double l = lon * std::numbers::pi / 180;
        double expected = std::atan2(std::sin(l) * std::cos(eps), std::cos(l)) * 180 / std::numbers::pi;
        if (expected < 0) expected += 360;
        EXPECT_NEAR(RightAscensionOf(lon, eps), expected, 1e-6);
    }
}

}  // namespace
}  // namespace talvenor
