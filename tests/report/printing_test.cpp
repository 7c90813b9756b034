#include "report/printing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <string>
#include <vector>

#include "environment/options.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ReadBytes;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

std::vector<std::string> NumberedLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("Line " + std::to_string(i));
    return lines;
}

std::vector<std::size_t> PageSizes(const std::vector<std::vector<std::string>>& pages) {
    std::vector<std::size_t> sizes;
    for (const auto& page : pages) sizes.push_back(page.size());
    return sizes;
}

TEST(PrintFileTest, PageAndDataGoToTheHandOverFileWithTheSpareLineAndCrLf) {
    TemporaryFolder folder;
    ReportBuffer buffer;
    buffer.AppendLine("first");
    buffer.StartReport();
    buffer.AppendLine("page a");
    buffer.AppendLine("grid\r\nlist");  // a line break inside a line stays a line break

    ASSERT_TRUE(WritePageToPrintFile(folder.path(), buffer));
    EXPECT_EQ(ReadBytes(folder.path() / "PRNTFILE.XXX"), "page a\r\ngrid\r\nlist\r\n\r\n");
    ASSERT_TRUE(WriteDataToPrintFile(folder.path(), buffer));
    EXPECT_EQ(ReadBytes(folder.path() / "PRNTFILE.XXX"), "first\r\npage a\r\ngrid\r\nlist\r\n\r\n");
}

