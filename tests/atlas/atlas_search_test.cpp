// Searching the world atlas: the whole shipped atlas as the build indexed it, and small atlases made in a
// temporary folder for the index's life (first use, changed text, missing and damaged files).
#include "atlas/atlas_search.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "atlas/atlas_index.h"
#include "atlas/atlas_text.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

const Atlas& WholeAtlas() {
    static const AtlasOpenResult opened = Atlas::OpenIndex(TALVENOR_ATLAS_INDEX);
    EXPECT_TRUE(opened.atlas) << opened.message;
    return *opened.atlas;
}

TEST(AtlasSearchTest, TheWholeAtlasIsIndexed) {
    EXPECT_GE(WholeAtlas().PlaceCount(), 130000u);
}

TEST(AtlasSearchTest, CommonQueriesFindTheRightPlaceFirst) {
    struct Case {
        const char* query;
        const char* first;
    };
    const Case cases[] = {
        {"Ulm", "Ulm, Baden-Württemberg, Germany"},
        {"Koln", "Köln, North Rhine-Westphalia, Germany"},  // its ASCII spelling
        {"Köln", "Köln, North Rhine-Westphalia, Germany"},
        {"Cologne", "Köln, North Rhine-Westphalia, Germany"},  // an alternate name
        {"São Paulo", "São Paulo, Brazil"},                    // the region of the same name is left out
        {"Sao Paulo", "São Paulo, Brazil"},
        {"sao-paulo", "São Paulo, Brazil"},
        {"new york", "New York City, New York, United States"},
        {"new yo", "New York City, New York, United States"},  // still typing
        {"paris texas", "Paris, Texas, United States"},        // a word of the region
        {"Lodz", "Łódź, Łódź Voivodeship, Poland"},
        {"Łódź", "Łódź, Łódź Voivodeship, Poland"},
        {"Muenchen", "Munich, Bavaria, Germany"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        const AtlasSearchResult r = WholeAtlas().Search(c.query, 10);
        EXPECT_EQ(r.error, "");
        ASSERT_FALSE(r.places.empty());
        EXPECT_EQ(PlaceLabel(r.places.front()), c.first);
    }
}

TEST(AtlasSearchTest, AFoundPlaceCarriesItsPositionZoneAndPopulation) {
    const AtlasSearchResult r = WholeAtlas().Search("Ulm", 3);
    ASSERT_EQ(r.places.size(), 3u);
    const WorldPlace& ulm = r.places[0];
    EXPECT_NEAR(ulm.latitude, 48.3984, 1e-9);
    EXPECT_NEAR(ulm.longitude, 9.9916, 1e-9);
    EXPECT_EQ(ulm.zone, "Europe/Berlin");
    EXPECT_EQ(ulm.population, 120451);
    // Among whole-name matches the larger place comes first.
    EXPECT_GE(r.places[1].population, r.places[2].population);
}

TEST(AtlasSearchTest, WholeNamesRankBeforeBeginningsAndBeginningsBeforeWords) {
    // "York" is a whole name of York (England); "Yorkton" begins with it; New York City only holds it.
    const AtlasSearchResult r = WholeAtlas().Search("york", 50);
    ASSERT_FALSE(r.places.empty());
    std::size_t york = 99, yorkton = 99, newYork = 99;
    for (std::size_t i = 0; i < r.places.size(); ++i) {
        if (r.places[i].name == "York" && r.places[i].country == "United Kingdom") york = i;
        if (r.places[i].name == "Yorkton") yorkton = i;
        if (r.places[i].name == "New York City") newYork = i;
    }
    EXPECT_LT(york, yorkton);
    EXPECT_LT(yorkton, newYork);
}

TEST(AtlasSearchTest, HostileQueriesGivePlacesOrNoneButNeverAnError) {
    const std::string huge(10 * 1024 * 1024, 'a');
    std::string hugeAccents;
    while (hugeAccents.size() < 1024 * 1024) hugeAccents += "\xC3\xA9";  // "é" cut anywhere
    const std::string queries[] = {"",         "   ",        "\"",
                                   "\"\"\"",   "*",          "-",
                                   "NEAR",     "NEAR(a b)",  "a OR b",
                                   "a AND",    "NOT",        "^",
                                   "{name}:x", "name : ulm", "ulm*",
                                   "-ulm",     "\"ulm",      "'; DROP TABLE places;--",
                                   huge,       hugeAccents,  std::string("\xFF\xFE\x00ulm", 6),
                                   "\xE2\x82"};
    for (const std::string& q : queries) {
        SCOPED_TRACE(q.substr(0, 30));
        const AtlasSearchResult r = WholeAtlas().Search(q, 20);
        EXPECT_EQ(r.error, "");
        EXPECT_LE(r.places.size(), 20u);
    }
    EXPECT_TRUE(WholeAtlas().Search("", 20).places.empty());
    EXPECT_TRUE(WholeAtlas().Search("Ulm", 0).places.empty());
    // Operators are only text: the words around them still find their place.
    for (const char* q : {"ulm*", "\"ulm", "-ulm", "^ulm", "(ulm)"})
        EXPECT_EQ(PlaceLabel(WholeAtlas().Search(q, 1).places.at(0)), "Ulm, Baden-Württemberg, Germany") << q;
}

// A small atlas in a folder of its own.
class SmallAtlasTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("talvenor-atlas-test-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        WritePlaces(
            "Ulm\t\tUlma\tDE\t01\t48.3984\t9.9916\tEurope/Berlin\t120451\n"
            "Amsterdam\t\tAmsterdamo\tNL\t07\t52.3740\t4.8897\tEurope/Amsterdam\t741636\n");
        Write(kAtlasRegionsFile, "# regions\nDE.01\tBaden-Württemberg\nNL.07\tNorth Holland\n");
        Write(kAtlasCountriesFile, "DE\tGermany\t\nNL\tNetherlands\tHolland\n");
    }
    void TearDown() override { fs::remove_all(folder_); }

    void Write(const char* name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }
    void WritePlaces(const std::string& lines) { Write(kAtlasPlacesFile, "# places\n" + lines); }
    std::string First(const Atlas& atlas, const char* query) {
        const AtlasSearchResult r = atlas.Search(query, 5);
        return r.places.empty() ? std::string() : PlaceLabel(r.places.front());
    }

    fs::path folder_;
};

