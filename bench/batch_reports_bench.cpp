// The report tool's run over a whole names file: the natal data page of every record of a names file of
// 100 000 births, as `talvenor-report --names FILE natal-data` writes them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "datafiles/names_file.h"
#include "hundred_thousand_births.h"
#include "report/report_buffer.h"
#include "session/batch_reports.h"
#include "session/chart_commands.h"
#include "session/session.h"

namespace {

using namespace talvenor;

constexpr int kRecords = bench::kHundredThousand;

using bench::HundredThousandBirths;

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
            NatalDataCommand(s);
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
