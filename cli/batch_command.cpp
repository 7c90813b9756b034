// talvenor-report --names: one report page, or one table row, for every record of a names file.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <thread>

#include "arguments.h"
#include "batch_run.h"
#include "session/batch_reports.h"
#include "session/ordered_work.h"
#include "standard_output.h"

namespace talvenor::cli {
namespace {

// The size of the blocks in which pages are written to a file or a pipe.
constexpr std::size_t kOutputBlock = 1 << 16;

// The signal that asked the run to end, 0 while none did.
std::atomic<int> caughtSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler sets it");

extern "C" void CatchSignal(int signal) {
    caughtSignal.store(signal, std::memory_order_relaxed);
}

// While one lives, an interrupt or a termination asks the run to end after the page being written, so
// that the output ends with a whole page; a second one ends the program at once. A signal that was
// ignored when the tool started stays ignored, as the shell left it.
class SignalsCaught {
  public:
    SignalsCaught() {
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            if (::sigaction(kSignals[i], nullptr, &before[i]) != 0 || before[i].sa_handler == SIG_IGN)
                continue;
            struct sigaction action {};
            action.sa_handler = CatchSignal;
            sigemptyset(&action.sa_mask);
            // Writes go on where the signal found them: a page is never cut by it.
            action.sa_flags = SA_RESTART | SA_RESETHAND;
            installed[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
        }
    }
    ~SignalsCaught() {
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            if (installed[i]) ::sigaction(kSignals[i], &before[i], nullptr);
        }
    }
    SignalsCaught(const SignalsCaught&) = delete;
    SignalsCaught& operator=(const SignalsCaught&) = delete;

  private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM};
    struct sigaction before[std::size(kSignals)]{};
    bool installed[std::size(kSignals)] = {};
};

std::string RecordLabel(const std::string& namesFile, const NumberedRecord& numbered) {
    return namesFile + " line " + std::to_string(numbered.line) + ", " + numbered.record.Field[1];
}

}  // namespace

BatchRecordOutput BatchRecord(Session& worker, const NumberedRecord& numbered, const std::string& namesFile,
                              const BatchRequest& request) {
    BatchRecordOutput output;
    const KeptTells kept(output.told);
    // Only the natal chart changes from record to record; a page that reads nothing else needs no more.
    const ChartsWanted wanted =
        request.tsv || ReadsNatalChartOnly(request.report) ? ChartsWanted::NatalOnly : ChartsWanted::Both;
    if (const auto why = ComputeNamesRecord(
            worker, numbered.record, request.second,
            "names file " + namesFile + ", line " + std::to_string(numbered.line), wanted)) {
        Tell(RecordLabel(namesFile, numbered) + ": " + *why);
        return output;
    }
    if (request.tsv) {
        output.page = ChartTableRow(worker.natalChart) + (request.crlf ? "\r\n" : "\n");
        return output;
    }
    output.page = request.page(worker);
    if (!output.page) Tell(RecordLabel(namesFile, numbered) + ": no page");
    return output;
}

std::size_t DefaultBatchJobs() {
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, kMostBatchJobs);
}

int RunBatch(const Session& session, const std::string& namesFile, const BatchRequest& request,
             const BatchSinks& sinks, const std::function<bool()>& stopped) {
    const NumberedNames names = ReadNumberedNames(namesFile);
    if (!names.opened) {
        sinks.err(RefusalLine("the names file " + namesFile + " cannot be read", kPlain));
        return 2;
    }
    const char* lineEnd = request.crlf ? "\r\n" : "\n";
    if (request.tsv && !sinks.out(ChartTableHeader(session.factors) + lineEnd)) return 1;
    bool failed = false, first = true, writeFailed = false;
    const unsigned jobs = static_cast<unsigned>(std::clamp<std::size_t>(request.jobs, 1, kMostBatchJobs));
    ComputeInOrder(
        names.records.size(), jobs, WorkWindow(jobs), [&session] { return Session(session); },
        [&](Session& worker, std::size_t index) {
            return BatchRecord(worker, names.records[index], namesFile, request);
        },
        [&](std::size_t, BatchRecordOutput&& output) {
            if (!output.told.empty()) sinks.err(output.told);
            if (!output.page) {
                failed = true;
                return true;
            }
            // Output that cannot be written ends the run: the rest of the file would be computed for
            // nothing.
            if ((!request.tsv && !first && !sinks.out("\f")) || !sinks.out(*output.page)) {
                writeFailed = true;
                return false;
            }
            first = false;
            return true;
        },
        stopped);
    if (writeFailed) return 1;
    if (stopped()) return failed ? 1 : 0;
    if (names.fault) {
        sinks.err(RefusalLine(namesFile + " line " + std::to_string(names.faultLine) + ": " + *names.fault,
                              kPlain));
        failed = true;
    }
    return failed ? 1 : 0;
}

int BatchCommand(Session& session, const std::string& namesFile, const BatchRequest& request) {
    const BatchSinks sinks{
        WriteOut, [](std::string_view lines) { std::fwrite(lines.data(), 1, lines.size(), stderr); }};
    // Pages go out in large blocks rather than a few kilobytes at a time, unless a terminal shows them
    // as they come. Nothing has been written yet, so the buffer may still be chosen.
    // The buffer lasts to the end of the program, which flushes it last.
    static char block[kOutputBlock];
    if (::isatty(STDOUT_FILENO) == 0) std::setvbuf(stdout, block, _IOFBF, sizeof block);
    int status = 0;
    {
        const SignalsCaught signals;
        status = RunBatch(session, namesFile, request, sinks,
                          [] { return caughtSignal.load(std::memory_order_relaxed) != 0; });
    }
    const int signal = caughtSignal.load(std::memory_order_relaxed);
    if (signal == 0) return status;
    // The pages written so far go out whole; then the run ends as the signal would have ended it.
    FinishOutput(status);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return 128 + signal;
}

}  // namespace talvenor::cli
