// The desktop program's start: the main window, the input windows and the names window, from a data
// folder holding every shipped file (the world atlas among them, which start-up must not touch).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "../tests/support/scripted_dialogs.h"
#include "shell/talvenor_app.h"

namespace {

using namespace talvenor;
namespace fs = std::filesystem;

void BM_DesktopStart(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "talvenor-startup-bench";
    fs::remove_all(folder);
    fs::copy(TALVENOR_SHIPPED_DATA_DIR, folder, fs::copy_options::recursive);
    testing_support::ScriptedDialogs dialogs;
    for (auto _ : state) {
        gui::TalvenorApp app(&dialogs);
        app.start(folder);
        QApplication::processEvents();
        benchmark::DoNotOptimize(&app);
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_DesktopStart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
