// A names file of 100 000 people loaded into the names window, as the program shows it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../tests/gui/fake_app_services.h"
#include "datafiles/names_window.h"
#include "session/session.h"

namespace {

using namespace talvenor;

void BM_NamesWindowLoad100k(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "talvenor-names-window-bench";
    std::filesystem::create_directories(folder);
    const auto file = folder / "NAMES.FIL";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 100000; ++i) {
            out << "Person " << i << ",14 Mar 1962,10.15,P,6,087.39,41.52\r\n";
        }
    }
    testing_support::FakeAppServices app;
    app.session().appFolder = folder;
    app.session().settings.NamesFilePath = file.string();
    for (auto _ : state) {
        gui::NamesWindow window(app);
        benchmark::DoNotOptimize(&window);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_NamesWindowLoad100k)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
