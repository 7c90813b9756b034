// The event search: one year of the ten transiting bodies against the 13 natal factors and their 78
// midpoints in the 90 degree dial, as the report tool and the Data menu run it; and the Moon in the
// smallest dial, where the search stops at its most events. With the Uranian factors: one year of the ten
// bodies and the eight hypothetical points against the 22 factors and their 231 midpoints.
#include <benchmark/benchmark.h>

#include <memory>
#include <span>

#include "events/event_dates.h"
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

// The sample chart again with the Uranian factors: 253 targets, 18 transiting movers (the default); the
// program's theory (0) and the modern engine (1).
void BM_UranianEventSearchOneYear(benchmark::State& state) {
    SilentDialogs dialogs;
    Session s(dialogs);
    bench::ComputeSample(s, state.range(0) ? EphemerisChoice::Modern : EphemerisChoice::Theory,
                         FactorSet::Uranian);
    bench::TimeOneYearOfEvents(state, s, "90", DefaultMoverNames(FactorSet::Uranian));
}
BENCHMARK(BM_UranianEventSearchOneYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What one engine computation of the eight points costs (the search asks for it once a day).
void BM_UranianPointsAt(benchmark::State& state) {
    const SkyEngine engine;
    double jd = 2461406.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.UranianAt(InstantAtJulianDate(jd)));
        jd += 0.37;
    }
}
BENCHMARK(BM_UranianPointsAt)->Unit(benchmark::kMicrosecond);

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
