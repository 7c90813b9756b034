// One full chart pass: the time routine and the ephemeris for all fifteen points, the instant and the
// day after.
#include <benchmark/benchmark.h>

#include "chart/chart_ephemeris.h"
#include "chart/chart_state.h"
#include "chart/chart_time.h"

namespace {

using namespace talvenor;

void BM_ChartPass(benchmark::State& state) {
    ChartState st;
    st.NatalYear = 1962;
    st.NatalMonth = 3;
    st.NatalDay = 14;
    st.NatalTime = 10.15f;
    st.NatalAmPm = "P.M.";
    st.NatalTZ = 6;
    st.NatalLongitude = 87.39f;
    st.NatalLatitude = 41.52f;
    for (auto _ : state) {
        st.ChartSelector = kSelectNatal;
        st.TrueNode = kTrueNodeUnset;
        auto timeFault = ComputeChartTime(st);
        auto ephemerisFault = ComputeEphemeris(st);
        benchmark::DoNotOptimize(timeFault);
        benchmark::DoNotOptimize(ephemerisFault);
        benchmark::DoNotOptimize(st.PointLon);
    }
}
BENCHMARK(BM_ChartPass)->Unit(benchmark::kMicrosecond);

}  // namespace
