// The help text of the cities editor describes the lines the cities window reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "chart/input_texts.h"
#include "datafiles/cities_file.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ReadBytes;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

TEST(CitiesHelpTextTest, TheExampleLineIsAPlaceWithItsRegionThatTheCitiesWindowReads) {
    const std::string help = ReadBytes(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "LONGLAT.HLP");
    ASSERT_FALSE(help.empty());

    // The fields are named in the order of a line.
    std::size_t at = 0;
    for (const char* field : {"place", "region", "longitude", "latitude", "time zone"}) {
        const std::size_t found = help.find(field, at);
        EXPECT_NE(found, std::string::npos) << field << " (in order)";
        if (found != std::string::npos) at = found;
    }

    // The example: the help line that is a record of five fields.
    std::string example;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (std::count(line.begin(), line.end(), ',') == 4)
            example = line.substr(line.find_first_not_of(' '));
    }
    ASSERT_FALSE(example.empty()) << "no example line";
    TemporaryFolder folder;
    WriteBytes(folder.path() / "EXAMPLE.LL", example + "\r\n");
    const CitiesList list = LoadCitiesList(folder.path() / "EXAMPLE.LL", folder.path());
    ASSERT_EQ(list.records.size(), 1u);
    EXPECT_FALSE(list.error);
    InputTexts natal;
    EXPECT_FALSE(FillNatalFromCity(list.records[0], natal));
    // Place and region make the list entry; the three numbers fill the natal window.
    EXPECT_EQ(list.records[0].ListText, example.substr(0, example.find(',', example.find(',') + 1)));
    EXPECT_FALSE(natal.longDeg.empty());
    EXPECT_FALSE(natal.latDeg.empty());
    EXPECT_FALSE(natal.zone.empty());
}

}  // namespace
}  // namespace talvenor
