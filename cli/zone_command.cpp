// talvenor-report zone: a zone's offset on a date, from the system's time-zone database.
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "atlas/place_format.h"
#include "atlas/zone_readings.h"
#include "atlas_commands.h"
#include "environment/regional_format.h"
#include "environment/year_rule.h"
#include "system_zones.h"

namespace talvenor::cli {
namespace {

// Digits only, at most `width` of them.
std::optional<int> Digits(const std::string& text, std::size_t width) {
    if (text.empty() || text.size() > width || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(text);
}

// "10.15" (hours.minutes; "10.5" is 10:50, as the names file packs times) or "10".
std::optional<std::pair<int, int>> HoursMinutes(const std::string& text) {
    const std::size_t point = text.find('.');
    const auto hours = Digits(text.substr(0, point), 2);
    if (!hours) return std::nullopt;
    if (point == std::string::npos) return std::pair{*hours, 0};
    std::string minutes = text.substr(point + 1);
    if (minutes.size() == 1) minutes += '0';
    const auto m = Digits(minutes, 2);
    if (!m || *m > 59) return std::nullopt;
    return std::pair{*hours, *m};
}

// "087.39W", "013.24E", or a number west positive as the names file writes it ("-013.24"): minutes of
// arc east positive.
std::optional<int> LongitudeMinutes(std::string text) {
    int sign = -1;  // west positive in the text
    if (!text.empty()) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
        if (letter == 'W' || letter == 'E') {
            sign = letter == 'E' ? 1 : -1;
            text.pop_back();
        } else if (text.front() == '-') {
            sign = 1;
            text.erase(0, 1);
        }
    }
    const std::size_t point = text.find('.');
    const auto degrees = Digits(text.substr(0, point), 3);
    std::optional<int> minutes = 0;
    if (point != std::string::npos) {
        std::string m = text.substr(point + 1);
        if (m.size() == 1) m += '0';
        minutes = Digits(m, 2);
    }
    if (!degrees || !minutes || *minutes > 59 || *degrees * 60 + *minutes > 180 * 60) return std::nullopt;
    return sign * (*degrees * 60 + *minutes);
}

}  // namespace

int ZoneCommand(const std::vector<std::string>& args) {
    std::optional<std::string> zone, date, time, ampm, longitude;
    const Option options[] = {
        Option::Text("--tz", zone, "a value"),
        Option::Text("--date", date, "a value"),
        Option::Text("--time", time, "a value"),
        Option::Text("--ampm", ampm, "a value"),
        Option::Text("--longitude", longitude, "a value"),
    };
    const std::string problem = ReadArguments(
        args, options, [](const std::string& a) { return "unknown argument " + a + " (see --help)"; });
    if (!problem.empty()) return BadArguments("zone: " + problem, kPlain);
    if (!zone || !date || !time)
        return BadArguments("zone needs --tz ID, --date DATE and --time H.MM", kSeeHelp);

    std::string dateFault;
    const auto day = ReadDateByYearRule(*date, ReadRegionalFormat(), dateFault);
    if (!day && dateFault == kNotADateFault) return BadArguments("--date is not a date: " + *date, kPlain);
    if (!day) return BadArguments("--date \"" + *date + "\" " + dateFault, kPlain);
    const auto clock = HoursMinutes(*time);
    bool pm = false;
    if (ampm) {
        if (*ampm != "A" && *ampm != "P" && *ampm != "a" && *ampm != "p")
            return BadArguments("--ampm must be A or P", kPlain);
        pm = *ampm == "P" || *ampm == "p";
    }
    if (!clock || (ampm && (clock->first < 1 || clock->first > 12)) || (!ampm && clock->first > 23))
        return BadArguments(
            "--time is not a clock time: " + *time + (ampm ? " (1.00 to 12.59 with --ampm)" : ""), kPlain);
    std::optional<int> longitudeMinutes;
    if (longitude) {
        longitudeMinutes = LongitudeMinutes(*longitude);
        if (!longitudeMinutes)
            return BadArguments("--longitude is not a longitude such as 087.39W: " + *longitude, kPlain);
    }

    const LocalClock local{*day, ampm ? clock->first % 12 + (pm ? 12 : 0) : clock->first, clock->second};
    SystemZoneDatabase zones;
    const ClockAnswer answer = ReadClock(zones, *zone, local, longitudeMinutes);
    if (answer.kind == ClockKind::UnknownZone || answer.readings.empty())
        return BadArguments(UnknownZoneMessage(*zone), kPlain);
    if (answer.kind == ClockKind::Skipped) {
        Tell(SkippedClockMessage(*zone, local, answer));
        return 1;
    }
    // Warnings and notes go to standard error as one line.
    std::vector<std::string> warnings, notes;
    if (answer.kind == ClockKind::Repeated)
        warnings.push_back(RepeatedClockWarning(*zone, local, answer) + ".");
    const ClockReading& r = answer.readings.front();
    if (r.meanTime)
        notes.push_back(kMeanTimeNote);
    else if (r.period.abbreviation == "LMT")
        warnings.push_back(
            "The database gives the local mean time of the zone's reference city for this date; --longitude "
            "gives the birthplace's own.");
    if (IsBefore1970(local.date)) notes.push_back(kBefore1970Note);
    if (!warnings.empty() || !notes.empty()) {
        std::string line = warnings.empty() ? "note:" : "warning:";
        for (const auto* list : {&warnings, &notes})
            for (const std::string& text : *list) line += " " + text;
        Tell(line);
    }
    std::printf("%s\t%s\t%s\n", ZoneHoursText(r.period.offsetSeconds).c_str(), r.period.abbreviation.c_str(),
                HoursText(r.period.daylightSeconds / 3600.0).c_str());
    return 0;
}

}  // namespace talvenor::cli
