// The engine alone: the sky at one instant (ten bodies, nodes, latitudes, declinations, obliquity), and
// the angles and Placidus houses of one place.
#include <benchmark/benchmark.h>

#include "ephemeris/houses.h"
#include "ephemeris/sky.h"

namespace {

using namespace talvenor;

// 1962 March 14, 10.15 P.M. at zone 6: the sample birth of the chart benchmarks.
const Instant kInstant = InstantOf(JulianDayNumberOf(1962, 3, 14), (10.25 + 6.0) / 24.0 + 0.5);

void BM_SkyAt(benchmark::State& state) {
    for (auto _ : state) {
        Sky sky = SkyAt(kInstant);
        benchmark::DoNotOptimize(sky);
    }
}
BENCHMARK(BM_SkyAt)->Unit(benchmark::kMicrosecond);

void BM_HousesAt(benchmark::State& state) {
    const Place place = PlaceAt(87.65, 41.8667);
    for (auto _ : state) {
        HouseCusps cusps = HousesAt(kInstant, place, HouseSystem::Placidus);
        benchmark::DoNotOptimize(cusps);
    }
}
BENCHMARK(BM_HousesAt)->Unit(benchmark::kMicrosecond);

}  // namespace
