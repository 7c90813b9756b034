// The one check of the births a chart is computed from, before anything is computed.
//
// The check only looks at what was given and corrects nothing. Each failing test gives its window's
// fault, and every test runs, so one bad window can give several faults in a row, natal first; the
// caller shows them in that order (the windows) or lists them (the import, the report tool's runs) and
// abandons the computation when there is any.
#pragma once

#include <string_view>
#include <vector>

#include "chart/birth.h"
#include "environment/user_message.h"
#include "environment/year_rule.h"
#include "ephemeris/houses.h"

namespace talvenor {

// The last year the input windows take, the last the program computes; the first is the year 1 (a year
// of 0 counts as no date). The year box takes the number as typed: 62 is the year 62.
inline constexpr int kLastInputYear = kLastComputedYear;

// The zones the program takes, in hours west of Greenwich (east negative): from 12 hours west to 14 hours
// east, the zone of Kiritimati.
inline constexpr double kWestmostZone = 12;
inline constexpr double kEastmostZone = -14;
// West of this longitude, in degrees, zones east of Greenwich are real: the islands just east of the
// date line keep the date of Asia and Australia (Samoa and Tonga at 13 hours east, Kiritimati at 14,
// Wallis at 12, the Chatham Islands at 12 3/4). Elsewhere a zone more than kSignSlipHours east with a
// western longitude is a sign typed the wrong way round.
inline constexpr double kDateLineRegionDegrees = 150;
inline constexpr double kSignSlipHours = 2;

// Whether a zone (hours west positive) lies within the zones the program takes.
bool ZoneInRange(double zoneWest);
// Whether a zone far east of Greenwich goes with a western longitude outside the date-line region, which
// the program refuses as a sign typed the wrong way round. The longitude in minutes of arc west of
// Greenwich (east negative); `west` tells the direction as selected, so that 0 degrees counts as west.
bool ZoneSignLooksWrong(double zoneWest, bool west, double longitudeWestMinutes);

inline constexpr const char* kNatalInputErrorMessage = "Error in natal input data section. Please correct.";
inline constexpr const char* kDiurnalInputErrorMessage =
    "Error in diurnal input data section. Please correct.";
inline constexpr const char* kInputErrorTitle = "Warning!";
inline constexpr MessageIcon kInputErrorIcon = MessageIcon::Information;

// One fault of the check: the message with its title and icon, the window it belongs to and the field
// its test found at fault first (None for the high-latitude warning's field when the rule is not about
// one field).
struct InputFault {
    UserMessage message;
    BirthWindow window = BirthWindow::Natal;
    BirthField field = BirthField::None;
    friend bool operator==(const InputFault&, const InputFault&) = default;
};

// The window's own message: "Error in natal input data section. Please correct." or the diurnal one,
// "Warning!", the information icon.
UserMessage InputErrorMessage(BirthWindow window);

// Completeness of one birth: a month, day or year whose value is 0; an empty date, hour, minute,
// time-zone, longitude or latitude; a time zone below -2 with West, unless the longitude lies beyond 150
// degrees west (see ZoneSignLooksWrong). One fault a failing test, in that order.
std::vector<InputFault> CheckComplete(const Birth& birth, BirthWindow window);

// Ranges of one birth: month, day, year; hour, minute; time zone (ZoneInRange); longitude degrees and
// minutes; latitude minutes. Then the tests the ranges cannot make: no hour, minute, degree or minute of the
// place below zero (the buttons give the directions), the date must exist in the calendar the charts are
// computed in, and every number must have been given as a number as a whole.
std::vector<InputFault> CheckRanges(const Birth& birth, BirthWindow window);

// Completeness and ranges of one birth, as the import and a names-file export judge a record.
std::vector<InputFault> CheckBirth(const Birth& birth, BirthWindow window);

// The whole check of a computation, in its order: completeness of the natal birth, then of the second;
// the high-latitude warning of the checked house system (HouseLatitudeRefused); the ranges of the natal
// birth, then of the second. Empty when the charts may be computed.
std::vector<InputFault> CheckBirths(const Birth& natal, const Birth& second, HouseSystem checked);

}  // namespace talvenor
