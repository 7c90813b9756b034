// The speed anchor of the modern engine: a chart of the reference library in its analytical mode (twelve
// bodies, ecliptic and equatorial, with their speeds, and the houses) beside a chart of each of the
// program's engines, timed in the same run.
//
//   talvenor_anchor_bench [benchmark options]
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <array>
#include <filesystem>

#include "chart/birth.h"
#include "chart/chart.h"
#include "datafiles/name_record.h"
#include "ephemeris/modern_sky.h"

namespace {

using namespace talvenor;

constexpr double kBirthUt = 2437739.6770833;  // 1962 March 15, 4h15m UT, as the sample birth

void BM_ReferenceAnalyticalChart(benchmark::State& state) {
    std::array<double, 6> xx{};
    std::array<char, AS_MAXCH> error{};
    std::array<double, 13> cusps{};
    std::array<double, 10> ascmc{};
    constexpr int kBodies[] = {SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS, SE_MARS,      SE_JUPITER,
                               SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_MEAN_NODE, SE_TRUE_NODE};
    double jd = kBirthUt;
    for (auto _ : state) {
        jd += 0.37;  // a new instant each time, as a chart is
        for (int body : kBodies) {
            swe_calc_ut(jd, body, SEFLG_MOSEPH | SEFLG_SPEED, xx.data(), error.data());
            benchmark::DoNotOptimize(xx);
            swe_calc_ut(jd, body, SEFLG_MOSEPH | SEFLG_SPEED | SEFLG_EQUATORIAL, xx.data(), error.data());
            benchmark::DoNotOptimize(xx);
        }
        swe_houses_ex(jd, SEFLG_MOSEPH, 41.87, -87.65, 'P', cusps.data(), ascmc.data());
        benchmark::DoNotOptimize(cusps);
    }
}
BENCHMARK(BM_ReferenceAnalyticalChart)->Unit(benchmark::kMicrosecond);

// A chart of the sample birth: the sky of the instant (and, for the theory, of the next day), the angles,
// the houses, the declinations and the midpoints. Argument 0: the program's theory; 1: modern.
void BM_EngineChart(benchmark::State& state) {
    SkyEngine engine;
    if (state.range(0) == 1) {
        ModernTablesRead read =
            LoadModernTables(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris");
        if (!read.tables) {
            state.SkipWithError(read.fault.value_or("no tables").c_str());
            return;
        }
        engine = SkyEngine(read.tables);
    }
    const RecordBirth read =
        ReadRecordLineBirth("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52", RegionalFormat(), "bench");
    const Birth birth = read.birth;
    const Options options = DefaultOptions();
    for (auto _ : state) {
        ChartResult chart = ComputeChart(birth, HouseSystem::Placidus, options, ChartRole::Natal, engine);
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(BM_EngineChart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
