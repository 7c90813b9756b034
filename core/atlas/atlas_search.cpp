#include "atlas/atlas_search.h"

#include <algorithm>
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
    return "The index of the world atlas " + file + " cannot be read (" + reason +
           "). Delete it: it is made again from " + kAtlasPlacesFile + " on the next search.";
}

bool HoldsAtlas(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kAtlasPlacesFile, ec) ||
           fs::is_regular_file(folder / kAtlasIndexFile, ec);
}

}  // namespace

fs::path AtlasFolder(const fs::path& dataFolder, const fs::path& installedDataDir) {
    if (HoldsAtlas(dataFolder)) return dataFolder;
    if (!installedDataDir.empty() && HoldsAtlas(installedDataDir)) return installedDataDir;
    return dataFolder;
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
    std::unique_ptr<Statement> wholeName, words_, place;

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
        Statement count(db, "SELECT value FROM atlas_meta WHERE key = 'places'");
        if (!words->Ready() || !wholeName->Prepared() || !words_->Prepared() || !place->Prepared() ||
            !count.Prepared() || count.Step() != SQLITE_ROW)
            return false;
        places = static_cast<std::size_t>(count.Int(0));
        return true;
    }
};

Atlas::Atlas(std::unique_ptr<Index> index) : index_(std::move(index)) {}
Atlas::~Atlas() = default;

AtlasOpenResult Atlas::OpenIndex(const fs::path& indexFile) {
    AtlasOpenResult result;
    auto index = std::make_unique<Index>();
    index->file = indexFile.string();
    std::string error;
    std::error_code ec;
    if (!fs::is_regular_file(indexFile, ec) ||
        !index->db.Open(indexFile.string(), SQLITE_OPEN_READONLY, error) ||
        RecordedAtlasSignature(index->db).empty() || !index->Prepare()) {
        result.message = AtlasMissingMessage(indexFile.string());
        return result;
    }
    result.atlas.reset(new Atlas(std::move(index)));
    return result;
}

AtlasOpenResult Atlas::Open(const fs::path& folder) {
    AtlasOpenResult result;
    const fs::path indexFile = folder / kAtlasIndexFile;
    const std::string signature = AtlasTextSignature(folder);

    const auto openFile = [&]() -> std::unique_ptr<Index> {
        auto index = std::make_unique<Index>();
        index->file = indexFile.string();
        std::string error;
        std::error_code ec;
        if (!fs::is_regular_file(indexFile, ec) ||
            !index->db.Open(indexFile.string(), SQLITE_OPEN_READONLY, error))
            return nullptr;
        const std::string recorded = RecordedAtlasSignature(index->db);
        if (recorded.empty() || (!signature.empty() && recorded != signature) || !index->Prepare())
            return nullptr;
        return index;
    };

    if (auto index = openFile()) {
        result.atlas.reset(new Atlas(std::move(index)));
        return result;
    }
    if (signature.empty()) {
        // Name the first text file that cannot be read.
        for (const char* name : {kAtlasPlacesFile, kAtlasRegionsFile, kAtlasCountriesFile}) {
            std::error_code ec;
            if (!fs::is_regular_file(folder / name, ec)) {
                result.message = AtlasMissingMessage((folder / name).string());
                return result;
            }
        }
        result.message = AtlasMissingMessage((folder / kAtlasPlacesFile).string());
        return result;
    }

    const AtlasIndexResult built = BuildAtlasIndex(folder, indexFile);
    if (built.status == AtlasIndexStatus::Built) {
        if (auto index = openFile()) {
            result.atlas.reset(new Atlas(std::move(index)));
            result.indexBuilt = true;
            return result;
        }
    } else if (built.status != AtlasIndexStatus::CannotWrite) {
        result.message = built.message;
        return result;
    }

    // No index file can be kept in the folder: one in memory serves this run.
    auto index = std::make_unique<Index>();
    index->file = indexFile.string();
    std::string error;
    if (!index->db.Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, error)) {
        result.message = AtlasIndexUnwritableMessage(indexFile.string(), error);
        return result;
    }
    const AtlasIndexResult inMemory = BuildAtlasIndexInto(index->db, folder);
    if (inMemory.status != AtlasIndexStatus::Built || !index->Prepare()) {
        result.message = inMemory.status == AtlasIndexStatus::Built ? built.message : inMemory.message;
        return result;
    }
    result.atlas.reset(new Atlas(std::move(index)));
    result.indexBuilt = true;
    return result;
}

std::vector<std::string> Atlas::Words(std::string_view text) const {
    return index_->words->Words(CutQuery(text));
}

std::size_t Atlas::PlaceCount() const {
    return index_->places;
}

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
    const auto collect = [&](Statement& s) {
        int rc = SQLITE_ROW;
        while (ids.size() < limit && (rc = s.Step()) == SQLITE_ROW) add(s.Int(0));
        const bool ok = rc == SQLITE_ROW || rc == SQLITE_DONE;
        if (!ok) failure = index_->db.LastError();
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

    Statement& wholeName = *index_->wholeName;
    Statement& matches = *index_->words_;
    wholeName.BindText(1, key);
    bool ok = collect(wholeName);
    for (const std::string& match : {"name : ^" + phrase, "{name other} : " + phrase, everyWord}) {
        if (!ok || ids.size() >= limit) break;
        matches.BindText(1, match);
        ok = collect(matches);
    }

    Statement& place = *index_->place;
    for (std::int64_t id : ids) {
        if (!ok) break;
        place.BindInt(1, id);
        const int rc = place.Step();
        if (rc == SQLITE_ROW) {
            result.places.push_back({place.Text(0), place.Text(1), place.Text(2), place.Real(3),
                                     place.Real(4), place.Text(5), place.Int(6)});
        } else {
            ok = false;
            failure = rc == SQLITE_DONE ? "a place is missing" : index_->db.LastError();
        }
        place.Reset();
    }
    if (!ok) {
        result.places.clear();
        result.error = IndexReadMessage(index_->file, failure);
    }
    return result;
}

}  // namespace talvenor
