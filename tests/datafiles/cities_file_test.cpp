#include "datafiles/cities_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

std::vector<std::string> ListTexts(const CitiesList& list) {
    std::vector<std::string> texts;
    for (const auto& record : list.records) texts.push_back(record.ListText);
    return texts;
}

TEST(CitiesFileTest, ListEndsAtAnEmptyPlaceAndKeepsPlacesBeforeABrokenOne) {
    TemporaryFolder folder;
    WriteBytes(folder.path() / "GA_MA.LL",
               "Sample Town,GA,084W23,33N45,5\r\nMacon , GA "
               ",083W38,32N50,5\r\n,GA,084W00,33N00,5\r\nHidden,GA,1,2,3\r\n");
    CitiesList list = LoadCitiesList("", folder.path());
    EXPECT_TRUE(list.opened);
    EXPECT_EQ(ListTexts(list), (std::vector<std::string>{"Sample Town,GA", "Macon,GA"}));
    EXPECT_EQ(list.records[1].Longitude, "083W38");
    EXPECT_EQ(list.records[1].Latitude, "32N50");
    EXPECT_EQ(list.records[1].TimeZone, "5");
    EXPECT_FALSE(list.error.has_value());

    const auto other = folder.path() / "WORLD.LL";
    WriteBytes(other, "Sample Town,GA,084W23,33N45,5\r\nBroken,XX,084W23\r\n");
    list = LoadCitiesList(other, folder.path());
    EXPECT_EQ(ListTexts(list), std::vector<std::string>{"Sample Town,GA"});
    EXPECT_EQ(list.error, kCitiesFileError);

    list = LoadCitiesList(folder.path() / "GONE.LL", folder.path());
    EXPECT_FALSE(list.opened);
    EXPECT_TRUE(list.records.empty());
}

TEST(CitiesFileTest, ABlankLineIsNoPlaceAndHidesNoPlaceAfterIt) {
    TemporaryFolder folder;
    for (const char* bytes : {"Sample Town,GA,084W23,33N45,5\r\n\r\nMacon,GA,083W38,32N50,5\r\n",
                              "\r\nSample Town,GA,084W23,33N45,5\n \t\nMacon,GA,083W38,32N50,5\n\n",
                              "Sample Town,GA,084W23,33N45,5,\r\n\r\nMacon,GA,083W38,32N50,5"}) {
        SCOPED_TRACE(bytes);
        WriteBytes(folder.path() / "GA_MA.LL", bytes);
        const CitiesList list = LoadCitiesList("", folder.path());
        EXPECT_EQ(ListTexts(list), (std::vector<std::string>{"Sample Town,GA", "Macon,GA"}));
        EXPECT_FALSE(list.error.has_value());
        ASSERT_EQ(list.records.size(), 2u);
        EXPECT_EQ(list.records[1].TimeZone, "5");
    }
}

TEST(CitiesFileTest, AClickFindsTheFirstOfEqualPlaces) {
    CitiesList list;
    list.records = {{"Athens,GA", "083W23", "33N58", "5"}, {"Athens,GA", "000W00", "00N00", "0"}};
    EXPECT_EQ(FindCity(list, "Athens,GA"), 0u);
    EXPECT_FALSE(FindCity(list, "Athens,OH").has_value());
}

TEST(CitiesFileTest, FillsThePlaceInBothLongitudeForms) {
    const struct {
        CityRecord city;
        const char *longDeg, *longMin, *zone, *latDeg, *latMin;
        bool east, south;
    } cases[] = {
        {{"", "84W23", "33N45", "5"}, " 84", " 23", " 5", " 33", " 45", false, false},
        {{"", "084W23", "33N45", "5"}, " 84", " 23", " 5", " 33", " 45", false, false},
        {{"", "002E20", "48N51", "-1"}, " 2", " 20", "-1", " 48", " 51", true, false},
        {{"", "002e05", "33s52", "-10"}, " 2", " 5", "-10", " 33", " 52", false, false},
        {{"", "151E12", "33S52", "-10.5"}, " 151", " 12", "-10.5", " 33", " 52", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.city.Longitude + " " + c.city.Latitude);
        InputTexts natal;
        natal.name = "kept";
        EXPECT_FALSE(FillNatalFromCity(c.city, natal).has_value());
        EXPECT_EQ(natal.longDeg, c.longDeg);
        EXPECT_EQ(natal.longMin, c.longMin);
        EXPECT_EQ(natal.zone, c.zone);
        EXPECT_EQ(natal.latDeg, c.latDeg);
        EXPECT_EQ(natal.latMin, c.latMin);
        EXPECT_EQ(natal.east, c.east);
        EXPECT_EQ(natal.west, !c.east);
        EXPECT_EQ(natal.south, c.south);
        EXPECT_EQ(natal.north, !c.south);
        EXPECT_EQ(natal.name, "kept");

        SecondInputTexts diurnal;
        EXPECT_FALSE(FillDiurnalFromCity(c.city, diurnal).has_value());
        EXPECT_EQ(diurnal.longDeg, c.longDeg);
        EXPECT_EQ(diurnal.zone, c.zone);
        EXPECT_EQ(diurnal.latMin, c.latMin);
        EXPECT_EQ(diurnal.east, c.east);
        EXPECT_EQ(diurnal.south, c.south);
    }
}

TEST(CitiesFileTest, AFieldThatIsNotANumberStopsTheFillWithTheFormatError) {
    InputTexts natal;
    EXPECT_EQ(FillNatalFromCity({"", "084W23", "33N45", "EST"}, natal), kCityFormatError);
    EXPECT_EQ(natal.longDeg, " 84");  // filled before the zone failed
    EXPECT_EQ(natal.longMin, " 23");
    EXPECT_EQ(natal.latDeg, "");

    for (const CityRecord& city :
         {CityRecord{"", "8xW23", "33N45", "5"}, CityRecord{"", "W2", "33N45", "5"},
          CityRecord{"", "084W23", "3", "5"}, CityRecord{"", "084W23", "33N4x", "5"}}) {
        SCOPED_TRACE(city.Longitude + " " + city.Latitude);
        InputTexts fields;
        EXPECT_EQ(FillNatalFromCity(city, fields), kCityFormatError);
    }
}

}  // namespace
}  // namespace talvenor
