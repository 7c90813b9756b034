#include "atlas/atlas_search.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <system_error>
#include <utility>

#include "atlas/atlas_index.h"
#include "atlas/atlas_text.h"
#include "atlas/sqlite_support.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using atlas_sql::Connection;
using atlas_sql::Statement;
using atlas_sql::WordFolder;

// The query cut to kAtlasQueryBytes without splitting a UTF-8 character.
std::string_view CutQuery(std::string_view query) {
    if (query.size() <= kAtlasQueryBytes) return query;
    std::size_t end = kAtlasQueryBytes;
    while (end > 0 && (static_cast<unsigned char>(query[end]) & 0xC0) == 0x80) --end;
    return query.substr(0, end);
}

// A word as an FTS5 string: in double quotes, a quote inside doubled. The folded words hold letters and
// digits only, but a query must never become FTS5 syntax whatever the tokenizer lets through.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string Joined(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words) {
        if (!out.empty()) out += ' ';
        out += w;
    }
    return out;
}

std::string IndexReadMessage(const std::string& file, const std::string& reason) {
    return "The index of the world atlas " + file + " cannot be read (" + reason + ").";
}

bool IsFile(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

}  // namespace

AtlasLocation LocateAtlas(const fs::path& dataFolder, const fs::path& installedDataDir) {
    const fs::path indexFile = dataFolder / kAtlasIndexFile;
    if (IsFile(dataFolder / kAtlasPlacesFile)) return {dataFolder, indexFile};
    if (!installedDataDir.empty() &&
        (IsFile(installedDataDir / kAtlasPlacesFile) || IsFile(installedDataDir / kAtlasIndexFile)))
        return {installedDataDir, indexFile};
    return {dataFolder, indexFile};
}

AtlasLocation AtlasIn(const fs::path& folder) {
    return {folder, folder / kAtlasIndexFile};
}

std::string PlaceLabel(const WorldPlace& place) {
    std::string label = place.name;
    if (!place.region.empty() && place.region != place.name) label += ", " + place.region;
    if (!place.country.empty()) label += ", " + place.country;
    return label;
}

struct Atlas::Index {
    Connection db;
    std::string file;
    std::size_t places = 0;
    std::unique_ptr<WordFolder> words;
    std::unique_ptr<Statement> wholeName, words_, place, positions, mainName;

    // Prepares the statements; false when the database is not an atlas index.
    bool Prepare() {
        words = std::make_unique<WordFolder>(db);
        wholeName =
            std::make_unique<Statement>(db, "SELECT place FROM name_keys WHERE key = ?1 ORDER BY place");
        words_ = std::make_unique<Statement>(
            db, "SELECT rowid FROM place_words WHERE place_words MATCH ?1 ORDER BY rowid");
        place = std::make_unique<Statement>(
            db,
            "SELECT p.name, a.region, a.country, p.latitude, p.longitude, z.zone, p.population FROM places p "
            "JOIN areas a ON a.id = p.area JOIN zones z ON z.id = p.zone WHERE p.id = ?1");
        positions = std::make_unique<Statement>(db, "SELECT id, latitude, longitude FROM places ORDER BY id");
        mainName = std::make_unique<Statement>(db, "SELECT name FROM places WHERE id = ?1");
        Statement count(db, "SELECT value FROM atlas_meta WHERE key = 'places'");
        if (!words->Ready() || !wholeName->Prepared() || !words_->Prepared() || !place->Prepared() ||
            !positions->Prepared() || !mainName->Prepared() || !count.Prepared() ||
            count.Step() != SQLITE_ROW)
            return false;
        places = static_cast<std::size_t>(count.Int(0));
        return true;
    }

    // Appends the places of the ids to the result in their order; false, with what failed, when the index
    // cannot give one (a place the words or the positions point to and the table lacks is a damaged index
    // as well).
    bool ReadPlaces(const std::vector<std::int64_t>& ids, AtlasSearchResult& result, std::string& failure,
                    bool& damaged) {
        for (const std::int64_t id : ids) {
            place->BindInt(1, id);
            const int rc = place->Step();
            if (rc != SQLITE_ROW) {
                failure = rc == SQLITE_DONE ? "a place is missing" : db.LastError();
                damaged = rc == SQLITE_DONE || IsIndexReadFault(rc);
                place->Reset();
                return false;
            }
            result.places.push_back({place->Text(0), place->Text(1), place->Text(2), place->Real(3),
                                     place->Real(4), place->Text(5), place->Int(6)});
            place->Reset();
        }
        return true;
    }
};

Atlas::Atlas(std::unique_ptr<Index> index) : index_(std::move(index)) {}
Atlas::~Atlas() = default;

AtlasOpenResult Atlas::OpenIndex(const fs::path& indexFile) {
    AtlasOpenResult result;
    if (auto index = OpenIntactIndex(indexFile, "")) {
        result.atlas.reset(new Atlas(std::move(index)));
    } else {
        result.message = AtlasMissingMessage(indexFile.string());
    }
    return result;
}

