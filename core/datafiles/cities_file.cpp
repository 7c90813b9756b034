#include "datafiles/cities_file.h"

#include <utility>

#include "environment/text_files.h"
#include "input/strict_number.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

// The place texts a city fills, the same in both windows.
struct PlaceTexts {
    std::string& longDeg;
    std::string& longMin;
    std::string& zone;
    std::string& latDeg;
    std::string& latMin;
};

// A number of the record as the window shows it: read, then written back with its leading blank
// ("084" -> " 84", "05" -> " 5").
bool SetNumber(std::string_view text, std::string& target) {
    const auto value = StrictNumber(text);
    if (!value) return false;
    target = GeneralNumber(*value);
    return true;
}

// Fills in the order the fields are listed, so that a failure leaves the fields before it filled.
template <typename Fields>
std::optional<std::string> FillFromCity(const CityRecord& city, Fields& fields, PlaceTexts t) {
    const std::string failed = kCityFormatError;

    // "84W23": two-digit degrees and the letter third; otherwise "084W23": three digits, the letter fourth.
    const std::string& longitude = city.Longitude;
    if (longitude.size() < 4) return failed;
    const bool shortForm = longitude.size() == 5;
    const std::size_t letter = shortForm ? 2 : 3;
    if (!SetNumber(std::string_view(longitude).substr(0, letter), t.longDeg)) return failed;
    fields.SelectEast(longitude[letter] == 'E');
    if (!SetNumber(std::string_view(longitude).substr(longitude.size() - 2), t.longMin)) return failed;

    if (!SetNumber(city.TimeZone, t.zone)) return failed;

    const std::string& latitude = city.Latitude;
    if (latitude.size() < 4) return failed;
    if (!SetNumber(std::string_view(latitude).substr(0, 2), t.latDeg)) return failed;
    fields.SelectSouth(latitude[2] == 'S');
    if (!SetNumber(std::string_view(latitude).substr(latitude.size() - 2), t.latMin)) return failed;
    return std::nullopt;
}

}  // namespace

CitiesList LoadCitiesList(const std::filesystem::path& citiesFile, const std::filesystem::path& appFolder) {
    CitiesList list;
    list.file = citiesFile.empty() ? appFolder / "GA_MA.LL" : citiesFile;
    auto text = ReadTextFile(list.file);
    if (!text) return list;
    list.opened = true;

    FieldReader reader(std::move(*text));
    // As in the names file, a line holding nothing but blanks is no place: read as an empty name, it
    // would end the list and hide every place after it, which the editor's Save keeps in the file.
    for (reader.SkipBlankLines(); !reader.AtEnd(); reader.SkipBlankLines()) {
        auto place = reader.Next();
        if (!place || place->empty()) break;
        auto region = reader.Next();
        auto longitude = reader.Next();
        auto latitude = reader.Next();
        auto zone = reader.Next();
        if (!region || !longitude || !latitude || !zone || place->size() > kLongestListField ||
            region->size() > kLongestListField || longitude->size() > kLongestListField ||
            latitude->size() > kLongestListField || zone->size() > kLongestListField) {
            list.error = kCitiesFileError;
            break;
        }
        list.records.push_back(
            {*place + "," + *region, std::move(*longitude), std::move(*latitude), std::move(*zone)});
    }
    return list;
}

std::optional<std::size_t> FindCity(const CitiesList& list, const std::string& listText) {
    for (std::size_t k = 0; k < list.records.size(); ++k) {
        if (list.records[k].ListText == listText) return k;
    }
    return std::nullopt;
}

std::optional<std::string> FillNatalFromCity(const CityRecord& city, InputTexts& natal) {
    return FillFromCity(city, natal, {natal.longDeg, natal.longMin, natal.zone, natal.latDeg, natal.latMin});
}

std::optional<std::string> FillDiurnalFromCity(const CityRecord& city, SecondInputTexts& diurnal) {
    return FillFromCity(city, diurnal,
                        {diurnal.longDeg, diurnal.longMin, diurnal.zone, diurnal.latDeg, diurnal.latMin});
}

}  // namespace talvenor
