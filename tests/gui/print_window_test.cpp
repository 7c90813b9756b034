// The print window and the data window's print commands, printed for real into PDF files that
// pdftotext reads back.
#include "report/print_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "fake_app_services.h"
#include "pdf_reading.h"
#include "report/data_window.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::CollapsedPageLines;
using testing_support::ExpectedPages;
using testing_support::PageCount;
using testing_support::PageLines;
using testing_support::PrintedWords;
using testing_support::ReadBytes;
using testing_support::TemporaryFolder;
using testing_support::WidthPerCharacter;
using testing_support::WordsOf;
using testing_support::WriteBytes;

class PrintWindowTest : public ::testing::Test {
  protected:
    PrintWindowTest() {
        app.session().appFolder = folder.path();
        app.session().options[30] = 60;
        app.session().options[117] = 80;
    }

    void handOver(const std::string& bytes) { WriteBytes(folder.path() / "PRNTFILE.XXX", bytes); }

    std::unique_ptr<gui::PrintWindow> window() {
        auto w = std::make_unique<gui::PrintWindow>(app);
        w->setPrinterLookup([] { return QString(); });  // never a real printer
        return w;
    }

    // Prints into a PDF; the window closes.
    fs::path printToPdf(gui::PrintWindow& w, const char* name = "out.pdf") {
        const fs::path pdf = folder.path() / name;
        w.setPdfTarget(QString::fromStdString(pdf.string()));
        w.show();
        QTest::mouseClick(w.findChild<QPushButton*>("btnPrint"), Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        return pdf;
    }

    QPlainTextEdit* content(gui::PrintWindow& w) { return w.findChild<QPlainTextEdit*>("txtContent"); }

    TemporaryFolder folder;
    testing_support::FakeAppServices app;
};

TEST_F(PrintWindowTest, ShowsTheHandOverFileInAnEditableFixedPitchBox) {
    handOver("alpha\r\nbeta\r\n");
    auto w = window();
    EXPECT_EQ(w->objectName(), "PrntFile");
    EXPECT_EQ(w->windowTitle(), "Data To Be Printed");
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), "Ctrl-C to copy. Ctrl-X to cut. Ctrl-V to paste.");
    EXPECT_EQ(w->findChild<QPushButton*>("btnPrint")->text(), "Print");
    EXPECT_EQ(w->findChild<QPushButton*>("btnCancel")->text(), "Cancel");
    EXPECT_EQ(content(*w)->toPlainText(), "alpha\nbeta\n");
    EXPECT_FALSE(content(*w)->isReadOnly());
    EXPECT_TRUE(QFontInfo(content(*w)->font()).fixedPitch());
}

