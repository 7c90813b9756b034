// The search index of the world atlas: an SQLite file (ATLAS.DB) made from the atlas text files.
//
// Places are numbered by population, the largest first, so that every index lists its matches in that
// order and a search can stop after the first few. The index holds
//   - the places (name, region and country, position, zone id, population);
//   - every name of every place folded to its words ("koln", "sao paulo"), for whole-name matches;
//   - an FTS5 table of the words of the main name, of the other names and of the region and country,
//     with prefix indexes for the first one to three letters, for matches while the user types.
// The index records the signature of the text it was made from, so that a changed atlas is indexed
// again on its next use, and never at every start. It also carries a check value of its own bytes (a
// CRC-32 of everything after the 100-byte file header, kept in the header's user version), so that a
// file damaged anywhere, a stretch of zeros in the middle as well as a cut end, is found when it is
// opened, in a read of the file (some 50 ms for the whole atlas) rather than a walk of its pages
// (PRAGMA quick_check takes a second and more), and is made again.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "atlas/sqlite_support.h"

namespace talvenor {

// Raised whenever the layout of the index changes: an index of another layout is made again.
inline constexpr int kAtlasIndexLayout = 2;

enum class AtlasIndexStatus {
    Built,
    TextMissing,  // a text file cannot be read
    TextDamaged,  // the places file holds no place that can be read, or a names file none
    CannotWrite,  // the index file cannot be made (a read-only folder, a full disk)
    Stopped       // the watch asked to stop
};

// Told while an index is made, which takes several seconds for the whole atlas: once when it starts, then
// how far it has come. Called on the thread that builds.
class AtlasBuildWatch {
  public:
    virtual ~AtlasBuildWatch() = default;
    // The index file about to be made (":memory:" for an index in memory).
    virtual void Started(const std::string& indexFile) = 0;
    // `done` of `total` steps; false stops the build, which then leaves nothing behind.
    virtual bool Progress(std::size_t done, std::size_t total) = 0;
};

struct AtlasIndexResult {
    AtlasIndexStatus status = AtlasIndexStatus::Built;
    std::string message;  // the user's message for any status but Built
    std::size_t places = 0;
    std::size_t skippedLines = 0;  // lines of the places file that are not places
};

// Sizes and a 64-bit FNV-1a hash of the three text files of the folder; "" when one cannot be read.
std::string AtlasTextSignature(const std::filesystem::path& folder);

// Makes the index file from the folder's text files: written under a temporary name of its own in the
// index's folder, sealed with its check value, then renamed over indexFile, so that an interrupted build
// never leaves half an index and two builds at once never write into the same file.
AtlasIndexResult BuildAtlasIndex(const std::filesystem::path& textFolder,
                                 const std::filesystem::path& indexFile, AtlasBuildWatch* watch = nullptr);

// The same into an open, empty database (an in-memory one when no file can be written).
AtlasIndexResult BuildAtlasIndexInto(const atlas_sql::Connection& db, const std::filesystem::path& textFolder,
                                     AtlasBuildWatch* watch = nullptr);

// The layout and signature an index file records; "" when it is not an atlas index of this layout.
std::string RecordedAtlasSignature(const atlas_sql::Connection& db);

// Whether an index file, open in `db`, still holds the bytes it was sealed with.
bool AtlasIndexIntact(const std::filesystem::path& indexFile, const atlas_sql::Connection& db);

// Whether an SQLite result code says that the file is damaged or cannot be read (corrupt, not a
// database, an input/output error, cut short), so that the index must be made again.
bool IsIndexReadFault(int code);

inline constexpr const char* kAtlasIndexStoppedMessage =
    "The index of the world atlas was not made: its making was stopped. It is made on the next search.";

// Messages of the atlas. `file` is the full path shown to the user.
std::string AtlasMissingMessage(const std::string& file);
std::string AtlasDamagedMessage(const std::string& file);
std::string AtlasIndexUnwritableMessage(const std::string& file, const std::string& reason);

}  // namespace talvenor
