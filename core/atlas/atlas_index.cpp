#include "atlas/atlas_index.h"

#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "atlas/atlas_text.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using atlas_sql::Connection;
using atlas_sql::Statement;
using atlas_sql::WordFolder;

constexpr const char* kSchema = R"(
CREATE TABLE atlas_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE areas(id INTEGER PRIMARY KEY, region TEXT NOT NULL, country TEXT NOT NULL);
CREATE TABLE zones(id INTEGER PRIMARY KEY, zone TEXT NOT NULL);
CREATE TABLE places(id INTEGER PRIMARY KEY, name TEXT NOT NULL, area INTEGER NOT NULL,
                    latitude REAL NOT NULL, longitude REAL NOT NULL, zone INTEGER NOT NULL,
                    population INTEGER NOT NULL);
CREATE TABLE name_keys(key TEXT NOT NULL, place INTEGER NOT NULL, PRIMARY KEY(key, place)) WITHOUT ROWID;
CREATE VIRTUAL TABLE place_words USING fts5(name, other, area, content='', columnsize=0,
    tokenize='unicode61 remove_diacritics 2', prefix='1 2 3');
)";

std::string FileText(const fs::path& file) {
    return file.string();
}

// Every line of a text file; no value when it cannot be read.
std::optional<std::vector<std::string>> ReadLines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(std::move(line));
    if (in.bad()) return std::nullopt;
    return lines;
}

struct Area {
    std::string region, country, words;
};

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (const std::string& p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += separator;
        out += p;
    }
    return out;
}

std::string JoinWords(const std::vector<std::string>& words) {
    return Join(words, " ");
}

// The CRC-32 of a file from `offset` on, and the number of bytes it covers; ok is false when the file
// cannot be read.
std::uint32_t ChecksumFile(const fs::path& file, std::uintmax_t offset, std::uintmax_t& size, bool& ok) {
    uLong crc = crc32_z(0L, Z_NULL, 0);
    std::ifstream in(file, std::ios::binary);
    ok = static_cast<bool>(in);
    size = 0;
    if (!ok) return static_cast<std::uint32_t>(crc);
    if (offset > 0 && !in.seekg(static_cast<std::streamoff>(offset))) {
        ok = false;
        return static_cast<std::uint32_t>(crc);
    }
    std::vector<char> buffer(1 << 20);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        crc = crc32_z(crc, reinterpret_cast<const Bytef*>(buffer.data()), got);
        size += got;
    }
    ok = !in.bad();
    return static_cast<std::uint32_t>(crc);
}

// The file header of an SQLite database: its first 100 bytes, which every write changes (the change
// counter) and which hold the check value itself (the user version, bytes 60 to 63).
constexpr std::uintmax_t kHeaderBytes = 100;

// The check value of an index file's bytes after the header, as the header's user version keeps it: the
// CRC-32 with its bits read as a signed 32-bit number.
std::optional<std::int32_t> BodyCheckValue(const fs::path& indexFile) {
    std::uintmax_t size = 0;
    bool ok = false;
    const std::uint32_t crc = ChecksumFile(indexFile, kHeaderBytes, size, ok);
    if (!ok || size == 0) return std::nullopt;
    return static_cast<std::int32_t>(crc);
}

// Writes the check value of a finished index file into its header.
bool SealIndexFile(const fs::path& indexFile, std::string& error) {
    const auto check = BodyCheckValue(indexFile);
    if (!check) {
        error = "the index just written cannot be read back";
        return false;
    }
    Connection db;
    if (!db.Open(indexFile.string(), SQLITE_OPEN_READWRITE, error)) return false;
    const std::string pragma = "PRAGMA user_version = " + std::to_string(*check);
    return db.Execute(pragma.c_str(), error);
}

// How the build's share of work is told: reading and sorting the text, writing the places, merging the
// word index; in steps of a thousand, in proportion to the time each part takes.
constexpr std::size_t kBuildSteps = 1000;
constexpr std::size_t kReadSteps = 60;
constexpr std::size_t kPlaceSteps = 880;
constexpr std::size_t kPlacesPerReport = 2000;

