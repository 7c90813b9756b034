// The modern engine: the apparent places of the Sun, the Moon and the planets at one instant, body by body
// and all together, from the full series and from the shortened everyday ones; and what each part costs.
#include <benchmark/benchmark.h>
#include <erfa.h>
#include <erfam.h>

#include <filesystem>

#include "ephemeris/apparent_sky.h"
#include "ephemeris/apparent_sky_cache.h"

namespace {

using namespace talvenor;

const ModernTables& Tables() {
    static const ModernTablesRead read =
        LoadModernTables(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris");
    static const ModernTables none;
    return read.tables ? *read.tables : none;
}

// 1962 March 14, 10.15 P.M. at zone 6 (TT about 34 s later): the sample birth of the chart benchmarks.
constexpr double kInstant = 2437738.17708 + 34.0 / 86400;

constexpr ModernBody kBodies[] = {ModernBody::Sun,    ModernBody::Moon,   ModernBody::Mercury,
                                  ModernBody::Venus,  ModernBody::Mars,   ModernBody::Jupiter,
                                  ModernBody::Saturn, ModernBody::Uranus, ModernBody::Neptune};

// Every body one at a time through ApparentPlaceAt, the full series.
void BM_ModernPlacesOneByOne(benchmark::State& state) {
    Tables();
    for (auto _ : state) {
        for (const ModernBody body : kBodies)
            benchmark::DoNotOptimize(ApparentPlaceAt(Tables(), body, kInstant));
    }
}
BENCHMARK(BM_ModernPlacesOneByOne)->Unit(benchmark::kMicrosecond);

void BM_ModernSkyFullSeries(benchmark::State& state) {
    Tables();
    for (auto _ : state)
        benchmark::DoNotOptimize(ApparentSkyFromSeries(Tables().vsop, Tables().elp, Tables().pluto, kInstant));
}
BENCHMARK(BM_ModernSkyFullSeries)->Unit(benchmark::kMicrosecond);

void BM_ModernSky(benchmark::State& state) {
    Tables();
    double jd = kInstant;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApparentSkyAt(Tables(), jd));
        jd += 0.37;  // a new instant each time, as a search samples them
    }
}
BENCHMARK(BM_ModernSky)->Unit(benchmark::kMicrosecond);

// The same with the abridged IAU 2000B nutation.
void BM_ModernSky2000B(benchmark::State& state) {
    Tables();
    SkyOptions options;
    options.nutation = NutationSeries::Iau2000B;
    double jd = kInstant;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApparentSkyAt(Tables(), jd, options));
        jd += 0.37;
    }
}
BENCHMARK(BM_ModernSky2000B)->Unit(benchmark::kMicrosecond);

// A chart's worth: the sky now and a day later.
void BM_ModernChartTwoSkies(benchmark::State& state) {
    Tables();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApparentSkyAt(Tables(), kInstant));
        benchmark::DoNotOptimize(ApparentSkyAt(Tables(), kInstant + 1));
    }
}
BENCHMARK(BM_ModernChartTwoSkies)->Unit(benchmark::kMicrosecond);

// One planet's shortened series with their rates, Mercury (0) to Neptune (7); and the full ones.
void BM_PlanetSeries(benchmark::State& state) {
    const Vsop87Planet& planet = Tables().shortened.vsop.planets[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) benchmark::DoNotOptimize(Vsop87Motion(planet, kInstant));
}
BENCHMARK(BM_PlanetSeries)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

void BM_PlanetSeriesFull(benchmark::State& state) {
    const Vsop87Planet& planet = Tables().vsop.planets[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) benchmark::DoNotOptimize(Vsop87Motion(planet, kInstant));
}
BENCHMARK(BM_PlanetSeriesFull)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

void BM_MoonSeries(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ElpMpp02Motion(Tables().shortened.elp, kInstant));
}
BENCHMARK(BM_MoonSeries)->Unit(benchmark::kMicrosecond);

void BM_MoonSeriesFull(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ElpMpp02Motion(Tables().elp, kInstant));
}
BENCHMARK(BM_MoonSeriesFull)->Unit(benchmark::kMicrosecond);

// The IAU 2000A nutation the sky computes once.
void BM_Nutation2000A(benchmark::State& state) {
    for (auto _ : state) {
        double dpsi = 0, deps = 0;
        eraNut06a(ERFA_DJM0, kInstant - ERFA_DJM0, &dpsi, &deps);
        benchmark::DoNotOptimize(dpsi);
    }
}
BENCHMARK(BM_Nutation2000A)->Unit(benchmark::kMicrosecond);

// A year of search: the ten bodies' places every hour from a cold cache (the windows fitted on the way).
void BM_CachedYearHourly(benchmark::State& state) {
    Tables();
    for (auto _ : state) {
        ApparentSkyCache cache(Tables());
        for (int hour = 0; hour < 8766; ++hour) {
            for (const ModernBody body : kBodies)
                benchmark::DoNotOptimize(cache.PlaceAt(body, kInstant + hour / 24.0));
        }
    }
}
BENCHMARK(BM_CachedYearHourly)->Unit(benchmark::kMillisecond);

// Ten years of a graphic ephemeris: the ten bodies' places every day from a cold cache.
void BM_CachedTenYearsDaily(benchmark::State& state) {
    Tables();
    for (auto _ : state) {
        ApparentSkyCache cache(Tables());
        for (int day = 0; day < 3653; ++day) {
            for (const ModernBody body : kBodies)
                benchmark::DoNotOptimize(cache.PlaceAt(body, kInstant + day));
        }
    }
}
BENCHMARK(BM_CachedTenYearsDaily)->Unit(benchmark::kMillisecond);

// The same with the abridged nutation.
void BM_CachedTenYearsDaily2000B(benchmark::State& state) {
    Tables();
    for (auto _ : state) {
        ApparentSkyCache cache(Tables(), NutationSeries::Iau2000B);
        for (int day = 0; day < 3653; ++day) {
            for (const ModernBody body : kBodies)
                benchmark::DoNotOptimize(cache.PlaceAt(body, kInstant + day));
        }
    }
}
BENCHMARK(BM_CachedTenYearsDaily2000B)->Unit(benchmark::kMillisecond);

// Ten years of daily skies computed directly, without fits.
void BM_TenYearsDailySkies(benchmark::State& state) {
    Tables();
    for (auto _ : state) {
        for (int day = 0; day < 3653; ++day)
            benchmark::DoNotOptimize(ApparentSkyAt(Tables(), kInstant + day));
    }
}
BENCHMARK(BM_TenYearsDailySkies)->Unit(benchmark::kMillisecond);

// One place read from a window already fitted: the Moon, and a planet (which takes the Sun's for the
// light deflection).
void BM_CachedPlace(benchmark::State& state) {
    ApparentSkyCache cache(Tables());
    const ModernBody body = state.range(0) == 0 ? ModernBody::Moon : ModernBody::Mars;
    double jd = kInstant;
    cache.PlaceAt(body, jd);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cache.PlaceAt(body, jd));
        jd += 1e-4;
    }
}
BENCHMARK(BM_CachedPlace)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
