// The "Find Place" action of the input windows: the moment it reads from the window, what it shows
// about a chosen place and what it writes back into the window's place and zone boxes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "atlas/atlas_search.h"
#include "atlas/zone_readings.h"
#include "environment/regional_format.h"

namespace talvenor {

inline constexpr const char* kFindPlaceTitle = "Find Place";
inline constexpr const char* kFindPlaceDatePrompt =
    "The time zone depends on the date, and no valid date is typed yet.\n\nType the date (e.g. 14 Mar 1962):";
inline constexpr const char* kMakingIndexNote =
    "Making the index of the world atlas, which takes a few seconds. Type on: the places are shown as soon "
    "as it is ready.";
inline constexpr const char* kNoClockNote =
    "No valid clock time is typed: the offset is the one at noon of that day.";
inline constexpr std::size_t kFindPlaceResults = 50;

std::string NotADateMessage(const std::string& typed);
// The same for a typed text that ReadDateByYearRule refused with `fault`: a year given in short or
// outside the years the program computes is named as such.
std::string NotADateMessage(const std::string& typed, const std::string& fault);

// The date of a window's month, day and year boxes, when they hold an existing date of the years the
// program computes (1 to 2099); the year as typed, 62 being the year 62.
std::optional<CivilDate> TypedDate(const std::string& month, const std::string& day, const std::string& year);
// The clock time of the hour (1 to 12), minute (0 to 59) and PM boxes, on the 24-hour clock.
std::optional<LocalClock> TypedClock(const CivilDate& date, const std::string& hour,
                                     const std::string& minute, bool pm);

// The texts and buttons a place writes into an input window, in the window's own convention: the zone
// in hours west positive, decimals where needed (India -5.5, Amsterdam in January 1928 -0.3256), degrees
// and minutes as the window's fills write numbers (" 84", " 5").
struct PlaceFill {
    std::string zone;
    std::string longDeg, longMin, latDeg, latMin;
    bool east = false;
    bool south = false;
};
PlaceFill MakePlaceFill(const WorldPlace& place, const ClockReading& reading);

// The place's longitude in minutes of arc, east positive, as the window will hold it.
int LongitudeEastMinutes(const WorldPlace& place);

// What the window shows about a place before it is accepted: its name, position and zone id, the offset
// sentence and what will be filled, and the notes (local mean time, before 1970, no clock time).
std::string PlacePreview(const WorldPlace& place, const LocalClock& clock, bool clockTyped,
                         const ClockReading& reading);
// The same part before a clock time that needs a choice is settled.
std::string PlaceHeading(const WorldPlace& place);

// The message when a place's zone is not in the system's database.
std::string PlaceZoneUnknownMessage(const WorldPlace& place);

}  // namespace talvenor
