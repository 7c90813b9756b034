// Reports over a whole names file on several threads: the same bytes, in the same order, as on one.
#include "batch_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "arguments.h"
#include "report/report_buffer.h"
#include "session/batch_reports.h"
#include "session/compute_charts.h"
#include "session/report_table.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor::cli {
namespace {

using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;

constexpr const char* kTransit = "Transit,7 Dec 2026,9.30,A,0,000.00,51.29";

// Good records over many years and places, with records that cannot be computed among them (a date that
// is none, a latitude too high, a zone out of range, a name whose page is refused) and, near the end, a
// line of too few fields where the reading of the file stops.
std::string MixedNamesFile() {
    std::string text;
    for (int i = 0; i < 90; ++i) {
        char line[128];
        std::snprintf(line, sizeof line, "Person %d,%02d Mar %d,%d.%02d,%c,%d,%03d.%02d,%02d.%02d\r\n", i,
                      1 + i % 28, 1700 + i * 4, 1 + i % 12, (i * 7) % 60, i % 2 ? 'A' : 'P', i % 12,
                      (i * 13) % 180, i % 60, (i * 7) % 60, (i * 11) % 60);
        text += line;
        if (i % 17 == 3) text += "Bad Date " + std::to_string(i) + ",31 Feb 1962,10.15,P,6,087.39,41.52\r\n";
        if (i % 23 == 5) text += "High North,14 Mar 1962,10.15,P,6,087.39,71.52\r\n";
        if (i % 29 == 7) text += "Far Zone,14 Mar 1962,10.15,P,14,087.39,41.52\r\n";
        if (i % 31 == 9) text += "No Page " + std::to_string(i) + ",14 Mar 1962,10.15,P,6,087.39,41.52\r\n";
        if (i == 40) text += "\r\n";
    }
    text += "Short Line,14 Mar 1962,10.15,P\r\n";
    text += "After The Short Line,14 Mar 1962,10.15,P,6,087.39,41.52\r\n";
    return text;
}

struct Batch {
    TemporaryFolder folder;
    std::string namesFile = (folder.path() / "MIXED.FIL").string();
    ScriptedDialogs dialogs;
    Session session{dialogs};
    BatchRequest request;

