// The data window driven through its menus, keys and mouse.
#include "report/data_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "fake_app_services.h"
#include "report/page_lines_view.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ReadBytes;

// Counts the key presses that reach the object it watches.
class KeyCounter : public QObject {
  public:
    int keys = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) ++keys;
        return false;
    }
};

class DataWindowTest : public ::testing::Test {
  protected:
    DataWindowTest() {
        app.session().appFolder = folder.path();
        app.session().options[45] = 60;
    }

    QAction* item(const char* name) {
        auto* action = window().findChild<QAction*>(name);
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    QPlainTextEdit* text() { return window().findChild<QPlainTextEdit*>("RichText1"); }
    gui::PageLinesView* lines() { return window().findChild<gui::PageLinesView*>("lstPageLines"); }

    gui::DataWindow& window() {
        if (!window_) {
            window_ = std::make_unique<gui::DataWindow>(app);
            window_->setFileChooser([this](const QString& proposed) {
                proposals.push_back(proposed);
                return answer;
            });
        }
        return *window_;
    }

    void appendPage(std::initializer_list<const char*> lines) {
        ReportBuffer& r = app.session().report;
        r.StartReport();
        for (const char* line : lines) r.AppendLine(line);
    }

    testing_support::TemporaryFolder folder;
    testing_support::FakeAppServices app;
    std::vector<QString> proposals;
    QString answer;  // the file chosen in Save As; empty = Cancel
    std::unique_ptr<gui::DataWindow> window_;
};

TEST_F(DataWindowTest, MenuItemsHaveTheirCaptionsAndShortcuts) {
    const struct {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
    } cases[] = {
        {"mnuFileSave", "&Save", Qt::Key_F5},          {"mnuFileSaveAs", "Save &As", Qt::Key_F6},
        {"mnuFontsIncrease", "&Increase", Qt::Key_F7}, {"mnuFontsDecrease", "&Decrease", Qt::Key_F8},
        {"mnuFontsBold", "&Bold", Qt::Key_F11},        {"mnuFontsItalic", "I&talic", Qt::Key_F12},
        {"mnuClearBuffer", "&Clear all data", {}},     {"mnuPrint", "&Print page", {}},
        {"mnuPrintData", "Print &data", {}},           {"mnuHelp", "&Help", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QAction* action = item(c.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), c.caption);
        EXPECT_EQ(action->shortcut(), c.shortcut);
    }
    EXPECT_EQ(window().objectName(), "OutputD1");
    EXPECT_EQ(window().windowTitle(), "Data");
}

TEST_F(DataWindowTest, ShowingAPageSetsTheTextAndTheCaption) {
    window().displayPage("one\ntwo\n\n");
    EXPECT_EQ(text()->toPlainText(), "one\ntwo\n");
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().windowTitle(), "TALVENOR (Tropical zodiac) - Data");
    EXPECT_TRUE(text()->isReadOnly());
}

