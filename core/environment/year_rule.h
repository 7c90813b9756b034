// The one rule for the year of every date the program reads: the years it computes charts for, and how a
// year must be written in a text.
//
// The program computes the years 1 to 2099. A date text gives its year in full, with three or four
// digits: "14 Mar 62" could mean 1962 or 2062 (the date rules of the old system made it 1962, and "1"
// 2001), so such a date is refused with a message that asks for the year in full, never completed by a
// guess. The names file always writes four digits. A year box of an input window takes the number as
// typed: 62 there is the year 62.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "environment/regional_format.h"

namespace talvenor {

inline constexpr int kFirstComputedYear = 1;
inline constexpr int kLastComputedYear = 2099;

bool IsComputedYear(int year);

// The faults below are phrases that follow the date or year they are about ("the date 1.1.2100 " + fault):
//   "is outside the years the program computes (1 to 2099)"
//   "gives the year in short: write it in full (1962, not 62; the year 62 as 0062), for the years the
//    program computes (1 to 2099)"
// No value when the year passes.

// The fault of a date whose year is given in short.
std::string ShortYearFault();

// The range alone, for a year given as a number.
std::optional<std::string> YearRangeFault(int year);

// A date read from a text, by ParseDate or a reader of its own: the range, and that the text writes the
// year in full (a run of three or more digits with the year's value; "0062" is the year 62).
std::optional<std::string> DateYearFault(std::string_view text, const CivilDate& date);

// A year given in a field of its own ("1962", "62"), read as `year`.
std::optional<std::string> YearTextFault(std::string_view yearText, int year);

// The fault of a text that is no date at all.
inline constexpr const char* kNotADateFault = "is not a date";

// ParseDate, then the year rule. No date when either fails; `fault` then holds the phrase: the year's
// fault, or kNotADateFault.
std::optional<CivilDate> ReadDateByYearRule(std::string_view text, const RegionalFormat& regional,
                                            std::string& fault);

// A year as a writer of dates gives it, so that every reader takes it back: at least four digits, the
// years below 1000 with leading zeros (21 -> "0021").
std::string WrittenYear(int year);

// A year box's text with blanks dropped and a year of one or two digits written with four ("62" ->
// "0062"), so that a date text joined from the boxes reads back as the year typed. Any other text is
// returned as it is, blanks and all, for the checks to judge.
std::string FullYearText(std::string_view yearText);

}  // namespace talvenor