    explicit Batch(const std::string& text = MixedNamesFile()) {
        std::ofstream(namesFile, std::ios::binary) << text;
        session.options = DefaultOptions();
        session.checkedHouse = HouseSystem::Placidus;
        session.appFolder.clear();
        request.report = "natal-data";
        request.second = ReadRecordLineBirth(kTransit, session.regional, "--diurnal").birth;
        request.page = [this](Session& s) -> std::optional<std::string> {
            if (s.natalChart.birth.name.starts_with("No Page")) {
                Tell("the page of " + s.natalChart.birth.name + " is refused");
                return std::nullopt;
            }
            // The run computes; the page is written as the report tool writes it.
            if (WriteReport(s, *ReportNamed(request.report)) != ShowResult::Shown) return std::nullopt;
            return PageText(s.report, request.crlf ? "\r\n" : "\n");
        };
    }
};

struct Output {
    int status = 0;
    std::string out, err;
    std::size_t writes = 0;
};

// The run with the given number of threads; the `failAt`th write to standard output fails, and the run is
// asked to stop once `stopAfter` writes went out.
Output RunBatchOf(Batch& b, std::size_t jobs, std::size_t failAt = 0, std::size_t stopAfter = 0) {
    Output o;
    // Read by the computing threads as the stop is looked at.
    std::atomic<std::size_t> writes{0};
    b.request.jobs = jobs;
    const BatchSinks sinks{[&](std::string_view text) {
                               if (++writes == failAt) return false;
                               o.out += text;
                               return true;
                           },
                           [&](std::string_view lines) { o.err += lines; }};
    o.status = RunBatch(b.session, b.namesFile, b.request, sinks,
                        [&] { return stopAfter != 0 && writes >= stopAfter; });
    o.writes = writes;
    return o;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(BatchRunTest, EveryNumberOfThreadsWritesTheBytesOfOne) {
    const struct {
        const char* name;
        bool tsv, crlf;
    } forms[] = {{"pages", false, false},
                 {"pages, CR LF", false, true},
                 {"table", true, false},
                 {"table, CR LF", true, true}};
    for (const auto& form : forms) {
        SCOPED_TRACE(form.name);
        Batch b;
        b.request.tsv = form.tsv;
        b.request.crlf = form.crlf;
        const Output one = RunBatchOf(b, 1);
        EXPECT_EQ(one.status, 1);
        // The refused records and the short line, each named once on its own line, in the order of the file.
        // Six dates, four latitudes, three zones, three refused pages (named twice: by the page and as
        // the record without one; the table does not ask for them) and the short line.
        EXPECT_EQ(Count(one.err, "\n"), 6u + 4u + 3u + (form.tsv ? 0u : 3u * 2u) + 1u) << one.err;
        EXPECT_NE(one.err.find("MIXED.FIL line 5, Bad Date 3: field 2 (date) is not a date"),
                  std::string::npos);
        EXPECT_LT(one.err.find("Bad Date 3:"), one.err.find("Bad Date 20:"));
        EXPECT_TRUE(one.err.ends_with(": the record on this line has 4 fields; a record has seven\n"))
            << one.err;
        EXPECT_EQ(one.out.find("After The Short Line"), std::string::npos);
        if (form.tsv) {
            EXPECT_TRUE(one.out.starts_with(ChartTableHeader() + (form.crlf ? "\r\n" : "\n")));
            EXPECT_EQ(Count(one.out, "\f"), 0u);
        } else {
            EXPECT_FALSE(one.out.starts_with("\f"));
            // Every one of the ninety births a page, the refused ones none; each page is the natal data
            // page of its record, with the second chart's date in its heading.
            EXPECT_EQ(Count(one.out, "\f") + 1, 90u);
            EXPECT_EQ(Count(one.out, "Diurnal date = "), 90u);
            EXPECT_EQ(Count(one.out, "\r\n") > 0, form.crlf);
        }
        for (const std::size_t jobs : {2, 3, 8}) {
            SCOPED_TRACE(std::to_string(jobs) + " threads");
            const Output many = RunBatchOf(b, jobs);
            EXPECT_EQ(many.status, one.status);
            EXPECT_EQ(many.out, one.out);
            EXPECT_EQ(many.err, one.err);
        }
    }
}

TEST(BatchRunTest, AFailedWriteEndsTheRunWithNothingWrittenAfterIt) {
    Batch b;
    const Output whole = RunBatchOf(b, 1);
    for (const std::size_t jobs : {1, 2, 4, 8}) {
        SCOPED_TRACE(std::to_string(jobs) + " threads");
        // The 20th write is the form feed before the 11th page.
        const Output cut = RunBatchOf(b, jobs, 20);
        EXPECT_EQ(cut.status, 1);
        EXPECT_EQ(cut.writes, 20u);
        EXPECT_TRUE(whole.out.starts_with(cut.out));
        EXPECT_EQ(whole.out[cut.out.size()], '\f');
        EXPECT_EQ(Count(cut.out, "\f"), 9u);
        // The messages of the records before the failed write, none after it, and not the short line.
        EXPECT_TRUE(whole.err.starts_with(cut.err));
        EXPECT_EQ(cut.err.find("4 fields"), std::string::npos);
    }
}

TEST(BatchRunTest, AStopEndsTheOutputWithAWholePage) {
    Batch b;
    const Output whole = RunBatchOf(b, 1);
    for (const std::size_t jobs : {1, 2, 8}) {
        SCOPED_TRACE(std::to_string(jobs) + " threads");
        const Output stopped = RunBatchOf(b, jobs, 0, 9);
        EXPECT_TRUE(whole.out.starts_with(stopped.out));
        ASSERT_LT(stopped.out.size(), whole.out.size());
        EXPECT_EQ(whole.out[stopped.out.size()], '\f');
        EXPECT_EQ(Count(stopped.out, "\f"), 4u);
        EXPECT_TRUE(whole.err.starts_with(stopped.err));
        EXPECT_EQ(stopped.err.find("4 fields"), std::string::npos)
            << "a stopped run does not read to the end";
    }
}

TEST(BatchRunTest, AnUnreadableFileIsSaidOnceWithStatusTwo) {
    Batch b;
    std::filesystem::remove(b.namesFile);
    for (const std::size_t jobs : {1, 4}) {
        const Output o = RunBatchOf(b, jobs);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, "talvenor-report: the names file " + b.namesFile + " cannot be read\n");
    }
}

TEST(BatchRunTest, TheDefaultIsOneThreadForEveryProcessor) {
    const std::size_t jobs = DefaultBatchJobs();
    EXPECT_GE(jobs, 1u);
    EXPECT_LE(jobs, kMostBatchJobs);
    if (std::thread::hardware_concurrency() != 0 && std::thread::hardware_concurrency() <= kMostBatchJobs) {
        EXPECT_EQ(jobs, std::thread::hardware_concurrency());
    }
}

TEST(KeptTellsTest, MessagesAreKeptOnTheirOwnThreadOnly) {
    std::string mine, nested;
    {
        const KeptTells kept(mine);
        Tell("first\x1b");
        {
            const KeptTells inner(nested);
            Tell("inner");
        }
        std::string other;
        std::thread([&other] {
            const KeptTells theirs(other);
            Tell("theirs");
        }).join();
        Tell("second");
        EXPECT_EQ(other, "talvenor-report: theirs\n");
    }
    EXPECT_EQ(mine, "talvenor-report: first?\ntalvenor-report: second\n");
    EXPECT_EQ(nested, "talvenor-report: inner\n");
}

}  // namespace
}  // namespace talvenor::cli