AtlasOpenResult Atlas::Open(const fs::path& folder) {
    return Open(AtlasIn(folder));
}

AtlasOpenResult Atlas::Open(const AtlasLocation& where, AtlasBuildWatch* watch) {
    AtlasOpenResult made = OpenMade(where);
    if (made.atlas || !made.needsBuild) return made;
    return Rebuild(where, watch);
}

AtlasOpenResult Atlas::OpenMade(const AtlasLocation& where) {
    AtlasOpenResult result;
    const std::string signature = AtlasTextSignature(where.textFolder);
    std::vector<fs::path> files{where.textFolder / kAtlasIndexFile};
    if (where.indexFile != files.front()) files.push_back(where.indexFile);
    for (const fs::path& file : files) {
        if (auto index = OpenIntactIndex(file, signature)) {
            result.atlas.reset(new Atlas(std::move(index)));
            return result;
        }
    }
    if (signature.empty()) {
        // Name the first text file that cannot be read.
        for (const char* name : {kAtlasPlacesFile, kAtlasRegionsFile, kAtlasCountriesFile}) {
            if (!IsFile(where.textFolder / name)) {
                result.message = AtlasMissingMessage((where.textFolder / name).string());
                return result;
            }
        }
        result.message = AtlasMissingMessage((where.textFolder / kAtlasPlacesFile).string());
        return result;
    }
    result.needsBuild = true;
    return result;
}

AtlasOpenResult Atlas::Rebuild(const AtlasLocation& where, AtlasBuildWatch* watch) {
    AtlasOpenResult result;
    const std::string signature = AtlasTextSignature(where.textFolder);
    if (watch) watch->Started(where.indexFile.string());
    const AtlasIndexResult built = BuildAtlasIndex(where.textFolder, where.indexFile, watch);
    if (built.status == AtlasIndexStatus::Built) {
        if (auto index = OpenIntactIndex(where.indexFile, signature)) {
            result.atlas.reset(new Atlas(std::move(index)));
            result.indexBuilt = true;
            return result;
        }
    } else if (built.status != AtlasIndexStatus::CannotWrite) {
        result.message =
            built.status == AtlasIndexStatus::Stopped ? kAtlasIndexStoppedMessage : built.message;
        return result;
    }

    // No index file can be kept: one in memory serves this run.
    auto index = std::make_unique<Index>();
    index->file = where.indexFile.string();
    std::string error;
    if (!index->db.Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, error)) {
        result.message = AtlasIndexUnwritableMessage(where.indexFile.string(), error);
        return result;
    }
    const AtlasIndexResult inMemory = BuildAtlasIndexInto(index->db, where.textFolder, watch);
    if (inMemory.status != AtlasIndexStatus::Built || !index->Prepare()) {
        result.message = inMemory.status == AtlasIndexStatus::Built     ? built.message
                         : inMemory.status == AtlasIndexStatus::Stopped ? kAtlasIndexStoppedMessage
                                                                        : inMemory.message;
        return result;
    }
    result.atlas.reset(new Atlas(std::move(index)));
    result.indexBuilt = true;
    return result;
}

std::unique_ptr<Atlas::Index> Atlas::OpenIntactIndex(const fs::path& indexFile,
                                                     const std::string& signature) {
    auto index = std::make_unique<Index>();
    index->file = indexFile.string();
    std::string error;
    if (!IsFile(indexFile) || !index->db.Open(indexFile.string(), SQLITE_OPEN_READONLY, error))
        return nullptr;
    const std::string recorded = RecordedAtlasSignature(index->db);
    if (recorded.empty() || (!signature.empty() && recorded != signature)) return nullptr;
    if (!AtlasIndexIntact(indexFile, index->db) || !index->Prepare()) return nullptr;
    return index;
}

AtlasSearchResult SearchMakingIndexAgain(std::unique_ptr<Atlas>& atlas, const AtlasLocation& where,
                                         std::string_view query, std::size_t limit, AtlasBuildWatch* watch) {
    AtlasSearchResult result;
    if (!atlas) return result;
    result = atlas->Search(query, limit);
    if (!result.indexDamaged) return result;
    atlas.reset();
    AtlasOpenResult made = Atlas::Rebuild(where, watch);
    if (!made.atlas) {
        result.error += " " + made.message;
        return result;
    }
    atlas = std::move(made.atlas);
    return atlas->Search(query, limit);
}

std::vector<std::string> Atlas::Words(std::string_view text) const {
    return index_->words->Words(CutQuery(text));
}

std::size_t Atlas::PlaceCount() const {
    return index_->places;
}

namespace {

// The most places a name is looked at for, to find those it is the own name of: far more than any name
// has (the commonest, "San Jose" or "Springfield", some hundreds).
constexpr std::size_t kMostWholeNameMatches = 5000;

}  // namespace

