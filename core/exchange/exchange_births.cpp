#include "exchange/exchange_births.h"

#include <cmath>
#include <cstdlib>

#include "atlas/place_format.h"
#include "environment/text_files.h"
#include "ephemeris/calendar.h"
#include "ephemeris/time_scales.h"
#include "input/input_checks.h"
#include "input/strict_number.h"
#include "text/basic_text.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

constexpr int kDaySeconds = 86400;
// A zone more than this far from UT is no zone: the Julian day and the date then name different days.
constexpr int kWidestZoneSeconds = 15 * 3600;

// The first message of the input checks for a record's birth in the natal window; none when it passes.
// The second chart of a computation would be given the same birth, so only the record itself is judged.
std::optional<std::string> RefusedByTheInputChecks(const Birth& birth) {
    const std::vector<InputFault> faults = CheckBirth(birth, BirthWindow::Natal);
    if (faults.empty()) return std::nullopt;
    return faults.front().message.text;
}

std::string Two(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string DateText(const CivilDate& date) {
    return std::to_string(date.day) + "." + std::to_string(date.month) + "." + std::to_string(date.year);
}

std::string ClockText(const ClockTime& clock) {
    return Two(clock.hour) + ":" + Two(clock.minute) + (clock.second ? ":" + Two(clock.second) : "");
}

std::string OffsetText(int offsetEast) {
    if (offsetEast == 0) return "UT";
    return DurationText(offsetEast) + (offsetEast > 0 ? " east of UT" : " west of UT");
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month];
}

CivilDate NextDay(CivilDate date) {
    if (++date.day > DaysInMonth(date.year, date.month)) {
        date.day = 1;
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
        }
    }
    return date;
}

// A name without the byte-order marks (U+FEFF) a file's lines may carry inside them: they show nothing,
// and one at the start of a names or exchange file is taken for the file's own mark and dropped, which
// would cut the first letter off every column after it. Blanks at either end are left off too.
std::string WithoutByteOrderMarks(std::string_view text) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    std::string clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, kMark.size()) == kMark) {
            i += kMark.size();
        } else {
            clean += text[i++];
        }
    }
    return std::string(TrimSpace(clean));
}

// Why a name cannot go into a names file as it is; none when it can.
std::optional<std::string> NameFault(const std::string& name) {
    if (name.empty()) return "the record has no name";
    if (name.find_first_of("\r\n") != std::string::npos) return "the name holds a line break";
    if (name.front() == '"') return "the name begins with a double quote, which a names file cannot hold";
    if (name.find('"') != std::string::npos && name.find(',') != std::string::npos)
        return "the name holds both a double quote and a comma, which a names file cannot hold";
    if (name.size() > kLongestListField)
        return "the name is longer than " + std::to_string(kLongestListField) + " bytes";
    return std::nullopt;
}

// The offset of a clock time in a zone of the database; on failure the reason.
struct DatabaseOffset {
    std::optional<int> offsetEast;
    int daylight = 0;
    std::string abbreviation;
    std::string reason;
    std::string warning;
};

DatabaseOffset OffsetFromDatabase(ZoneDatabase* zones, const std::string& zone, const CivilDate& date,
                                  const ClockTime& clock, double longitudeEast) {
    DatabaseOffset result;
    if (!zones) {
        result.reason = "no time-zone database is at hand for the zone " + zone;
        return result;
    }
    const LocalClock local{date, clock.hour, clock.minute};
    const auto longitudeMinutes = static_cast<int>(std::lround(longitudeEast * 60));
    const ClockAnswer answer = ReadClock(*zones, zone, local, longitudeMinutes);
    if (answer.kind == ClockKind::UnknownZone ||
        (answer.kind != ClockKind::Skipped && answer.readings.empty())) {
        result.reason = UnknownZoneMessage(zone);
        return result;
    }
    if (answer.kind == ClockKind::Skipped) {
        result.reason = SkippedClockMessage(zone, local, answer);
        return result;
    }
    if (answer.kind == ClockKind::Repeated) result.warning = RepeatedClockWarning(zone, local, answer);
    const ClockReading& r = answer.readings.front();
    result.offsetEast = r.period.offsetSeconds;
    result.daylight = r.period.daylightSeconds;
    result.abbreviation = r.period.abbreviation;
    return result;
}

bool SameLetters(const std::string& a, const std::string& b) {
    return Capitals(a) == Capitals(b);
}

// The zone of a record: its offset east of UT in seconds, or the refusal.
struct ResolvedZone {
    std::optional<int> offsetEast;
    std::string refusal;
};

