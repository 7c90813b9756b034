// The desktop program where its files cannot be written: each window says what was not saved and keeps
// the user's text, the exit and the last page go on quietly, and the previous files stay as they were.
// A full disk is staged with a file size limit, which binds root as well (the tests run as root).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "chart/options_window.h"
#include "datafiles/long_lat_window.h"
#include "datafiles/name_edit_window.h"
#include "datafiles/names_window.h"
#include "environment/options.h"
#include "fake_app_services.h"
#include "input/natal_input_window.h"
#include "reliability/file_fault_support.h"
#include "report/data_window.h"
#include "session/options_file_edit.h"
#include "shell/main_window.h"
#include "shell/talvenor_app.h"
#include "support/shipped_data.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::FileBytes;
using testing_support::FileSizeLimit;
using testing_support::PutFile;
using testing_support::ShownMessage;

const char* kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";
const char* kTransit = "Transit,7 Dec 2026,9.30,A,0,000.00,51.29";
constexpr rlim_t kFullDisk = testing_support::FaultyPlace::kDiskRoom;

fs::path TestFolder() {
    const fs::path folder = fs::temp_directory_path() /
                            ("talvenor-faults-" + std::to_string(getpid()) + "-" +
                             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void Click(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void ExpectShown(const std::vector<ShownMessage>& shown, const std::string& text, const std::string& title) {
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, text);
    EXPECT_EQ(shown[0].title, title);
}

// One window on its own over a folder of its files.
class WindowFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = TestFolder();
        s().appFolder = folder_;
        s().settings.NamesFilePath = (folder_ / "NAMES.FIL").string();
        s().settings.CitiesFilePath = (folder_ / "GA_MA.LL").string();
    }
    void TearDown() override { fs::remove_all(folder_); }
    Session& s() { return app_.session(); }

    fs::path folder_;
    testing_support::FakeAppServices app_;
};

TEST_F(WindowFaults, ADocumentThatCannotBeSavedIsNamedAndSaveStillAsksForAFile) {
    s().options[45] = 60;
    ReportBuffer& report = s().report;
    report.StartReport();
    report.AppendLine("  Natal data for Sample Person");
    gui::DataWindow window(app_);
    int asked = 0;
    fs::path answer;
    window.setFileChooser([&](const QString&) {
        ++asked;
        return QString::fromStdString(answer.string());
    });
    fs::create_symlink("/dev/full", folder_ / "FULL.DOC");
    PutFile(folder_ / "OLD.DOC", "an older document\r\n");
    for (const fs::path& target : {folder_ / "gone" / "X.DOC", folder_ / "FULL.DOC", folder_ / "OLD.DOC"}) {
        SCOPED_TRACE(target.string());
        answer = target;
        app_.dialogs.shown.clear();
        {
            const FileSizeLimit fullDisk(kFullDisk);  // binds only the third: the others fail anyway
            window.findChild<QAction*>("mnuFileSaveAs")->trigger();
        }
        ExpectShown(app_.dialogs.shown, "The data could not be written to " + target.string() + ".",
                    "Warning!");
    }
    EXPECT_EQ(FileBytes(folder_ / "OLD.DOC"), "an older document\r\n");
    // No document was written, so Save has none to go back to and asks again.
    app_.dialogs.shown.clear();
    {
        const FileSizeLimit fullDisk(kFullDisk);
        window.findChild<QAction*>("mnuFileSave")->trigger();
    }
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(app_.dialogs.shown.size(), 1u);
    EXPECT_EQ(s().SaveFileName, "");
}

TEST_F(WindowFaults, OptionsThatCannotBeWrittenStayInTheWindowAndOutOfUse) {
    PutFile(folder_ / kOptionsFileName, "  8    conjunction orb\r\n");
    PutFile(folder_ / kMasterOptionsFileName, "  9    conjunction orb\r\n");
    s().options[1] = 8;
    gui::OptionsWindow window(app_);
    auto* text = window.findChild<QPlainTextEdit*>("txtContent");
    text->setPlainText("  2    conjunction orb with a longer description\n");
    {
        const FileSizeLimit fullDisk(kFullDisk);
        Click(window, "btnSave");
        Click(window, "cmdRestoreDefault");
    }
    ASSERT_EQ(app_.dialogs.shown.size(), 2u);
    EXPECT_EQ(app_.dialogs.shown[0].text, kOptionsNotWrittenMessage);
    EXPECT_EQ(app_.dialogs.shown[1].text, kRestoreFailedMessage);
    EXPECT_EQ(text->toPlainText(), "  2    conjunction orb with a longer description\n");
    EXPECT_EQ(FileBytes(folder_ / kOptionsFileName), "  8    conjunction orb\r\n");
    EXPECT_EQ(s().options[1], 8.0f);
    EXPECT_EQ(app_.optionsSaves, 0);
}

