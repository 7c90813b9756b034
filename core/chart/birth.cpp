#include "chart/birth.h"

#include <utility>

#include "text/basic_text.h"

namespace talvenor {
namespace {

std::int16_t Int16Of(const BirthNumber& number) {
    return ToInt16(number.value).value_or(0);
}

// Degrees + minutes/100, in double precision before it is stored.
double Packed(const BirthNumber& degrees, const BirthNumber& minutes) {
    return degrees.value + minutes.value / 100;
}

double Longitude(const Birth& b) {
    const double packed = Packed(b.longitudeDegrees, b.longitudeMinutes);
    return b.east ? -packed : packed;
}

double Latitude(const Birth& b) {
    const double packed = Packed(b.latitudeDegrees, b.latitudeMinutes);
    return b.south ? -packed : packed;
}

const char* AmPm(const Birth& b) {
    return b.pm ? "P.M." : "A.M.";
}

}  // namespace

float PackedClockTime(const Birth& birth) {
    return static_cast<float>(Packed(birth.hour, birth.minute));
}

float PackedLongitude(const Birth& birth) {
    return static_cast<float>(Longitude(birth));
}

float PackedLatitude(const Birth& birth) {
    return static_cast<float>(Latitude(birth));
}

BirthHeading HeadingOf(const Birth& birth) {
    BirthHeading h;
    h.date = CivilDate{Int16Of(birth.year), Int16Of(birth.month), Int16Of(birth.day)};
    h.clock = PackedClockTime(birth);
    h.zone = static_cast<float>(birth.zone.value);
    h.amPm = AmPm(birth);
    const double longitude = Longitude(birth);
    h.longitude = static_cast<float>(longitude);
    h.eastWest = longitude >= 0 ? "WEST" : "EAST";
    const double latitude = Latitude(birth);
    h.latitude = static_cast<float>(latitude);
    h.northSouth = latitude >= 0 ? "NORTH" : "SOUTH";
    return h;
}

void TransferNatalBirth(const Birth& birth, ChartState& state) {
    state.NatalTZ = static_cast<float>(birth.zone.value);
    state.NatalDay = Int16Of(birth.day);
    state.NatalMonth = Int16Of(birth.month);
    state.NatalYear = Int16Of(birth.year);
    state.NatalDateText = birth.dateText;
    state.NatalDate = CivilDate{state.NatalYear, state.NatalMonth, state.NatalDay};
    BirthHeading h = HeadingOf(birth);
    state.NatalTime = h.clock;
    state.NatalAmPm = std::move(h.amPm);
    state.NatalLongitude = h.longitude;
    state.NatalEastWest = std::move(h.eastWest);
    state.NatalLatitude = h.latitude;
    state.NatalNorthSouth = std::move(h.northSouth);
}

void TransferDiurnalBirth(const Birth& birth, ChartState& state) {
    state.DiurnalDay = Int16Of(birth.day);
    state.DiurnalYear = Int16Of(birth.year);
    state.DiurnalMonth = Int16Of(birth.month);
    state.LastBirthdayYear = state.DiurnalYear;
    state.AgeYears = static_cast<std::int16_t>(state.DiurnalYear - state.NatalYear);
    state.DiurnalDateText = birth.dateText;
    state.DiurnalDate = CivilDate{state.DiurnalYear, state.DiurnalMonth, state.DiurnalDay};
    // The birthday of the diurnal year is still to come.
    if (state.DiurnalMonth < state.NatalMonth ||
        (state.DiurnalMonth == state.NatalMonth && state.DiurnalDay < state.NatalDay)) {
        --state.AgeYears;
        --state.LastBirthdayYear;
    }
    BirthHeading h = HeadingOf(birth);
    state.DiurnalTime = h.clock;
    state.DiurnalTZ = h.zone;
    state.DiurnalAmPm = std::move(h.amPm);
    state.DiurnalLongitude = h.longitude;
    state.DiurnalEastWest = std::move(h.eastWest);
    state.DiurnalLatitude = h.latitude;
    state.DiurnalNorthSouth = std::move(h.northSouth);
}

}  // namespace talvenor
