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

#include "chart/input_fields.h"
#include "environment/regional_format.h"
#include "environment/user_dialogs.h"

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

// Fills the natal window from a chosen record: name, date, hour and minute, AM/PM, time zone, longitude
// and latitude with their directions, in that order. A field that cannot be read stops the filling
// there and gives the format-error message; the fields filled before it keep their new values.
// The zone keeps the sign it was stored with; the direction buttons change without the East/West rule.
// An hour of 0 shows as " 12", as the window's hour rule writes it. No value on success.
std::optional<std::string> FillNatalFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                               NatalInputFields& natal);

// The same for the second person's fields of the diurnal window; the "2nd Person" caption becomes the
// record's name. Whether the box is ticked is the caller's business.
std::optional<std::string> FillDiurnalFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                                 DiurnalInputFields& diurnal);

}  // namespace talvenor