TEST_F(SmallAtlasTest, TheAtlasIsReadFromTheDataFolderElseWhereItIsInstalled) {
    const fs::path empty = folder_ / "empty";
    fs::create_directories(empty);
    const fs::path withIndex = folder_ / "with-index";
    fs::create_directories(withIndex);
    std::ofstream(withIndex / kAtlasIndexFile) << "index";
    EXPECT_EQ(AtlasFolder(folder_, empty), folder_);  // the user's own atlas comes first
    EXPECT_EQ(AtlasFolder(empty, folder_), folder_);  // else the installed one, read in place
    EXPECT_EQ(AtlasFolder(withIndex, folder_), withIndex);
    EXPECT_EQ(AtlasFolder(empty, folder_ / "nowhere"), empty);  // its absence is told for the data folder
    EXPECT_EQ(AtlasFolder(empty, ""), empty);
}

TEST_F(SmallAtlasTest, TheIndexIsMadeOnFirstUseAndKeptAfterwards) {
    const AtlasOpenResult first = Atlas::Open(folder_);
    ASSERT_TRUE(first.atlas) << first.message;
    EXPECT_TRUE(first.indexBuilt);
    EXPECT_TRUE(fs::is_regular_file(folder_ / kAtlasIndexFile));
    EXPECT_EQ(First(*first.atlas, "amsterdam"), "Amsterdam, North Holland, Netherlands");
    EXPECT_EQ(First(*first.atlas, "ulm germany"), "Ulm, Baden-Württemberg, Germany");
    EXPECT_EQ(First(*first.atlas, "holland"), "Amsterdam, North Holland, Netherlands");

    const AtlasOpenResult again = Atlas::Open(folder_);
    ASSERT_TRUE(again.atlas);
    EXPECT_FALSE(again.indexBuilt);
}