AtlasIndexResult Failure(AtlasIndexStatus status, std::string message) {
    AtlasIndexResult r;
    r.status = status;
    r.message = std::move(message);
    return r;
}

}  // namespace

std::string AtlasMissingMessage(const std::string& file) {
    return "The world atlas file " + file +
           " is missing, so Find Place cannot look up places. Everything else works as before.";
}

std::string AtlasDamagedMessage(const std::string& file) {
    return "The world atlas file " + file +
           " is damaged: it holds no place that can be read, so Find Place cannot look up places. Everything "
           "else works as before.";
}

std::string AtlasIndexUnwritableMessage(const std::string& file, const std::string& reason) {
    return "The index of the world atlas cannot be written to " + file + " (" + reason + ").";
}

std::string AtlasTextSignature(const fs::path& folder) {
    std::string signature = "layout " + std::to_string(kAtlasIndexLayout);
    for (const char* name : {kAtlasPlacesFile, kAtlasRegionsFile, kAtlasCountriesFile}) {
        std::uintmax_t size = 0;
        bool ok = false;
        const std::uint32_t crc = ChecksumFile(folder / name, 0, size, ok);
        if (!ok) return {};
        signature += "; " + std::string(name) + " " + std::to_string(size) + " " + std::to_string(crc);
    }
    return signature;
}

bool AtlasIndexIntact(const fs::path& indexFile, const Connection& db) {
    Statement version(db, "PRAGMA user_version");
    if (!version.Prepared() || version.Step() != SQLITE_ROW) return false;
    const auto sealed = static_cast<std::int32_t>(version.Int(0));
    const auto check = BodyCheckValue(indexFile);
    return check && *check == sealed;
}

bool IsIndexReadFault(int code) {
    switch (code & 0xFF) {
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
        case SQLITE_IOERR:
        case SQLITE_FORMAT:
        case SQLITE_CANTOPEN:
            return true;
        default:
            return false;
    }
}

std::string RecordedAtlasSignature(const Connection& db) {
    Statement read(db, "SELECT value FROM atlas_meta WHERE key = 'signature'");
    if (!read.Prepared() || read.Step() != SQLITE_ROW) return {};
    std::string signature = read.Text(0);
    const std::string layout = "layout " + std::to_string(kAtlasIndexLayout) + ";";
    return signature.rfind(layout, 0) == 0 ? signature : std::string();
}

