// The program's own message boxes, questions, prompts and file dialogs, shown for real: each belongs to
// the window that raised it, appears centred over it, is wide enough for its title and gives the
// keyboard back to that window and control when it closes. The file dialog's buttons say what the
// help text says.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "datafiles/names_window.h"
#include "environment/window_placement.h"
#include "input/diurnal_input_window.h"
#include "input/natal_input_window.h"
#include "report/data_window.h"
#include "shell/main_window.h"
#include "shell/talvenor_app.h"
#include "support/shipped_data.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

// What a box looked like while it was open.
struct SeenBox {
    QString title;
    QString text;
    QPointer<QWidget> owner;  // the window it belongs to
    QRect frame;
    QStringList buttons;
    QStringList filters;  // a file dialog's
};

// Watches for the program's modal boxes and closes each one (Cancel, or OK where that is the only
// button) once it has been looked at, as a user would; or lets `answer` do what the user does in it
// (true when it has closed the box).
class BoxCloser : public QObject {
  public:
    BoxCloser() {
        connect(&timer_, &QTimer::timeout, this, &BoxCloser::look);
        timer_.start(5);
    }
    std::vector<SeenBox> seen;
    std::function<bool(QDialog&)> answer;

  private:
    void look() {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property("seen").toBool()) return;
        box->setProperty("seen", true);
        SeenBox s{box->windowTitle(),   {}, box->parentWidget() ? box->parentWidget()->window() : nullptr,
                  box->frameGeometry(), {}, {}};
        for (auto* label : box->findChildren<QLabel*>()) s.text += label->text();
        for (auto* button : box->findChildren<QAbstractButton*>()) s.buttons << button->text().remove('&');
        if (auto* files = qobject_cast<QFileDialog*>(box)) s.filters = files->nameFilters();
        seen.push_back(s);
        if (answer && answer(*box)) return;
        box->reject();
    }
    QTimer timer_;
};

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The whole program with its real dialogs, in a data folder of its own.
class DialogFocusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("talvenor-dialogs-" + std::to_string(getpid()) + "-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
        app_ = std::make_unique<gui::TalvenorApp>();  // the Qt dialogs
        app_->start(folder_);
    }
    void TearDown() override {
        app_.reset();
        fs::remove_all(folder_);
    }

    // Computes the chart of the present moment and leaves the data window active, its text focused.
    gui::DataWindow& DataWindowWithAPage() {
        QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        gui::DataWindow& data = app_->dataWindow();
        EXPECT_TRUE(data.isVisible());
        Focus(data.findChild<QPlainTextEdit*>("RichText1"));
        return data;
    }

    static void Focus(QWidget* control) {
        control->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(control->window()));
        control->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }

    // After a box: the window that raised it is active again and the control has the focus.
    static void ExpectFocusBackOn(QWidget* control) {
        QTest::qWait(20);
        EXPECT_EQ(QApplication::activeWindow(), control->window());
        EXPECT_EQ(QApplication::focusWidget(), control) << qPrintable(
            QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString("nothing"));
    }

    // The box appeared centred over the window that raised it, as far as the screen allows.
    static void ExpectCentredOver(const SeenBox& box, const QWidget* window) {
        EXPECT_EQ(box.owner, window) << qPrintable(box.title);
        QRect centred = box.frame;
        centred.moveCenter(window->frameGeometry().center());
        const QRect screen = window->screen()->availableGeometry();
        const PixelRect expected = FitInside({centred.x(), centred.y(), centred.width(), centred.height()},
                                             {screen.x(), screen.y(), screen.width(), screen.height()});
        const QPoint offset = box.frame.topLeft() - QPoint(expected.left, expected.top);
        EXPECT_LE(offset.manhattanLength(), 4) << qPrintable(box.title);
    }

    fs::path folder_;
    std::unique_ptr<gui::TalvenorApp> app_;
    BoxCloser closer_;
};

TEST_F(DialogFocusTest, AfterClearAllDataF12IsItalicInTheDataWindowNotExit) {
    gui::DataWindow& data = DataWindowWithAPage();
    auto* text = data.findChild<QPlainTextEdit*>("RichText1");
    data.findChild<QAction*>("mnuClearBuffer")->trigger();
    ASSERT_EQ(closer_.seen.size(), 1u);
    EXPECT_EQ(closer_.seen[0].text, "All data cleared from buffer.");
    ExpectCentredOver(closer_.seen[0], &data);
    ExpectFocusBackOn(text);

    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
    EXPECT_TRUE(data.findChild<QAction*>("mnuFontsItalic")->isChecked());
    EXPECT_TRUE(app_->main().isVisible());  // the program did not end
    EXPECT_FALSE(fs::exists(folder_ / "Talvenor.ini"));
}

