// The report tool's run over a whole names file: the natal data page of every record of a names file of
// 100 000 births, as `talvenor-report --names FILE natal-data` writes them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "datafiles/names_file.h"
#include "report/report_buffer.h"
#include "session/batch_reports.h"
#include "session/session.h"

namespace {

using namespace talvenor;

constexpr int kRecords = 100000;

// Births spread over the years, hours and places the program takes (latitudes below 66 degrees, zones
// near the longitude's own), as a names file holds them.
std::string HundredThousandBirths() {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::uint64_t state = 1962;
    const auto next = [&state](int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(n));
    };
    std::string text;
    for (int i = 0; i < kRecords; ++i) {
        const int longitude = next(180 * 60);
        const bool east = next(2) == 1;
        const int zone = (east ? -1 : 1) * (longitude / 60 / 15);
        char line[128];
        std::snprintf(line, sizeof line, "Person %d,%02d %s %d,%d.%02d,%c,%d,%s%03d.%02d,%s%02d.%02d\r\n", i,
                      1 + next(28), months[next(12)], 1800 + next(250), 1 + next(12), next(60),
                      next(2) ? 'A' : 'P', zone, east ? "-" : "", longitude / 60, longitude % 60,
                      next(2) ? "-" : "", next(66), next(60));
        text += line;
    }
    return text;
}

const NumberedNames& Births() {
    static const NumberedNames names = ReadNumberedNamesText(HundredThousandBirths());
    return names;
}

void BM_ReadHundredThousandNames(benchmark::State& state) {
    const std::string text = HundredThousandBirths();
    for (auto _ : state) {
        const NumberedNames names = ReadNumberedNamesText(text);
        benchmark::DoNotOptimize(names.records.data());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ReadHundredThousandNames)->Unit(benchmark::kMillisecond);

// One natal data page a record, in the order of the file, with the transit moment of the tests.
void BM_BatchNatalDataPages(benchmark::State& state) {
    const NumberedNames& names = Births();
    SilentDialogs dialogs;
    Session s(dialogs);
    s.options = DefaultOptions();
    (void)FillDiurnalFromRecord(*ParseNameRecord("Transit,7 Dec 2026,9.30,A,0,000.00,51.29"), s.regional,
                                s.diurnal);
    std::size_t k = 0, bytes = 0, failed = 0;
    for (auto _ : state) {
        const NameRecord& record = names.records[k].record;
        if (ComputeNamesRecord(s, record, ChartsWanted::NatalOnly)) {
            ++failed;
        } else {
            bytes += PageText(s.report, "\n").size();
        }
        if (++k == names.records.size()) k = 0;
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    state.counters["refused"] = static_cast<double>(failed);
}
BENCHMARK(BM_BatchNatalDataPages)->Unit(benchmark::kMicrosecond)->MinTime(5.0);

}  // namespace
