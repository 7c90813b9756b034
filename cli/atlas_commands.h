// The report tool's atlas commands: looking up places and the offset of a zone on a date.
#pragma once

#include <string>
#include <vector>

#include "atlas/atlas_index.h"

namespace talvenor::cli {

// Says on standard error, in one line, that the index of the world atlas is being made, which takes a
// few seconds; nothing else is printed while it is made.
class IndexBuildNote : public AtlasBuildWatch {
  public:
    void Started(const std::string& indexFile) override;
    bool Progress(std::size_t, std::size_t) override { return true; }
};

// talvenor-report places QUERY [--limit N] [--data-dir DIR], or places --near LAT LON [--limit N] ...
int PlacesCommand(const std::vector<std::string>& args);
// talvenor-report zone --tz ID --date DATE --time H.MM [--ampm A|P] [--longitude DDD.MMW]
int ZoneCommand(const std::vector<std::string>& args);

inline constexpr const char* kAtlasCommandsUsage = R"(
  talvenor-report places QUERY [--limit N] [--data-dir DIR]
      the places of the world atlas that match QUERY, best first, one a line, tab-separated: name,
      region, country, latitude and longitude as the cities files write them (33N45, 084W23), zone id,
      population. At most N places (default 10).
  talvenor-report places --near LAT LON [--limit N] [--data-dir DIR]
      the places nearest a position (LAT and LON in decimal degrees, north and east positive), nearest
      first, in the same columns and an eighth, the distance in km along the Earth's surface.
  talvenor-report zone --tz ID --date "14 Mar 1962" --time 10.15 [--ampm A|P] [--longitude 087.39W]
      the offset of the zone ID at that clock time, from the system's time-zone database, as one
      tab-separated line: the zone in hours west positive as the names file takes it, the abbreviation,
      the daylight-saving amount in hours. Without --ampm the time is on the 24-hour clock. Where the
      database gives local mean time, --longitude (degrees.minutes with W or E) gives the place's own.
      Exit 2 for an unknown zone or a bad date, 1 for a clock time that did not exist; a clock time that
      occurred twice gives the earlier reading and a warning.
)";

}  // namespace talvenor::cli