TEST_F(WindowFaults, ListEditorsThatCannotSaveNameTheFileAndKeepTheText) {
    PutFile(folder_ / "NAMES.FIL", std::string(kSample) + "\r\n");
    PutFile(folder_ / "GA_MA.LL", "Sample Town,GA,084W23,33N45,5\r\n");
    gui::NameEditWindow names(app_, nullptr);
    gui::LongLatWindow cities(app_, nullptr);
    for (gui::ListEditorWindow* editor : std::initializer_list<gui::ListEditorWindow*>{&names, &cities}) {
        SCOPED_TRACE(editor->file());
        const std::string before = FileBytes(editor->file());
        auto* text = editor->findChild<QPlainTextEdit*>("txtContent");
        text->setPlainText("Edited Line,1 Jan 2000,1.00,A,0,000.00,00.00\n");
        app_.dialogs.shown.clear();
        app_.namesState.SkipLockedSelect = true;
        {
            const FileSizeLimit fullDisk(kFullDisk);
            Click(*editor, "btnSave");
        }
        ExpectShown(
            app_.dialogs.shown,
            "The file " + editor->file() + " could not be written. Your changes are still in the editor.",
            "Error!");
        EXPECT_EQ(text->toPlainText(), "Edited Line,1 Jan 2000,1.00,A,0,000.00,00.00\n");
        EXPECT_EQ(FileBytes(editor->file()), before);
        EXPECT_TRUE(app_.namesState.SkipLockedSelect);  // only a saved names list counts as the editor's Save
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

// A million names are read and laid out in a few seconds: the list measures one entry for all of them
// instead of each of a million.
TEST_F(WindowFaults, AMillionNamesAreListed) {
    {
        std::ofstream out(folder_ / "NAMES.FIL", std::ios::binary);
        for (int i = 0; i < 1'000'000; ++i)
            out << "Person " << i << ",14 Mar 1962,10.15,P,6,087.39,41.52\r\n";
    }
    QElapsedTimer timer;
    timer.start();
    gui::NamesWindow window(app_);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    std::printf("  a million names listed and shown in %lld ms\n", static_cast<long long>(timer.elapsed()));
    auto* list = window.findChild<QListWidget*>("NamesOnFile");
    ASSERT_EQ(list->count(), 1'000'000);
    EXPECT_EQ(list->item(999'999)->text(), "Person 999999");
    EXPECT_TRUE(list->uniformItemSizes());
    EXPECT_TRUE(app_.dialogs.shown.empty());
}

// The whole program over a copy of the shipped files.
class DesktopFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = TestFolder();
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
        PutFile(folder_ / "NAMES.FIL", std::string(kTransit) + "\r\n" + kSample + "\r\n");
        app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
        app_->setFileChooser([this](const std::string&, const std::string&) { return chosen_; });
        app_->start(folder_);
        dialogs_.shown.clear();
    }
    void TearDown() override {
        app_.reset();
        testing_support::SetImmutable(folder_, false);
        fs::remove_all(folder_);
    }

    fs::path folder_;
    std::string chosen_;
    testing_support::ScriptedDialogs dialogs_;
    std::unique_ptr<gui::TalvenorApp> app_;
};

TEST_F(DesktopFaults, AReportWhoseLastPageCannotBeWrittenIsShownAllTheSame) {
    fs::remove_all(folder_ / "REPORTS");
    PutFile(folder_ / "REPORTS", "in the way");
    Click(app_->natalWindow(), "cmdOK");
    const QString shown = app_->dataWindow().findChild<QPlainTextEdit*>("RichText1")->toPlainText();
    EXPECT_TRUE(app_->dataWindow().isVisible());
    EXPECT_TRUE(shown.contains("HOUSE CUSPS")) << shown.left(400).toStdString();
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(FileBytes(folder_ / "REPORTS"), "in the way");
}

TEST_F(DesktopFaults, SaveToDiskOnAFullDiskSaysTheNamesFileIsUnchanged) {
    app_->natalWindow().findChild<QLineEdit*>("txtName")->setText("Ann");
    chosen_ = (folder_ / "NAMES.FIL").string();
    const std::string before = FileBytes(chosen_);
    {
        const FileSizeLimit fullDisk(kFullDisk);
        Click(app_->natalWindow(), "cmdSave");
    }
    ExpectShown(dialogs_.shown, "The names file " + chosen_ + " could not be saved; it was not changed.",
                "Error!");
    EXPECT_EQ(FileBytes(chosen_), before);
    EXPECT_FALSE(fs::exists(folder_ / "NAMES.OLD"));
    EXPECT_FALSE(fs::exists(folder_ / "wfyert.hyq"));
    ASSERT_NE(app_->namesWindow(), nullptr);  // the list is shown again, as after any save
    EXPECT_EQ(app_->namesWindow()->findChild<QListWidget*>("NamesOnFile")->count(), 2);
}

// The settings file is written at exit with no message of its own: the program ends whatever happens,
// and a settings file that cannot be replaced stays as it was.
TEST_F(DesktopFaults, ExitEndsQuietlyWhenTheSettingsCannotBeWritten) {
    PutFile(folder_ / "Talvenor.ini", "FontSize= 10\r\n");
    if (!testing_support::SetImmutable(folder_, true)) GTEST_SKIP() << "no immutable folders here";
    app_->main().setGeometry(40, 60, 700, 80);
    app_->exitProgram();
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_FALSE(app_->main().isVisible());
    EXPECT_EQ(FileBytes(folder_ / "Talvenor.ini"), "FontSize= 10\r\n");
}

}  // namespace
}  // namespace talvenor
