// The event search: one year of the ten transiting bodies against the 13 natal factors and their 78
// midpoints in the 90 degree dial, as the report tool and the Data menu run it; and the Moon in the
// smallest dial, where the search stops at its most events.
#include <benchmark/benchmark.h>

#include <memory>
#include <span>

#include "datafiles/name_record.h"
#include "session/compute_charts.h"
#include "session/event_commands.h"

namespace {

using namespace talvenor;

// The sample birth and a transit, computed with the shipped options.
void ComputeSample(Session& s) {
    s.options = DefaultOptions();
    (void)FillNatalFromRecord(*ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"),
                              s.regional, s.natal);
    (void)FillDiurnalFromRecord(*ParseNameRecord("Transit,7 Dec 2026,9.30,A,0,000.00,51.29"), s.regional,
                                s.diurnal);
    ComputeCharts(s);
}

void BM_EventSearchOneYear(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    ComputeSample(s);
    EventSearchChoices choices;
    choices.from = "1 Jan 2027";
    choices.to = "31 Dec 2027";
    choices.modulus = std::to_string(state.range(0));
    const EventSearchPreparation prepared = PrepareEventSearch(s, choices);
    std::size_t hits = 0;
    for (auto _ : state) {
        const EventSearchResult result = SearchEvents(prepared.search->request);
        hits = result.hits.size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["events"] = static_cast<double>(hits);
}
BENCHMARK(BM_EventSearchOneYear)->Arg(90)->Arg(360)->Arg(45)->Unit(benchmark::kMillisecond);

// The transiting Moon in a dial of one minute of arc meets one of the 91 targets every second: the search
// streams its events and stops at the hundred thousandth (the report tool's cap is ten times that).
void BM_EventSearchStopsAtItsMostEvents(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    ComputeSample(s);
    EventSearchChoices choices;
    choices.from = "1 Jan 2027";
    choices.to = "31 Dec 2027";
    choices.modulus = "0.0167";
    choices.movers = {"MOO"};
    EventSearchPreparation prepared = PrepareEventSearch(s, choices);
    prepared.search->request.mostHits = 100000;
    std::size_t events = 0;
    for (auto _ : state) {
        events = 0;
        const EventSearchResult result = StreamEvents(
            prepared.search->request, [&events](std::span<const EventHit> batch) { events += batch.size(); });
        benchmark::DoNotOptimize(result.stoppedJulianDate);
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_EventSearchStopsAtItsMostEvents)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
