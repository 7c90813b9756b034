// One person of a names file, and how a chosen person fills the input windows.
//
// A record is one line of seven comma-separated fields: name, date ("14 Mar 1962"), clock time on the
// 12-hour clock as hours + minutes/100 ("10.15"), "A" or "P", time zone as typed, longitude and latitude
// as degrees + minutes/100 (west and north positive: "087.39", "41.52"). Numbers always use a point.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "chart/birth.h"
#include "chart/input_texts.h"
#include "environment/regional_format.h"
#include "environment/user_message.h"
#include "input/window_birth.h"

namespace talvenor {

inline constexpr const char* kNameRecordFormatErrorMessage =
    "Format error or typographical error in selected data. Please correct this data entry by clicking on "
    "the Edit this List command button in the Names window and editing the data associated with your "
    "chosen name.";
inline constexpr const char* kNameRecordFormatErrorTitle = "Error!";
inline constexpr MessageIcon kNameRecordFormatErrorIcon = MessageIcon::Critical;

struct NameRecord {
    // Fields 1..7; element 0 is unused so that numbers read like the record layout.
    std::array<std::string, 8> Field;
};

// One record given as a line (talvenor-report's --natal and --diurnal), read as a names file reads it:
// the bytes decoded as UTF-8, else Windows-1252; fields split at commas, blanks around each dropped, and a
// field that begins with a double quote running to the closing quote, commas and all ("Smith, John"). No
// record unless there are exactly seven fields and the first (the name) is not empty; an empty name ends
// a names list. A line end (CR, LF) at the end of the line is ignored; one inside it is no record.
std::optional<NameRecord> ParseNameRecord(std::string_view line);

// Why a record line cannot be used, in one line naming the field at fault: a line break, a field count
// other than seven, an empty name, a date that is not one, or a time, zone, longitude or latitude that is
// not a number. No value for a line whose record fills both input windows.
std::optional<std::string> NameRecordFault(std::string_view line, const RegionalFormat& regional);

// A birth read from a record, as far as its fields could be read. `reached` is the part whose field could
// not be read (Done when all were); `fault` then holds the format-error message (for a date whose year
// the program does not take, with the date and its fault after it).
struct RecordBirth {
    Birth birth;
    BirthPart reached = BirthPart::Done;
    std::optional<std::string> fault;
};

// The one parser of a names-file record: name; date by the date rules in the regional order (the year in
// full); clock time as hours + minutes/100, its hour folded into the 12-hour clock as the window's hour
// rule folds it ("0.30" is 12:30) and its minutes rounded; A or P (in any case; anything but A is P.M.);
// the zone with its stored sign; longitude and latitude as degrees + minutes/100, west and north positive.
// The birth is the one the natal window gives for the texts the record fills into it.
RecordBirth ReadRecordBirth(const NameRecord& record, const RegionalFormat& regional, std::string source);

// The report tool's record, one line (--natal, --diurnal): ParseNameRecord, then ReadRecordBirth. A fault
// is the one line NameRecordFault gives, naming the field at fault.
RecordBirth ReadRecordLineBirth(std::string_view line, const RegionalFormat& regional, std::string source);

// Fills the natal window from a chosen record: name, date, hour and minute, AM/PM, time zone, longitude
// and latitude with their directions, in that order. A field that cannot be read stops the filling
// there and gives the format-error message; the fields filled before it keep their new values.
// The zone keeps the sign it was stored with; the direction buttons change without the East/West rule.
// An hour of 0 shows as " 12", as the window's hour rule writes it. No value on success.
std::optional<std::string> FillNatalFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                               InputTexts& natal);

// The same for the second person's fields of the diurnal window; the "2nd Person" caption becomes the
// record's name. Whether the box is ticked is the caller's business.
std::optional<std::string> FillDiurnalFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                                 SecondInputTexts& diurnal);

}  // namespace talvenor
