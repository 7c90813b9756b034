// The zone of a birthplace from the world atlas, for the imports: the index is made on the first
// question when there is none, and made again, once, when it is found damaged.
#include "exchange/place_zones.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "atlas/atlas_index.h"
#include "atlas/atlas_text.h"
#include "atlas/damaged_index.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

struct StartCount : AtlasBuildWatch {
    int started = 0;
    void Started(const std::string&) override { ++started; }
    bool Progress(std::size_t, std::size_t) override { return true; }
};

class AtlasPlaceZonesTest : public testing::Test {
  protected:
    void SetUp() override {
        std::ofstream(folder_.path() / kAtlasPlacesFile)
            << "Kandel\t\t\tDE\t11\t49.0828\t8.1972\tEurope/Berlin\t8854\n"
            << testing_support::NumberedPlaces(4000);
        std::ofstream(folder_.path() / kAtlasRegionsFile)
            << "DE.01\tBaden-Württemberg\nDE.11\tRhineland-Palatinate\n";
        std::ofstream(folder_.path() / kAtlasCountriesFile) << "DE\tGermany\t\n";
    }
    fs::path Index() const { return folder_.path() / kAtlasIndexFile; }

    testing_support::TemporaryFolder folder_;
};

TEST_F(AtlasPlaceZonesTest, TheIndexIsMadeOnTheFirstQuestionAndADamagedOneMadeAgain) {
    StartCount watch;
    {
        AtlasPlaceZones places(AtlasIn(folder_.path()), &watch);
        EXPECT_EQ(watch.started, 0);  // nothing is opened before a question
        EXPECT_EQ(places.ZoneOf("Kandel/Pfalz", 49.08, 8.2).zone, "Europe/Berlin");
        EXPECT_EQ(watch.started, 1);
    }
    // Damaged between two imports: found when it is opened.
    ASSERT_GT(testing_support::ZeroLeafPages(Index(), {"name_keys", "places"}), 10u);
    AtlasPlaceZones places(AtlasIn(folder_.path()), &watch);
    const PlaceZone kandel = places.ZoneOf("Kandel", 49.08, 8.2);
    EXPECT_EQ(kandel.zone, "Europe/Berlin");
    EXPECT_EQ(kandel.label, "Kandel, Rhineland-Palatinate, Germany");
    EXPECT_EQ(watch.started, 2);

    // Damaged while the import reads: made again by the next question that runs into it.
    ASSERT_GT(testing_support::ZeroLeafPages(Index(), {"name_keys", "places"}), 10u);
    const PlaceZone place = places.ZoneOf("Place 2500", 48.5, 13.25);
    EXPECT_EQ(place.zone, "Europe/Berlin") << place.reason;
    EXPECT_EQ(place.label, "Place 2500, Baden-Württemberg, Germany");
    EXPECT_EQ(watch.started, 3);
    EXPECT_EQ(places.ZoneOf("Place 17", 50.5, 14.25).zone, "Europe/Berlin");
    EXPECT_EQ(watch.started, 3);
}

TEST_F(AtlasPlaceZonesTest, AnAtlasThatCannotBeOpenedGivesTheReasonForEveryPlace) {
    fs::remove(folder_.path() / kAtlasPlacesFile);
    StartCount watch;
    AtlasPlaceZones places(AtlasIn(folder_.path()), &watch);
    for (const char* name : {"Kandel", "Ulm"}) {
        const PlaceZone answer = places.ZoneOf(name, 49.08, 8.2);
        EXPECT_EQ(answer.zone, "");
        EXPECT_EQ(answer.reason, AtlasMissingMessage((folder_.path() / kAtlasPlacesFile).string()));
    }
    EXPECT_EQ(watch.started, 0);
}

}  // namespace
}  // namespace talvenor