ResolvedZone ResolveZone(const SourceBirth& b, const ClockTime& clock, double longitudeEast,
                         ZoneSources& sources, BirthConversion& out) {
    ResolvedZone zone;
    const bool meanTime = b.meanTime || (Capitals(b.abbreviation) == "LMT" && !b.zoneEast);
    if (meanTime && !b.zoneEast) {
        out.origin = ZoneOrigin::MeanTime;
        zone.offsetEast = static_cast<int>(std::lround(longitudeEast * 240.0));
        return zone;
    }
    // A zone given without its daylight-saving time (an AAF time type "*") is the clock's whole offset
    // when the record gives its moment as a Julian day as well: the check of the two below warns when
    // they differ. Taken from the Julian day instead, it would carry the day's rounding into the zone.
    if (b.zoneEast && (b.daylight || b.julianDay)) {
        zone.offsetEast = *b.zoneEast + b.daylight.value_or(0);
        return zone;
    }
    if (b.julianDay) {
        const double local = LocalJulianDay(*b.date, clock.hour, clock.minute, clock.second);
        const double offset = std::round((local - *b.julianDay) * kDaySeconds);
        if (std::fabs(offset) > kWidestZoneSeconds) {
            zone.refusal = "the Julian day " + Format(*b.julianDay, "0.000000") + " is not on the date " +
                           DateText(*b.date) + " at " + ClockText(clock) + " in any zone";
            return zone;
        }
        out.origin = ZoneOrigin::JulianDay;
        zone.offsetEast = static_cast<int>(offset);
        return zone;
    }

    // The database: through the zone id the record gives, or through its place in the world atlas.
    std::string zoneId = b.zoneId;
    std::string placeLabel;
    std::string noPlace;
    if (zoneId.empty() && !b.place.empty() && sources.places && b.latitude) {
        const PlaceZone found = sources.places->ZoneOf(b.place, *b.latitude, longitudeEast);
        zoneId = found.zone;
        placeLabel = found.label;
        noPlace = found.reason;
    }
    if (zoneId.empty()) {
        std::string why = b.zoneEast ? "the daylight-saving time is not given"
                          : !b.abbreviation.empty()
                              ? "the zone abbreviation " + b.abbreviation + " alone does not tell the offset"
                              : "the record gives no time zone";
        if (!noPlace.empty())
            why += ", and " + noPlace;
        else if (b.place.empty())
            why += ", nor a place to look it up";
        else if (!sources.places)
            why += ", and the world atlas is not at hand to look up " + b.place;
        zone.refusal = "unknown zone: " + why;
        return zone;
    }
    const DatabaseOffset found = OffsetFromDatabase(sources.zones, zoneId, *b.date, clock, longitudeEast);
    if (!found.offsetEast) {
        zone.refusal = "unknown zone: " + found.reason;
        return zone;
    }
    out.origin = b.zoneId.empty() ? ZoneOrigin::Place : ZoneOrigin::ZoneId;
    out.zoneDetail = zoneId + (placeLabel.empty() ? "" : " (" + placeLabel + ")");
    if (!found.warning.empty()) out.warnings.push_back(found.warning);
    int offset = *found.offsetEast;
    if (b.zoneEast && *b.zoneEast != offset - found.daylight) {
        out.warnings.push_back("the record's zone (" + OffsetText(*b.zoneEast) +
                               ") is not the standard time of " + out.zoneDetail + " (" +
                               OffsetText(offset - found.daylight) + "); the database's offset was taken");
    } else if (!b.zoneEast && b.daylight && *b.daylight != found.daylight) {
        // The record says which time was kept; the database gives the zone's standard time.
        offset = offset - found.daylight + *b.daylight;
        out.warnings.push_back("the record's daylight-saving time (" + DurationText(*b.daylight) +
                               ") is not the database's for " + out.zoneDetail + " (" +
                               DurationText(found.daylight) + "); the record's was taken");
    }
    if (!b.abbreviation.empty() && !SameLetters(b.abbreviation, found.abbreviation) &&
        found.abbreviation != "LMT") {
        out.warnings.push_back("the record names the zone " + b.abbreviation +
                               ", the time-zone database gives " + found.abbreviation + " for " +
                               out.zoneDetail + "; the database's offset was taken");
    }
    zone.offsetEast = offset;
    return zone;
}

