// A page of a million events in the data window, as an event search stopped at its most events shows
// it: the time to show it, and the memory held before and after "Clear all data".
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "../tests/gui/fake_app_services.h"
#include "report/data_window.h"
#include "session/event_commands.h"
#include "session/session.h"

namespace {

using namespace talvenor;

// The memory the program holds, in megabytes.
double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

void WriteMillionEventPage(ReportBuffer& report) {
    report.StartReport();
    char line[96];
    for (int i = 0; i < 1000000; ++i) {
        std::snprintf(line, sizeof line,
                      "  %02d Jan 2027  %02d:%02d   %02d Jan 2027  %02d:%02d   SUN      D   NEP/ASC",
                      i % 28 + 1, i % 24, i % 60, i % 28 + 1, i % 24, i % 60);
        report.AppendLine(line);
    }
}

void BM_DataWindowShowsMillionEventPage(benchmark::State& state) {
    testing_support::FakeAppServices app;
    ReportBuffer& report = app.session().report;
    gui::DataWindow window(app);
    for (auto _ : state) {
        state.PauseTiming();
        state.counters["base_MB"] = ResidentMegabytes();
        WriteMillionEventPage(report);
        state.counters["written_MB"] = ResidentMegabytes();
        state.ResumeTiming();
        window.displayPageText(PageText(report, "\n"));
        QApplication::processEvents();
    }
    state.counters["shown_MB"] = ResidentMegabytes();
    window.findChild<QAction*>("mnuClearBuffer")->trigger();
    state.counters["cleared_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_DataWindowShowsMillionEventPage)->Unit(benchmark::kMillisecond)->Iterations(1);

// All that follows a search stopped at a million events: the page written into the buffers, the last-page
// file, and the page shown.
void BM_EventSearchPageOfAMillionEvents(benchmark::State& state) {
    testing_support::FakeAppServices app;
    Session& s = app.session();
    const auto folder = std::filesystem::temp_directory_path() / "talvenor-event-page-bench";
    std::filesystem::create_directories(folder);
    s.appFolder = folder;
    EventSearchChoices choices;
    choices.from = "1 Jan 2027";
    choices.to = "31 Dec 2027";
    const EventSearchPreparation prepared = PrepareEventSearch(s, choices);
    EventSearchResult result;
    result.outcome = EventSearchOutcome::TooMany;
    const double from = prepared.search->request.fromJulianDate;
    for (int i = 0; i < 1000000; ++i) result.hits.push_back({from + i * 1e-4, i % 10, i % 91, false});
    result.stoppedJulianDate = from + 100;
    gui::DataWindow window(app);
    for (auto _ : state) {
        s.report.ClearAll();
        s.report.StartReport();
        WriteEventPage(s.natalChart, s.regional, prepared.search->heading, prepared.search->request, result,
                       s.report);
        ShowSessionReport(s);
        window.displayPageText(PageText(s.report, "\n"));
        QApplication::processEvents();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_EventSearchPageOfAMillionEvents)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