TEST_F(SmallAtlasTest, ChangedTextIsIndexedAgain) {
    ASSERT_TRUE(Atlas::Open(folder_).atlas);
    WritePlaces(
        "Ulm\t\t\tDE\t01\t48.3984\t9.9916\tEurope/Berlin\t120451\n"
        "Utrecht\t\t\tNL\t09\t52.0908\t5.1222\tEurope/Amsterdam\t290529\n");
    const AtlasOpenResult reopened = Atlas::Open(folder_);
    ASSERT_TRUE(reopened.atlas);
    EXPECT_TRUE(reopened.indexBuilt);
    EXPECT_EQ(First(*reopened.atlas, "utrecht"), "Utrecht, Netherlands");  // region NL.09 is not named
    EXPECT_EQ(First(*reopened.atlas, "amsterdam"), "");
}

TEST_F(SmallAtlasTest, MissingTextGivesAMessage) {
    fs::remove(folder_ / kAtlasPlacesFile);
    const AtlasOpenResult r = Atlas::Open(folder_);
    EXPECT_FALSE(r.atlas);
    EXPECT_EQ(r.message, AtlasMissingMessage((folder_ / kAtlasPlacesFile).string()));
    EXPECT_NE(r.message.find("Everything else works as before"), std::string::npos);
}

TEST_F(SmallAtlasTest, AnIndexThatIsStillGoodServesWithoutItsText) {
    ASSERT_TRUE(Atlas::Open(folder_).atlas);
    fs::remove(folder_ / kAtlasPlacesFile);
    const AtlasOpenResult r = Atlas::Open(folder_);
    ASSERT_TRUE(r.atlas);
    EXPECT_EQ(First(*r.atlas, "ulm"), "Ulm, Baden-Württemberg, Germany");
}

TEST_F(SmallAtlasTest, DamagedTextGivesAMessage) {
    WritePlaces(std::string("\x89PNG\r\n\x1a\n\0\0\0garbage\twith\ttabs\n", 24) + "Ulm\tDE\n");
    const AtlasOpenResult r = Atlas::Open(folder_);
    EXPECT_FALSE(r.atlas);
    EXPECT_EQ(r.message, AtlasDamagedMessage((folder_ / kAtlasPlacesFile).string()));
}

TEST_F(SmallAtlasTest, BadLinesAreLeftOutAndTheRestIsFound) {
    WritePlaces(
        "Ulm\t\t\tDE\t01\t48.3984\t9.9916\tEurope/Berlin\t120451\nbroken line\n"
        "Nowhere\t\t\tDE\t01\t91\t0\tEurope/Berlin\t1\n");
    const AtlasIndexResult built = BuildAtlasIndex(folder_, folder_ / kAtlasIndexFile);
    EXPECT_EQ(built.status, AtlasIndexStatus::Built);
    EXPECT_EQ(built.places, 1u);
    EXPECT_EQ(built.skippedLines, 2u);
}

TEST_F(SmallAtlasTest, ADamagedIndexIsMadeAgain) {
    Write(kAtlasIndexFile, "this is not a database, only a file with the index's name");
    const AtlasOpenResult r = Atlas::Open(folder_);
    ASSERT_TRUE(r.atlas) << r.message;
    EXPECT_TRUE(r.indexBuilt);
    EXPECT_EQ(First(*r.atlas, "ulm"), "Ulm, Baden-Württemberg, Germany");
}

TEST_F(SmallAtlasTest, WithoutRoomForTheIndexFileAnIndexInMemoryServes) {
    fs::create_directory(folder_ / kAtlasIndexFile);  // the index's name is taken by a folder
    const AtlasOpenResult r = Atlas::Open(folder_);
    ASSERT_TRUE(r.atlas) << r.message;
    EXPECT_EQ(First(*r.atlas, "ulma"), "Ulm, Baden-Württemberg, Germany");
    EXPECT_TRUE(fs::is_directory(folder_ / kAtlasIndexFile));
}

TEST_F(SmallAtlasTest, AnIndexFileOfSomethingElseIsNoAtlas) {
    const AtlasOpenResult r = Atlas::OpenIndex(folder_ / "NOSUCH.DB");
    EXPECT_FALSE(r.atlas);
    EXPECT_NE(r.message, "");
}

}  // namespace
}  // namespace talvenor