TEST_F(DialogFocusTest, AfterNoDataToWriteF6IsSaveAsAgainNotATransitReport) {
    gui::DataWindow& data = DataWindowWithAPage();
    auto* text = data.findChild<QPlainTextEdit*>("RichText1");
    const QString page = text->toPlainText();
    app_->session().report.ClearDataBuffer();
    data.findChild<QAction*>("mnuFileSave")->trigger();
    ASSERT_EQ(closer_.seen.size(), 1u);
    ExpectCentredOver(closer_.seen[0], &data);
    ExpectFocusBackOn(text);

    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    ASSERT_EQ(closer_.seen.size(), 2u);
    EXPECT_EQ(closer_.seen[1].text, "No data to write to file.");
    EXPECT_EQ(closer_.seen[1].owner, &data);
    EXPECT_EQ(text->toPlainText(), page);  // no transit page
}

TEST_F(DialogFocusTest, AnInputErrorGivesTheFocusBackToTheFieldWhereEnterWasPressed) {
    gui::NatalInputWindow& natal = app_->natalWindow();
    auto* year = natal.findChild<QLineEdit*>("txtYear");
    Focus(year);
    year->setText("");
    QTest::keyClick(year, Qt::Key_Return);
    // An empty year fails two checks, each with its message.
    ASSERT_FALSE(closer_.seen.empty());
    for (const SeenBox& box : closer_.seen) {
        EXPECT_EQ(box.text, "Error in natal input data section. Please correct.");
        ExpectCentredOver(box, &natal);
    }
    ExpectFocusBackOn(year);
    QTest::keyClicks(QApplication::focusWidget(), "1990");
    EXPECT_EQ(year->text(), "1990");
}

