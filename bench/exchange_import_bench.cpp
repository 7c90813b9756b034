// Importing large exchange files into a names file, as the report tool's import does it: an AAF file of
// 54 MB and a CSV file of 50 MB, read, converted and written one record at a time. Beside the time, the
// counters give the births read and the peak resident memory of the import (the process's high-water
// mark, cleared before each run), which stays far below the file's size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "exchange/exchange_files.h"

namespace {

using namespace talvenor;
namespace fs = std::filesystem;

constexpr std::uintmax_t kAafBytes = 54'000'000;
constexpr std::uintmax_t kCsvBytes = 50'000'000;

std::string Two(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// Records of the sort other programs export, with names, places, comments and zones east and west.
void WriteAaf(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    for (long k = 0; out.tellp() < static_cast<std::streamoff>(kAafBytes); ++k) {
        const int zone = static_cast<int>(k % 7) - 3;
        out << "#A93:Family" << k % 977 << ",Given" << k % 389 << ",m," << 1 + k % 28 << "." << 1 + k % 12
            << "." << 1850 + k % 170 << "," << k % 24 << ":" << Two(static_cast<int>(k % 60)) << ",Place "
            << k << ",D\r\n#B93:*," << k % 60 << "n" << Two(static_cast<int>(k % 59)) << ","
            << (zone < 0 ? 70 : 10) << (zone < 0 ? "w" : "e") << Two(static_cast<int>(k % 59)) << ","
            << (zone < 0 ? -zone : zone) << (zone < 0 ? "hw00" : "he00") << ",0\r\n#ZNAM:CET\r\n#COM:record "
            << k << " of a generated file\r\n\r\n";
    }
}

void WriteCsv(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    out << "name,date,time,zone,longitude,latitude,place\r\n";
    for (long k = 0; out.tellp() < static_cast<std::streamoff>(kCsvBytes); ++k) {
        const int zone = static_cast<int>(k % 7) - 3;
        out << "Given" << k % 389 << " Family" << k % 977 << "," << 1850 + k % 170 << "-" << Two(1 + k % 12)
            << "-" << Two(1 + k % 28) << "," << Two(static_cast<int>(k % 24)) << ":"
            << Two(static_cast<int>(k % 60)) << ",UTC" << (zone < 0 ? "-" : "+")
            << Two(zone < 0 ? -zone : zone) << ":00," << (zone < 0 ? "070W" : "010E")
            << Two(static_cast<int>(k % 59)) << "," << Two(static_cast<int>(k % 60)) << "N"
            << Two(static_cast<int>(k % 59)) << ",Place " << k << "\r\n";
    }
}

// The peak resident memory in bytes since the last clearing.
double PeakResidentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) * 1024;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024;
}

void ClearPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void Import(benchmark::State& state, const char* name, void (*write)(const fs::path&)) {
    const fs::path folder = fs::temp_directory_path() / ("talvenor-import-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path source = folder / name;
    write(source);
    ZoneSources none;
    const RegionalFormat regional;
    double births = 0, peak = 0;
    for (auto _ : state) {
        fs::remove(folder / "NAMES.FIL");
        ClearPeakResident();
        ConvertedRecords converted;
        const ImportResult result = ImportBirths(source, std::nullopt, none, regional, converted.Sink());
        if (!result.fault.empty() || result.converted == 0 || !converted.AddTo(folder / "NAMES.FIL").written)
            state.SkipWithError("the file did not import");
        births = static_cast<double>(result.converted);
        peak = PeakResidentBytes();
    }
    state.counters["births"] = births;
    state.counters["peak_resident_MB"] = peak / (1024 * 1024);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(source)));
    fs::remove_all(folder);
}

void BM_ImportAaf54MB(benchmark::State& state) {
    Import(state, "BIRTHS.AAF", WriteAaf);
}
void BM_ImportCsv50MB(benchmark::State& state) {
    Import(state, "BIRTHS.CSV", WriteCsv);
}
BENCHMARK(BM_ImportAaf54MB)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_ImportCsv50MB)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
