// Printing through a real print spooler: the print window sends the job to the default printer queue
// of a CUPS daemon the test script started (tests/print/with_print_spooler.sh), whose PDF printer
// writes the pages into a folder; pdftotext reads them back. Without that daemon the tests skip.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "fake_app_services.h"
#include "pdf_reading.h"
#include "report/data_window.h"
#include "report/print_window.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::CollapsedPageLines;
using testing_support::ExpectedPages;
using testing_support::PageCount;
using testing_support::ReadBytes;
using testing_support::TemporaryFolder;
using testing_support::WidthPerCharacter;
using testing_support::WordsOf;

// Runs one of the spooler's own commands (cupsdisable, cupsaccept ...) on the test queue.
void Spooler(const QString& command, const QString& queue) {
    QProcess process;
    process.start(command, {queue});
    ASSERT_TRUE(process.waitForFinished(10000)) << command.toStdString();
    ASSERT_EQ(process.exitCode(), 0) << command.toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
}

class PrintSpoolerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* out = std::getenv("TALVENOR_SPOOLER_OUT");
        const char* queue = std::getenv("TALVENOR_SPOOLER_QUEUE");
        if (out == nullptr || queue == nullptr) {
            GTEST_SKIP() << "runs beside a print spooler of its own: tests/print/with_print_spooler.sh";
        }
        out_ = out;
        queue_ = queue;
        app.session().appFolder = folder.path();
        app.session().options[30] = 60;
        app.session().options[117] = 80;
        // The queue names its files after the job's title, so each test starts with an empty folder.
        for (const auto& entry : fs::directory_iterator(out_)) fs::remove_all(entry.path());
    }

    // The PDF file the queue wrote for the job just sent, once it is complete; empty after a minute.
    fs::path nextPrintedFile() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            for (const auto& entry : fs::directory_iterator(out_)) {
                // The backend writes the file and then hands it over; a file that reads as a PDF is done.
                if (PageCount(entry.path()) > 0) return entry.path();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return {};
    }

    // No file arrives within a few seconds.
    bool nothingPrinted() {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        return fs::is_empty(out_);
    }

    // The print window over the hand-over file the data window wrote, printing to the default printer.
    std::unique_ptr<gui::PrintWindow> printWindow() {
        auto w = std::make_unique<gui::PrintWindow>(app);
        w->show();
        return w;
    }

    void clickPrint(gui::PrintWindow& w) {
        QTest::mouseClick(w.findChild<QPushButton*>("btnPrint"), Qt::LeftButton);
    }

    // Checks every page of the printed file against the text that was printed (the hand-over file).
    void expectPagesOf(const fs::path& pdf) {
        const QString text = QString::fromStdString(ReadBytes(folder.path() / "PRNTFILE.XXX"));
        const auto expected = ExpectedPages(text, 60);
        ASSERT_EQ(PageCount(pdf), static_cast<int>(expected.size()));
        for (std::size_t page = 0; page < expected.size(); ++page) {
            SCOPED_TRACE(page + 1);
            EXPECT_EQ(CollapsedPageLines(pdf, static_cast<int>(page) + 1), expected[page]);
        }
        const auto words = WordsOf(pdf);
        EXPECT_LE(words.rightmost, words.pageWidth);  // no line runs off the sheet
    }

    TemporaryFolder folder;
    testing_support::FakeAppServices app;
    fs::path out_;
    QString queue_;
};

TEST_F(PrintSpoolerTest, PrintPageSendsThePageToTheDefaultPrinterAtTwelvePointsWithItsPageBreaks) {
    gui::DataWindow data(app);
    ReportBuffer& r = app.session().report;
    r.StartReport();
    for (int i = 1; i <= 130; ++i) r.AppendLine("  Line " + std::to_string(i) + " of the page");
    data.findChild<QAction*>("mnuPrint")->trigger();

    auto w = printWindow();
    EXPECT_EQ(w->findChild<QLabel*>("lblPrinter")->text(), "Printer: " + queue_);
    clickPrint(*w);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(app.dialogs.shown.empty());

    const fs::path pdf = nextPrintedFile();
    ASSERT_FALSE(pdf.empty()) << "the queue wrote no PDF file";
    expectPagesOf(pdf);  // 60, 60 and the rest
    EXPECT_NEAR(WidthPerCharacter(pdf), 7.2, 0.1);
}

