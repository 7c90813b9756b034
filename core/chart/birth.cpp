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

}  // namespace talvenor
