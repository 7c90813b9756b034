// The zone of a birthplace that an exchange record names but gives no zone for: the place is looked up
// in the world atlas by its name, and only a place of that name near the record's own position counts,
// so that a name shared by towns in other countries never lends its zone.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "atlas/atlas_search.h"

namespace talvenor {

// Farther than this from the record's position, a place of the same name is another place.
inline constexpr double kPlaceMatchKilometres = 30;

struct PlaceZone {
    std::string zone;    // IANA zone id; empty when no place matched
    std::string label;   // "Kandel, Rheinland-Pfalz, Germany"
    std::string reason;  // why there is no zone
};

class PlaceZoneFinder {
  public:
    virtual ~PlaceZoneFinder() = default;
    // The zone of the place of that name nearest to the position (degrees, north and east positive).
    virtual PlaceZone ZoneOf(std::string_view placeName, double latitude, double longitude) = 0;
};

// The name to look up from a place field: the part before "/", "," or "(" ("Kandel/Pfalz" -> "Kandel",
// "Seattle, WA (USA)" -> "Seattle"), blanks trimmed.
std::string PlaceQuery(std::string_view place);

// Great-circle distance in kilometres between two positions in degrees.
double DistanceKilometres(double latitude1, double longitude1, double latitude2, double longitude2);

// The finder over the world atlas, opened on the first question (opening may build the index) and kept;
// answers are remembered by place and position.
class AtlasPlaceZones : public PlaceZoneFinder {
  public:
    using Opener = std::function<AtlasOpenResult()>;
    // The atlas the opener gives, as it is.
    explicit AtlasPlaceZones(Opener open);
    // The atlas of a location: its index made first when it has none, and made again, once, when a
    // search finds it damaged; the watch is told of a build.
    AtlasPlaceZones(const AtlasLocation& where, AtlasBuildWatch* watch);
    PlaceZone ZoneOf(std::string_view placeName, double latitude, double longitude) override;

  private:
    Opener open_;
    std::optional<AtlasLocation> where_;
    AtlasBuildWatch* watch_ = nullptr;
    bool opened_ = false;
    std::unique_ptr<Atlas> atlas_;
    std::string openMessage_;
    std::map<std::tuple<std::string, double, double>, PlaceZone> answers_;
};

}  // namespace talvenor
