// The lines of the atlas text files.
#include "atlas/atlas_text.h"

#include <gtest/gtest.h>

namespace talvenor {
namespace {

TEST(AtlasTextTest, APlaceLineGivesEveryField) {
    const auto p = ParseAtlasPlaceLine(
        "Köln\tKoeln\tCologne;Colonia;\tDE\t07\t50.9333\t6.9500\tEurope/Berlin\t963395\r");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->name, "Köln");
    EXPECT_EQ(p->asciiName, "Koeln");
    EXPECT_EQ(p->alternates, (std::vector<std::string>{"Cologne", "Colonia"}));
    EXPECT_EQ(p->country, "DE");
    EXPECT_EQ(p->region, "07");
    EXPECT_DOUBLE_EQ(p->latitude, 50.9333);
    EXPECT_DOUBLE_EQ(p->longitude, 6.95);
    EXPECT_EQ(p->zone, "Europe/Berlin");
    EXPECT_EQ(p->population, 963395);
}

TEST(AtlasTextTest, LinesThatAreNotPlacesAreRefused) {
    const char* lines[] = {
        "",
        "# a comment\tx\tx\tx\tx\t1\t1\tEurope/Berlin\t1",
        "Ulm\t\t\tDE\t01\t48.4\t9.99\tEurope/Berlin",            // eight fields
        "Ulm\t\t\tDE\t01\t48.4\t9.99\tEurope/Berlin\t1\textra",  // ten
        "\t\t\tDE\t01\t48.4\t9.99\tEurope/Berlin\t1",            // no name
        "Ulm\t\t\t\t01\t48.4\t9.99\tEurope/Berlin\t1",           // no country
        "Ulm\t\t\tDE\t01\t48.4\t9.99\t\t1",                      // no zone
        "Ulm\t\t\tDE\t01\t90.5\t9.99\tEurope/Berlin\t1",         // off the globe
        "Ulm\t\t\tDE\t01\t48.4\t-180.01\tEurope/Berlin\t1",
        "Ulm\t\t\tDE\t01\t48,4\t9.99\tEurope/Berlin\t1",  // a comma
        "Ulm\t\t\tDE\t01\tnan\t9.99\tEurope/Berlin\t1",
        "Ulm\t\t\tDE\t01\t48.4\t9.99\tEurope/Berlin\t-1",  // negative population
        "Ulm\t\t\tDE\t01\t48.4\t9.99\tEurope/Berlin\t12k",
        "Ulm\t\t\tDE\t01\t48.4\t9.99\tEurope/Berlin\t99999999999999999999",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ParseAtlasPlaceLine(line));
    }
}

TEST(AtlasTextTest, NameLinesOfRegionsAndCountries) {
    const auto region = ParseAtlasNameLine("DE.01\tBaden-Württemberg", 2);
    ASSERT_TRUE(region);
    EXPECT_EQ(region->code, "DE.01");
    EXPECT_EQ(region->name, "Baden-Württemberg");
    const auto country = ParseAtlasNameLine("GB\tUnited Kingdom\tUK;Britain\n", 3);
    ASSERT_TRUE(country);
    EXPECT_EQ(country->others, (std::vector<std::string>{"UK", "Britain"}));
    EXPECT_FALSE(ParseAtlasNameLine("DE.01\t", 2));
    EXPECT_FALSE(ParseAtlasNameLine("DE.01\tBaden\textra", 2));
    EXPECT_FALSE(ParseAtlasNameLine("# DE\tGermany\t", 3));
}

}  // namespace
}  // namespace talvenor
