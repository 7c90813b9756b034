#include "exchange/place_zones.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "exchange/exchange_fields.h"

namespace talvenor {

std::string PlaceQuery(std::string_view place) {
    const std::size_t cut = place.find_first_of("/,(");
    return std::string(TrimSpace(place.substr(0, cut)));
}

double DistanceKilometres(double latitude1, double longitude1, double latitude2, double longitude2) {
    constexpr double kEarthRadius = 6371.0;
    constexpr double kRad = std::numbers::pi / 180;
    const double dLat = (latitude2 - latitude1) * kRad;
    const double dLon = (longitude2 - longitude1) * kRad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) + std::cos(latitude1 * kRad) *
                                                                   std::cos(latitude2 * kRad) *
                                                                   std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadius * std::asin(std::sqrt(std::min(1.0, a)));
}

AtlasPlaceZones::AtlasPlaceZones(Opener open) : open_(std::move(open)) {}

AtlasPlaceZones::AtlasPlaceZones(const AtlasLocation& where, AtlasBuildWatch* watch)
    : open_([where, watch] { return Atlas::Open(where, watch); }), where_(where), watch_(watch) {}

PlaceZone AtlasPlaceZones::ZoneOf(std::string_view placeName, double latitude, double longitude) {
    const std::string query = PlaceQuery(placeName);
    if (query.empty()) return {{}, {}, "the record names no place to look up"};
    const auto key = std::make_tuple(query, latitude, longitude);
    if (const auto known = answers_.find(key); known != answers_.end()) return known->second;

    if (!opened_) {
        opened_ = true;
        AtlasOpenResult result = open_ ? open_() : AtlasOpenResult{};
        atlas_ = std::move(result.atlas);
        openMessage_ = result.message.empty() ? "the world atlas cannot be opened" : result.message;
    }
    PlaceZone answer;
    if (!atlas_) {
        answer.reason = openMessage_;
        return answer;
    }
    const AtlasSearchResult found =
        where_ ? SearchMakingIndexAgain(atlas_, *where_, query, 50, watch_) : atlas_->Search(query, 50);
    // An index that could not be made again is not asked any more.
    if (!atlas_) openMessage_ = found.error;
    double nearest = kPlaceMatchKilometres;
    for (const WorldPlace& place : found.places) {
        const double distance = DistanceKilometres(latitude, longitude, place.latitude, place.longitude);
        if (distance <= nearest && !place.zone.empty()) {
            nearest = distance;
            answer.zone = place.zone;
            answer.label = PlaceLabel(place);
        }
    }
    if (answer.zone.empty()) {
        answer.reason = !found.error.empty() ? found.error
                                             : "the world atlas has no place " + Quoted(query) + " within " +
                                                   std::to_string(static_cast<int>(kPlaceMatchKilometres)) +
                                                   " km of the record's position";
    }
    answers_.emplace(key, answer);
    return answer;
}

}  // namespace talvenor
