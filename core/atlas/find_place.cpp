#include "atlas/find_place.h"

#include "atlas/place_format.h"
#include "environment/year_rule.h"

namespace talvenor {
namespace {

// A box's text as a whole number: digits with blanks around them.
std::optional<int> WholeNumber(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::nullopt;
    const std::size_t end = text.find_last_not_of(" \t") + 1;
    if (end - begin > 6) return std::nullopt;
    int value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string WindowNumber(int value) {
    return " " + std::to_string(value);
}

std::string DegreesText(const DegreesMinutes& dm, char positive, char negative) {
    return std::to_string(dm.degrees) + "\xC2\xB0" + (dm.minutes < 10 ? "0" : "") +
           std::to_string(dm.minutes) + "' " + (dm.negative ? negative : positive);
}

}  // namespace

std::string NotADateMessage(const std::string& typed) {
    return "\"" + typed + "\" is not a date. Type it as 14 Mar 1962.";
}

std::string NotADateMessage(const std::string& typed, const std::string& fault) {
    if (fault == kNotADateFault) return NotADateMessage(typed);
    return "\"" + typed + "\" " + fault + ".";
}

std::optional<CivilDate> TypedDate(const std::string& month, const std::string& day,
                                   const std::string& year) {
    const auto m = WholeNumber(month), d = WholeNumber(day), y = WholeNumber(year);
    if (!m || !d || !y || !IsComputedYear(*y)) return std::nullopt;
    const CivilDate date{*y, *m, *d};
    if (!IsValidDate(date)) return std::nullopt;
    return date;
}

std::optional<LocalClock> TypedClock(const CivilDate& date, const std::string& hour,
                                     const std::string& minute, bool pm) {
    const auto h = WholeNumber(hour), m = WholeNumber(minute);
    if (!h || !m || *h < 1 || *h > 12 || *m > 59) return std::nullopt;
    return LocalClock{date, *h % 12 + (pm ? 12 : 0), *m};
}

int LongitudeEastMinutes(const WorldPlace& place) {
    return ToDegreesMinutes(place.longitude).TotalMinutes();
}

PlaceFill MakePlaceFill(const WorldPlace& place, const ClockReading& reading) {
    const DegreesMinutes lon = ToDegreesMinutes(place.longitude);
    const DegreesMinutes lat = ToDegreesMinutes(place.latitude);
    PlaceFill fill;
    fill.zone = ZoneFieldText(reading.period.offsetSeconds);
    fill.longDeg = WindowNumber(lon.degrees);
    fill.longMin = WindowNumber(lon.minutes);
    fill.latDeg = WindowNumber(lat.degrees);
    fill.latMin = WindowNumber(lat.minutes);
    fill.east = !lon.negative;
    fill.south = lat.negative;
    return fill;
}

std::string PlaceHeading(const WorldPlace& place) {
    return PlaceLabel(place) + "\n" + CitiesLatitude(place.latitude) + "  " +
           CitiesLongitude(place.longitude) + "  " + place.zone;
}

std::string PlacePreview(const WorldPlace& place, const LocalClock& clock, bool clockTyped,
                         const ClockReading& reading) {
    const PlaceFill fill = MakePlaceFill(place, reading);
    std::string text = PlaceHeading(place) + "\n\nAt " + ClockText(clock) + ": " +
                       OffsetSentence(place.zone, reading) + ".\nFills: time zone " +
                       ZoneHoursText(reading.period.offsetSeconds) + ", longitude " +
                       DegreesText(ToDegreesMinutes(place.longitude), 'E', 'W') + ", latitude " +
                       DegreesText(ToDegreesMinutes(place.latitude), 'N', 'S') + ".";
    if (!clockTyped) text += std::string("\n") + kNoClockNote;
    if (reading.meanTime) text += std::string("\n") + kMeanTimeNote;
    if (IsBefore1970(clock.date)) text += std::string("\n") + kBefore1970Note;
    return text;
}

std::string PlaceZoneUnknownMessage(const WorldPlace& place) {
    return "The time-zone database of this system does not know the zone " + place.zone + " of " +
           PlaceLabel(place) + ": type the zone by hand.";
}

}  // namespace talvenor