TEST(PrintFileTest, LongLinesAreCountedInCharactersAgainstOption117) {
    const std::string accented = "Jos\xC3\xA9";  // five bytes, four characters
    const struct {
        std::string line;
        bool longLines;
    } cases[] = {
        {std::string(80, 'x'), false},
        {std::string(81, 'x'), true},
        {std::string(76, 'x') + accented, false},
        {std::string(77, 'x') + accented, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.size());
        ScriptedDialogs dialogs;
        const PrintText loaded = LoadPrintText("short\r\n" + c.line + "\r\n", 80, dialogs);
        EXPECT_EQ(loaded.LongLines, c.longLines);
        EXPECT_EQ(loaded.text, "short\r\n" + c.line + "\r\n");
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

TEST(PrintFileTest, TextBeyondTheCapacityLosesFiftyCharactersAtATimeAfterOneMessage) {
    const std::string line(56, 'a');  // 58 characters with its line end
    const struct {
        std::size_t capacity;
        std::size_t kept;  // characters of the loaded text
    } cases[] = {
        {174, 174}, {173, 124}, {124, 124}, {100, 74}, {20, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.capacity);
        ScriptedDialogs dialogs;
        const PrintText loaded =
            LoadPrintText(line + "\n" + line + "\n" + line + "\n", 80, dialogs, c.capacity);
        const std::string whole = line + "\r\n" + line + "\r\n" + line + "\r\n";
        EXPECT_EQ(loaded.text, whole.substr(0, c.kept));
        if (c.kept == 174) {
            EXPECT_TRUE(dialogs.shown.empty());
            continue;
        }
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text,
                  "Out of memory. I will print what I can. The remainder will be lost.");
        EXPECT_EQ(dialogs.shown[0].title, "Warning!");
        EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    }
}

TEST(PrintFileTest, ACutNeverSplitsACharacter) {
    ScriptedDialogs dialogs;
    std::string text;
    for (int i = 0; i < 60; ++i) text += "\xC3\xA9";  // 60 characters, 120 bytes
    const PrintText loaded = LoadPrintText(text, 80, dialogs, 30);
    EXPECT_EQ(loaded.text, text.substr(0, 24));  // 62 characters with CR LF, less 50: 12 characters
}

TEST(PrintJobTest, OneHundredThirtyLinesAtSixtyALinePagePrintAsSixtySixtyAndEleven) {
    TemporaryFolder folder;
    Options options;
    options[30] = 60;
    options[117] = 80;
    std::string windowText;
    for (const std::string& line : NumberedLines(130)) windowText += line + "\n";

    const PrintJob job = PreparePrintJob(folder.path(), windowText, options);
    EXPECT_TRUE(job.printFileWritten);
    EXPECT_EQ(PageSizes(job.pages), (std::vector<std::size_t>{60, 60, 11}));
    EXPECT_EQ(job.pages[1].front(), "Line 61");
    EXPECT_EQ(job.pages[2][9], "Line 130");
    EXPECT_EQ(job.pages[2][10], "");  // the line end Print adds
    const std::string file = ReadBytes(folder.path() / "PRNTFILE.XXX");
    EXPECT_TRUE(file.ends_with("Line 130\r\n\r\n"));
    EXPECT_EQ(job.pointSize, 12);
}

TEST(PrintJobTest, ABreakAfterTheLastLineOpensNoEmptyPageAndAnUnusableLengthBreaksNone) {
    EXPECT_EQ(PageSizes(PrintPages(NumberedLines(120), 60)), (std::vector<std::size_t>{60, 60}));
    EXPECT_EQ(PageSizes(PrintPages(NumberedLines(3), 1)), (std::vector<std::size_t>{1, 1, 1}));
    for (const float length : {0.0f, -60.0f, 60.5f, std::nanf("")}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(PageSizes(PrintPages(NumberedLines(130), length)), std::vector<std::size_t>{130});
    }
}

TEST(PrintJobTest, TheFontIsTwelvePointsUpToOption117CharactersAndTenBeyond) {
    TemporaryFolder folder;
    Options options;
    options[30] = 60;
    options[117] = 80;
    EXPECT_EQ(PreparePrintJob(folder.path(), std::string(80, 'x') + "\n", options).pointSize, 12);
    EXPECT_EQ(PreparePrintJob(folder.path(), std::string(81, 'x') + "\n", options).pointSize, 10);
}

TEST(PrintJobTest, TheJobKnowsItsLongestLineInCharactersAndItsTallestPage) {
    TemporaryFolder folder;
    Options options;
    options[30] = 60;
    options[117] = 80;
    const PrintJob job = PreparePrintJob(
        folder.path(), "short\n" + std::string(130, 'x') + "   \n(05 CPR 26) JU/NE R -0\u00b004'\n", options);
    EXPECT_EQ(job.longestLine, 130u);  // blanks at the end of a line need no room
    EXPECT_EQ(job.tallestPage, 4u);    // three lines and the empty one Print adds
}

// A4 with the ten-point margins the platform gives a PDF, in points, and the fixed-pitch font's shape.
constexpr PrintArea kA4{575, 822};
constexpr PrintFontShape kMono{0.6, 1.133};

PrintJob Job(int pointSize, std::size_t longestLine, std::size_t tallestPage) {
    PrintJob job;
    job.pointSize = pointSize;
    job.longestLine = longestLine;
    job.tallestPage = tallestPage;
    return job;
}

TEST(PrintFitTest, EveryLineAndEveryPageFitTheSheetAtTheLargestSizeUpToTheJobsOwn) {
    struct Case {
        const char* what;
        PrintJob job;
        bool landscape;
        double pointSize;
    };
    const Case cases[] = {
        {"79 columns at 12 points fit upright", Job(12, 79, 50), false, 12},
        // 80 columns at 12 points are 576 points, one more than the sheet holds
        {"80 columns at 12 points come down a hair", Job(12, 80, 50), false, 11.97},
        {"the data page's width at 10 points fits upright", Job(10, 84, 56), false, 10},
        // 100 columns need 600 points at 10: too wide upright, and 40 lines fit a turned sheet at 10
        {"too wide, short enough to turn", Job(10, 100, 40), true, 10},
        // the natal tree: 132 columns and 60-line pages; turned, the height limits it
        {"the widest tree page", Job(10, 132, 60), true, 8.45},
        // 62 lines at 12 points are 843 points: the size comes down a little, upright
        {"a page taller than the sheet", Job(12, 40, 62), false, 11.70},
        {"a very long line", Job(10, 1000, 10), true, 1.37},
        {"an empty job", Job(12, 0, 0), false, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PrintFit fit = FitPrintJob(c.job, kA4, kMono);
        EXPECT_EQ(fit.landscape, c.landscape);
        EXPECT_DOUBLE_EQ(fit.pointSize, c.pointSize);
        const PrintArea area = fit.landscape ? PrintArea{kA4.height, kA4.width} : kA4;
        EXPECT_LE(static_cast<double>(c.job.longestLine) * kMono.advance * fit.pointSize, area.width + 1e-9);
        EXPECT_LE(static_cast<double>(c.job.tallestPage) * kMono.lineSpacing * fit.pointSize,
                  area.height + 1e-9);
        EXPECT_LE(fit.pointSize, c.job.pointSize);
    }
}

TEST(PrintJobTest, PrintWritesTheWindowTextWithCrLfAndOneMoreLineEnd) {
    const struct {
        const char* window;
        const char* file;
    } cases[] = {
        {"a\nb\n", "a\r\nb\r\n\r\n"},
        {"a\r\nb", "a\r\nb\r\n"},
        {"", "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        EXPECT_EQ(PrintRewriteText(c.window), c.file);
    }
}

TEST(PrintJobTest, PdfFilesAreNamedByDateAndTimeAndNeverReplaceOne) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.path() / "REPORTS");
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 7;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 3;
    const auto first = PrintPdfPath(folder.path(), when);
    EXPECT_EQ(first, folder.path() / "REPORTS" / "PRINT-20260307-090503.pdf");
    WriteBytes(first, "%PDF");
    EXPECT_EQ(PrintPdfPath(folder.path(), when), folder.path() / "REPORTS" / "PRINT-20260307-090503-2.pdf");
}

}  // namespace
}  // namespace talvenor
