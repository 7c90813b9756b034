// Planetary pictures of one chart: the 858 pictures (78 pairs, 11 other factors) against the 13 natal
// factors, held at 1 ms; then the whole pages of the pictures, the solar arc and the progressions.
#include <benchmark/benchmark.h>

#include <memory>

#include "midpoints/analysis_table.h"
#include "midpoints/planetary_pictures.h"
#include "sample_charts.h"
#include "session/picture_commands.h"

namespace {

using namespace talvenor;

std::unique_ptr<Session> SampleSession(SilentDialogs& dialogs) {
    auto s = std::make_unique<Session>(dialogs);
    bench::ComputeSample(*s);
    return s;
}

// modulus and orb as range arguments: modulus in tenths of a degree, orb in tenths.
void BM_AllPicturesOfOneChart(benchmark::State& state) {
    SilentDialogs dialogs;
    auto s = SampleSession(dialogs);
    const AnalysisTable table = NatalAnalysisTable(s->natalChart, s->options);
    std::array<double, 14> factors{};
    std::vector<PictureTarget> targets;
    for (int f = 1; f <= kFactorCount; ++f) {
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
    ->Args({3600, 15})
    ->Args({900, 15})
    ->Args({450, 15})
    ->Args({225, 15})
    ->Args({225, 50})
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
