// Reading a large names file into the list: 100 000 records, as a user with a long practice may keep.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "datafiles/names_file.h"

namespace {

using namespace talvenor;

void BM_LoadNamesList(benchmark::State& state) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("talvenor-names-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto file = folder / "NAMES.FIL";
    {
        std::ofstream out(file, std::ios::binary);
        for (int k = 0; k < 100000; ++k) {
            out << "Person " << k << ",14 Mar " << 1900 + k % 120 << "," << 1 + k % 12 << "." << 10 + k % 50
                << "," << (k % 2 ? 'A' : 'P') << "," << k % 12 - 5 << ",0" << 10 + k % 89 << ".39,"
                << 10 + k % 60 << ".52\r\n";
        }
    }
    for (auto _ : state) {
        NamesList list = LoadNamesList(file, folder);
        benchmark::DoNotOptimize(list.records.data());
        if (list.records.size() != 100000) state.SkipWithError("the list did not read every record");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadNamesList)->Unit(benchmark::kMillisecond);

}  // namespace
