// Searching the world atlas: the whole shipped atlas as the build indexed it, and small atlases made in a
// temporary folder for the index's life (first use, changed text, missing and damaged files).
#include "atlas/atlas_search.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "atlas/atlas_index.h"
#include "atlas/atlas_text.h"
#include "atlas/damaged_index.h"
#include "atlas/sqlite_support.h"

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
        {"Cologne", "Cologne, Lombardy, Italy"},  // a place's own name before Köln's alternate name
        {"São Paulo", "São Paulo, Brazil"},       // the region of the same name is left out
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

// A place called exactly what was typed comes first, before a larger place that only lists the word among
// its other names; those follow, and the beginnings after them.
TEST(AtlasSearchTest, APlaceCalledWhatWasTypedComesFirst) {
    for (const char* query :
         {"Center", "Malta", "Monticello", "Saint Petersburg", "Goiana", "Cologne", "Ulm"}) {
        SCOPED_TRACE(query);
        const AtlasSearchResult r = WholeAtlas().Search(query, 10);
        ASSERT_FALSE(r.places.empty());
        const std::vector<std::string> typed = WholeAtlas().Words(query);
        EXPECT_EQ(WholeAtlas().Words(r.places.front().name), typed) << PlaceLabel(r.places.front());
        // The places whose own name it is stand together at the head of the list, largest first.
        std::size_t own = 0;
        while (own < r.places.size() && WholeAtlas().Words(r.places[own].name) == typed) ++own;
        for (std::size_t i = own; i < r.places.size(); ++i)
            EXPECT_NE(WholeAtlas().Words(r.places[i].name), typed) << PlaceLabel(r.places[i]);
        for (std::size_t i = 1; i < own; ++i) EXPECT_GE(r.places[i - 1].population, r.places[i].population);
    }
    // Köln still comes among the first for "Cologne", after the places of that name.
    const AtlasSearchResult cologne = WholeAtlas().Search("Cologne", 10);
    EXPECT_TRUE(std::any_of(cologne.places.begin(), cologne.places.end(),
                            [](const WorldPlace& p) { return p.name == "Köln"; }));
}

