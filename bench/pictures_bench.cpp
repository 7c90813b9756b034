// Planetary pictures of one chart: the 858 pictures (78 pairs, 11 other factors) against the 13 natal
// factors, held at 1 ms, and the 4620 of the 22 Uranian factors (231 pairs, 20 others) against the 22, held
// at 2 ms; then the whole pages of the pictures, the solar arc and the progressions.
#include <benchmark/benchmark.h>

#include <memory>

#include "midpoints/analysis_table.h"
#include "midpoints/planetary_pictures.h"
#include "sample_charts.h"
#include "session/picture_commands.h"

namespace {

using namespace talvenor;

std::unique_ptr<Session> SampleSession(SilentDialogs& dialogs, FactorSet factors = FactorSet::Classic) {
    auto s = std::make_unique<Session>(dialogs);
    bench::ComputeSample(*s, EphemerisChoice::Theory, factors);
    return s;
}

// modulus and orb as range arguments: modulus in tenths of a degree, orb in tenths; then 0 for the classic
// factors, 1 for the Uranian ones.
void BM_AllPicturesOfOneChart(benchmark::State& state) {
    SilentDialogs dialogs;
    auto s = SampleSession(dialogs, state.range(2) ? FactorSet::Uranian : FactorSet::Classic);
    const AnalysisTable table = NatalAnalysisTable(s->natalChart, s->options);
    std::vector<double> factors(static_cast<std::size_t>(table.FactorCount()) + 1, 0.0);
    std::vector<PictureTarget> targets;
    for (int f = 1; f <= table.FactorCount(); ++f) {
        factors[static_cast<std::size_t>(f)] = table.Lon[static_cast<std::size_t>(f)];
        targets.push_back({f, factors[static_cast<std::size_t>(f)], false});
    }
    const double modulus = static_cast<double>(state.range(0)) / 10;
    const double orb = static_cast<double>(state.range(1)) / 10;
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<Picture> pictures = FindPictures(factors, targets, modulus, orb);
        found = pictures.size();
        benchmark::DoNotOptimize(pictures.data());
    }
    state.counters["pictures"] = static_cast<double>(found);
}
BENCHMARK(BM_AllPicturesOfOneChart)
    ->Args({3600, 15, 0})
    ->Args({900, 15, 0})
    ->Args({450, 15, 0})
    ->Args({225, 15, 0})
    ->Args({225, 50, 0})
    ->Args({225, 15, 1})
    ->Args({900, 15, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_PicturePages(benchmark::State& state) {
    SilentDialogs dialogs;
    auto s = SampleSession(dialogs);
    for (auto _ : state) {
        s->report.ClearAll();
        switch (state.range(0)) {
            case 0: {
                PictureRequest request;
                request.modulus = 45;
                request.orb = s->options[40];
                benchmark::DoNotOptimize(PlanetaryPicturesCommand(*s, request));
                break;
            }
            case 1:
                benchmark::DoNotOptimize(SolarArcCommand(*s, 45));
                break;
            default:
                benchmark::DoNotOptimize(ProgressionsCommand(*s, 45));
        }
    }
    state.counters["lines"] = s->report.PageLineCount;
}
// 0 the pictures page (modulus 45, both charts), 1 solar arc, 2 progressions.
BENCHMARK(BM_PicturePages)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
