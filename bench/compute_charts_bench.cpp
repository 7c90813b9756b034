// The chart computation for both charts, and writing the natal data page.
#include <benchmark/benchmark.h>

#include "datafiles/name_record.h"
#include "session/chart_commands.h"
#include "session/compute_charts.h"
#include "session/session.h"

namespace {

using namespace talvenor;

void Prepare(Session& s) {
    s.options = DefaultOptions();
    const auto natal = ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52");
    const auto diurnal = ParseNameRecord("Transit,7 Dec 2026,9.30,A,0,000.00,51.29");
    (void)FillNatalFromRecord(*natal, s.regional, s.natal);
    (void)FillDiurnalFromRecord(*diurnal, s.regional, s.diurnal);
}

void BM_ComputeCharts(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    Prepare(s);
    for (auto _ : state) {
        s.report.ClearAll();
        // The births read from the windows' texts, checked, both charts.
        auto report = ComputeChartsFrom(s, NatalWindowBirth(s), DiurnalWindowBirth(s));
        benchmark::DoNotOptimize(report);
        benchmark::DoNotOptimize(s.secondChart.Lon);
    }
}
BENCHMARK(BM_ComputeCharts)->Unit(benchmark::kMicrosecond);

// One natal chart from a birth, nothing else.
void BM_ComputeChart(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    Prepare(s);
    const Birth birth = NatalWindowBirth(s);
    for (auto _ : state) {
        ChartResult chart = ComputeChart(birth, HouseSystem::Placidus, s.options);
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(BM_ComputeChart)->Unit(benchmark::kMicrosecond);

void BM_NatalDataPage(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    Prepare(s);
    ComputeCharts(s);
    for (auto _ : state) {
        s.report.ClearAll();
        NatalDataCommand(s);
        benchmark::DoNotOptimize(s.report.PageLines);
    }
}
BENCHMARK(BM_NatalDataPage)->Unit(benchmark::kMicrosecond);

// The whole command as the OK button runs it: checks, both charts and the natal data page.
void BM_ComputeChartsWithPage(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    Prepare(s);
    for (auto _ : state) {
        s.report.ClearAll();
        auto outcome = ComputeCharts(s);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_ComputeChartsWithPage)->Unit(benchmark::kMicrosecond);

}  // namespace