TEST_F(PrintWindowTest, OneHundredThirtyLinesPrintOnPagesOfSixtySixtyAndTheRest) {
    std::string text;
    for (int i = 1; i <= 130; ++i)
        text += "Line " + QString::number(i).rightJustified(3, '0').toStdString() + "\r\n";
    handOver(text);
    auto w = window();
    const fs::path pdf = printToPdf(*w);

    ASSERT_EQ(PageCount(pdf), 3);
    const QStringList first = PageLines(pdf, 1), second = PageLines(pdf, 2), third = PageLines(pdf, 3);
    ASSERT_EQ(first.size(), 60);
    EXPECT_EQ(first.front(), "Line 001");
    EXPECT_EQ(first.back(), "Line 060");
    ASSERT_EQ(second.size(), 60);
    EXPECT_EQ(second.front(), "Line 061");
    EXPECT_EQ(third, (QStringList{"Line 121", "Line 122", "Line 123", "Line 124", "Line 125", "Line 126",
                                  "Line 127", "Line 128", "Line 129", "Line 130"}));
    EXPECT_EQ(ReadBytes(folder.path() / "PRNTFILE.XXX"), text + "\r\n");
    EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(PrintWindowTest, ALineLongerThanOption117PrintsEverythingAtTenPoints) {
    // Courier's characters are 0.6 of the size wide.
    const struct {
        int length;
        double pointsPerCharacter;
    } cases[] = {{80, 7.2}, {81, 6.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        handOver(std::string(static_cast<std::size_t>(c.length), 'x') + "\r\nshort\r\n");
        auto w = window();
        const fs::path pdf = printToPdf(*w, c.length == 80 ? "twelve.pdf" : "ten.pdf");
        EXPECT_NEAR(WidthPerCharacter(pdf), c.pointsPerCharacter, 0.05);
    }
}

TEST_F(PrintWindowTest, TheWidestReportPrintsWholeLinesOnTheSheetWithTheAskedPageBreaks) {
    // The natal tree in columns is the widest page the program writes (option 66: 132 columns); three
    // of them make pages of 60, 60 and the rest.
    const std::string tree =
        ReadBytes(fs::path(TALVENOR_TEST_DATA_DIR) / "pages" / "sample-midpoints-natal-tree45.txt");
    const std::string text = tree + tree + tree;
    handOver(text);
    auto w = window();
    const fs::path pdf = printToPdf(*w);

    // The file Print writes holds the text and one more empty line.
    const auto expected = ExpectedPages(QString::fromStdString(text + "\r\n"), 60);
    ASSERT_EQ(PageCount(pdf), static_cast<int>(expected.size()));
    for (std::size_t page = 0; page < expected.size(); ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(CollapsedPageLines(pdf, static_cast<int>(page) + 1), expected[page]);
    }
    const PrintedWords words = WordsOf(pdf);
    EXPECT_GT(words.pageWidth, 800);  // turned: the lines are too wide for an upright sheet at 10 points
    EXPECT_LE(words.rightmost, words.pageWidth - 9.5);  // inside the printable area's margin
}

TEST_F(PrintWindowTest, TextEditedInTheWindowIsPrintedAndKeptInTheHandOverFile) {
    handOver("as loaded\r\n");
    auto w = window();
    w->show();
    content(*w)->moveCursor(QTextCursor::End);
    QTest::keyClicks(content(*w), "typed by hand");
    const fs::path pdf = printToPdf(*w);
    EXPECT_EQ(PageLines(pdf, 1), (QStringList{"as loaded", "typed by hand"}));
    EXPECT_EQ(ReadBytes(folder.path() / "PRNTFILE.XXX"), "as loaded\r\ntyped by hand\r\n");
}

TEST_F(PrintWindowTest, CancelClosesWithoutPrintingOrTouchingTheFile) {
    handOver("keep me\r\n");
    auto w = window();
    w->setPdfTarget(QString::fromStdString((folder.path() / "out.pdf").string()));
    w->show();
    QTest::keyClicks(content(*w), "changed ");
    QTest::mouseClick(w->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(fs::exists(folder.path() / "out.pdf"));
    EXPECT_EQ(ReadBytes(folder.path() / "PRNTFILE.XXX"), "keep me\r\n");
    EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(PrintWindowTest, WithoutAPrinterThePagesGoToAPdfInTheReportsFolderWhenTheUserAgrees) {
    handOver("to paper\r\n");
    const fs::path reports = folder.path() / "REPORTS";

    auto declined = window();
    declined->show();
    QTest::mouseClick(declined->findChild<QPushButton*>("btnPrint"), Qt::LeftButton);
    EXPECT_TRUE(declined->isVisible());  // nothing lost: the user may still cancel or try again
    EXPECT_FALSE(fs::exists(reports) && !fs::is_empty(reports));
    ASSERT_EQ(app.dialogs.shown.size(), 1u);
    EXPECT_EQ(app.dialogs.shown[0].text,
              "No printer is set up. Save the pages as a PDF file in the REPORTS folder "
              "instead?");
    EXPECT_EQ(app.dialogs.shown[0].icon, MessageIcon::Question);

    app.dialogs.yesNoAnswers = {true};
    auto accepted = window();
    accepted->show();
    QTest::mouseClick(accepted->findChild<QPushButton*>("btnPrint"), Qt::LeftButton);
    EXPECT_FALSE(accepted->isVisible());
    std::vector<fs::path> pdfs;
    for (const auto& entry : fs::directory_iterator(reports)) pdfs.push_back(entry.path());
    ASSERT_EQ(pdfs.size(), 1u);
    EXPECT_TRUE(pdfs[0].filename().string().starts_with("PRINT-"));
    EXPECT_EQ(PageLines(pdfs[0], 1), QStringList{"to paper"});
    ASSERT_EQ(app.dialogs.shown.size(), 3u);
    EXPECT_EQ(app.dialogs.shown[2].text, "The pages were saved as " + pdfs[0].string() + ".");
    EXPECT_EQ(app.dialogs.shown[2].title, "Information");
}

TEST_F(PrintWindowTest, APdfThatCannotBeWrittenIsReported) {
    handOver("x\r\n");
    auto w = window();
    const fs::path pdf = folder.path() / "no such folder" / "out.pdf";
    w->setPdfTarget(QString::fromStdString(pdf.string()));
    QTest::mouseClick(w->findChild<QPushButton*>("btnPrint"), Qt::LeftButton);
    ASSERT_EQ(app.dialogs.shown.size(), 1u);
    EXPECT_EQ(app.dialogs.shown[0].text,
              "The PDF file " + pdf.string() + " could not be written. Nothing was printed.");
    EXPECT_EQ(app.dialogs.shown[0].title, "Warning!");
}

TEST_F(PrintWindowTest, PrintPageAndPrintDataWriteTheHandOverFileAndOpenThePrintWindow) {
    gui::DataWindow data(app);
    ReportBuffer& r = app.session().report;
    auto item = [&data](const char* name) { return data.findChild<QAction*>(name); };

    item("mnuPrint")->trigger();  // no page: nothing at all
    EXPECT_EQ(app.printWindowsOpened, 0);
    EXPECT_FALSE(fs::exists(folder.path() / "PRNTFILE.XXX"));

    r.AppendLine("earlier");
    r.StartReport();
    r.AppendLine("page line");
    item("mnuPrint")->trigger();
    EXPECT_EQ(app.printWindowsOpened, 1);
    EXPECT_EQ(ReadBytes(folder.path() / "PRNTFILE.XXX"), "page line\r\n\r\n");
    item("mnuPrintData")->trigger();
    EXPECT_EQ(app.printWindowsOpened, 2);
    EXPECT_EQ(ReadBytes(folder.path() / "PRNTFILE.XXX"), "earlier\r\npage line\r\n\r\n");
    EXPECT_TRUE(app.dialogs.shown.empty());
}

}  // namespace
}  // namespace talvenor
