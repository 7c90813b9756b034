// The sample birth and a transit, as the benchmarks compute them.
#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "datafiles/name_record.h"
#include "session/compute_charts.h"
#include "session/ephemeris_choice.h"
#include "session/event_commands.h"

namespace talvenor::bench {

// The natal window holds the sample person, the diurnal window a transit in 2026.
inline void FillSampleWindows(Session& s) {
    (void)FillNatalFromRecord(*ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"),
                              s.regional, s.natal);
    (void)FillDiurnalFromRecord(*ParseNameRecord("Transit,7 Dec 2026,9.30,A,0,000.00,51.29"), s.regional,
                                s.diurnal);
}

// Both charts computed with the shipped options, the engine chosen (the modern one from the shipped
// tables) and the factors chosen.
inline void ComputeSample(Session& s, EphemerisChoice engine = EphemerisChoice::Theory,
                          FactorSet factors = FactorSet::Classic) {
    s.options = DefaultOptions();
    s.factors = factors;
    s.ephemerisFolder = std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris";
    ChooseEphemeris(s, engine);
    FillSampleWindows(s);
    ComputeCharts(s);
}

// The event search through 2027 in a dial, of the charts computed in the session, timed (the default
// movers unless others are named); the numbers of events found, movers and targets are the counters.
inline void TimeOneYearOfEvents(benchmark::State& state, Session& s, const std::string& modulus,
                                const std::vector<std::string>& movers = {}) {
    EventSearchChoices choices;
    choices.from = "1 Jan 2027";
    choices.to = "31 Dec 2027";
    choices.modulus = modulus;
    if (!movers.empty()) choices.movers = movers;
    const EventSearchPreparation prepared = PrepareEventSearch(s, choices);
    std::size_t hits = 0;
    for (auto _ : state) {
        const EventSearchResult result = SearchEvents(prepared.search->request);
        hits = result.hits.size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["events"] = static_cast<double>(hits);
    state.counters["movers"] = static_cast<double>(prepared.search->request.movers.size());
    state.counters["targets"] = static_cast<double>(prepared.search->request.targets.size());
}

}  // namespace talvenor::bench
