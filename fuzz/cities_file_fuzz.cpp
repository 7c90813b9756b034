// Cities files: the list as the cities window reads it and every place as a click on it fills the
// natal and the diurnal window.
#include "datafiles/cities_file.h"
#include "fuzz_support.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = WriteInputFile("CITIES.LL", data, size);
    const CitiesList list = LoadCitiesList(file, FuzzFolder());
    Require(list.opened && list.file == file, "an existing cities file is the one read");
    Require(!list.error || *list.error == kCitiesFileError, "a bad record gives the cities-file message");

    for (std::size_t k = 0; k < list.records.size() && k < 64; ++k) {
        const CityRecord& city = list.records[k];
        const auto found = FindCity(list, city.ListText);
        Require(found && *found <= k, "a click on a place finds the first record of that place");

        InputTexts natal;
        SecondInputTexts diurnal;
        const auto natalError = FillNatalFromCity(city, natal);
        const auto diurnalError = FillDiurnalFromCity(city, diurnal);
        Require(natalError == diurnalError, "both windows accept or refuse the same place");
        Require(!natalError || *natalError == kCityFormatError, "the refusal is the format error");
        Require(natal.longDeg == diurnal.longDeg && natal.longMin == diurnal.longMin &&
                    natal.zone == diurnal.zone && natal.latDeg == diurnal.latDeg &&
                    natal.latMin == diurnal.latMin && natal.east == diurnal.east &&
                    natal.south == diurnal.south,
                "a place fills the natal and the diurnal window alike");
    }
    return 0;
}
