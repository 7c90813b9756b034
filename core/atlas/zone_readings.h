// The offset of a clock from UT at a place on a date, from a time-zone database, and how it is told.
//
// The database itself (the system's IANA tz files) is read outside the core, through ZoneDatabase. Here
// a clock time on a date is turned into its readings: one in the usual case; none in a spring-forward gap
// (the time did not exist), two in a fall-back overlap (it occurred twice). Neither case is resolved
// silently: the two possible readings are handed back and the user chooses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "environment/regional_format.h"

namespace talvenor {

// What a zone's clocks showed during one period of its history. Offsets in seconds east of UT.
struct ZonePeriod {
    int offsetSeconds = 0;  // standard + daylight
    int standardSeconds = 0;
    int daylightSeconds = 0;   // the daylight-saving (summer, war, double summer) part
    std::string abbreviation;  // "CEST", "EWT", "LMT", ...
};

class ZoneDatabase {
  public:
    virtual ~ZoneDatabase() = default;
    // Whether the database knows the zone id ("Europe/Berlin").
    virtual bool HasZone(const std::string& zone) = 0;
    // The period in force at an instant, in seconds since 1970-01-01 00:00 UT; none for an unknown zone.
    virtual std::optional<ZonePeriod> PeriodAt(const std::string& zone, std::int64_t utSeconds) = 0;
    // The instants at which the zone's clocks changed, with from < instant <= to, earliest first.
    virtual std::vector<std::int64_t> ChangesBetween(const std::string& zone, std::int64_t from,
                                                     std::int64_t to) = 0;
};

// A clock reading on a date: the hour from 0 to 23.
struct LocalClock {
    CivilDate date;
    int hour = 0;
    int minute = 0;
};

// The clock reading counted like UT seconds since 1970 (the instant it would be if the offset were 0).
std::int64_t ClockSeconds(const LocalClock& clock);

enum class ClockKind {
    Single,      // one reading
    Skipped,     // the clocks were put forward over this time: it did not exist
    Repeated,    // the clocks were put back over this time: it occurred twice
    UnknownZone  // the database does not know the zone
};

struct ClockReading {
    ZonePeriod period;
    std::int64_t utSeconds = 0;  // the instant of the reading
    bool meanTime = false;       // local mean time, taken from the place's own longitude
};

struct ClockAnswer {
    ClockKind kind = ClockKind::UnknownZone;
    // Single: one reading. Skipped: the reading with the offset before the change, then the one with the
    // offset after it. Repeated: the earlier reading (the clocks not yet put back), then the later one.
    std::vector<ClockReading> readings;
};

// The readings of a clock time in a zone. Where the database gives local mean time (abbreviation "LMT")
// and the place's longitude is known (minutes of arc, east positive), the offset is that longitude's
// mean time, not the mean time of the zone's reference city.
ClockAnswer ReadClock(ZoneDatabase& zones, const std::string& zone, const LocalClock& clock,
                      std::optional<int> longitudeEastMinutes);

// "2 hours", "1 hour", "5 hours 30 minutes", "19 minutes 32 seconds"; "0 hours" for none.
std::string DurationText(int seconds);

// "Europe/Berlin, CEST, 2 hours east of UT, of which 1 hour daylight saving";
// "America/Chicago, CST, 6 hours west of UT, no daylight saving"; "Europe/London, GMT, on UT, ...";
// for local mean time "..., LMT, 53 minutes 36 seconds east of UT, local mean time of the place".
std::string OffsetSentence(const std::string& zone, const ClockReading& reading);

inline constexpr const char* kMeanTimeNote =
    "The time-zone database gives local mean time for this date: the offset is the place's own longitude "
    "divided by 15, not the mean time of the zone's reference city.";
inline constexpr const char* kBefore1970Note =
    "Before 1970 the time-zone history of the database is less certain: check the offset against a local "
    "source when the chart matters.";
// Dates before 1970 get kBefore1970Note beside their offset.
bool IsBefore1970(const CivilDate& date);

// "10:15 PM on 14 Mar 1962", as the windows write times.
std::string ClockText(const LocalClock& clock);

// The question when a clock time needs a choice, and the two answers, in the order of the readings.
std::string ClockChoiceQuestion(const std::string& zone, const LocalClock& clock, ClockKind kind);
std::vector<std::string> ClockChoiceAnswers(const ClockAnswer& answer);
// Said when OK is pressed before a reading is chosen; the window then selects the first reading:
// "Choose CEST or CET below. The first is selected now: OK again takes it."
std::string ClockChoiceReminder(const ClockAnswer& answer);

// The one-line messages of the report tool.
std::string UnknownZoneMessage(const std::string& zone);
std::string SkippedClockMessage(const std::string& zone, const LocalClock& clock, const ClockAnswer& answer);
std::string RepeatedClockWarning(const std::string& zone, const LocalClock& clock, const ClockAnswer& answer);

}  // namespace talvenor
