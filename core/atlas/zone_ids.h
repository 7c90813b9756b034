// The names of the zones of a time-zone database: every zone id it holds, the links and the backward
// names ("UTC", "Zulu", "US/Eastern", "Asia/Calcutta") as well as the canonical zones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvenor {

// The file of a tz database folder that lists, in one text, every zone ("Z Europe/Berlin ...") and every
// link ("L Etc/UTC Zulu") the folder holds.
inline constexpr const char* kZoneListFile = "tzdata.zi";

// The zone ids a zone list names: the zones and the names of the links, sorted, each once. Lines of
// rules, continuations and comments are passed over; the long keywords "Zone" and "Link" of the source
// files are read as well.
std::vector<std::string> ZoneIdsOfZoneList(std::string_view text);

// Whether a text has the shape of a zone id, a file inside the zone folder: parts of ASCII letters,
// digits, "_", "-", "+" and "." separated by "/", no part empty or beginning with "."; at most 255
// characters. "Europe/Berlin", "EST5EDT", "Etc/GMT+5" have it; "UTC+05:00", "../etc/passwd" and "/tmp"
// have not.
bool HasZoneIdShape(std::string_view text);

}  // namespace talvenor
