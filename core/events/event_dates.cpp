#include "events/event_dates.h"

#include <cmath>

#include "ephemeris/calendar.h"
#include "input/input_checks.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

constexpr double kMinutesPerDay = 1440.0;

CivilDate CivilOf(const DayOfCalendar& d) {
    return {d.year, d.month, d.day};
}

std::string TwoDigits(int n) {
    return Format(n, "00");
}

// The limit the input windows set on dates, as the messages name it.
const CivilDate kLastDay{kLastInputYear, 12, 31};

}  // namespace

Instant InstantAtJulianDate(double julianDate) {
    const double dayNumber = std::floor(julianDate + 0.5);
    return InstantOf(dayNumber, julianDate + 0.5 - dayNumber);
}

double JulianDateAtMidnight(const CivilDate& date) {
    return JulianDayNumberOf(date.year, date.month, date.day) - 0.5;
}

MinuteOfDay MinuteAt(double julianDate) {
    const double minutes = std::round((julianDate + 0.5) * kMinutesPerDay);
    const double dayNumber = std::floor(minutes / kMinutesPerDay);
    const int minuteOfDay = static_cast<int>(minutes - dayNumber * kMinutesPerDay);
    MinuteOfDay m;
    m.date = CivilOf(CalendarDayOf(dayNumber));
    m.hour = minuteOfDay / 60;
    m.minute = minuteOfDay % 60;
    return m;
}

double LocalJulianDate(double julianDate, double zoneWest) {
    return julianDate - zoneWest / 24.0;
}

std::string IsoMinuteText(double julianDate) {
    const MinuteOfDay m = MinuteAt(julianDate);
    return Format(m.date.year, "0000") + "-" + TwoDigits(m.date.month) + "-" + TwoDigits(m.date.day) + " " +
           TwoDigits(m.hour) + ":" + TwoDigits(m.minute);
}

std::string DayMinuteText(double julianDate, const RegionalFormat& regional) {
    const MinuteOfDay m = MinuteAt(julianDate);
    return FormatDateDdMmmYyyy(m.date, regional) + "  " + TwoDigits(m.hour) + ":" + TwoDigits(m.minute);
}

std::string DayText(double julianDate, const RegionalFormat& regional) {
    return FormatDateDdMmmYyyy(CivilOf(CalendarDayOf(std::floor(julianDate + 0.5))), regional);
}

std::optional<std::string> ReadDayRange(const std::string& fromText, const std::string& toText,
                                        const RegionalFormat& regional, const RangeLimits& limits,
                                        DayRange& range) {
    const std::optional<CivilDate> first = ParseDate(fromText, regional);
    if (!first)
        return "The start of the range, \"" + fromText + "\", is not a date (for example 1 Jan 2027).";
    const std::optional<CivilDate> last = ParseDate(toText, regional);
    if (!last) return "The end of the range, \"" + toText + "\", is not a date (for example 31 Dec 2027).";
    const std::string limit = FormatDateDdMmmYyyy(kLastDay, regional);
    if (first->year > kLastInputYear) {
        return "The program computes dates up to " + limit + ": a range cannot start on " +
               FormatDateDdMmmYyyy(*first, regional) + ".";
    }
    if (last->year > kLastInputYear) {
        return "The program computes dates up to " + limit + ": a range cannot end on " +
               FormatDateDdMmmYyyy(*last, regional) + ".";
    }
    // The year rule of every date the program reads: "1 Jan 27" is no guess at 1927 or 2027.
    if (const auto fault = DateYearFault(fromText, *first))
        return "The start of the range, \"" + fromText + "\", " + *fault + ".";
    if (const auto fault = DateYearFault(toText, *last))
        return "The end of the range, \"" + toText + "\", " + *fault + ".";
    DayRange r;
    r.first = *first;
    r.last = *last;
    r.fromJulianDate = JulianDateAtMidnight(*first);
    r.toJulianDate = JulianDateAtMidnight(*last) + 1.0;
    if (r.toJulianDate <= r.fromJulianDate) {
        return "The range ends on " + FormatDateDdMmmYyyy(*last, regional) + ", before it starts on " +
               FormatDateDdMmmYyyy(*first, regional) + ".";
    }
    if (r.Days() > limits.longestDays) return std::string(limits.tooLong);
    if (r.Days() < limits.shortestDays) return std::string(limits.tooShort);
    range = r;
    return std::nullopt;
}

}  // namespace talvenor
