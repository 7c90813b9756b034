#include "report/report_buffer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

std::filesystem::path FreshFolder(const char* name) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("talvenor-" + std::string(name) + "-" + std::to_string(getpid()) + "-" +
                      std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ReportBufferTest, ShowReportWritesThePageABlankLineAndTheSpareElement) {
    const auto folder = FreshFolder("lastpage");
    ReportBuffer r;
    r.StartReport();
    r.AppendLine("one");
    r.AppendLine("two");
    r.AppendLine("three");
    EXPECT_EQ(ShowReport(r, folder), ShowResult::Shown);
    EXPECT_EQ(ReadAll(LastPagePath(folder)), "one\r\ntwo\r\nthree\r\n\r\n\r\n");
    EXPECT_EQ(r.PageLineCount, 4);
    EXPECT_EQ(r.DataLineCount, 4);
    std::filesystem::remove_all(folder);
}

TEST(ReportBufferTest, DataBufferGrowsOverPagesUntilEmptied) {
    ReportBuffer r;
    r.StartReport();
    r.AppendLine("a");
    r.StartReport();
    r.AppendLine("b");
    EXPECT_EQ(r.PageLineCount, 1);
    EXPECT_EQ(r.PageLines[0], "b");
    ASSERT_EQ(r.DataLineCount, 2);
    EXPECT_EQ(r.DataLines[0], "a");
    EXPECT_EQ(r.DataLines[1], "b");
    EXPECT_EQ(r.DataLines.size(), 3u);  // the spare empty element
    EXPECT_EQ(r.DataLines[2], "");
    EXPECT_EQ(r.ReportLine, "b");  // appending leaves the line as it was

    r.ClearDataBuffer();
    EXPECT_EQ(r.DataLineCount, 0);
    EXPECT_EQ(r.DataLines.size(), 2u);
}

TEST(ReportBufferTest, PagesAfterAnEmptyingHoldOnlyTheirOwnLines) {
    // Emptied lines keep their storage for the next page; none of their text may show through.
    ReportBuffer r;
    for (int page = 0; page < 3; ++page) {
        r.ClearAll();
        for (int i = 0; i < 50; ++i)
            r.AppendLine(std::string(static_cast<std::size_t>(std::max(0, 200 - page * 90 - i)), 'a' + page));
        r.AppendLine("");
        ASSERT_EQ(r.PageLineCount, 51);
        ASSERT_EQ(r.DataLineCount, 51);
        ASSERT_EQ(r.PageLines.size(), 52u);
        ASSERT_EQ(r.DataLines.size(), 52u);
        for (int i = 0; i < 50; ++i) {
            const std::string expected(static_cast<std::size_t>(std::max(0, 200 - page * 90 - i)),
                                       'a' + page);
            ASSERT_EQ(r.PageLines[static_cast<std::size_t>(i)], expected);
            ASSERT_EQ(r.DataLines[static_cast<std::size_t>(i)], expected);
        }
        EXPECT_EQ(r.PageLines[50], "");
        EXPECT_EQ(r.PageLines[51], "");  // the spare empty element
        EXPECT_EQ(r.DataLines[51], "");
        EXPECT_LE(r.SpareLines.size(), 4096u);
    }
}

// A page of many thousand lines (an event search stopped at a million events) leaves nothing behind once
// its buffer is emptied: the array of lines gives its storage back, and the other buffer keeps its lines.
TEST(ReportBufferTest, EmptyingABufferOfManyLinesGivesItsStorageBackAndKeepsTheOther) {
    constexpr int kLines = 100000;
    auto line = [](int i) { return "  LINE " + std::to_string(i) + std::string(40, '.'); };
    for (const bool emptyData : {true, false}) {
        SCOPED_TRACE(emptyData ? "data buffer" : "page buffer");
        ReportBuffer r;
        r.StartReport();
        for (int i = 0; i < kLines; ++i) r.AppendLine(line(i));
        if (emptyData) {
            r.ClearDataBuffer();
        } else {
            r.ClearPageBuffer();
        }
        const std::vector<std::string>& emptied = emptyData ? r.DataLines : r.PageLines;
        const std::vector<std::string>& kept = emptyData ? r.PageLines : r.DataLines;
        EXPECT_EQ(emptyData ? r.DataLineCount : r.PageLineCount, 0);
        EXPECT_EQ(emptied.size(), 2u);
        EXPECT_LE(emptied.capacity(), 2u);
        EXPECT_TRUE(r.SpareLines.empty());
        ASSERT_EQ(emptyData ? r.PageLineCount : r.DataLineCount, kLines);
        ASSERT_EQ(kept.size(), static_cast<std::size_t>(kLines) + 1);
        for (int i = 0; i < kLines; i += 997) ASSERT_EQ(kept[static_cast<std::size_t>(i)], line(i));
        EXPECT_EQ(kept.back(), "");
        // The next page is written as before.
        r.StartReport();
        r.AppendLine("next");
        EXPECT_EQ(r.PageLines[0], "next");
        EXPECT_EQ(r.PageLineCount, 1);
    }
}

