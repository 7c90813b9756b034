#include "atlas/zone_readings.h"

#include <algorithm>
#include <cstdlib>

#include "atlas/place_format.h"

namespace talvenor {
namespace {

constexpr std::int64_t kDay = 86400;
// Wider than any offset a zone has had, so that every change that can bear on a clock time is seen.
constexpr std::int64_t kSearchSpan = 36 * 3600;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::string Plural(int n, const char* unit) {
    return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
}

std::string ReadingSummary(const ClockReading& r) {
    std::string side = r.period.offsetSeconds > 0   ? " east of UT"
                       : r.period.offsetSeconds < 0 ? " west of UT"
                                                    : "";
    std::string text = r.period.abbreviation + ", ";
    text += r.period.offsetSeconds == 0 ? "on UT" : DurationText(std::abs(r.period.offsetSeconds)) + side;
    return text;
}

}  // namespace

std::int64_t ClockSeconds(const LocalClock& clock) {
    return DaysFromCivil(clock.date.year, clock.date.month, clock.date.day) * kDay + clock.hour * 3600 +
           clock.minute * 60;
}

ClockAnswer ReadClock(ZoneDatabase& zones, const std::string& zone, const LocalClock& clock,
                      std::optional<int> longitudeEastMinutes) {
    ClockAnswer answer;
    if (!zones.HasZone(zone)) return answer;
    const std::int64_t local = ClockSeconds(clock);

    // Every offset in force near the clock time, earliest first: the one before the first change seen and
    // the one after each change.
    std::vector<std::int64_t> starts{local - kSearchSpan};
    const std::vector<std::int64_t> changes =
        zones.ChangesBetween(zone, local - kSearchSpan, local + kSearchSpan);
    starts.insert(starts.end(), changes.begin(), changes.end());
    std::vector<ZonePeriod> periods;
    for (std::int64_t start : starts) {
        const auto p = zones.PeriodAt(zone, start);
        if (!p) return answer;
        periods.push_back(*p);
    }

    // A reading with offset o is the instant local - o, when o is in force then.
    for (const ZonePeriod& candidate : periods) {
        const std::int64_t ut = local - candidate.offsetSeconds;
        const auto actual = zones.PeriodAt(zone, ut);
        if (!actual || actual->offsetSeconds != candidate.offsetSeconds) continue;
        const bool seen = std::any_of(answer.readings.begin(), answer.readings.end(),
                                      [&](const ClockReading& r) { return r.utSeconds == ut; });
        if (!seen) answer.readings.push_back({*actual, ut, false});
    }
    std::sort(answer.readings.begin(), answer.readings.end(),
              [](const ClockReading& a, const ClockReading& b) { return a.utSeconds < b.utSeconds; });

    if (answer.readings.empty()) {
        // A gap: the change whose offset before and after lie on either side of the clock time.
        answer.kind = ClockKind::Skipped;
        for (std::size_t i = 1; i < starts.size(); ++i) {
            const ZonePeriod& before = periods[i - 1];
            const ZonePeriod& after = periods[i];
            if (local >= starts[i] + before.offsetSeconds && local < starts[i] + after.offsetSeconds) {
                answer.readings = {{before, local - before.offsetSeconds, false},
                                   {after, local - after.offsetSeconds, false}};
                break;
            }
        }
        if (answer.readings.empty()) answer.kind = ClockKind::UnknownZone;
    } else {
        answer.kind = answer.readings.size() == 1 ? ClockKind::Single : ClockKind::Repeated;
        if (answer.readings.size() > 2) answer.readings.resize(2);
    }

    if (longitudeEastMinutes) {
        for (ClockReading& r : answer.readings) {
            if (r.period.abbreviation != "LMT") continue;
            const int offset = MeanTimeOffsetSeconds(*longitudeEastMinutes);
            r.utSeconds = local - offset;
            r.period.offsetSeconds = r.period.standardSeconds = offset;
            r.period.daylightSeconds = 0;
            r.meanTime = true;
        }
    }
    return answer;
}

std::string DurationText(int seconds) {
    seconds = std::abs(seconds);
    const int hours = seconds / 3600;
    const int minutes = seconds / 60 % 60;
    const int secs = seconds % 60;
    std::string text;
    const auto add = [&](int n, const char* unit) {
        if (!text.empty()) text += ' ';
        text += Plural(n, unit);
    };
    if (hours || (!minutes && !secs)) add(hours, "hour");
    if (minutes) add(minutes, "minute");
    if (secs) add(secs, "second");
    return text;
}

std::string OffsetSentence(const std::string& zone, const ClockReading& reading) {
    std::string text = zone + ", " + ReadingSummary(reading) + ", ";
    if (reading.meanTime) return text + "local mean time of the place";
    const int daylight = reading.period.daylightSeconds;
    if (daylight == 0) return text + "no daylight saving";
    if (daylight < 0) return text + "of which " + DurationText(daylight) + " less than standard time";
    return text + "of which " + DurationText(daylight) + " daylight saving";
}

bool IsBefore1970(const CivilDate& date) {
    return date.year < 1970;
}

std::string ClockText(const LocalClock& clock) {
    const int hour12 = clock.hour % 12 == 0 ? 12 : clock.hour % 12;
    std::string minute = std::to_string(clock.minute);
    if (minute.size() < 2) minute = "0" + minute;
    return std::to_string(hour12) + ":" + minute + (clock.hour < 12 ? " AM" : " PM") + " on " +
           FormatDateDdMmmYyyy(clock.date, RegionalFormat{});
}

std::string ClockChoiceQuestion(const std::string& zone, const LocalClock& clock, ClockKind kind) {
    if (kind == ClockKind::Skipped)
        return ClockText(clock) + " did not exist in " + zone +
               ": the clocks were put forward over it. Choose the offset the birth time was read with:";
    return ClockText(clock) + " occurred twice in " + zone +
           ": the clocks were put back over it. Choose which of the two it was:";
}

std::vector<std::string> ClockChoiceAnswers(const ClockAnswer& answer) {
    std::vector<std::string> texts;
    if (answer.readings.size() != 2) return texts;
    if (answer.kind == ClockKind::Skipped) {
        texts.push_back(ReadingSummary(answer.readings[0]) + " (the clocks not yet put forward)");
        texts.push_back(ReadingSummary(answer.readings[1]) + " (the clocks already put forward)");
    } else {
        texts.push_back("the first: " + ReadingSummary(answer.readings[0]));
        texts.push_back("the second: " + ReadingSummary(answer.readings[1]));
    }
    return texts;
}

std::string ClockChoiceReminder(const ClockAnswer& answer) {
    std::string choices = "the first or the second reading";
    if (answer.readings.size() == 2 &&
        answer.readings[0].period.abbreviation != answer.readings[1].period.abbreviation)
        choices = answer.readings[0].period.abbreviation + " or " + answer.readings[1].period.abbreviation;
    return "Choose " + choices + " below. The first is selected now: OK again takes it.";
}

std::string UnknownZoneMessage(const std::string& zone) {
    return "the time-zone database of this system does not know the zone " + zone;
}

std::string SkippedClockMessage(const std::string& zone, const LocalClock& clock, const ClockAnswer& answer) {
    std::string text =
        ClockText(clock) + " did not exist in " + zone + ": the clocks were put forward over it";
    if (answer.readings.size() == 2)
        text += " (from " + answer.readings[0].period.abbreviation + " to " +
                answer.readings[1].period.abbreviation + "); give the time as one of the two clocks read it";
    return text;
}

std::string RepeatedClockWarning(const std::string& zone, const LocalClock& clock,
                                 const ClockAnswer& answer) {
    std::string text = ClockText(clock) + " occurred twice in " + zone + ": the first (";
    if (answer.readings.size() == 2)
        text += answer.readings[0].period.abbreviation + ") is given, the second would be " +
                answer.readings[1].period.abbreviation;
    else
        text += "earlier) is given";
    return text;
}

}  // namespace talvenor