TEST(AtlasSearchTest, AFoundPlaceCarriesItsPositionZoneAndPopulation) {
    const AtlasSearchResult r = WholeAtlas().Search("Ulm", 3);
    ASSERT_EQ(r.places.size(), 3u);
    const WorldPlace& ulm = r.places[0];
    EXPECT_NEAR(ulm.latitude, 48.3984, 1e-9);
    EXPECT_NEAR(ulm.longitude, 9.9916, 1e-9);
    EXPECT_EQ(ulm.zone, "Europe/Berlin");
    EXPECT_EQ(ulm.population, 120451);
    // Among the places called Ulm the larger comes first; a place with Ulm only in its name after them.
    EXPECT_EQ(r.places[1].name, "Ulm");
    EXPECT_GE(r.places[0].population, r.places[1].population);
    EXPECT_NE(r.places[2].name, "Ulm");
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

TEST(AtlasSearchTest, SurfaceDistancesAreThoseOfTheEarthsSphere) {
    // A degree of a meridian is 111.195 km on the mean sphere, a quarter of the equator 10 007.557 km.
    EXPECT_NEAR(SurfaceDistanceKm(0, 0, 1, 0), 111.195, 0.001);
    EXPECT_NEAR(SurfaceDistanceKm(0, 0, 0, 90), 10007.557, 0.001);
    EXPECT_NEAR(SurfaceDistanceKm(90, 0, -90, 0), 20015.114, 0.001);
    EXPECT_NEAR(SurfaceDistanceKm(10, 179.5, 10, -179.5), SurfaceDistanceKm(10, 0, 10, 1),
                1e-9);  // across 180
    EXPECT_EQ(SurfaceDistanceKm(48.4, 9.98, 48.4, 9.98), 0);
    // Ulm to Munich, 48.40 N 9.99 E to 48.14 N 11.58 E: about 120 km.
    EXPECT_NEAR(SurfaceDistanceKm(48.3984, 9.9916, 48.1374, 11.5755), 120.0, 1.0);
}

TEST(AtlasSearchTest, TheNearestPlacesComeFirstWithTheirDistances) {
    const Atlas& atlas = WholeAtlas();
    std::vector<double> km;
    const AtlasSearchResult near = atlas.Nearest(48.4, 9.98, 5, km);
    ASSERT_TRUE(near.error.empty()) << near.error;
    ASSERT_EQ(near.places.size(), 5u);
    ASSERT_EQ(km.size(), 5u);
    EXPECT_EQ(near.places[0].name, "Ulm");
    EXPECT_TRUE(std::is_sorted(km.begin(), km.end()));
    for (std::size_t i = 0; i < km.size(); ++i) {
        const WorldPlace& p = near.places[i];
        EXPECT_NEAR(km[i], SurfaceDistanceKm(48.4, 9.98, p.latitude, p.longitude), 1e-9) << p.name;
    }
    // No place of the atlas lies nearer than the fifth but the four before it: a wider list starts alike.
    std::vector<double> more;
    const AtlasSearchResult wider = atlas.Nearest(48.4, 9.98, 50, more);
    ASSERT_EQ(wider.places.size(), 50u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(wider.places[i].name, near.places[i].name);
    EXPECT_GE(more.back(), km.back());
    // Far from land the nearest place is still found; an empty list or a position that is no number
    // gives none.
    EXPECT_EQ(atlas.Nearest(-48.9, -123.4, 1, km).places.size(), 1u);  // the remotest point of the oceans
    EXPECT_GT(km[0], 2000);
    EXPECT_TRUE(atlas.Nearest(48.4, 9.98, 0, km).places.empty());
    EXPECT_TRUE(atlas.Nearest(std::nan(""), 9.98, 3, km).places.empty());
    EXPECT_TRUE(km.empty());
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

TEST_F(SmallAtlasTest, TheAtlasIsReadFromTheDataFolderElseWhereItIsInstalledAndIndexedInTheDataFolder) {
    const fs::path empty = folder_ / "empty";
    fs::create_directories(empty);
    const fs::path withIndex = folder_ / "with-index";
    fs::create_directories(withIndex);
    std::ofstream(withIndex / kAtlasIndexFile) << "index";
    const auto at = [](const fs::path& text, const fs::path& index) {
        return AtlasLocation{text, index / kAtlasIndexFile};
    };
    EXPECT_EQ(LocateAtlas(folder_, empty), at(folder_, folder_));  // the user's own atlas comes first
    // Else the installed one, read in place; an index made for it goes where the user can write.
    EXPECT_EQ(LocateAtlas(empty, folder_), at(folder_, empty));
    EXPECT_EQ(LocateAtlas(withIndex, folder_), at(folder_, withIndex));
    EXPECT_EQ(LocateAtlas(empty, folder_ / "nowhere"), at(empty, empty));  // its absence is told there
    EXPECT_EQ(LocateAtlas(empty, ""), at(empty, empty));
    EXPECT_EQ(AtlasIn(folder_), at(folder_, folder_));
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

// An atlas large enough that its index spans many pages: "Place 1" to "Place N", the larger first.
class LargerAtlasTest : public SmallAtlasTest {
  protected:
    static constexpr int kPlaces = 4000;
    void SetUp() override {
        SmallAtlasTest::SetUp();
        const std::string lines = testing_support::NumberedPlaces(kPlaces);
        WritePlaces(lines);
    }
    static void ZeroTheSearchedPages(const fs::path& file) {
        ASSERT_GT(testing_support::ZeroLeafPages(file, {"name_keys", "places"}), 10u);
    }
    // Zeros over the middle of a file, its first and last tenth kept.
    static void ZeroTheMiddle(const fs::path& file) {
        const auto size = fs::file_size(file);
        std::fstream f(file, std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(static_cast<std::streamoff>(size / 10));
        const std::string zeros(size * 8 / 10, '\0');
        f.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }
    static std::string Bytes(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};

// Counts what a build tells.
struct CountingWatch : AtlasBuildWatch {
    int started = 0;
    std::string file;
    std::vector<std::size_t> done;
    std::size_t total = 0;
    int stopAfter = -1;  // answer false from this call on
    void Started(const std::string& indexFile) override {
        ++started;
        file = indexFile;
    }
    bool Progress(std::size_t d, std::size_t t) override {
        done.push_back(d);
        total = t;
        return stopAfter < 0 || static_cast<int>(done.size()) <= stopAfter;
    }
};

TEST_F(LargerAtlasTest, AnIndexWithZeroedPagesIsFoundWhenOpenedAndMadeAgain) {
    ASSERT_TRUE(Atlas::Open(folder_).atlas);
    const fs::path index = folder_ / kAtlasIndexFile;
    ASSERT_GT(fs::file_size(index), 200000u);
    ZeroTheSearchedPages(index);

    CountingWatch watch;
    const AtlasOpenResult r = Atlas::Open(AtlasIn(folder_), &watch);
    ASSERT_TRUE(r.atlas) << r.message;
    EXPECT_TRUE(r.indexBuilt);
    EXPECT_EQ(watch.started, 1);
    EXPECT_EQ(watch.file, index.string());
    const AtlasSearchResult found = r.atlas->Search("place 2500", 3);
    EXPECT_EQ(found.error, "");
    ASSERT_FALSE(found.places.empty());
    EXPECT_EQ(found.places.front().name, "Place 2500");

    // A stretch of zeros anywhere, the word index's structure too.
    ZeroTheMiddle(index);
    const AtlasOpenResult again = Atlas::Open(folder_);
    ASSERT_TRUE(again.atlas) << again.message;
    EXPECT_TRUE(again.indexBuilt);
    EXPECT_EQ(First(*again.atlas, "place 2500"), "Place 2500, Baden-Württemberg, Germany");
}

TEST_F(LargerAtlasTest, TheCheckValueCoversEveryByteAfterTheHeader) {
    const fs::path index = folder_ / kAtlasIndexFile;
    ASSERT_EQ(BuildAtlasIndex(folder_, index).status, AtlasIndexStatus::Built);
    const std::string good = Bytes(index);
    const auto intact = [&](const std::string& bytes) {
        std::ofstream(index, std::ios::binary | std::ios::trunc) << bytes;
        atlas_sql::Connection db;
        std::string error;
        return db.Open(index.string(), SQLITE_OPEN_READONLY, error) && AtlasIndexIntact(index, db);
    };
    EXPECT_TRUE(intact(good));
    for (const std::size_t at : {std::size_t{100}, good.size() / 2, good.size() - 1}) {
        std::string flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x01);
        EXPECT_FALSE(intact(flipped)) << at;
    }
    EXPECT_FALSE(intact(good.substr(0, good.size() - 4096)));  // cut short by a page
    // The header's change counter is no part of the index's bytes.
    std::string counted = good;
    counted[27] = static_cast<char>(counted[27] ^ 0x01);
    EXPECT_TRUE(intact(counted));
}

TEST_F(LargerAtlasTest, ADamageASearchRunsIntoIsMadeAgainAndSearchedAgain) {
    AtlasOpenResult opened = Atlas::Open(folder_);
    ASSERT_TRUE(opened.atlas);
    ZeroTheSearchedPages(folder_ / kAtlasIndexFile);  // while the atlas is open

    const AtlasSearchResult damaged = opened.atlas->Search("place 2500", 3);
    EXPECT_TRUE(damaged.indexDamaged);
    EXPECT_TRUE(damaged.places.empty());
    EXPECT_NE(damaged.error, "");

    CountingWatch watch;
    const AtlasSearchResult again =
        SearchMakingIndexAgain(opened.atlas, AtlasIn(folder_), "place 2500", 3, &watch);
    EXPECT_EQ(again.error, "");
    EXPECT_FALSE(again.indexDamaged);
    ASSERT_FALSE(again.places.empty());
    EXPECT_EQ(again.places.front().name, "Place 2500");
    EXPECT_EQ(watch.started, 1);
    ASSERT_TRUE(opened.atlas);
    EXPECT_EQ(opened.atlas->Search("place 17", 1).places.at(0).name, "Place 17");
}

TEST_F(LargerAtlasTest, AnIndexForTheInstalledAtlasIsMadeInTheDataFolderAndKept) {
    // The installed folder: the text and a damaged index, never written to.
    ASSERT_TRUE(Atlas::Open(folder_).atlas);
    ZeroTheSearchedPages(folder_ / kAtlasIndexFile);
    const std::string installedIndex = Bytes(folder_ / kAtlasIndexFile);
    const fs::path data = folder_ / "user";
    fs::create_directories(data);
    const AtlasLocation where = LocateAtlas(data, folder_);

    const AtlasOpenResult first = Atlas::Open(where);
    ASSERT_TRUE(first.atlas) << first.message;
    EXPECT_TRUE(first.indexBuilt);
    EXPECT_TRUE(fs::is_regular_file(data / kAtlasIndexFile));
    EXPECT_EQ(Bytes(folder_ / kAtlasIndexFile), installedIndex);

    const AtlasOpenResult second = Atlas::Open(where);
    ASSERT_TRUE(second.atlas);
    EXPECT_FALSE(second.indexBuilt);  // the data folder's index serves from now on
    EXPECT_EQ(First(*second.atlas, "place 9"), "Place 9, Baden-Württemberg, Germany");

    // Once the installed text changes, the index made for the old text is made again.
    WritePlaces("Ulm\t\t\tDE\t01\t48.3984\t9.9916\tEurope/Berlin\t120451\n");
    const AtlasOpenResult changed = Atlas::Open(where);
    ASSERT_TRUE(changed.atlas);
    EXPECT_TRUE(changed.indexBuilt);
    EXPECT_EQ(First(*changed.atlas, "place 9"), "");
}

TEST_F(LargerAtlasTest, OpeningWithoutBuildingSaysThatAnIndexMustBeMade) {
    const AtlasOpenResult none = Atlas::OpenMade(AtlasIn(folder_));
    EXPECT_FALSE(none.atlas);
    EXPECT_TRUE(none.needsBuild);
    EXPECT_EQ(none.message, "");
    EXPECT_FALSE(fs::exists(folder_ / kAtlasIndexFile));

    ASSERT_TRUE(Atlas::Open(folder_).atlas);
    EXPECT_TRUE(Atlas::OpenMade(AtlasIn(folder_)).atlas);

    fs::remove(folder_ / kAtlasIndexFile);
    fs::remove(folder_ / kAtlasPlacesFile);
    const AtlasOpenResult missing = Atlas::OpenMade(AtlasIn(folder_));
    EXPECT_FALSE(missing.needsBuild);
    EXPECT_EQ(missing.message, AtlasMissingMessage((folder_ / kAtlasPlacesFile).string()));
}

TEST_F(LargerAtlasTest, ABuildTellsHowFarItHasComeAndStopsWhenAsked) {
    CountingWatch watch;
    ASSERT_TRUE(Atlas::Rebuild(AtlasIn(folder_), &watch).atlas);
    ASSERT_GE(watch.done.size(), 4u);
    EXPECT_EQ(watch.done.front(), 0u);
    EXPECT_EQ(watch.done.back(), watch.total);
    EXPECT_TRUE(std::is_sorted(watch.done.begin(), watch.done.end()));

    // Stopped half-way: no index, no half-made file, and the index of before stays.
    const std::string before = Bytes(folder_ / kAtlasIndexFile);
    CountingWatch stopping;
    stopping.stopAfter = 2;
    const AtlasOpenResult stopped = Atlas::Rebuild(AtlasIn(folder_), &stopping);
    EXPECT_FALSE(stopped.atlas);
    EXPECT_EQ(stopped.message, kAtlasIndexStoppedMessage);
    EXPECT_EQ(Bytes(folder_ / kAtlasIndexFile), before);
    for (const auto& entry : fs::directory_iterator(folder_))
        EXPECT_EQ(entry.path().filename().string().find(".build-"), std::string::npos) << entry.path();
}

TEST_F(LargerAtlasTest, TwoBuildsAtOnceLeaveOneGoodIndex) {
    const fs::path index = folder_ / kAtlasIndexFile;
    AtlasIndexStatus first = AtlasIndexStatus::TextMissing, second = AtlasIndexStatus::TextMissing;
    std::thread other([&] { second = BuildAtlasIndex(folder_, index).status; });
    first = BuildAtlasIndex(folder_, index).status;
    other.join();
    EXPECT_EQ(first, AtlasIndexStatus::Built);
    EXPECT_EQ(second, AtlasIndexStatus::Built);
    const AtlasOpenResult r = Atlas::OpenMade(AtlasIn(folder_));
    ASSERT_TRUE(r.atlas);
    EXPECT_EQ(First(*r.atlas, "place 3"), "Place 3, Baden-Württemberg, Germany");
}

TEST_F(SmallAtlasTest, AnIndexFileOfSomethingElseIsNoAtlas) {
    const AtlasOpenResult r = Atlas::OpenIndex(folder_ / "NOSUCH.DB");
    EXPECT_FALSE(r.atlas);
    EXPECT_NE(r.message, "");
}

}  // namespace
}  // namespace talvenor
