// Moments of the event search and the graphic ephemeris: Julian dates in Universal Time, the ranges the
// user types, and the texts a moment is written in.
#pragma once

#include <optional>
#include <string>

#include "environment/regional_format.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

// The engine's instant for a Julian date (UT): the civil date's day number and the time of day.
Instant InstantAtJulianDate(double julianDate);

// The Julian date of 0h UT of a civil date, counted as the time routine counts it.
double JulianDateAtMidnight(const CivilDate& date);

// A moment rounded to the nearest minute.
struct MinuteOfDay {
    CivilDate date;
    int hour = 0, minute = 0;
};
MinuteOfDay MinuteAt(double julianDate);

// The moment in a zone of the input windows' convention (hours, west positive): UT minus the zone.
double LocalJulianDate(double julianDate, double zoneWest);

// "2027-03-14 06:05": the moment rounded to the minute.
std::string IsoMinuteText(double julianDate);
// "14 Mar 2027  06:05", with the regional month names.
std::string DayMinuteText(double julianDate, const RegionalFormat& regional);
// "14 Mar 2027".
std::string DayText(double julianDate, const RegionalFormat& regional);

// A range of whole days: from 0h UT of the first to 24h UT of the last.
struct DayRange {
    double fromJulianDate = 0;
    double toJulianDate = 0;
    CivilDate first, last;
    double Days() const { return toJulianDate - fromJulianDate; }
};

// The title of the messages about a range.
inline constexpr const char* kEventSearchTitle = "Event Search";

// How short and how long a range may be, in days, and what is said when it is not.
struct RangeLimits {
    double shortestDays;
    double longestDays;
    const char* tooShort;
    const char* tooLong;
};

// The event search: one day to a hundred years of 365.25 days.
inline constexpr RangeLimits kEventRangeLimits = {1, 36525, "", "The search covers at most 100 years."};
// The graphic ephemeris: one month to ten years.
inline constexpr RangeLimits kGraphRangeLimits = {28, 3653, "The graphic ephemeris spans at least one month.",
                                                  "The graphic ephemeris spans at most ten years."};

// Reads two date texts ("1 Jan 2027", or numbers in the regional order) as a range of whole days within
// the years the program computes (1 to 2099) and within the limits. The message to show when the texts
// make no such range; no message when `range` was filled.
std::optional<std::string> ReadDayRange(const std::string& fromText, const std::string& toText,
                                        const RegionalFormat& regional, const RangeLimits& limits,
                                        DayRange& range);

}  // namespace talvenor
