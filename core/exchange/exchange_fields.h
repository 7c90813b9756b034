// The fields of birth-data exchange files, read leniently: dates, clock times, positions and zones in
// the forms the common exchange formats and spreadsheets write them. Each reader takes one field's text
// and gives its value, or none when the text is not such a field (the caller says which field it was).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "environment/regional_format.h"

namespace talvenor {

// A clock reading on the 24-hour clock.
struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// "11:04", "11:04:30", "1.10" (hours.minutes, as some files write times), on the 24-hour clock; with
// AM or PM after it ("9:05 PM", "09:05:00PM", "9.05 P", "9:05 p.m.") on the 12-hour clock, where an hour
// of 0 counts as 12 (as some programs wrote midnight and noon). No value for an hour beyond the clock, a
// minute or second above 59, or anything else.
std::optional<ClockTime> ReadClockTime(std::string_view text);

// "1970-09-27" (year, month, day), "27.9.1970" (day.month.year), "14 Mar 1962" or "1962 Mar 14" (a month
// name), and numbers separated by "/" or "-" in the user's regional order. The year has three or four
// digits. No value for a date that does not exist in the calendar the charts are computed in.
std::optional<CivilDate> ReadExchangeDate(std::string_view text, const RegionalFormat& regional);

// Why a date field gave no date, for the refusal: a date written with its year in short ("27.9.70") is
// named with the year rule, anything else is no date.
std::string UnreadDateReason(std::string_view text, const RegionalFormat& regional);

enum class Axis { Latitude, Longitude };

// A latitude or longitude in degrees, north and east positive: degrees, a direction letter and minutes
// with or without seconds ("49n05", "8e11", "122w05", "49N05:30", "006E54'00", "52N13'00"), the same with
// degree and minute signs ("49°05'30\"N", "49° 05' N"), or decimal degrees with a sign ("49.0833",
// "-122.0833"). No value for a letter of the other axis, minutes or seconds of 60 or more, more than 90
// degrees of latitude or 180 of longitude, or anything else.
std::optional<double> ReadPosition(std::string_view text, Axis axis);

// A zone as an offset from UT in seconds, east positive: hours with "h" and a direction and minutes
// ("1he", "1he00", "5hw30", "0e21:48"), an ISO offset ("+01:00", "-0530", "+00:21:48"), the same after
// UTC or GMT ("UTC+1", "GMT-05:00"), "UTC", "GMT", "UT" or "Z" for none, or hours as a plain number, east
// positive as these files and ISO count them ("1", "-5", "5.5"). No value for more than 15 hours, minutes
// or seconds of 60 or more, or anything else.
std::optional<int> ReadOffsetEast(std::string_view text);

// A daylight-saving amount in seconds: hours as a number ("1", "0.5", "2"), or yes/no.
std::optional<int> ReadDaylightAmount(std::string_view text);

// A field as a message quotes it: in double quotes, cut after 40 characters ("...") so that a damaged
// file's field of megabytes gives a message of one line.
std::string Quoted(std::string_view field);

// Blanks, tabs and the other white space of the C locale removed from both ends.
std::string_view TrimSpace(std::string_view text);

}  // namespace talvenor
