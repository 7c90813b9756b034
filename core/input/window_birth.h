// The input windows and the Birth value: the one parser of a window's texts, and the fills that write a
// birth back into a window's texts.
#pragma once

#include <string>

#include "chart/birth.h"
#include "chart/input_texts.h"
#include "environment/regional_format.h"

namespace talvenor {

inline constexpr const char* kNatalWindowSource = "the natal window";
inline constexpr const char* kDiurnalWindowSource = "the diurnal window";

// Reads a window's texts as the checks and the transfer always read them: every number by the
// leading-number rule (an empty box reads as 0 and is marked as not given; a box whose whole text is not
// one number is marked as such), P.M. unless AM is selected, East and South as selected, and the date
// text joined from the boxes in the regional order.
Birth BirthFromWindow(const InputTexts& texts, const RegionalFormat& regional, std::string source);

// A number as a window shows it in the general number format, and as the window's check then reads it:
// to 15 significant digits, and not whole where the format writes it with an exponent (" 1E+16").
BirthNumber ShownNumber(double value);

// How far a birth read from a record reached before a field could not be read; a fill writes the parts
// before it. Done when the whole birth was read.
enum class BirthPart { Name, Date, Time, Zone, Longitude, Latitude, Done };

// Writes a birth into a window's texts, part by part up to (not including) `upTo`: the date as plain
// numbers ("3", "14", "1962"); the hour in the general number format (" 10", " 12" for an hour of 0) and
// the minute as "#0", then AM or PM; the zone in the general number format with the sign it has; longitude
// and latitude degrees in the general number format and minutes as "#0", then their directions. The
// buttons change without the East/West rule: the zone already has its sign. The name is the caller's,
// since the two windows keep it in different places.
void FillWindowFromBirth(const Birth& birth, InputTexts& texts, BirthPart upTo = BirthPart::Done);

}  // namespace talvenor
