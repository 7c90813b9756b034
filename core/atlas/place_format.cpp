#include "atlas/place_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace talvenor {
namespace {

std::string Padded(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

std::string CitiesText(double value, int degreeWidth, char positive, char negative) {
    const DegreesMinutes dm = ToDegreesMinutes(value);
    return Padded(dm.degrees, degreeWidth) + (dm.negative ? negative : positive) + Padded(dm.minutes, 2);
}

// Ten-thousandths of an hour, to the nearest.
long long TenThousandths(double hours) {
    return std::llround(hours * 10000.0);
}

std::string TenThousandthsText(long long n) {
    if (n == 0) return "0";
    const long long whole = std::llabs(n) / 10000;
    long long fraction = std::llabs(n) % 10000;
    std::string text = (n < 0 ? "-" : "") + std::to_string(whole);
    if (fraction != 0) {
        std::string digits = Padded(static_cast<int>(fraction), 4);
        while (digits.back() == '0') digits.pop_back();
        text += "." + digits;
    }
    return text;
}

long long ZoneTenThousandths(int offsetEastSeconds) {
    // Exact in integers: seconds * 10000 / 3600, rounded half away from zero.
    const long long scaled = -static_cast<long long>(offsetEastSeconds) * 100;
    const long long rounded = (std::llabs(scaled) + 18) / 36;
    return scaled < 0 ? -rounded : rounded;
}

}  // namespace

DegreesMinutes ToDegreesMinutes(double degrees) {
    DegreesMinutes dm;
    const long long total = std::llround(std::fabs(degrees) * 60.0);
    dm.negative = degrees < 0 && total != 0;
    dm.degrees = static_cast<int>(total / 60);
    dm.minutes = static_cast<int>(total % 60);
    return dm;
}

std::string CitiesLatitude(double latitude) {
    return CitiesText(latitude, 2, 'N', 'S');
}

std::string CitiesLongitude(double longitude) {
    return CitiesText(longitude, 3, 'E', 'W');
}

std::string HoursText(double hours) {
    return TenThousandthsText(TenThousandths(hours));
}

std::string ZoneHoursText(int offsetEastSeconds) {
    return TenThousandthsText(ZoneTenThousandths(offsetEastSeconds));
}

std::string ZoneFieldText(int offsetEastSeconds) {
    const long long n = ZoneTenThousandths(offsetEastSeconds);
    return (n >= 0 ? " " : "") + TenThousandthsText(n);
}

int MeanTimeOffsetSeconds(int longitudeEastMinutes) {
    return longitudeEastMinutes * 4;
}

}  // namespace talvenor