// The diurnal window computes on a click on its background: its fault gives the focus back to the field
// the user was in, as the natal window's does.
TEST_F(DialogFocusTest, ADiurnalInputErrorGivesTheFocusBackToTheFieldTheUserWasIn) {
    gui::DiurnalInputWindow& diurnal = app_->diurnalWindow();
    diurnal.findChild<QCheckBox*>("chkNatOrNow")->setChecked(false);
    app_->session().diurnal.useNatal = false;
    auto* year = diurnal.findChild<QLineEdit*>("txtDiurnalYear");
    Focus(year);
    year->setText("");
    QTest::mouseClick(&diurnal, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_FALSE(closer_.seen.empty());
    for (const SeenBox& box : closer_.seen) {
        EXPECT_EQ(box.text, "Error in diurnal input data section. Please correct.");
        ExpectCentredOver(box, &diurnal);
    }
    ExpectFocusBackOn(year);
}

TEST_F(DialogFocusTest, PromptsAndFileDialogsBelongToTheWindowThatAsked) {
    struct Case {
        const char* what;
        std::function<QWidget*()> control;  // focused before the command
        std::function<void()> command;
    };
    gui::NamesWindow* names = app_->namesWindow();
    ASSERT_NE(names, nullptr);
    const Case cases[] = {
        {"modulus prompt from the main window", [this] { return static_cast<QWidget*>(&app_->main()); },
         [this] {
             app_->main().showChartMenus(true);
             app_->main().item("mnuDataNatalSort")->trigger();
         }},
        {"Change List of the names window",
         [names] { return names->findChild<QPushButton*>("cmdNewFileList"); },
         [names] { names->findChild<QPushButton*>("cmdNewFileList")->click(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        closer_.seen.clear();
        QWidget* control = c.control();
        Focus(control);
        c.command();
        ASSERT_EQ(closer_.seen.size(), 1u);
        ExpectCentredOver(closer_.seen[0], control->window());
        ExpectFocusBackOn(control);
    }
}

TEST_F(DialogFocusTest, EveryBoxIsWideEnoughForItsTitle) {
    fs::remove(folder_ / "OPTIONS.OPT");
    app_->optionsCommand();  // "File Not Found", title "Warning!"
    gui::DataWindow& data = DataWindowWithAPage();
    data.findChild<QAction*>("mnuClearBuffer")->trigger();  // "Information!"
    app_->main().item("mnuDataNatalTree")->trigger();       // "Modulus"
    ASSERT_EQ(closer_.seen.size(), 3u);
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (const SeenBox& box : closer_.seen) {
        SCOPED_TRACE(qPrintable(box.title));
        // Room for the whole title beside the frame's icon, its three buttons and the spaces between them:
        // about five squares as high as a title bar of the font's height and a margin.
        const int titleBar = metrics.height() + 8;
        EXPECT_GE(box.frame.width(), metrics.horizontalAdvance(box.title) + 5 * titleBar);
    }
    EXPECT_EQ(closer_.seen[0].title, "Warning!");
}

TEST_F(DialogFocusTest, TheFileDialogSaysOpenOrSaveAsTheHelpTextDoes) {
    // Change List opens a list; Save to disk picks the file the entry is saved into.
    auto* changeList = app_->namesWindow()->findChild<QPushButton*>("cmdNewFileList");
    Focus(changeList);
    changeList->click();
    auto* save = app_->natalWindow().findChild<QPushButton*>("cmdSave");
    Focus(save);
    save->click();
    ASSERT_EQ(closer_.seen.size(), 2u);
    EXPECT_EQ(closer_.seen[0].title, "Select a File");
    EXPECT_TRUE(closer_.seen[0].buttons.contains("Open")) << qPrintable(closer_.seen[0].buttons.join(","));
    EXPECT_FALSE(closer_.seen[0].buttons.contains("Save"));
    EXPECT_TRUE(closer_.seen[1].buttons.contains("Save")) << qPrintable(closer_.seen[1].buttons.join(","));
    EXPECT_FALSE(closer_.seen[1].buttons.contains("Open"));
    EXPECT_EQ(closer_.seen[1].owner, &app_->natalWindow());

    // The help text of the window names the buttons it has, and no other.
    const std::string help = ReadAll(fs::path(TALVENOR_SHIPPED_DATA_DIR) / "SELECT.HLP");
    for (const char* button : {"Open", "Save", "Cancel"})
        EXPECT_NE(help.find(std::string("  ") + button + " "), std::string::npos) << button;
    EXPECT_EQ(help.find("OK"), std::string::npos);
    EXPECT_TRUE(closer_.seen[1].buttons.contains("Cancel"));
}

TEST_F(DialogFocusTest, ImportAndExportFileWindowsSayWhatTheyDoAndOfferOneFilterAFormat) {
    gui::NamesWindow* names = app_->namesWindow();
    ASSERT_NE(names, nullptr);
    names->findChild<QPushButton*>("cmdImport")->click();  // cancelled
    // Export: the user chooses "CSV files" with the keys and types a name without an ending.
    QString endingAtFirst, endingChosen;
    closer_.answer = [&](QDialog& box) {
        auto* files = qobject_cast<QFileDialog*>(&box);
        if (!files) return false;
        endingAtFirst = files->defaultSuffix();
        auto* kinds = files->findChild<QComboBox*>("fileTypeCombo");
        kinds->setFocus();
        QTest::keyClick(kinds, Qt::Key_Down);
        QTest::keyClick(kinds, Qt::Key_Down);
        endingChosen = files->defaultSuffix();
        files->findChild<QLineEdit*>("fileNameEdit")->setText("births");
        box.accept();  // Save
        return true;
    };
    names->findChild<QPushButton*>("cmdExport")->click();
    closer_.answer = nullptr;

    ASSERT_GE(closer_.seen.size(), 2u);
    EXPECT_EQ(closer_.seen[0].title, "Import births from");
    EXPECT_TRUE(closer_.seen[0].buttons.contains("Open")) << qPrintable(closer_.seen[0].buttons.join(","));
    EXPECT_EQ(closer_.seen[0].filters,
              (QStringList{"Birth files (*.aaf *.AAF *.qck *.QCK *.csv *.CSV)", "AAF files (*.aaf *.AAF)",
                           "Quick*Chart files (*.qck *.QCK)", "CSV files (*.csv *.CSV)", "All files (*)"}));
    EXPECT_EQ(closer_.seen[1].title, "Export the names file to");
    EXPECT_TRUE(closer_.seen[1].buttons.contains("Save")) << qPrintable(closer_.seen[1].buttons.join(","));
    EXPECT_EQ(closer_.seen[1].filters,
              (QStringList{"AAF files (*.aaf *.AAF)", "Quick*Chart files (*.qck *.QCK)",
                           "CSV files (*.csv *.CSV)"}));
    EXPECT_EQ(endingAtFirst, "aaf");
    EXPECT_EQ(endingChosen, "csv");
    // The file has the ending of the kind chosen, and its format.
    EXPECT_FALSE(fs::exists(folder_ / "births"));
    EXPECT_EQ(ReadAll(folder_ / "births.csv").substr(0, 5), "name,");
}

}  // namespace
}  // namespace talvenor
