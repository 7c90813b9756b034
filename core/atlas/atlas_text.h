// The world atlas as it is shipped in the data folder: three UTF-8 text files, one record a line, fields
// separated by tabs, lines starting with "#" are comments.
//
//   ATLAS.TXT     name, ASCII name (empty when the same), Latin alternate names separated by ";", country
//                 code, region code, latitude and longitude in degrees (north and east positive), IANA
//                 zone id, population
//   ATLASREG.TXT  "country code.region code", region name
//   ATLASCTY.TXT  country code, country name, other names of the country separated by ";"
//
// The search reads an index made from them (ATLAS.DB, see atlas_index.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor {

inline constexpr const char* kAtlasPlacesFile = "ATLAS.TXT";
inline constexpr const char* kAtlasRegionsFile = "ATLASREG.TXT";
inline constexpr const char* kAtlasCountriesFile = "ATLASCTY.TXT";
inline constexpr const char* kAtlasIndexFile = "ATLAS.DB";

// Where the places come from; shown in the About window and the Find Place window.
inline constexpr const char* kAtlasCredit = "Places from GeoNames (geonames.org), licensed under CC BY 4.0";

struct AtlasPlaceLine {
    std::string name;
    std::string asciiName;
    std::vector<std::string> alternates;
    std::string country;
    std::string region;
    double latitude = 0;
    double longitude = 0;
    std::string zone;
    std::int64_t population = 0;
};

// One line of ATLAS.TXT. No value for a comment, a blank line or a line that is not a place: a field
// count other than nine, an empty name, country or zone, a position that is not a number or lies off the
// globe, a population that is not a whole number of 0 or more.
std::optional<AtlasPlaceLine> ParseAtlasPlaceLine(std::string_view line);

struct AtlasNameLine {
    std::string code;
    std::string name;
    std::vector<std::string> others;
};

// One line of ATLASREG.TXT (two fields) or ATLASCTY.TXT (three). No value for a comment, a blank line or
// a line with an empty code or name or another number of fields.
std::optional<AtlasNameLine> ParseAtlasNameLine(std::string_view line, std::size_t fields);

}  // namespace talvenor