AtlasIndexResult BuildAtlasIndexInto(const Connection& db, const fs::path& folder, AtlasBuildWatch* watch) {
    const auto progress = [watch](std::size_t done) { return !watch || watch->Progress(done, kBuildSteps); };
    if (!progress(0)) return Failure(AtlasIndexStatus::Stopped, "");
    const fs::path placesFile = folder / kAtlasPlacesFile;
    const fs::path regionsFile = folder / kAtlasRegionsFile;
    const fs::path countriesFile = folder / kAtlasCountriesFile;
    const std::string signature = AtlasTextSignature(folder);
    const auto placeLines = ReadLines(placesFile);
    const auto regionLines = ReadLines(regionsFile);
    const auto countryLines = ReadLines(countriesFile);
    if (!placeLines) return Failure(AtlasIndexStatus::TextMissing, AtlasMissingMessage(FileText(placesFile)));
    if (!regionLines)
        return Failure(AtlasIndexStatus::TextMissing, AtlasMissingMessage(FileText(regionsFile)));
    if (!countryLines)
        return Failure(AtlasIndexStatus::TextMissing, AtlasMissingMessage(FileText(countriesFile)));
    if (signature.empty())
        return Failure(AtlasIndexStatus::TextMissing, AtlasMissingMessage(FileText(placesFile)));

    std::map<std::string, std::string> regions;
    for (const std::string& line : *regionLines)
        if (auto r = ParseAtlasNameLine(line, 2)) regions[r->code] = r->name;
    std::map<std::string, AtlasNameLine> countries;
    for (const std::string& line : *countryLines)
        if (auto c = ParseAtlasNameLine(line, 3)) countries[c->code] = *c;
    if (countries.empty())
        return Failure(AtlasIndexStatus::TextDamaged, AtlasDamagedMessage(FileText(countriesFile)));

    AtlasIndexResult result;
    std::vector<AtlasPlaceLine> places;
    places.reserve(placeLines->size());
    for (const std::string& line : *placeLines) {
        if (auto p = ParseAtlasPlaceLine(line)) {
            places.push_back(std::move(*p));
        } else if (!line.empty() && line[0] != '#' && line != "\r") {
            ++result.skippedLines;
        }
    }
    if (places.empty())
        return Failure(AtlasIndexStatus::TextDamaged, AtlasDamagedMessage(FileText(placesFile)));
    // Largest first; places of equal population keep the order of the file.
    std::stable_sort(places.begin(), places.end(), [](const AtlasPlaceLine& a, const AtlasPlaceLine& b) {
        return a.population > b.population;
    });
    if (!progress(kReadSteps)) return Failure(AtlasIndexStatus::Stopped, "");

    std::string error;
    if (!db.Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN;", error) ||
        !db.Execute(kSchema, error))
        return Failure(AtlasIndexStatus::CannotWrite, error);

    WordFolder words(db);
    if (!words.Ready()) return Failure(AtlasIndexStatus::CannotWrite, "SQLite offers no FTS5 tokenizer");

    Statement insertArea(db, "INSERT INTO areas(id, region, country) VALUES(?1, ?2, ?3)");
    Statement insertZone(db, "INSERT INTO zones(id, zone) VALUES(?1, ?2)");
    Statement insertPlace(db,
                          "INSERT INTO places(id, name, area, latitude, longitude, zone, population) "
                          "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    Statement insertKey(db, "INSERT OR IGNORE INTO name_keys(key, place) VALUES(?1, ?2)");
    Statement insertWords(db, "INSERT INTO place_words(rowid, name, other, area) VALUES(?1, ?2, ?3, ?4)");
    if (!insertArea.Prepared() || !insertZone.Prepared() || !insertPlace.Prepared() ||
        !insertKey.Prepared() || !insertWords.Prepared())
        return Failure(AtlasIndexStatus::CannotWrite, db.LastError());

    std::map<std::pair<std::string, std::string>, std::int64_t> areaIds;
    std::map<std::string, std::int64_t> zoneIds;
    bool writeFailed = false;
    const auto step = [&](Statement& s) {
        if (s.Step() != SQLITE_DONE) writeFailed = true;
        s.Reset();
    };

    std::int64_t id = 0;
    for (const AtlasPlaceLine& p : places) {
        ++id;
        const auto region = p.region.empty() ? regions.end() : regions.find(p.country + "." + p.region);
        const std::string regionName = region == regions.end() ? std::string() : region->second;
        const auto country = countries.find(p.country);
        const std::string countryName = country == countries.end() ? p.country : country->second.name;

        auto [area, newArea] = areaIds.try_emplace({regionName, countryName}, areaIds.size() + 1);
        if (newArea) {
            insertArea.BindInt(1, area->second);
            insertArea.BindText(2, regionName);
            insertArea.BindText(3, countryName);
            step(insertArea);
        }
        auto [zone, newZone] = zoneIds.try_emplace(p.zone, zoneIds.size() + 1);
        if (newZone) {
            insertZone.BindInt(1, zone->second);
            insertZone.BindText(2, p.zone);
            step(insertZone);
        }
        insertPlace.BindInt(1, id);
        insertPlace.BindText(2, p.name);
        insertPlace.BindInt(3, area->second);
        insertPlace.BindReal(4, p.latitude);
        insertPlace.BindReal(5, p.longitude);
        insertPlace.BindInt(6, zone->second);
        insertPlace.BindInt(7, p.population);
        step(insertPlace);

        std::vector<std::string> others;
        if (!p.asciiName.empty()) others.push_back(p.asciiName);
        others.insert(others.end(), p.alternates.begin(), p.alternates.end());
        std::vector<std::string> keys{JoinWords(words.Words(p.name))};
        for (const std::string& name : others) keys.push_back(JoinWords(words.Words(name)));
        for (const std::string& key : keys) {
            if (key.empty()) continue;
            insertKey.BindText(1, key);
            insertKey.BindInt(2, id);
            step(insertKey);
        }

        std::vector<std::string> areaNames{regionName, countryName};
        if (country != countries.end())
            areaNames.insert(areaNames.end(), country->second.others.begin(), country->second.others.end());
        insertWords.BindInt(1, id);
        insertWords.BindText(2, atlas_sql::SpellOutLetters(p.name));
        insertWords.BindText(3, atlas_sql::SpellOutLetters(Join(others, " ; ")));
        insertWords.BindText(4, atlas_sql::SpellOutLetters(Join(areaNames, " ; ")));
        step(insertWords);
        if (writeFailed) return Failure(AtlasIndexStatus::CannotWrite, db.LastError());
        if (id % kPlacesPerReport == 0 &&
            !progress(kReadSteps + kPlaceSteps * static_cast<std::size_t>(id) / places.size())) {
            // Nothing of a stopped build is kept: the caller throws the file or the memory away.
            return Failure(AtlasIndexStatus::Stopped, "");
        }
    }
    if (!progress(kReadSteps + kPlaceSteps)) return Failure(AtlasIndexStatus::Stopped, "");

    Statement insertMeta(db, "INSERT INTO atlas_meta(key, value) VALUES(?1, ?2)");
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"signature", signature},
                                     {"places", std::to_string(places.size())}}) {
        insertMeta.BindText(1, key);
        insertMeta.BindText(2, value);
        step(insertMeta);
    }
    if (writeFailed || !db.Execute("INSERT INTO place_words(place_words) VALUES('optimize'); COMMIT;", error))
        return Failure(AtlasIndexStatus::CannotWrite, writeFailed ? db.LastError() : error);
    result.places = places.size();
    progress(kBuildSteps);
    return result;
}

