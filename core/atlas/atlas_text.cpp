#include "atlas/atlas_text.h"

#include <charconv>
#include <cmath>

namespace talvenor {
namespace {

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The line without its line end; nothing for a comment or a blank line.
std::optional<std::string_view> RecordText(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') return std::nullopt;
    return line;
}

// A decimal number written with a point, the whole field; no value for anything else.
std::optional<double> ReadReal(std::string_view field) {
    double value = 0;
    const auto [end, error] =
        std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::string> NonEmpty(std::string_view list) {
    std::vector<std::string> names;
    if (list.empty()) return names;
    for (std::string_view part : SplitAt(list, ';'))
        if (!part.empty()) names.emplace_back(part);
    return names;
}

}  // namespace

std::optional<AtlasPlaceLine> ParseAtlasPlaceLine(std::string_view line) {
    const auto text = RecordText(line);
    if (!text) return std::nullopt;
    const std::vector<std::string_view> f = SplitAt(*text, '\t');
    if (f.size() != 9 || f[0].empty() || f[3].empty() || f[7].empty()) return std::nullopt;
    const auto latitude = ReadReal(f[5]);
    const auto longitude = ReadReal(f[6]);
    if (!latitude || !longitude || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180)
        return std::nullopt;
    std::int64_t population = 0;
    const auto [end, error] = std::from_chars(f[8].data(), f[8].data() + f[8].size(), population);
    if (error != std::errc() || end != f[8].data() + f[8].size() || population < 0) return std::nullopt;

    AtlasPlaceLine place;
    place.name = f[0];
    place.asciiName = f[1];
    place.alternates = NonEmpty(f[2]);
    place.country = f[3];
    place.region = f[4];
    place.latitude = *latitude;
    place.longitude = *longitude;
    place.zone = f[7];
    place.population = population;
    return place;
}

std::optional<AtlasNameLine> ParseAtlasNameLine(std::string_view line, std::size_t fields) {
    const auto text = RecordText(line);
    if (!text) return std::nullopt;
    const std::vector<std::string_view> f = SplitAt(*text, '\t');
    if (f.size() != fields || f[0].empty() || f[1].empty()) return std::nullopt;
    AtlasNameLine names;
    names.code = f[0];
    names.name = f[1];
    if (fields > 2) names.others = NonEmpty(f[2]);
    return names;
}

}  // namespace talvenor
