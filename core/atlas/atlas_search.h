// Looking up places in the world atlas.
//
// A query is folded into words as the index is ("São Paulo" and "sao-paulo" both read "sao paulo");
// the last word counts as the start of a word, as the user is still typing it. Places are ranked by
// how well they match, then by population:
//   1. the place's own name is the query (diacritics and case folded: "Koln" is Köln's);
//   1b. its ASCII name or an alternate name is ("Cologne" finds Köln after the places called Cologne);
//   2. the main name starts with the query;
//   3. a name holds the query's words in a row;
//   4. every word is found somewhere in the names, the region or the country ("paris texas").
// Whatever the user types, a search gives places or none, never an error of the database: the words
// are quoted, so quotes, "*", "-", "NEAR" or "OR" are only text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor {

struct WorldPlace {
    std::string name;
    std::string region;  // "" where the atlas has no region for the place
    std::string country;
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
    std::string zone;      // IANA zone id
    std::int64_t population = 0;
};

// "Ulm, Baden-Württemberg, Germany"; without the region where there is none.
std::string PlaceLabel(const WorldPlace& place);

// Only this much of a query is read (at a character boundary): no place has a longer name, and a pasted
// page of text still answers at once.
inline constexpr std::size_t kAtlasQueryBytes = 200;
inline constexpr std::size_t kAtlasQueryWords = 8;

struct AtlasSearchResult {
    std::vector<WorldPlace> places;
    std::string error;          // the user's message when the index could not be read
    bool indexDamaged = false;  // the index file is damaged: make it again (Atlas::Rebuild) and search again
};

class Atlas;
class AtlasBuildWatch;

struct AtlasOpenResult {
    std::unique_ptr<Atlas> atlas;  // empty when the atlas cannot be used
    std::string message;           // why, for the user
    bool indexBuilt = false;       // the index was made from the text on this opening
    bool needsBuild = false;  // Atlas::OpenMade: no index is fit for use, and the text is there to make one
};

// Where the atlas is read from: the folder of its text, and the index file a build writes. The text
// folder's own ATLAS.DB serves first whenever it is intact and made from that text; the file of
// `indexFile` next, on the same terms; failing both, the index is made into `indexFile`.
struct AtlasLocation {
    std::filesystem::path textFolder;
    std::filesystem::path indexFile;
    friend bool operator==(const AtlasLocation&, const AtlasLocation&) = default;
};

// The atlas of a data folder: its text is read from the data folder when it holds the atlas text (a
// build folder, TALVENOR_DATA_DIR), else from the installed data folder when that holds the atlas (read in
// place there, never copied), else from the data folder, so that its absence is reported there. An index
// the program makes always goes into the data folder, which the user can write: never into the installed
// folder.
AtlasLocation LocateAtlas(const std::filesystem::path& dataFolder,
                          const std::filesystem::path& installedDataDir);

// The atlas of one folder, text and index alike (the tests, the fuzz targets).
AtlasLocation AtlasIn(const std::filesystem::path& folder);

class Atlas {
  public:
    ~Atlas();
    Atlas(const Atlas&) = delete;
    Atlas& operator=(const Atlas&) = delete;

    // The atlas of a location: an intact index of its text (see AtlasLocation), made first from the text
    // when there is none: missing, damaged, of another layout or made from other text. The watch is told
    // when a build starts and how far it has come. When no index file can be written, the index is made
    // in memory for this run. A missing or damaged text gives no atlas and a message; an index that is
    // still intact is used even without its text.
    static AtlasOpenResult Open(const AtlasLocation& where, AtlasBuildWatch* watch = nullptr);
    // Open(AtlasIn(folder)).
    static AtlasOpenResult Open(const std::filesystem::path& folder);
    // The same without building: quick (the index's check value is read, some 50 ms for the whole atlas).
    // No atlas and `needsBuild` when an index must be made first.
    static AtlasOpenResult OpenMade(const AtlasLocation& where);
    // Makes the index of the location again, whatever is there (after a search found it damaged), and
    // opens it.
    static AtlasOpenResult Rebuild(const AtlasLocation& where, AtlasBuildWatch* watch = nullptr);
    // An intact index file as it is, without looking at any text (the benchmarks, the tests).
    static AtlasOpenResult OpenIndex(const std::filesystem::path& indexFile);

    // The best places for a query, at most `limit`; none for a query without a word.
    AtlasSearchResult Search(std::string_view query, std::size_t limit) const;

    // The places nearest a position (degrees, north and east positive), nearest first, at most `limit`,
    // with their distances along the Earth's surface in km (`distances`, one a place; equal distances in
    // the atlas's order).
    AtlasSearchResult Nearest(double latitude, double longitude, std::size_t limit,
                              std::vector<double>& distances) const;

    // The words of a text as the atlas compares them.
    std::vector<std::string> Words(std::string_view text) const;
    std::size_t PlaceCount() const;

  private:
    struct Index;
    explicit Atlas(std::unique_ptr<Index> index);
    // An index file that is an atlas index of this layout, made from the text of `signature` (from any
    // text when the text cannot be read) and holding the bytes it was sealed with; none otherwise.
    static std::unique_ptr<Index> OpenIntactIndex(const std::filesystem::path& indexFile,
                                                  const std::string& signature);
    std::unique_ptr<Index> index_;
};

// The distance of two positions along the Earth's surface in km (degrees, north and east positive; a sphere
// of the Earth's mean radius, 6371.0088 km, by the haversine formula).
double SurfaceDistanceKm(double latitude1, double longitude1, double latitude2, double longitude2);

// A search that makes a damaged index again, once, and searches again: the report tool's and the
// import's lookups. `atlas` is replaced by the atlas of the new index (or emptied when none can be made).
AtlasSearchResult SearchMakingIndexAgain(std::unique_ptr<Atlas>& atlas, const AtlasLocation& where,
                                         std::string_view query, std::size_t limit, AtlasBuildWatch* watch);

}  // namespace talvenor