AtlasSearchResult Atlas::Search(std::string_view query, std::size_t limit) const {
    AtlasSearchResult result;
    std::vector<std::string> words = Words(query);
    if (words.size() > kAtlasQueryWords) words.resize(kAtlasQueryWords);
    if (words.empty() || limit == 0) return result;

    std::vector<std::int64_t> ids;
    std::string failure;
    const auto add = [&](std::int64_t id) {
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
        return ids.size() < limit;
    };
    // Steps through a statement's ids until the list is full; false when the database failed.
    bool damaged = false;
    const auto collect = [&](Statement& s) {
        int rc = SQLITE_ROW;
        while (ids.size() < limit && (rc = s.Step()) == SQLITE_ROW) add(s.Int(0));
        const bool ok = rc == SQLITE_ROW || rc == SQLITE_DONE;
        if (!ok) {
            failure = index_->db.LastError();
            damaged = IsIndexReadFault(rc);
        }
        s.Reset();
        return ok;
    };

    const std::string key = Joined(words);
    std::string phrase = Quoted(key) + "*";
    std::string everyWord;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i) everyWord += ' ';
        everyWord += Quoted(words[i]);
    }
    everyWord += '*';

    // A name of the place is the query: first the places whose own name it is, then those with it as their
    // ASCII or an alternate name, each by population (the atlas's order).
    Statement& wholeName = *index_->wholeName;
    Statement& matches = *index_->words_;
    Statement& mainName = *index_->mainName;
    wholeName.BindText(1, key);
    std::vector<std::int64_t> own, other;
    int rc = SQLITE_ROW;
    while (own.size() < limit && own.size() + other.size() < kMostWholeNameMatches &&
           (rc = wholeName.Step()) == SQLITE_ROW) {
        const std::int64_t id = wholeName.Int(0);
        mainName.BindInt(1, id);
        const bool isOwn =
            mainName.Step() == SQLITE_ROW && Joined(index_->words->Words(mainName.Text(0))) == key;
        mainName.Reset();
        (isOwn ? own : other).push_back(id);
    }
    bool ok = rc == SQLITE_ROW || rc == SQLITE_DONE;
    if (!ok) {
        failure = index_->db.LastError();
        damaged = IsIndexReadFault(rc);
    }
    wholeName.Reset();
    for (const std::int64_t id : own) add(id);
    for (const std::int64_t id : other) {
        if (ids.size() >= limit) break;
        add(id);
    }
    for (const std::string& match : {"name : ^" + phrase, "{name other} : " + phrase, everyWord}) {
        if (!ok || ids.size() >= limit) break;
        matches.BindText(1, match);
        ok = collect(matches);
    }

    if (ok) ok = index_->ReadPlaces(ids, result, failure, damaged);
    if (!ok) {
        result.places.clear();
        result.error = IndexReadMessage(index_->file, failure);
        result.indexDamaged = damaged;
    }
    return result;
}

double SurfaceDistanceKm(double latitude1, double longitude1, double latitude2, double longitude2) {
    constexpr double kDegree = 3.14159265358979323846 / 180;
    constexpr double kEarthRadiusKm = 6371.0088;
    const double dLat = (latitude2 - latitude1) * kDegree, dLon = (longitude2 - longitude1) * kDegree;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) + std::cos(latitude1 * kDegree) *
                                                                   std::cos(latitude2 * kDegree) *
                                                                   std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

AtlasSearchResult Atlas::Nearest(double latitude, double longitude, std::size_t limit,
                                 std::vector<double>& distances) const {
    AtlasSearchResult result;
    distances.clear();
    if (limit == 0 || !std::isfinite(latitude) || !std::isfinite(longitude)) return result;
    // Every place's distance, the nearest kept: a pass over the positions takes some 30 ms.
    struct Near {
        double km;
        std::int64_t id;
    };
    std::vector<Near> near;
    near.reserve(index_->places);
    Statement& positions = *index_->positions;
    int rc = SQLITE_ROW;
    while ((rc = positions.Step()) == SQLITE_ROW)
        near.push_back(
            {SurfaceDistanceKm(latitude, longitude, positions.Real(1), positions.Real(2)), positions.Int(0)});
    positions.Reset();
    std::string failure;
    bool ok = rc == SQLITE_DONE, damaged = false;
    if (!ok) {
        failure = index_->db.LastError();
        damaged = IsIndexReadFault(rc);
    }
    const std::size_t count = std::min(limit, near.size());
    std::partial_sort(
        near.begin(), near.begin() + static_cast<std::ptrdiff_t>(count), near.end(),
        [](const Near& a, const Near& b) { return a.km < b.km || (a.km == b.km && a.id < b.id); });
    std::vector<std::int64_t> ids;
    for (std::size_t i = 0; i < count; ++i) {
        ids.push_back(near[i].id);
        distances.push_back(near[i].km);
    }
    if (ok) ok = index_->ReadPlaces(ids, result, failure, damaged);
    if (!ok) {
        result.places.clear();
        distances.clear();
        result.error = IndexReadMessage(index_->file, failure);
        result.indexDamaged = damaged;
    }
    return result;
}

}  // namespace talvenor
