// The modern engine where it is used: one chart (both the sky of the instant and the sky a day later for
// the retrograde flags, the angles and the houses), both charts of a computation, one year of event search
// in the 90 degree dial (ten bodies against the 13 natal factors and their 78 midpoints) and ten years of
// the graphic ephemeris; the same with the program's theory beside each for comparison.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "datafiles/name_record.h"
#include "events/ephemeris_graph.h"
#include "session/compute_charts.h"
#include "session/ephemeris_choice.h"
#include "session/event_commands.h"

namespace {

using namespace talvenor;

// The sample birth and a transit, computed with the shipped options and the engine of the argument (0 the
// theory, 1 modern).
void ComputeSample(Session& s, const benchmark::State& state) {
    s.options = DefaultOptions();
    s.ephemerisFolder = std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris";
    ChooseEphemeris(s, state.range(0) ? EphemerisChoice::Modern : EphemerisChoice::Theory);
    (void)FillNatalFromRecord(*ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"),
                              s.regional, s.natal);
    (void)FillDiurnalFromRecord(*ParseNameRecord("Transit,7 Dec 2026,9.30,A,0,000.00,51.29"), s.regional,
                                s.diurnal);
    ComputeCharts(s);
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
    EventSearchChoices choices;
    choices.from = "1 Jan 2027";
    choices.to = "31 Dec 2027";
    choices.modulus = "90";
    const EventSearchPreparation prepared = PrepareEventSearch(s, choices);
    std::size_t hits = 0;
    for (auto _ : state) {
        const EventSearchResult result = SearchEvents(prepared.search->request);
        hits = result.hits.size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["events"] = static_cast<double>(hits);
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
