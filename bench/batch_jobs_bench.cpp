// The report tool's run over a whole names file on one and on several threads: the natal data pages of a
// names file of 100 000 births, as `talvenor-report --names FILE --jobs N natal-data` computes, formats
// and writes them in the order of the file; the output goes to a sink that keeps nothing but its size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "batch_run.h"
#include "datafiles/name_record.h"
#include "hundred_thousand_births.h"
#include "report/report_buffer.h"
#include "session/report_table.h"
#include "session/session.h"

namespace {

using namespace talvenor;

// The names file, written once into a folder of the run's own and removed at the end.
class BirthsFile {
  public:
    BirthsFile()
        : folder(std::filesystem::temp_directory_path() / ("talvenor-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(folder);
        std::ofstream(file(), std::ios::binary) << bench::HundredThousandBirths();
    }
    ~BirthsFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    BirthsFile(const BirthsFile&) = delete;
    BirthsFile& operator=(const BirthsFile&) = delete;
    std::string file() const { return (folder / "BIRTHS.FIL").string(); }

  private:
    std::filesystem::path folder;
};

const BirthsFile& Births() {
    static const BirthsFile births;
    return births;
}

// The argument is the number of threads.
void BM_BatchNatalDataPagesOnThreads(benchmark::State& state) {
    const std::string namesFile = Births().file();
    SilentDialogs dialogs;
    Session session(dialogs);
    session.options = DefaultOptions();
    session.appFolder.clear();
    cli::BatchRequest request;
    request.report = "natal-data";
    request.second =
        ReadRecordLineBirth("Transit,7 Dec 2026,9.30,A,0,000.00,51.29", session.regional, "").birth;
    request.page = [](Session& s) -> std::optional<std::string> {
        if (WriteReport(s, *ReportNamed("natal-data")) != ShowResult::Shown) return std::nullopt;
        return PageText(s.report, "\n");
    };
    request.jobs = static_cast<std::size_t>(state.range(0));
    std::uint64_t bytes = 0, messages = 0;
    const cli::BatchSinks sinks{[&bytes](std::string_view text) {
                                    bytes += text.size();
                                    return true;
                                },
                                [&messages](std::string_view) { ++messages; }};
    for (auto _ : state) {
        const int status = cli::RunBatch(session, namesFile, request, sinks, [] { return false; });
        benchmark::DoNotOptimize(status);
    }
    state.SetItemsProcessed(state.iterations() * bench::kHundredThousand);
    state.counters["pages/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * bench::kHundredThousand), benchmark::Counter::kIsRate);
    state.counters["MB"] = static_cast<double>(bytes) / static_cast<double>(state.iterations()) / 1e6;
    state.counters["refused"] = static_cast<double>(messages) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BatchNatalDataPagesOnThreads)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(2)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
