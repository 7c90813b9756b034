// The cities file and how a chosen place fills the input windows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "chart/input_texts.h"

namespace talvenor {

inline constexpr const char* kCitiesFileError =
    "You have an error in the current cities file. You need to check and see if you have entered the data "
    "correctly and in the proper amount. Please correct the data by clicking on the Edit this List command "
    "button in the Cities window and edit the incorrect data.";
inline constexpr const char* kCityFormatError =
    "Format error or typographical error in selected data. Please correct this data entry by clicking on the "
    "Edit this List command button in the Cities window and editing the data associated with your chosen "
    "city.";

struct CityRecord {
    std::string ListText;   // place, a comma and region
    std::string Longitude;  // "084W23" or "84W23"
    std::string Latitude;   // "33N45"
    std::string TimeZone;   // "5"
};

struct CitiesList {
    std::vector<CityRecord> records;
    bool opened = false;
    std::filesystem::path file;
    std::optional<std::string> error;  // kCitiesFileError when a record could not be read
};

// Reads the list: the cities file, or the program folder's GA_MA.LL when the path is empty. Places are
// read like names-file records (five fields): a line holding nothing but blanks is no place, the list
// ends at the first empty place name, and a place cut short gives the error.
CitiesList LoadCitiesList(const std::filesystem::path& citiesFile, const std::filesystem::path& appFolder);

std::optional<std::size_t> FindCity(const CitiesList& list, const std::string& listText);

// Fills the place and zone fields; no value on success, the format-error message when a field cannot be
// read (the fields filled before it keep their new values).
std::optional<std::string> FillNatalFromCity(const CityRecord& city, InputTexts& natal);
std::optional<std::string> FillDiurnalFromCity(const CityRecord& city, SecondInputTexts& diurnal);

}  // namespace talvenor