TEST(ReportBufferTest, NothingIsShownWhenMinimizedOrWhenTheDataBufferIsEmpty) {
    const auto folder = FreshFolder("minimized");
    ReportBuffer r;
    r.AppendLine("kept");
    ASSERT_EQ(ShowReport(r, folder), ShowResult::Shown);
    const std::string before = ReadAll(LastPagePath(folder));

    r.StartReport();
    r.AppendLine("new page");
    EXPECT_EQ(ShowReport(r, folder, /*windowMinimized=*/true), ShowResult::NothingToShow);
    EXPECT_EQ(ReadAll(LastPagePath(folder)), before);
    EXPECT_EQ(r.PageLineCount, 1);  // no blank line added either

    r.ClearAll();
    EXPECT_EQ(ShowReport(r, folder), ShowResult::NothingToShow);
    std::filesystem::remove_all(folder);
}

TEST(ReportBufferTest, AnUnwritableFolderIsReportedNotFatal) {
    ReportBuffer r;
    r.AppendLine("x");
    EXPECT_EQ(ShowReport(r, "/proc/no-such-folder"), ShowResult::NotWritten);
    EXPECT_EQ(r.PageLineCount, 2);
}

TEST(ReportBufferTest, LineBreaksInsideALineFollowTheChosenLineEnd) {
    ReportBuffer r;
    r.AppendLine("head\r\nrow 1\r\nrow 2");
    EXPECT_EQ(PageText(r, "\n"), "head\nrow 1\nrow 2\n\n");
    EXPECT_EQ(PageText(r), "head\r\nrow 1\r\nrow 2\r\n\r\n");
}

// A name edited into a names file by hand may hold an escape or a bell: the page, and so the terminal,
// the saved document and the printer, get a "?" in its place; a tab is a blank. Line breaks held inside
// a line and a form feed line of the data stay what they are.
TEST(ReportBufferTest, NoControlCharacterReachesAPage) {
    ReportBuffer r;
    r.AppendLine("  Ann\x1B[31mRed\x07");
    r.ReportLine = "  Tab\tName\x7F";
    r.AppendLine();
    r.AppendLine("\f");
    r.AppendLine("  Sun\r\n  Moon");
    EXPECT_EQ(PageText(r, "\n"), "  Ann?[31mRed?\n  Tab Name?\n\f\n  Sun\n  Moon\n\n");
    EXPECT_EQ(r.DataLines[0], "  Ann?[31mRed?");
}

// A page's heading note goes to the end of its first line that is not blank, once, in the page and in the
// data buffer alike; the next page starts without it unless it brings its own.
TEST(ReportBufferTest, AHeadingNoteEndsTheFirstHeadingLineOfItsPageOnly) {
    ReportBuffer buffer;
    buffer.StartReport("   (modern ephemeris)");
    buffer.AppendBlankLine();
    buffer.AppendLine("  Sample Person");
    buffer.AppendLine("  14 Mar 1962");
    ASSERT_EQ(buffer.PageLineCount, 3);
    EXPECT_EQ(buffer.PageLines[0], "");
    EXPECT_EQ(buffer.PageLines[1], "  Sample Person   (modern ephemeris)");
    EXPECT_EQ(buffer.PageLines[2], "  14 Mar 1962");
    EXPECT_EQ(buffer.DataLines[1], "  Sample Person   (modern ephemeris)");

    buffer.StartReport();
    buffer.AppendLine("  TRANSIT POSITIONS");
    EXPECT_EQ(buffer.PageLines[0], "  TRANSIT POSITIONS");
    buffer.StartReport("");
    buffer.AppendLine("  Sample Person - Natal Tree");
    EXPECT_EQ(buffer.PageLines[0], "  Sample Person - Natal Tree");
}

}  // namespace
}  // namespace talvenor