// The packed degrees.minutes of a position in whole minutes, with the sign the names file gives it.
std::string PackedField(int minutes, const char* pattern) {
    const int magnitude = std::abs(minutes);
    const double packed = magnitude / 60 + (magnitude % 60) / 100.0;
    return Format(minutes < 0 ? -packed : packed, pattern);
}

}  // namespace

NameWithoutControls NameForNamesFile(std::string name) {
    NameWithoutControls result;
    result.blanked = HoldsControlCharacter(name);
    if (result.blanked) {
        name = ControlCharactersReplaced(name, ' ');
        const std::size_t first = name.find_first_not_of(' ');
        name = first == std::string::npos ? std::string()
                                          : name.substr(first, name.find_last_not_of(' ') - first + 1);
    }
    result.text = std::move(name);
    return result;
}

double LocalJulianDay(const CivilDate& date, int hour, int minute, double second) {
    return JulianDayNumberOf(date.year, date.month, date.day) - 0.5 +
           (hour * 3600.0 + minute * 60.0 + second) / kDaySeconds;
}

std::string PositionText(int minutes, char positive, char negative) {
    const int magnitude = std::abs(minutes);
    return std::to_string(magnitude / 60) + "\xC2\xB0" + Two(magnitude % 60) + "'" +
           (minutes < 0 ? negative : positive);
}

BirthConversion ConvertBirth(const SourceBirth& b, ZoneSources& sources, const RegionalFormat& regional) {
    BirthConversion out;
    const auto refuse = [&out](std::string reason) {
        out.refusal = std::move(reason);
        out.warnings.clear();
        return out;
    };
    if (!b.fault.empty()) return refuse(b.fault);

    const NameWithoutControls name = NameForNamesFile(WithoutByteOrderMarks(b.name));
    if (const auto fault = NameFault(name.text)) return refuse(*fault);
    if (name.blanked) out.warnings.push_back(kControlCharactersBlanked);
    if (!b.date)
        return refuse(b.dateText.empty() ? "the record has no date" : UnreadDateReason(b.dateText, regional));
    if (const auto fault = YearRangeFault(b.date->year))
        return refuse("the date " + DateText(*b.date) + " " + *fault);
    if (!b.clock) return refuse("the record has no time of birth");
    if (!b.latitude || !b.longitude) return refuse("the record has no latitude and longitude");

    const ClockTime clock = *b.clock;
    const ResolvedZone zone = ResolveZone(b, clock, *b.longitude, sources, out);
    if (!zone.offsetEast) return refuse(zone.refusal);
    const int offsetEast = *zone.offsetEast;

    // The Julian day, where given beside a zone found otherwise, must name the same moment.
    if (b.julianDay && out.origin != ZoneOrigin::JulianDay) {
        const double ut = LocalJulianDay(*b.date, clock.hour, clock.minute, clock.second) -
                          static_cast<double>(offsetEast) / kDaySeconds;
        const double apart = std::round((ut - *b.julianDay) * kDaySeconds);
        if (std::fabs(apart) > 60) {
            out.warnings.push_back("the Julian day " + Format(*b.julianDay, "0.000000") +
                                   " and the date, time and zone differ by " +
                                   DurationText(static_cast<int>(std::min(std::fabs(apart), 1e9))) +
                                   "; the date, time and zone were kept");
        }
    }

    // To the minute, as the names file keeps them.
    CivilDate date = *b.date;
    int hour = clock.hour;
    int minute = clock.minute;
    if (clock.second != 0) {
        out.timeRounded = true;
        if (clock.second >= 30 && ++minute == 60) {
            minute = 0;
            if (++hour == 24) {
                hour = 0;
                date = NextDay(date);
                if (date.year > kLastYear)
                    return refuse("rounded to the minute, the date " + DateText(date) +
                                  " is outside the years the program computes");
            }
        }
    }
    const auto latitudeMinutes = static_cast<int>(std::llround(*b.latitude * 60));
    const auto longitudeEastMinutes = static_cast<int>(std::llround(*b.longitude * 60));
    out.positionRounded = std::fabs(*b.latitude * 60 - latitudeMinutes) > 1e-6 ||
                          std::fabs(*b.longitude * 60 - longitudeEastMinutes) > 1e-6;

    const double zoneWest = -offsetEast / 3600.0;
    if (!ZoneInRange(zoneWest))
        return refuse("the zone " + OffsetText(offsetEast) +
                      " is outside the zones the program takes (14 hours east to 12 hours west of UT)");
    if (ZoneSignLooksWrong(zoneWest, longitudeEastMinutes <= 0, -longitudeEastMinutes))
        return refuse("the zone " + OffsetText(offsetEast) +
                      " lies more than 2 hours east of UT while the longitude " +
                      PositionText(longitudeEastMinutes, 'E', 'W') +
                      " is west and short of the date line (150 degrees west and beyond), which the program "
                      "refuses as a sign the wrong way round");

    NameRecord record;
    record.Field[1] = name.text;
    record.Field[2] = FormatDateDdMmmYyyy(date, regional);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    record.Field[3] = Format(hour12 + minute / 100.0, "##.#0");
    record.Field[4] = hour < 12 ? "A" : "P";
    record.Field[5] = ZoneHoursText(offsetEast);
    record.Field[6] = PackedField(-longitudeEastMinutes, "#00#.#0");
    record.Field[7] = PackedField(latitudeMinutes, "#0#.#0");

    // The record must read back as these fields and pass the checks a computation makes.
    const std::string line = NameRecordLine(record);
    const auto readBack = ParseNameRecord(line);
    if (!readBack || readBack->Field != record.Field)
        return refuse("the record would not read back from the names file: " +
                      NameRecordFault(line, regional).value_or(line));
    RecordBirth read = ReadRecordBirth(record, regional, "line " + std::to_string(b.line));
    if (read.fault) return refuse("the record would not read back from the names file: " + line);
    if (const auto refused = RefusedByTheInputChecks(read.birth))
        return refuse("the program's input checks refuse it (" + *refused + "): " + line);
    out.record = std::move(record);
    out.birth = std::move(read.birth);
    return out;
}

