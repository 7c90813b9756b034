// The world atlas as the Find Place window uses it: opening it, searches on the whole atlas while the user
// types, and the offset of a zone at a clock time from the system's time-zone database.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "atlas/atlas_index.h"
#include "atlas/atlas_search.h"
#include "atlas/sqlite_support.h"
#include "atlas/zone_readings.h"
#include "system_zones.h"

namespace {

using namespace talvenor;

const Atlas& BuiltAtlas() {
    static const AtlasOpenResult opened = Atlas::OpenIndex(TALVENOR_ATLAS_INDEX);
    if (!opened.atlas) std::abort();
    return *opened.atlas;
}

// Whole names, names being typed letter by letter, and words that match very many places.
const std::vector<std::string> kQueries = {
    "Ulm",  "Koln", "São Paulo", "new york", "paris texas", "s",    "sa",
    "san",  "sant", "santa",     "santa c",  "b",           "be",   "ber",
    "berl", "unit", "aust",      "fran",     "stat",        "mexi", "\"NEAR\" * - OR"};

void BM_AtlasSearch(benchmark::State& state) {
    const Atlas& atlas = BuiltAtlas();
    const std::string& query = kQueries[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        AtlasSearchResult r = atlas.Search(query, 50);
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel(query);
}
BENCHMARK(BM_AtlasSearch)
    ->DenseRange(0, static_cast<int>(kQueries.size()) - 1)
    ->Unit(benchmark::kMicrosecond);

// What opening the atlas costs: the index's check value over its 48 MB (read from the page cache), the
// signature of the 14 MB of text it was made from, and, for comparison, SQLite's own quick check of the
// index, which the opening does not run.
void BM_AtlasOpenIndexChecked(benchmark::State& state) {
    for (auto _ : state) {
        AtlasOpenResult r = Atlas::OpenIndex(TALVENOR_ATLAS_INDEX);
        if (!r.atlas) std::abort();
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_AtlasOpenIndexChecked)->Unit(benchmark::kMillisecond);

void BM_AtlasTextSignature(benchmark::State& state) {
    for (auto _ : state) {
        std::string signature = AtlasTextSignature(TALVENOR_SHIPPED_DATA_DIR);
        if (signature.empty()) std::abort();
        benchmark::DoNotOptimize(signature);
    }
}
BENCHMARK(BM_AtlasTextSignature)->Unit(benchmark::kMillisecond);

void BM_AtlasIndexQuickCheck(benchmark::State& state) {
    atlas_sql::Connection db;
    std::string error;
    if (!db.Open(TALVENOR_ATLAS_INDEX, SQLITE_OPEN_READONLY, error)) std::abort();
    for (auto _ : state) {
        if (!db.Execute("PRAGMA quick_check", error)) std::abort();
    }
}
BENCHMARK(BM_AtlasIndexQuickCheck)->Unit(benchmark::kMillisecond);

void BM_ZoneOffset(benchmark::State& state) {
    SystemZoneDatabase zones;
    const LocalClock clock{{1962, 3, 14}, 22, 15};
    for (auto _ : state) {
        ClockAnswer a = ReadClock(zones, "America/Chicago", clock, -5259);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_ZoneOffset)->Unit(benchmark::kMicrosecond);

void BM_ZoneOffsetAtChange(benchmark::State& state) {
    SystemZoneDatabase zones;
    const LocalClock clock{{2024, 10, 27}, 2, 30};
    for (auto _ : state) {
        ClockAnswer a = ReadClock(zones, "Europe/Berlin", clock, 804);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_ZoneOffsetAtChange)->Unit(benchmark::kMicrosecond);

}  // namespace
