// Looking up places in the world atlas.
//
// A query is folded into words as the index is ("São Paulo" and "sao-paulo" both read "sao paulo");
// the last word counts as the start of a word, as the user is still typing it. Places are ranked by
// how well they match, then by population:
//   1. a name of the place (its main name, ASCII name or an alternate name) is the query ("Koln" finds
//      Köln through its ASCII name, "Cologne" through an alternate name);
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
    std::string error;  // the user's message when the index could not be read
};

class Atlas;

struct AtlasOpenResult {
    std::unique_ptr<Atlas> atlas;  // empty when the atlas cannot be used
    std::string message;           // why, for the user
    bool indexBuilt = false;       // the index was made from the text on this opening
};

// The folder to open the atlas from: the data folder when it holds the atlas (text or index), else the
// installed data folder when that does (the atlas is read in place there, never copied), else the data
// folder, so that its absence is reported there.
std::filesystem::path AtlasFolder(const std::filesystem::path& dataFolder,
                                  const std::filesystem::path& installedDataDir);

class Atlas {
  public:
    ~Atlas();
    Atlas(const Atlas&) = delete;
    Atlas& operator=(const Atlas&) = delete;

    // The atlas of a data folder: its index ATLAS.DB, made first from the folder's text files when it is
    // missing, damaged, of another layout or made from other text. When the folder cannot take the index
    // file, the index is made in memory for this run. A missing or damaged text gives no atlas and a
    // message; an index that is still good is used even without its text.
    static AtlasOpenResult Open(const std::filesystem::path& folder);
    // An index file as it is, without looking at any text (the benchmarks, the tests).
    static AtlasOpenResult OpenIndex(const std::filesystem::path& indexFile);

    // The best places for a query, at most `limit`; none for a query without a word.
    AtlasSearchResult Search(std::string_view query, std::size_t limit) const;

    // The words of a text as the atlas compares them.
    std::vector<std::string> Words(std::string_view text) const;
    std::size_t PlaceCount() const;

  private:
    struct Index;
    explicit Atlas(std::unique_ptr<Index> index);
    std::unique_ptr<Index> index_;
};

}  // namespace talvenor