TEST_F(DataWindowTest, SaveAsksOnceForTheFileThenWritesPagesOfOption45Lines) {
    app.session().natalChart.birth.name = "Now";
    app.session().options[45] = 2;
    appendPage({"line 1", "line 2", "line 3", "line 4", "line 5"});
    answer = QString::fromStdString((folder.path() / "out.doc").string());

    item("mnuFileSave")->trigger();
    ASSERT_EQ(proposals.size(), 1u);
    EXPECT_EQ(proposals[0], QString::fromStdString((folder.path() / "Now.DOC").string()));
    EXPECT_EQ(ReadBytes(folder.path() / "out.doc"),
              "line 1\r\nline 2\r\n\f\r\nline 3\r\nline 4\r\n\f\r\nline 5\r\n\r\n\f\r\n\f\r\n");

    item("mnuFileSave")->trigger();  // goes to the same file without asking
    EXPECT_EQ(proposals.size(), 1u);
    item("mnuFileSaveAs")->trigger();
    EXPECT_EQ(proposals.size(), 2u);
    EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(DataWindowTest, SavingOrPrintingAnEmptyBufferSaysSo) {
    item("mnuFileSave")->trigger();
    item("mnuFileSaveAs")->trigger();
    item("mnuPrintData")->trigger();
    item("mnuPrint")->trigger();  // an empty page is not printed, without a message
    EXPECT_TRUE(proposals.empty());
    EXPECT_EQ(app.printWindowsOpened, 0);
    ASSERT_EQ(app.dialogs.shown.size(), 3u);
    EXPECT_EQ(app.dialogs.shown[0].text, "No data to write to file.");
    EXPECT_EQ(app.dialogs.shown[1].text, "No data to write to file.");
    EXPECT_EQ(app.dialogs.shown[2].text, "No data to print.");
    EXPECT_EQ(app.dialogs.shown[2].title, "Information");
    EXPECT_EQ(app.dialogs.shown[2].icon, MessageIcon::Exclamation);
}

TEST_F(DataWindowTest, PrintingWithDataAndHelpGoToTheProgram) {
    appendPage({"x"});
    item("mnuPrint")->trigger();
    item("mnuPrintData")->trigger();
    item("mnuHelp")->trigger();
    EXPECT_EQ(app.printWindowsOpened, 2);
    EXPECT_EQ(app.helpShown, std::vector<std::string>{"\\OUTPUTD1.HLP"});
}

TEST_F(DataWindowTest, SizeStepsStopAt12And8AndEveryFontCommandShowsThePageAgain) {
    Settings& settings = app.session().settings;
    app.session().FontStep = 1.5;
    settings.DataFontSize = 12;
    appendPage({"x"});

    item("mnuFontsIncrease")->trigger();
    EXPECT_EQ(settings.DataFontSize, 12);
    EXPECT_FALSE(item("mnuFontsIncrease")->isEnabled());
    EXPECT_EQ(app.reportsShown, 1);

    settings.DataFontSize = 8;
    item("mnuFontsDecrease")->trigger();
    EXPECT_EQ(settings.DataFontSize, 8);
    EXPECT_FALSE(item("mnuFontsDecrease")->isEnabled());
    EXPECT_TRUE(item("mnuFontsIncrease")->isEnabled());

    item("mnuFontsBold")->trigger();
    EXPECT_EQ(settings.DataFontBold, -1);
    EXPECT_TRUE(item("mnuFontsBold")->isChecked());
    EXPECT_TRUE(text()->font().bold());
    item("mnuFontsItalic")->trigger();
    EXPECT_EQ(settings.DataFontItalic, -1);
    EXPECT_TRUE(text()->font().italic());
    EXPECT_EQ(app.reportsShown, 4);
}

TEST_F(DataWindowTest, WithNoPageTheFontChangesButNothingIsShownAgain) {
    app.session().settings.DataFontSize = 8.5;
    app.session().FontStep = 1.2;
    item("mnuFontsIncrease")->trigger();
    EXPECT_DOUBLE_EQ(app.session().settings.DataFontSize, 9.1);
    EXPECT_DOUBLE_EQ(text()->font().pointSizeF(), 9.1);
    EXPECT_EQ(app.reportsShown, 0);
}

TEST_F(DataWindowTest, StoredFontAndStylesAreAppliedAtLoading) {
    app.session().settings.DataFontSize = 10;
    app.session().settings.DataFontItalic = -1;
    EXPECT_EQ(text()->font().pointSizeF(), 10);
    EXPECT_TRUE(text()->font().italic());
    EXPECT_TRUE(item("mnuFontsItalic")->isChecked());
    EXPECT_FALSE(item("mnuFontsBold")->isChecked());
    EXPECT_TRUE(app.dialogs.shown.empty());  // the fixed-pitch font is there
}

TEST_F(DataWindowTest, ClearAllDataEmptiesTheDataButKeepsThePage) {
    appendPage({"a", "b"});
    window().displayPage("a\nb\n");
    item("mnuClearBuffer")->trigger();
    EXPECT_EQ(app.session().report.DataLineCount, 0);
    EXPECT_EQ(app.session().report.PageLineCount, 2);
    EXPECT_EQ(text()->toPlainText(), "a\nb");
    ASSERT_EQ(app.dialogs.shown.size(), 1u);
    EXPECT_EQ(app.dialogs.shown[0].text, "All data cleared from buffer.");
    EXPECT_EQ(app.dialogs.shown[0].title, "Information!");
}

TEST_F(DataWindowTest, EscAndARightClickInTheTextGiveTheMainWindowTheFocus) {
    window().displayPage("a\n");
    KeyCounter passedOn;  // the text ignores Esc, so a key passed on would reach the window
    window().installEventFilter(&passedOn);
    QTest::keyClick(text(), Qt::Key_Escape);
    EXPECT_EQ(app.focusRequests, 1);
    EXPECT_EQ(passedOn.keys, 0);
    QTest::mouseClick(text()->viewport(), Qt::RightButton);
    EXPECT_EQ(app.focusRequests, 2);
    QTest::mouseClick(text()->viewport(), Qt::LeftButton);
    EXPECT_EQ(app.focusRequests, 2);
}

TEST_F(DataWindowTest, GeometryComesFromTheSettingsAndGoesBackInTwips) {
    // The stored rectangle is the window's outer one, its frame and title bar included.
    Settings& settings = app.session().settings;
    settings.DataLeft = 1500;
    settings.DataTop = 900;
    settings.DataWidth = 6000;
    settings.DataHeight = 4500;
    const double twips = 1440.0 / window().logicalDpiX();
    const QRect stored(qRound(1500 / twips), qRound(900 / twips), qRound(6000 / twips), qRound(4500 / twips));
    ASSERT_EQ(app.placements.size(), 1u);
    EXPECT_EQ(app.placements[0], (PixelRect{stored.x(), stored.y(), stored.width(), stored.height()}));
    EXPECT_EQ(settings.DataWidth, 6000);  // loading stores nothing

    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    EXPECT_EQ(window().frameGeometry(), stored);
    window().move(40, 30);
    window().resize(500, 200);
    QCoreApplication::processEvents();
    const QRect outer = window().frameGeometry();
    EXPECT_EQ(outer.topLeft(), QPoint(40, 30));
    EXPECT_GT(outer.height(), 200);  // the frame counts
    EXPECT_EQ(settings.DataLeft, qRound(40 * twips));
    EXPECT_EQ(settings.DataTop, qRound(30 * twips));
    EXPECT_EQ(settings.DataWidth, qRound(outer.width() * twips));
    EXPECT_EQ(settings.DataHeight, qRound(outer.height() * twips));

    // Closed and shown again by the next report: where the settings say.
    window().close();
    settings.DataLeft = 3000;
    window().displayPage("page\n");
    ASSERT_EQ(app.placements.size(), 2u);
    EXPECT_EQ(app.placements[1].left, qRound(3000 / twips));
}

// A page of event lines, as the event search writes them.
std::string EventPage(int lines) {
    std::string page = "\n  Sample Person\n";
    for (int i = 0; i < lines; ++i)
        page += "  01 Jan 2027  00:" + std::to_string(i % 60) + "   SUN      D   NEP/ASC " +
                std::to_string(i) + "\n";
    page += "\n  " + std::to_string(lines) + " EVENTS\n\n";
    return page;
}

// A page of more lines than the text box lays out at once (an event search stopped at a million events)
// is shown as a list of its lines: every line there, in order, in the page's font; an ordinary page
// afterwards is shown in the text box again and the list lets its lines go.
TEST_F(DataWindowTest, ALongPageIsShownAsAListOfItsLinesAndAnOrdinaryOneInTheText) {
    const int count = gui::kLongestTextPage + 10;
    window().displayPageText(EventPage(count));
    ASSERT_NE(lines(), nullptr);
    EXPECT_TRUE(lines()->isVisible());
    EXPECT_FALSE(text()->isVisible());
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_EQ(window().windowTitle(), "TALVENOR (Tropical zodiac) - Data");
    gui::PageLinesModel& model = lines()->lines();
    ASSERT_EQ(model.rowCount(), count + 5);
    EXPECT_EQ(model.line(0), "");
    EXPECT_EQ(model.line(1), "  Sample Person");
    EXPECT_EQ(model.line(2), "  01 Jan 2027  00:0   SUN      D   NEP/ASC 0");
    EXPECT_EQ(model.line(count + 1), "  01 Jan 2027  00:" + QString::number((count - 1) % 60) +
                                         "   SUN      D   NEP/ASC " + QString::number(count - 1));
    EXPECT_EQ(model.line(count + 3), "  " + QString::number(count) + " EVENTS");
    EXPECT_EQ(model.line(count + 4), "");
    EXPECT_EQ(model.data(model.index(1)).toString(), "  Sample Person");
    EXPECT_EQ(lines()->font(), text()->font());

    window().displayPageText("short\npage\n");
    EXPECT_TRUE(text()->isVisible());
    EXPECT_FALSE(lines()->isVisible());
    EXPECT_EQ(text()->toPlainText(), "short\npage");
    EXPECT_EQ(model.rowCount(), 0);
    // A page of exactly the longest length is still text.
    window().displayPageText(EventPage(gui::kLongestTextPage - 5));
    EXPECT_TRUE(text()->isVisible());
}

TEST_F(DataWindowTest, TheListOfALongPageTakesTheTextsKeysFontAndCopy) {
    app.session().settings.DataFontSize = 10;
    window().displayPageText(EventPage(gui::kLongestTextPage + 1));
    gui::PageLinesView* view = lines();
    ASSERT_NE(view, nullptr);
    // Esc and a right click hand the focus to the main window, as in the text.
    KeyCounter passedOn;
    window().installEventFilter(&passedOn);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_EQ(app.focusRequests, 1);
    EXPECT_EQ(passedOn.keys, 0);
    QTest::mouseClick(view->viewport(), Qt::RightButton);
    EXPECT_EQ(app.focusRequests, 2);
    // Ctrl+C copies the chosen lines, one a line, in page order.
    view->setCurrentIndex(view->model()->index(3, 0));
    view->selectionModel()->select(view->model()->index(2, 0), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "  01 Jan 2027  00:0   SUN      D   NEP/ASC 0\n  01 Jan 2027  00:1   SUN      D   NEP/ASC 1\n");
    // The font commands reach the list too.
    const qreal before = view->font().pointSizeF();
    item("mnuFontsDecrease")->trigger();
    EXPECT_LT(view->font().pointSizeF(), before);
    EXPECT_EQ(view->font(), text()->font());
}

TEST_F(DataWindowTest, ClearAllDataKeepsALongPageOnShow) {
    const int count = gui::kLongestTextPage + 1;
    appendPage({"a", "b"});
    window().displayPageText(EventPage(count));
    item("mnuClearBuffer")->trigger();
    EXPECT_EQ(app.session().report.DataLineCount, 0);
    EXPECT_TRUE(lines()->isVisible());
    EXPECT_EQ(lines()->lines().rowCount(), count + 5);
}

}  // namespace
}  // namespace talvenor
