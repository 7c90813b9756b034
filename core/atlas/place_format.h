// Positions and zones written as the program's files and windows take them.
#pragma once

#include <string>

namespace talvenor {

// A position rounded to the nearest minute of arc (59.5 minutes and more carry into the next degree).
struct DegreesMinutes {
    int degrees = 0;
    int minutes = 0;
    bool negative = false;  // south or west

    int TotalMinutes() const { return negative ? -(degrees * 60 + minutes) : degrees * 60 + minutes; }
};
DegreesMinutes ToDegreesMinutes(double degrees);

// As the cities files write them: "33N45", "05S07" (two-digit degrees) and "084W23", "002E20"
// (three-digit degrees). Latitude north and longitude east positive.
std::string CitiesLatitude(double latitude);
std::string CitiesLongitude(double longitude);

// A number of hours as the names file takes a zone: rounded to four decimals, without trailing zeros
// or a leading blank ("6", "-5.5", "-0.3256", "0").
std::string HoursText(double hours);
// An offset east of UT in seconds as a zone in hours west of UT (3600 -> "-1", -21600 -> "6",
// 1172 -> "-0.3256").
std::string ZoneHoursText(int offsetEastSeconds);
// The same as an input window's time-zone box shows it: a blank before a value that is not negative
// (" 6", "-5.5"), as the window's other fills write numbers.
std::string ZoneFieldText(int offsetEastSeconds);

// The local mean time of a longitude (minutes of arc, east positive): four seconds of time for each
// minute of arc, east of UT for an eastern place.
int MeanTimeOffsetSeconds(int longitudeEastMinutes);

}  // namespace talvenor
