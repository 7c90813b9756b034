// The event search: one year of the ten transiting bodies against the 13 natal factors and their 78
// midpoints in the 90 degree dial, as the report tool and the Data menu run it; and the Moon in the
// smallest dial, where the search stops at its most events.
#include <benchmark/benchmark.h>

#include <memory>
#include <span>

#include "sample_charts.h"
#include "session/event_commands.h"

namespace {

using namespace talvenor;

void BM_EventSearchOneYear(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    bench::ComputeSample(s);
    bench::TimeOneYearOfEvents(state, s, std::to_string(state.range(0)));
}
BENCHMARK(BM_EventSearchOneYear)->Arg(90)->Arg(360)->Arg(45)->Unit(benchmark::kMillisecond);

// The transiting Moon in a dial of one minute of arc meets one of the 91 targets every second: the search
// streams its events and stops at the hundred thousandth (the report tool's cap is ten times that).
void BM_EventSearchStopsAtItsMostEvents(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    bench::ComputeSample(s);
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
