// The modern engine where it is used: one chart (both the sky of the instant and the sky a day later for
// the retrograde flags, the angles and the houses), both charts of a computation, one year of event search
// in the 90 degree dial (ten bodies against the 13 natal factors and their 78 midpoints) and ten years of
// the graphic ephemeris; the same with the program's theory beside each for comparison.
#include <benchmark/benchmark.h>

#include "events/ephemeris_graph.h"
#include "sample_charts.h"
#include "session/event_commands.h"

namespace {

using namespace talvenor;

// The sample charts with the engine of the argument (0 the theory, 1 modern).
void ComputeSample(Session& s, const benchmark::State& state) {
    bench::ComputeSample(s, state.range(0) ? EphemerisChoice::Modern : EphemerisChoice::Theory);
}

void BM_EngineComputeChart(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    ComputeSample(s, state);
    const Birth birth = NatalWindowBirth(s);
    const SkyEngine engine = EngineForComputing(s);
    for (auto _ : state) {
        ChartResult chart = ComputeChart(birth, HouseSystem::Placidus, s.options, ChartRole::Natal, engine);
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(BM_EngineComputeChart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_EngineComputeCharts(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    ComputeSample(s, state);
    for (auto _ : state) {
        auto report = ComputeChartsFrom(s, NatalWindowBirth(s), DiurnalWindowBirth(s));
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_EngineComputeCharts)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_EngineEventSearchOneYear(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    ComputeSample(s, state);
    bench::TimeOneYearOfEvents(state, s, "90");
}
BENCHMARK(BM_EngineEventSearchOneYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_EngineEphemerisGraphTenYears(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    ComputeSample(s, state);
    EphemerisGraphRequest request;
    (void)ReadDayRange("1 Jan 2027", "31 Dec 2036", s.regional, kGraphRangeLimits, request.range);
    request.modulus = 45;
    request.bodies = DefaultGraphBodyNames();
    std::size_t runs = 0;
    for (auto _ : state) {
        const EphemerisGraph graph = BuildEphemerisGraph(s.natalChart, s.options, s.regional, request);
        runs = graph.bodies.size();
        benchmark::DoNotOptimize(runs);
    }
    state.counters["bodies"] = static_cast<double>(runs);
}
BENCHMARK(BM_EngineEphemerisGraphTenYears)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
