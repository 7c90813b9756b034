// The world atlas: a query typed or pasted into Find Place, and the atlas text it is indexed from.
//
// Input: the first line is a search query against a small atlas; the whole input is also read as the
// atlas's places file. A search never fails with an error of the database and never returns more places
// than asked for; an indexed text gives an atlas whose searches behave the same.
#include <cmath>
#include <fstream>

#include "atlas/atlas_index.h"
#include "atlas/atlas_search.h"
#include "atlas/atlas_text.h"
#include "fuzz_support.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

const Atlas& SmallAtlas() {
    static const AtlasOpenResult opened = [] {
        const auto folder = FuzzFolder() / "small-atlas";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / kAtlasPlacesFile)
            << "Köln\tKoeln\tCologne\tDE\t07\t50.93\t6.95\tEurope/Berlin\t963395\n"
               "São Paulo\tSao Paulo\tSampa\tBR\t27\t-23.55\t-46.64\t"
               "America/Sao_Paulo\t12400232\n";
        std::ofstream(folder / kAtlasRegionsFile) << "DE.07\tNorth Rhine-Westphalia\nBR.27\tSão Paulo\n";
        std::ofstream(folder / kAtlasCountriesFile) << "DE\tGermany\t\nBR\tBrazil\t\n";
        return Atlas::Open(folder);
    }();
    Require(opened.atlas != nullptr, "the small atlas opens");
    return *opened.atlas;
}

void CheckSearch(const Atlas& atlas, std::string_view query) {
    const AtlasSearchResult r = atlas.Search(query, 5);
    Require(r.error.empty(), "a query never makes the database fail");
    Require(r.places.size() <= 5, "a search gives at most the places asked for");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = AsText(data, size);
    CheckSearch(SmallAtlas(), input.substr(0, input.find('\n')));

    for (std::size_t start = 0; start < input.size();) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const auto place = ParseAtlasPlaceLine(input.substr(start, end - start));
        Require(!place || (!place->name.empty() && !place->zone.empty() && std::abs(place->latitude) <= 90 &&
                           std::abs(place->longitude) <= 180 && place->population >= 0),
                "a place line read is a place on the globe");
        start = end + 1;
    }

    // The input as an atlas of its own, indexed in memory.
    const auto folder = FuzzFolder() / "input-atlas";
    std::filesystem::create_directories(folder);
    WriteTextFile("input-atlas/" + std::string(kAtlasPlacesFile), input);
    WriteTextFile("input-atlas/" + std::string(kAtlasRegionsFile), "DE.07\tNorth Rhine-Westphalia\n");
    WriteTextFile("input-atlas/" + std::string(kAtlasCountriesFile), "DE\tGermany\t\n");
    atlas_sql::Connection db;
    std::string error;
    Require(db.Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, error),
            "an index in memory opens");
    const AtlasIndexResult built = BuildAtlasIndexInto(db, folder);
    Require(built.status != AtlasIndexStatus::CannotWrite, "any text can be indexed or refused");
    return 0;
}
