// The time-zone table TZ.DAT and the picker's list.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace talvenor {

inline constexpr const char* kTimeZoneFileCorrupt = "The file TZ.DAT is corrupt.";

struct TimeZoneRow {
    std::string Name;    // at most 32 characters, no "-"
    std::string Abbrev;  // at most 4 characters
    std::string Offset;  // hours as text, west positive
};

struct TimeZoneTable {
    std::vector<TimeZoneRow> rows;
    std::vector<std::string> entries;  // the list entries, one per row
    bool opened = false;               // false: TZ.DAT could not be opened
    bool corrupt = false;              // loading stopped at a bad record; the rows before it stay
};

TimeZoneTable LoadTimeZoneTable(const std::filesystem::path& file);

// The list entry of a row: the name padded to 32, " - ", the abbreviation right-aligned in 4, " =", and the
// offset behind the blanks that line the usual values up.
std::string TimeZoneListEntry(const TimeZoneRow& row);

// A picked entry's zone: the text for the time-zone field (general number format) and the East button.
struct ZonePick {
    std::string zoneText;
    bool east;
};
// No value (the corrupt-file message) when the name taken from the entry is not in the table.
std::optional<ZonePick> PickTimeZone(const TimeZoneTable& table, const std::string& entryText);

}  // namespace talvenor