TEST_F(PrintSpoolerTest, PrintDataSendsTheWholeBufferAtTenPointsWithoutCuttingTheWidestLines) {
    gui::DataWindow data(app);
    ReportBuffer& r = app.session().report;
    // Two natal trees in columns: lines of up to 132 columns, more than option 117 allows at 12 points.
    const std::string tree =
        ReadBytes(fs::path(TALVENOR_TEST_DATA_DIR) / "pages" / "sample-midpoints-natal-tree45.txt");
    for (int copy = 0; copy < 2; ++copy) {
        r.StartReport();
        for (const QString& line : QString::fromStdString(tree).split("\r\n"))
            r.AppendLine(line.toStdString());
    }
    data.findChild<QAction*>("mnuPrintData")->trigger();

    auto w = printWindow();
    clickPrint(*w);
    EXPECT_FALSE(w->isVisible());
    const fs::path pdf = nextPrintedFile();
    ASSERT_FALSE(pdf.empty()) << "the queue wrote no PDF file";
    expectPagesOf(pdf);
    EXPECT_LT(WidthPerCharacter(pdf), 6.05);  // at most ten points
}

TEST_F(PrintSpoolerTest, AQueueThatDoesNotTakeTheJobIsNamedAndTheTextStaysInTheWindow) {
    gui::DataWindow data(app);
    app.session().report.StartReport();
    app.session().report.AppendLine("kept for later");
    data.findChild<QAction*>("mnuPrint")->trigger();

    const struct {
        const char* stop;
        const char* restart;
        const char* words;
    } cases[] = {{"cupsdisable", "cupsenable", " is stopped"},
                 {"cupsreject", "cupsaccept", " is not accepting jobs"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stop);
        app.dialogs.shown.clear();
        Spooler(c.stop, queue_);
        auto w = printWindow();
        clickPrint(*w);
        EXPECT_TRUE(w->isVisible());
        ASSERT_EQ(app.dialogs.shown.size(), 1u);
        EXPECT_TRUE(app.dialogs.shown[0].text.starts_with("The printer " + queue_.toStdString() + c.words))
            << app.dialogs.shown[0].text;
        EXPECT_TRUE(
            app.dialogs.shown[0].text.ends_with("Nothing was printed; the text is still in this window."));
        EXPECT_EQ(app.dialogs.shown[0].title, "Warning!");
        Spooler(c.restart, queue_);
        EXPECT_TRUE(nothingPrinted());
    }
}

TEST_F(PrintSpoolerTest, ThePrintDialogsPageRangeAndPrinterAreUsed) {
    gui::DataWindow data(app);
    ReportBuffer& r = app.session().report;
    r.StartReport();
    for (int i = 1; i <= 130; ++i) r.AppendLine("Line " + std::to_string(i));
    data.findChild<QAction*>("mnuPrint")->trigger();

    auto w = printWindow();
    QString offered;
    w->setPrintDialog([&](QPrinter& printer, QWidget*) {
        offered = printer.printerName();
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
        return true;
    });
    QTest::mouseClick(w->findChild<QPushButton*>("btnPrintDialog"), Qt::LeftButton);
    EXPECT_EQ(offered, queue_);  // the dialog opens on the default printer
    EXPECT_FALSE(w->isVisible());
    const fs::path pdf = nextPrintedFile();
    ASSERT_FALSE(pdf.empty()) << "the queue wrote no PDF file";
    ASSERT_EQ(PageCount(pdf), 1);
    const QStringList lines = CollapsedPageLines(pdf, 1);
    ASSERT_EQ(lines.size(), 60);
    EXPECT_EQ(lines.front(), "Line 61");
    EXPECT_EQ(lines.back(), "Line 120");
}

TEST_F(PrintSpoolerTest, CancelInThePrintDialogPrintsNothing) {
    gui::DataWindow data(app);
    app.session().report.StartReport();
    app.session().report.AppendLine("not now");
    data.findChild<QAction*>("mnuPrint")->trigger();
    auto w = printWindow();
    w->setPrintDialog([](QPrinter&, QWidget*) { return false; });
    QTest::mouseClick(w->findChild<QPushButton*>("btnPrintDialog"), Qt::LeftButton);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(nothingPrinted());
}

}  // namespace
}  // namespace talvenor
