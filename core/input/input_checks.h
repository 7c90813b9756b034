// The checks run on both input windows before a chart is computed, and the transfer of their texts into
// the chart state.
//
// The checks only look at what was typed and correct nothing. Each failing test shows its window's
// message and sets InputErrorFlag, and every test runs, so one bad window can show several boxes in a
// row; the driver abandons the computation when the flag is set. The transfers run only after all
// checks passed.
#pragma once

#include "chart/chart_state.h"
#include "chart/input_fields.h"
#include "environment/regional_format.h"
#include "environment/user_dialogs.h"
#include "environment/year_rule.h"

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

// Show the window's message and set InputErrorFlag to 1.
void ReportNatalInputError(ChartState& state, UserDialogs& dialogs);
void ReportDiurnalInputError(ChartState& state, UserDialogs& dialogs);

// Completeness of both windows, natal first: a month, day or year whose value is 0; an empty date,
// hour, minute, time-zone, longitude or latitude text; a time zone below -2 with West selected, unless the
// longitude lies beyond 150 degrees west (see ZoneSignLooksWrong).
void CheckInputComplete(const NatalInputFields& natal, const DiurnalInputFields& diurnal, ChartState& state,
                        UserDialogs& dialogs);

// Ranges of one window: month, day, year; hour, minute; time zone (ZoneInRange); longitude degrees and
// minutes; latitude minutes. Then the tests the ranges cannot make: no hour, minute, degree or minute of the
// place below zero (the buttons give the directions), the date must exist in the calendar the charts are
// computed in, and every numeric text that is not empty must be a number as a whole.
void CheckNatalRanges(const NatalInputFields& natal, ChartState& state, UserDialogs& dialogs);
void CheckDiurnalRanges(const DiurnalInputFields& diurnal, ChartState& state, UserDialogs& dialogs);

// Copy the natal window into the natal input section: date rounded to 16-bit integers, packed clock
// time, time zone, packed longitude (west positive) and latitude (north positive), the A.M./P.M.,
// WEST/EAST and NORTH/SOUTH words and the date text in the regional order.
void TransferNatalInput(const NatalInputFields& natal, const RegionalFormat& regional, ChartState& state);

// The same for the diurnal window, plus AgeYears and LastBirthdayYear, which compare the diurnal date
// with the natal date already transferred.
void TransferDiurnalInput(const DiurnalInputFields& diurnal, const RegionalFormat& regional,
                          ChartState& state);

}  // namespace talvenor
