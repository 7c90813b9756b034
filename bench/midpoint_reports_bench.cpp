// Every midpoint report at full size, with the widest orbs: the dial orb at its cap, wide hard-aspect and
// tree orbs and the 16 dial, so the sorted reports sort the most lines they ever meet.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "sample_charts.h"
#include "session/midpoint_commands.h"

namespace {

using namespace talvenor;

std::unique_ptr<Session> PreparedSession(SilentDialogs& dialogs) {
    auto s = std::make_unique<Session>(dialogs);
    s->options = DefaultOptions();
    s->options[33] = 10;
    s->options[34] = 5;
    s->options[35] = 5;
    s->options[40] = 10;
    s->options[162] = 2.25f;
    s->options[163] = 16;
    bench::FillSampleWindows(*s);
    ComputeCharts(*s);
    return s;
}

void RunReport(benchmark::State& state, const std::function<ShowResult(Session&)>& command) {
    SilentDialogs dialogs;
    auto session = PreparedSession(dialogs);
    for (auto _ : state) {
        session->report.ClearAll();
        benchmark::DoNotOptimize(command(*session));
    }
    state.counters["lines"] = session->report.PageLineCount;
}

const struct {
    const char* name;
    std::function<ShowResult(Session&)> command;
} kReports[] = {
    {"NatalMidpoints", [](Session& s) { return NatalMidpointsCommand(s); }},
    {"TransitAspectsToNatalMidpoints", [](Session& s) { return TransitAspectsToNatalMidpointsCommand(s); }},
    {"ModulusSort45", [](Session& s) { return NatalSortCommand(s, 45, NoProgress()); }},
    {"DegreeSort", [](Session& s) { return NatalSortByDegreeCommand(s, NoProgress()); }},
    {"NatalTree45", [](Session& s) { return NatalTreeCommand(s, 45, NoProgress()); }},
    {"TransitTree45", [](Session& s) { return TransitTreeCommand(s, 45, NoProgress()); }},
    {"NatalAspectsUnsorted", [](Session& s) { return NatalMidpointAspectsCommand(s, false, NoProgress()); }},
    {"NatalAspectsSorted", [](Session& s) { return NatalMidpointAspectsCommand(s, true, NoProgress()); }},
    {"FormulasUnsorted", [](Session& s) { return TransitFormulasCommand(s, false, NoProgress()); }},
    {"FormulasSorted", [](Session& s) { return TransitFormulasCommand(s, true, NoProgress()); }},
    {"TransitMidpointsToNatal", [](Session& s) { return TransitMidpointsToNatalCommand(s); }},
};

const bool kRegistered = [] {
    for (const auto& report : kReports) {
        benchmark::RegisterBenchmark((std::string("BM_Midpoint/") + report.name).c_str(),
                                     [&report](benchmark::State& state) { RunReport(state, report.command); })
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
