// The user's regional date order and clock, and the date conversions that follow them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace talvenor {

struct RegionalFormat {
    // 0 month-day-year, 1 day-month-year, 2 year-month-day.
    std::int16_t DateOrder = 0;
    // 1 for a 24-hour clock, 0 for a 12-hour clock.
    std::int16_t Clock24 = 0;
    // Abbreviated month names of the user's language, elements 1..12 ("Jan" ... "Dec" by default).
    std::array<std::string, 13> MonthAbbrev = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};

// The regional format of the current LC_TIME locale (as set in the environment): the order in which the
// locale writes day, month and year, whether its time format runs to 24 hours, and its month names.
// Falls back to the defaults above when the locale cannot be read.
RegionalFormat ReadRegionalFormat();

// The same from explicit locale date and time patterns, in strftime notation ("%m/%d/%Y", "%H:%M:%S"):
// the order of %d/%e, %m/%b and %y/%Y gives DateOrder, %H/%k/%T/%R gives Clock24.
RegionalFormat RegionalFormatFromPatterns(std::string_view datePattern, std::string_view timePattern);

struct CivilDate {
    int year = 0, month = 0, day = 0;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// True when the date exists in the calendar the charts are computed in (years 1 to 9999): the Julian
// calendar up to 1582 October 15, the Gregorian after it. So 29 February 1500 exists and 29 February 1700
// does not; 31 September never does. The days 5 to 14 October 1582, which the Gregorian reform left out,
// exist as the Julian days the time routine computes them as.
bool IsValidDate(const CivilDate& date);

// The month (1 to 12) a month word names, 0 for none: the regional abbreviations first, then the
// abbreviations and full names of English, German, French, Spanish, Italian, Dutch and Portuguese, so
// that a date written under one language reads under every other ("14 Mär 1962" under English). Case,
// accents ("Mar" for "Mär", "aout" for "août"), a final point ("janv.") and Windows-1252 bytes do not
// matter.
int MonthFromWord(std::string_view word, const RegionalFormat& regional);

// Reads a date text the way the system's date rules do: three numbers separated by "/", "-" or "."
// in the regional order ("3/14/1962"), or day, month name and year ("14 Mar 1962", "14. März 1962",
// also "1962 Mar 14" when the order is year-month-day), the month name read by MonthFromWord. No value
// for a text that is not an existing date (see IsValidDate), nor for a number written with a minus sign
// ("01 Jan -5").
std::optional<CivilDate> ParseDate(std::string_view text, const RegionalFormat& regional);

// "dd mmm yyyy": two-digit day, the abbreviated month name, four-digit year ("14 Mar 1962").
std::string FormatDateDdMmmYyyy(const CivilDate& date, const RegionalFormat& regional);

// Joins day, month and year texts with "/" in the regional order.
std::string JoinDateFields(const std::string& day, const std::string& month, const std::string& year,
                           std::int16_t dateOrder);

}  // namespace talvenor