int ExportBirth::OffsetEastSeconds() const {
    return static_cast<int>(std::lround(-zoneHours * 3600));
}

bool ExportBirth::IsMeanTime() const {
    const int meanTime = MeanTimeOffsetSeconds(longitudeEastMinutes);
    if (meanTime % 900 == 0) return false;
    // To the names file's four decimals: a zone a second away from the mean time ("-0.3636" at 5°27' E,
    // whose mean time reads "-0.3633") is a zone of its own, and stays one through every format.
    const auto meanTimeZone = StrictNumber(ZoneHoursText(meanTime));
    return meanTimeZone && std::llround(zoneHours * 10000) == std::llround(*meanTimeZone * 10000);
}

double ExportBirth::JulianDay() const {
    const double offset = IsMeanTime() ? MeanTimeOffsetSeconds(longitudeEastMinutes) : -zoneHours * 3600;
    return LocalJulianDay(date, hour, minute, 0) - offset / kDaySeconds;
}

ExportReading ReadExportBirth(const NumberedRecord& numbered, const RegionalFormat& regional) {
    ExportReading reading;
    const NameRecord& record = numbered.record;
    const RecordBirth read = ReadRecordBirth(record, regional, "line " + std::to_string(numbered.line));
    if (read.fault) {
        reading.refusal =
            NameRecordFault(NameRecordLine(record), regional).value_or("the record cannot be read");
        return reading;
    }
    if (const auto refused = RefusedByTheInputChecks(read.birth)) {
        reading.refusal = "the program's input checks refuse it: " + *refused;
        return reading;
    }
    // The checks have made sure that every number was given as a number.
    const Birth& natal = read.birth;
    ExportBirth b;
    b.line = numbered.line;
    const NameWithoutControls name = NameForNamesFile(record.Field[1]);
    if (name.text.empty()) {
        reading.refusal = "the name holds nothing but control characters";
        return reading;
    }
    b.name = name.text;
    if (name.blanked)
        reading.notes.push_back(
            "control characters in names (a tab, an escape or the like) written as blanks");
    b.date = {static_cast<int>(natal.year.value), static_cast<int>(natal.month.value),
              static_cast<int>(natal.day.value)};
    const int hour12 = static_cast<int>(natal.hour.value);
    b.hour = hour12 % 12 + (natal.pm ? 12 : 0);
    b.minute = static_cast<int>(natal.minute.value);
    b.zoneHours = natal.zone.value;
    const int longitude = static_cast<int>(natal.longitudeDegrees.value * 60 + natal.longitudeMinutes.value);
    b.longitudeEastMinutes = natal.east ? longitude : -longitude;
    const int latitude = static_cast<int>(natal.latitudeDegrees.value * 60 + natal.latitudeMinutes.value);
    b.latitudeNorthMinutes = natal.south ? -latitude : latitude;
    reading.birth = b;
    return reading;
}

}  // namespace talvenor