AtlasIndexResult BuildAtlasIndex(const fs::path& textFolder, const fs::path& indexFile,
                                 AtlasBuildWatch* watch) {
    // A name no other build uses, this process's other windows included.
    std::string pattern = indexFile.string() + ".build-XXXXXX";
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) {
        return Failure(AtlasIndexStatus::CannotWrite,
                       AtlasIndexUnwritableMessage(
                           indexFile.string(), std::error_code(errno, std::generic_category()).message()));
    }
    // Readable by all, as the text it is made from (mkstemp makes the file for its owner alone).
    fchmod(descriptor, 0644);
    close(descriptor);
    const fs::path temporary = pattern;
    std::error_code ec;
    AtlasIndexResult result;
    {
        Connection db;
        std::string error;
        if (!db.Open(temporary.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error)) {
            fs::remove(temporary, ec);
            return Failure(AtlasIndexStatus::CannotWrite,
                           AtlasIndexUnwritableMessage(indexFile.string(), error));
        }
        result = BuildAtlasIndexInto(db, textFolder, watch);
    }
    if (result.status == AtlasIndexStatus::Built) {
        std::string error;
        if (!SealIndexFile(temporary, error)) result = Failure(AtlasIndexStatus::CannotWrite, error);
    }
    if (result.status == AtlasIndexStatus::CannotWrite)
        result.message = AtlasIndexUnwritableMessage(indexFile.string(), result.message);
    if (result.status != AtlasIndexStatus::Built) {
        fs::remove(temporary, ec);
        return result;
    }
    fs::rename(temporary, indexFile, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove(temporary, ec);
        return Failure(AtlasIndexStatus::CannotWrite,
                       AtlasIndexUnwritableMessage(indexFile.string(), reason));
    }
    return result;
}

}  // namespace talvenor
