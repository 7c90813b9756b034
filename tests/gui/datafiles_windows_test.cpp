// The names, cities and time-zone windows and the list editors as a user drives them, on their own and
// inside the whole program: clicks fill the input windows, a double-click computes, Save to disk asks
// before it replaces, the lists switch in one place.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "datafiles/cities_window.h"
#include "datafiles/file_selection.h"
#include "datafiles/long_lat_window.h"
#include "datafiles/name_edit_window.h"
#include "datafiles/names_window.h"
#include "datafiles/time_zone_window.h"
#include "fake_app_services.h"
#include "input/diurnal_input_window.h"
#include "input/natal_input_window.h"
#include "report/data_window.h"
#include "shell/talvenor_app.h"
#include "support/shipped_data.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::FakeAppServices;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteLines(const fs::path& file, const std::vector<std::string>& lines) {
    std::ofstream out(file, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
}

template <class T>
T* Find(QWidget& window, const char* name) {
    T* w = window.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QStringList Entries(QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
    return entries;
}

void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// A real double-click: the first click, then the second press that Qt reports as a double-click.
void DoubleClickRow(QListWidget* list, int row) {
    ClickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void Show(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

fs::path TestFolder() {
    const fs::path folder = fs::temp_directory_path() /
                            ("talvenor-datafiles-" + std::to_string(getpid()) + "-" +
                             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

const char* kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";
const char* kTransit = "Transit,7 Dec 2026,9.30,A,0,000.00,51.29";
const char* kJonah = "Jonah Pike,17 Aug 2001,9.05,P,5,071.04,42.22";

class DataFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = TestFolder();
        app_.session().appFolder = folder_;
        app_.session().settings.NamesFilePath = (folder_ / "NAMES.FIL").string();
        app_.session().settings.CitiesFilePath = (folder_ / "GA_MA.LL").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    Session& s() { return app_.session(); }
    const std::vector<testing_support::ShownMessage>& shown() { return app_.dialogs.shown; }

    fs::path folder_;
    FakeAppServices app_;
};

TEST_F(DataFilesTest, ANameClickFillsTheNatalWindowAndCarriesTimeAndPlaceToTheDiurnalOne) {
    WriteLines(folder_ / "NAMES.FIL",
               {kSample, kJonah, "Twin,01 Jan 2000,1.00,A,0,000.00,10.00",
                "Twin,02 Jan 2000,2.00,P,0,-002.20,-33.52", ",01 Jan 2000,1.00,A,0,000.00,10.00",
                "Hidden,01 Jan 2000,1.00,A,0,0,0"});
    gui::NamesWindow window(app_);
    Show(window);
    auto* list = Find<QListWidget>(window, "NamesOnFile");
    EXPECT_EQ(window.windowTitle(), "Names");
    EXPECT_EQ(Find<QLabel>(window, "lblNamesOnFile")->text(), "NAMES.FIL");
    EXPECT_EQ(Entries(list),
              (QStringList{"Sample Person", "Jonah Pike", "Twin", "Twin"}));  // an empty name ends it
    EXPECT_TRUE(shown().empty());

    s().diurnal.month = "12", s().diurnal.day = "7", s().diurnal.year = "2026";
    ClickRow(list, 1);
    const InputTexts& n = s().natal;
    EXPECT_EQ(n.name, "Jonah Pike");
    EXPECT_EQ(n.month + "/" + n.day + "/" + n.year, "8/17/2001");
    EXPECT_EQ(n.hour + "|" + n.minute + "|" + n.zone, " 9|5| 5");
    EXPECT_EQ(n.longDeg + "|" + n.longMin + "|" + n.latDeg + "|" + n.latMin, " 71|4| 42|22");
    EXPECT_TRUE(n.pm && n.west && n.north);
    const SecondInputTexts& d = s().diurnal;
    EXPECT_EQ(d.hour + "|" + d.minute + "|" + d.zone + "|" + d.longDeg, " 9|5| 5| 71");
    EXPECT_EQ(d.month + "/" + d.day + "/" + d.year, "12/7/2026");
    EXPECT_EQ(app_.fieldRefreshes, 1);

    ClickRow(list, 3);  // the second Twin loads the first
    EXPECT_EQ(n.latDeg, " 10");
    QTest::keyClick(list, Qt::Key_Home);  // moving with the keys chooses too
    EXPECT_EQ(n.name, "Sample Person");

    // Without "Use natal data" the diurnal window takes the present moment at home.
    s().diurnal.useNatal = false;
    s().options[18] = 7;
    ClickRow(list, 1);
    EXPECT_EQ(d.zone, " 7");
    const std::time_t t = std::time(nullptr);
    EXPECT_EQ(d.year, std::to_string(std::localtime(&t)->tm_year + 1900));
}

TEST_F(DataFilesTest, SecondPersonClicksFillTheDiurnalWindowAndOnlyAGoodRecordIsComputed) {
    WriteLines(folder_ / "NAMES.FIL", {kSample, "Bad Date,31 Feb 1962,10.15,P,6,087.39,41.52"});
    gui::NamesWindow window(app_);
    Show(window);
    auto* list = Find<QListWidget>(window, "NamesOnFile");
    s().natal.name = "Now";
    s().diurnal.secondPerson = true;
    DoubleClickRow(list, 0);
    EXPECT_EQ(s().diurnal.secondPersonName, "Sample Person");
    EXPECT_EQ(s().diurnal.year + "|" + s().diurnal.hour, "1962| 10");
    EXPECT_EQ(s().natal.name, "Now");
    EXPECT_EQ(app_.computesFromNames, 0);  // with "2nd Person" a double-click is a click

    s().diurnal.secondPerson = false;
    app_.namesState.SkipLockedSelect = true;
    DoubleClickRow(list, 0);
    EXPECT_EQ(app_.computesFromNames, 1);
    EXPECT_FALSE(app_.namesState.SkipLockedSelect);

    DoubleClickRow(list, 1);
    ASSERT_FALSE(shown().empty());
    EXPECT_EQ(shown().back().text, kNameRecordFormatErrorMessage);
    EXPECT_EQ(shown().back().title, "Error!");
    EXPECT_EQ(shown().back().icon, MessageIcon::Critical);
    EXPECT_EQ(s().natal.name, "Bad Date");  // filled up to the failure
    EXPECT_EQ(app_.computesFromNames, 1);   // but no chart from half a record
}

TEST_F(DataFilesTest, AnUnreadableNamesFileFallsBackOrSaysWhatIsWrong) {
    const std::string missing = (folder_ / "MISSING.FIL").string();
    const std::string fallback = (folder_ / "NAMES.FIL").string();
    struct Case {
        const char* what;
        std::vector<std::string> namesFil;  // empty: no NAMES.FIL
        QStringList entries;
        std::string message, title;
    };
    const Case cases[] = {
        {"the default file instead", {kSample}, {"Sample Person"}, "", ""},
        {"no file at all",
         {},
         {},
         "The names file " + missing + " cannot be opened, nor can " + fallback +
             ". The list of names is empty.",
         "Information!"},
        {"a record cut short", {kSample, "Short,14 Mar 1962"}, {"Sample Person"}, kNamesFileError, "Error!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(fallback);
        if (!c.namesFil.empty()) WriteLines(fallback, c.namesFil);
        s().settings.NamesFilePath = c.namesFil.size() == 2 ? fallback : missing;
        app_.dialogs.shown.clear();
        gui::NamesWindow window(app_);
        EXPECT_EQ(Entries(Find<QListWidget>(window, "NamesOnFile")), c.entries);
        EXPECT_EQ(Find<QLabel>(window, "lblNamesOnFile")->text(), "NAMES.FIL");
        if (c.message.empty()) {
            EXPECT_TRUE(shown().empty());
            EXPECT_EQ(s().settings.NamesFilePath, "");  // given up for the default
        } else {
            ASSERT_EQ(shown().size(), 1u);
            EXPECT_EQ(shown()[0].text, c.message);
            EXPECT_EQ(shown()[0].title, c.title);
        }
    }
}

TEST_F(DataFilesTest, LockListSelectsTheLockedNameAgainUnlessASaveSaysSkip) {
    WriteLines(folder_ / "NAMES.FIL", {kSample, kJonah, kTransit, "Ada,02 Feb 1978,7.05,A,5,084.23,33.45",
                                       "Eve,03 Mar 1980,8.00,A,5,084.23,33.45"});
    app_.namesState = {true, 7, false};
    {
        gui::NamesWindow window(app_);
        EXPECT_TRUE(Find<QCheckBox>(window, "Check1")->isChecked());
        EXPECT_EQ(Find<QListWidget>(window, "NamesOnFile")->currentRow(), 4);
        EXPECT_EQ(app_.namesState.LockedIndex, 4);
        EXPECT_EQ(s().natal.name, "Eve");
    }
    app_.namesState.SkipLockedSelect = true;
    s().natal.name = "Now";
    gui::NamesWindow window(app_);
    Show(window);
    auto* list = Find<QListWidget>(window, "NamesOnFile");
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(s().natal.name, "Now");

    auto* lock = Find<QCheckBox>(window, "Check1");
    QTest::mouseClick(lock, Qt::LeftButton);
    EXPECT_FALSE(app_.namesState.LockList);
    ClickRow(list, 2);
    QTest::mouseClick(lock, Qt::LeftButton);
    EXPECT_TRUE(app_.namesState.LockList);
    EXPECT_EQ(app_.namesState.LockedIndex, 2);
}

TEST_F(DataFilesTest, ChangeListAsksForAFilAndReadsTheChosenOne) {
    WriteLines(folder_ / "NAMES.FIL", {kSample});
    WriteLines(folder_ / "OTHER.FIL", {kJonah, kTransit});
    app_.namesState = {false, 3, true};
    gui::NamesWindow window(app_);
    auto* change = Find<QPushButton>(window, "cmdNewFileList");
    QTest::mouseClick(change, Qt::LeftButton);  // cancelled
    ASSERT_EQ(app_.fileRequests.size(), 1u);
    EXPECT_EQ(app_.fileRequests[0], std::make_pair(std::string("*.FIL"), (folder_ / "NAMES.FIL").string()));
    EXPECT_EQ(app_.fileUses[0], gui::FileUse::Open);  // a list to show, not a file to save into
    EXPECT_EQ(Entries(Find<QListWidget>(window, "NamesOnFile")), QStringList{"Sample Person"});

    app_.fileAnswers = {(folder_ / "OTHER.FIL").string()};
    QTest::mouseClick(change, Qt::LeftButton);
    EXPECT_EQ(s().settings.NamesFilePath, (folder_ / "OTHER.FIL").string());
    EXPECT_EQ(Entries(Find<QListWidget>(window, "NamesOnFile")), (QStringList{"Jonah Pike", "Transit"}));
    EXPECT_EQ(Find<QLabel>(window, "lblNamesOnFile")->text(), "OTHER.FIL");
    EXPECT_EQ(app_.namesState.LockedIndex, 0);
    EXPECT_FALSE(app_.namesState.SkipLockedSelect);
}

TEST_F(DataFilesTest, ImportAsksForTheSourceAndTheNamesFileAndAddsOnlyAfterYes) {
    WriteLines(folder_ / "NAMES.FIL", {kSample});
    WriteLines(folder_ / "BIRTHS.AAF",
               {"#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel/Pfalz,D", "#B93:*,49n05,8e11,1he,0",
                "#A93:No,Time,m,1.1.1990,*,P,D", "#B93:*,49n05,8e11,1he,0"});
    gui::NamesWindow window(app_);
    auto* import = Find<QPushButton>(window, "cmdImport");
    EXPECT_EQ(import->text(), "&Import...");

    // Cancel in the first dialog, then in the second, then No to the question: nothing is written.
    QTest::mouseClick(import, Qt::LeftButton);
    app_.fileAnswers = {(folder_ / "BIRTHS.AAF").string()};
    QTest::mouseClick(import, Qt::LeftButton);
    app_.fileAnswers = {(folder_ / "BIRTHS.AAF").string(), (folder_ / "NAMES.FIL").string()};
    app_.dialogs.yesNoAnswers = {false};
    QTest::mouseClick(import, Qt::LeftButton);
    EXPECT_EQ(ReadAll(folder_ / "NAMES.FIL"), std::string(kSample) + "\r\n");
    EXPECT_EQ(app_.reportsShown, 0);
    ASSERT_EQ(app_.fileRequests.size(), 5u);
    EXPECT_EQ(app_.fileRequests[0], std::make_pair(std::string("Import births from"), std::string()));
    EXPECT_EQ(app_.fileUses[0], gui::FileUse::Open);
    EXPECT_EQ(app_.fileRequests[2], std::make_pair(std::string("*.FIL"), (folder_ / "NAMES.FIL").string()));
    EXPECT_EQ(app_.fileUses[2], gui::FileUse::SaveInto);

    // Yes: the birth is added, the old list kept as NAMES.OLD, the report shown and the list read again.
    app_.fileAnswers = {(folder_ / "BIRTHS.AAF").string(), (folder_ / "NAMES.FIL").string()};
    app_.dialogs.yesNoAnswers = {true};
    QTest::mouseClick(import, Qt::LeftButton);
    EXPECT_EQ(ReadAll(folder_ / "NAMES.FIL"),
              std::string(kSample) + "\r\nTobias Ferber,27 Sep 1970,11.04,A,-1,-008.11,49.05\r\n");
    EXPECT_EQ(ReadAll(folder_ / "NAMES.OLD"), std::string(kSample) + "\r\n");
    EXPECT_EQ(app_.reportsShown, 1);
    EXPECT_EQ(Entries(Find<QListWidget>(window, "NamesOnFile")),
              (QStringList{"Sample Person", "Tobias Ferber"}));
    const ReportBuffer& report = s().report;
    const std::vector<std::string> page(report.PageLines.begin(),
                                        report.PageLines.begin() + report.PageLineCount);
    EXPECT_NE(std::find(page.begin(), page.end(), "    line 3, Time No: the record has no time of birth"),
              page.end());
    EXPECT_EQ(shown().back().title, "Import Births");
}

TEST_F(DataFilesTest, ExportWritesTheNamesFileInTheFormatOfTheEndingChosen) {
    WriteLines(folder_ / "NAMES.FIL", {kSample, "Bad Date,31 Feb 1962,10.15,P,6,087.39,41.52"});
    gui::NamesWindow window(app_);
    auto* exportButton = Find<QPushButton>(window, "cmdExport");
    EXPECT_EQ(exportButton->text(), "E&xport...");
    QTest::mouseClick(exportButton, Qt::LeftButton);  // cancelled
    EXPECT_EQ(app_.fileUses.back(), gui::FileUse::WriteNew);
    EXPECT_EQ(app_.reportsShown, 0);

    app_.fileAnswers = {(folder_ / "births.qck").string()};
    QTest::mouseClick(exportButton, Qt::LeftButton);
    EXPECT_EQ(ReadAll(folder_ / "births.qck"),
              "Sample Person          MAR 14, 196210:15:00 PM    +06:00087W39'00 41N52'00                    "
              "      \r\n");
    EXPECT_EQ(app_.reportsShown, 1);
    EXPECT_EQ(s().report.PageLines[0], "  EXPORT OF NAMES.FIL TO births.qck (Quick*Chart)");
    EXPECT_EQ(s().report.PageLines[s().report.PageLineCount - 1],
              "    line 2, Bad Date: field 2 (date) is not a date: 31 Feb 1962");

    app_.fileAnswers = {(folder_ / "births.txt").string()};
    QTest::mouseClick(exportButton, Qt::LeftButton);
    EXPECT_FALSE(fs::exists(folder_ / "births.txt"));
    EXPECT_EQ(shown().back().title, "Export Births");
    EXPECT_EQ(app_.reportsShown, 1);
}

TEST_F(DataFilesTest, ImportAndExportFileWindowsSayWhatTheyDoAndOfferOneKindOfFileAFormat) {
    WriteLines(folder_ / "NAMES.FIL", {kSample});
    gui::NamesWindow window(app_);
    QTest::mouseClick(Find<QPushButton>(window, "cmdImport"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(window, "cmdExport"), Qt::LeftButton);
    ASSERT_EQ(app_.fileWindows.size(), 2u);
    const auto kinds = [](const gui::FileRequest& r) {
        std::vector<std::string> text;
        for (const gui::FileType& t : r.types) {
            std::string endings;
            for (const std::string& e : t.endings) endings += " " + e;
            text.push_back(t.label + ":" + endings);
        }
        return text;
    };
    const gui::FileRequest& import = app_.fileWindows[0];
    EXPECT_EQ(import.title, "Import births from");
    EXPECT_EQ(import.use, gui::FileUse::Open);
    EXPECT_EQ(kinds(import),
              (std::vector<std::string>{"Birth files: aaf qck csv", "AAF files: aaf",
                                        "Quick*Chart files: qck", "CSV files: csv", "All files:"}));
    const gui::FileRequest& exportTo = app_.fileWindows[1];
    EXPECT_EQ(exportTo.title, "Export the names file to");
    EXPECT_EQ(exportTo.use, gui::FileUse::WriteNew);
    EXPECT_EQ(kinds(exportTo),
              (std::vector<std::string>{"AAF files: aaf", "Quick*Chart files: qck", "CSV files: csv"}));
    EXPECT_EQ(gui::FileTypeFilters(exportTo.types),
              (QStringList{"AAF files (*.aaf *.AAF)", "Quick*Chart files (*.qck *.QCK)",
                           "CSV files (*.csv *.CSV)"}));
    EXPECT_EQ(gui::FileTypeFilters(import.types).back(), "All files (*)");

    // A name without an ending is written in the format of the kind of file chosen, with its ending.
    app_.fileAnswers = {(folder_ / "births").string()};
    app_.fileTypeAnswers = {2};
    QTest::mouseClick(Find<QPushButton>(window, "cmdExport"), Qt::LeftButton);
    EXPECT_FALSE(fs::exists(folder_ / "births"));
    EXPECT_EQ(ReadAll(folder_ / "births.csv").substr(0, 5), "name,");
    EXPECT_EQ(s().report.PageLines[0], "  EXPORT OF NAMES.FIL TO births.csv (CSV)");
    // A file the window did not name is replaced only after a question: No leaves it.
    app_.fileAnswers = {(folder_ / "births").string()};
    app_.fileTypeAnswers = {2};
    WriteLines(folder_ / "births.csv", {"kept"});
    app_.dialogs.shown.clear();
    QTest::mouseClick(Find<QPushButton>(window, "cmdExport"), Qt::LeftButton);
    ASSERT_EQ(app_.dialogs.shown.size(), 1u);
    EXPECT_EQ(app_.dialogs.shown[0].text, "births.csv already exists. Do you want to replace it?");
    EXPECT_EQ(app_.dialogs.shown[0].title, "Export Births");
    EXPECT_EQ(ReadAll(folder_ / "births.csv"), "kept\r\n");
    // The ending typed chooses, whatever kind of file is chosen.
    app_.fileAnswers = {(folder_ / "births.aaf").string()};
    app_.fileTypeAnswers = {2};
    QTest::mouseClick(Find<QPushButton>(window, "cmdExport"), Qt::LeftButton);
    EXPECT_EQ(ReadAll(folder_ / "births.aaf").substr(0, 5), "#A93:");
}

TEST_F(DataFilesTest, TheEditorsSaveTheirTextWithLineEndsAndQuitReloadsTheirList) {
    WriteLines(folder_ / "NAMES.FIL", {kSample});
    WriteLines(folder_ / "GA_MA.LL", {"Sample Town,GA,084W23,33N45,5"});
    gui::NamesWindow names(app_);
    QTest::mouseClick(Find<QPushButton>(names, "cmdEditList"), Qt::LeftButton);
    gui::NameEditWindow* nameEdit = names.editor();
    ASSERT_NE(nameEdit, nullptr);
    EXPECT_EQ(nameEdit->objectName(), "NameEdit");
    EXPECT_EQ(nameEdit->windowTitle().toStdString(), "Edit: " + (folder_ / "NAMES.FIL").string());
    auto* text = Find<QPlainTextEdit>(*nameEdit, "txtContent");
    EXPECT_EQ(text->toPlainText().toStdString(), std::string(kSample) + "\n");
    EXPECT_EQ(Find<QLabel>(*nameEdit, "Label1")->text(), "Ctrl-C to copy. Ctrl-X to cut. Ctrl-V to paste.");
    text->setPlainText(QString(kSample) + "\n" + kJonah);  // the last line without its line end keeps it all
    app_.namesState.SkipLockedSelect = true;
    QTest::mouseClick(Find<QPushButton>(*nameEdit, "btnSave"), Qt::LeftButton);
    EXPECT_EQ(ReadAll(folder_ / "NAMES.FIL"), std::string(kSample) + "\r\n" + kJonah + "\r\n");
    EXPECT_FALSE(app_.namesState.SkipLockedSelect);
    EXPECT_TRUE(nameEdit->isVisible());
    QTest::mouseClick(Find<QPushButton>(*nameEdit, "btnQuit"), Qt::LeftButton);
    EXPECT_EQ(app_.namesShown, 1);

    gui::CitiesWindow cities(app_);
    QTest::mouseClick(Find<QPushButton>(cities, "cmdEditList"), Qt::LeftButton);
    gui::LongLatWindow* longLat = cities.editor();
    ASSERT_NE(longLat, nullptr);
    EXPECT_EQ(longLat->objectName(), "LongLat");
    Find<QPlainTextEdit>(*longLat, "txtContent")->clear();
    QTest::mouseClick(Find<QPushButton>(*longLat, "btnSave"), Qt::LeftButton);
    EXPECT_EQ(ReadAll(folder_ / "GA_MA.LL"), "");
    QTest::mouseClick(Find<QPushButton>(*longLat, "btnQuit"), Qt::LeftButton);
    EXPECT_EQ(app_.citiesShown, 1);

    // A file that cannot be written is said so, and the text stays in the editor.
    s().settings.CitiesFilePath = (folder_ / "gone" / "X.LL").string();
    gui::LongLatWindow failing(app_);
    Find<QPlainTextEdit>(failing, "txtContent")->setPlainText("Somewhere,XX,001W00,01N00,0");
    app_.dialogs.shown.clear();
    QTest::mouseClick(Find<QPushButton>(failing, "btnSave"), Qt::LeftButton);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "The file " + s().settings.CitiesFilePath +
                                   " could not be written. Your changes are still in the editor.");
    EXPECT_EQ(shown()[0].title, "Error!");
}

TEST_F(DataFilesTest, APlaceClickFillsPlaceAndZoneOfTheWindowInUse) {
    WriteLines(folder_ / "GA_MA.LL",
               {"Sample Town,GA,84W23,33N45,5", "Far East,XX,002E20,33s52,-1", "Broken,XX,84W,33N45,5"});
    gui::CitiesWindow window(app_);
    Show(window);
    EXPECT_EQ(window.windowTitle(), "Cities");
    EXPECT_EQ(Find<QLabel>(window, "lblCitiesOnFile")->text(), "GA_MA.LL");
    auto* list = Find<QListWidget>(window, "CitiesOnFile");
    s().natal.name = "Kept";
    ClickRow(list, 0);
    const InputTexts& n = s().natal;
    EXPECT_EQ(n.longDeg + "|" + n.longMin + "|" + n.zone + "|" + n.latDeg + "|" + n.latMin,
              " 84| 23| 5| 33| 45");
    EXPECT_TRUE(n.west && n.north);
    EXPECT_EQ(n.name, "Kept");
    EXPECT_EQ(s().diurnal.latMin, " 45");  // "Use natal data" carries the place over

    s().diurnal.secondPerson = true;
    ClickRow(list, 1);
    const SecondInputTexts& d = s().diurnal;
    EXPECT_EQ(d.longDeg + "|" + d.longMin + "|" + d.zone, " 2| 20|-1");
    EXPECT_TRUE(d.east && d.north);  // a small "s" is not south
    EXPECT_EQ(n.longDeg, " 84");

    ClickRow(list, 2);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, kCityFormatError);
    EXPECT_EQ(shown()[0].icon, MessageIcon::Critical);
    QTest::mouseClick(Find<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(app_.namesShown, 1);
}

TEST_F(DataFilesTest, AZonePickWritesZoneAndDirectionIntoTheTargetWindowAndStaysOpen) {
    WriteLines(folder_ / "TZ.DAT", {"Eastern,EST,5", "Arabia Plus,ARP,-3.5", "Green-wich,GMT,0",
                                    "Greenwich,GMT,0", ",,", "Hidden,HID,1"});
    auto* zones = new gui::TimeZoneWindow(app_);  // deletes itself when closed
    gui::TimeZoneWindow& window = *zones;
    Show(window);
    EXPECT_EQ(window.windowTitle(), "Time Zones");
    auto* list = Find<QListWidget>(window, "lstTimeZones");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "Eastern" + QString(25, u' ') + " -  EST =   5");
    EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());

    s().diurnal.zone = "9";
    window.setTarget(gui::kTimeZoneTargetNatal);
    ClickRow(list, 1);
    EXPECT_EQ(s().natal.zone, "-3.5");
    EXPECT_TRUE(s().natal.east);
    EXPECT_EQ(s().diurnal.zone, "9");
    EXPECT_TRUE(window.isVisible());

    window.setTarget(gui::kTimeZoneTargetDiurnal);
    s().diurnal.SelectEast(true);
    ClickRow(list, 3);
    EXPECT_EQ(s().diurnal.zone, " 0");
    EXPECT_TRUE(s().diurnal.west);
    EXPECT_EQ(s().natal.zone, "-3.5");
    EXPECT_EQ(app_.fieldRefreshes, 2);

    ClickRow(list, 2);  // a name with a dash cannot be found again
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, kTimeZoneFileCorrupt);
    EXPECT_EQ(shown()[0].title, "Error!");
    EXPECT_EQ(s().diurnal.zone, " 0");

    QTest::mouseClick(Find<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());

    fs::remove(folder_ / "TZ.DAT");
    app_.dialogs.shown.clear();
    gui::TimeZoneWindow without(app_);
    EXPECT_FALSE(without.hasTable());
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "The time-zone table TZ.DAT cannot be found in the program folder.");
}

TEST_F(DataFilesTest, InputWindowsAskForTheTimeZonesOfTheirOwnAndTheSave) {
    gui::NatalInputWindow natal(app_);
    gui::DiurnalInputWindow diurnal(app_);
    Show(natal);
    Show(diurnal);
    QTest::mouseClick(Find<QPushButton>(natal, "cmdSave"), Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(natal, "Label1"), Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(diurnal, "Label1"), Qt::LeftButton);
    EXPECT_EQ(app_.nameSaves, 1);
    EXPECT_EQ(app_.timeZoneTargets,
              (std::vector<int>{gui::kTimeZoneTargetNatal, gui::kTimeZoneTargetDiurnal}));
}

TEST_F(DataFilesTest, TheFileDialogPreselectsTheFileInUseByTheEndOfItsPath) {
    for (const char* name : {"b.fil", "NAMES.FIL", "notes.txt"}) WriteLines(folder_ / name, {});
    EXPECT_EQ(gui::FileToPreselect(folder_, "*.FIL", "/elsewhere/names.fil"), "NAMES.FIL");
    EXPECT_EQ(gui::FileToPreselect(folder_, "*.FIL", "/elsewhere/OTHER.FIL"), "b.fil");  // the first
    EXPECT_EQ(gui::FileToPreselect(folder_, "*.LL", "/elsewhere/GA_MA.LL"), "");
    EXPECT_EQ(gui::FileDialogFilters("*.FIL").front(), "Data files (*.FIL *.fil)");
}

// The whole program in a data folder of its own.
class DesktopDataFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = TestFolder();
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
        WriteLines(folder_ / "NAMES.FIL", {kTransit, kSample});
        app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
        app_->setFileChooser([this](const std::string& pattern, const std::string&) {
            return pattern == "*.FIL" ? chosen_ : std::string();
        });
        app_->start(folder_);
    }
    void TearDown() override {
        app_.reset();
        fs::remove_all(folder_);
    }

    QListWidget* Names() {
        EXPECT_NE(app_->namesWindow(), nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(app_->namesWindow()));
        return app_->namesWindow()->findChild<QListWidget*>("NamesOnFile");
    }

    fs::path folder_;
    std::string chosen_;
    testing_support::ScriptedDialogs dialogs_;
    std::unique_ptr<gui::TalvenorApp> app_;
};

TEST_F(DesktopDataFilesTest, ADoubleClickedNameComputesTheSamePageAsTheReportTool) {
    ASSERT_TRUE(app_->namesWindow()->isVisible());
    QListWidget* names = Names();
    auto* secondPerson = app_->diurnalWindow().findChild<QCheckBox*>("chk2ndPerson");
    QTest::mouseClick(secondPerson, Qt::LeftButton);
    ClickRow(names, 0);  // the transit moment, as a second person
    EXPECT_EQ(secondPerson->text(), "Transit");
    EXPECT_EQ(app_->diurnalWindow().findChild<QLineEdit*>("txtDiurnalYear")->text(), "2026");
    QTest::mouseClick(secondPerson, Qt::LeftButton);

    DoubleClickRow(names, 1);
    std::string expected =
        ReadAll(fs::path(TALVENOR_TEST_DATA_DIR) / "pages" / "sample-placidus-natal-data.txt");
    std::erase(expected, '\r');
    EXPECT_EQ(app_->dataWindow().findChild<QPlainTextEdit*>("RichText1")->toPlainText().toStdString() + "\n",
              expected);
    EXPECT_EQ(app_->namesWindow(), nullptr);
    EXPECT_FALSE(app_->natalWindow().isVisible());
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(DesktopDataFilesTest, SaveToDiskAsksBeforeReplacingAndTheListShowsTheNewEntryLast) {
    ClickRow(Names(), 1);
    app_->natalWindow().findChild<QLineEdit*>("txtName")->setText("sample person");
    auto* save = app_->natalWindow().findChild<QPushButton*>("cmdSave");
    gui::NamesWindow* before = app_->namesWindow();
    QTest::mouseClick(save, Qt::LeftButton);  // the chooser cancels
    EXPECT_EQ(app_->namesWindow(), before);
    EXPECT_TRUE(dialogs_.shown.empty());

    chosen_ = (folder_ / "NAMES.FIL").string();
    dialogs_.yesNoAnswers = {true};
    QTest::mouseClick(save, Qt::LeftButton);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Sample Person already exists");
    EXPECT_EQ(
        dialogs_.shown[0].text,
        "There is already a name on file matching your current name with the following associated data: "
        "\r\n\r\nDate =  14 Mar 1962\r\nTime =  10.15 P\r\nTime zone =  6\r\nLongitude =  087.39\r\n"
        "Latitude =  41.52\r\n\r\nDo you want to replace it?\r\n\r\nAnswering 'NO' will append the "
        "current name and data to file, not replace the existing entry.");
    EXPECT_EQ(ReadAll(folder_ / "NAMES.FIL"),
              std::string(kTransit) + "\r\nsample person,14 Mar 1962,10.15,P, 6,087.39,41.52\r\n");
    EXPECT_EQ(ReadAll(folder_ / "NAMES.OLD"), std::string(kTransit) + "\r\n" + kSample + "\r\n");
    EXPECT_EQ(Entries(Names()), (QStringList{"Transit", "sample person"}));
    EXPECT_TRUE(app_->namesListState().SkipLockedSelect);
}

TEST_F(DesktopDataFilesTest, ListsSwitchInOnePlaceAndTheZonePickerFollowsTheInputWindows) {
    const QPoint place = app_->namesWindow()->pos();
    QTest::mouseClick(app_->namesWindow()->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    ASSERT_NE(app_->citiesWindow(), nullptr);
    EXPECT_EQ(app_->namesWindow(), nullptr);
    EXPECT_EQ(app_->citiesWindow()->pos(), place);
    QTest::mouseClick(app_->citiesWindow()->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(app_->citiesWindow(), nullptr);
    EXPECT_EQ(app_->namesWindow()->pos(), place);

    WriteLines(folder_ / "TZ.DAT", {"Eastern,EST,5", "Arabia Plus,ARP,-3.5"});
    gui::NatalInputWindow& natal = app_->natalWindow();
    gui::DiurnalInputWindow& diurnal = app_->diurnalWindow();
    QTest::mouseClick(natal.findChild<QLabel*>("Label1"), Qt::LeftButton);
    gui::TimeZoneWindow* zones = app_->timeZoneWindow();
    ASSERT_NE(zones, nullptr);
    EXPECT_EQ(zones->frameGeometry().right(), diurnal.frameGeometry().right());
    auto* list = zones->findChild<QListWidget*>("lstTimeZones");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(zones));
    ClickRow(list, 1);
    EXPECT_EQ(natal.findChild<QLineEdit*>("txtTZ")->text(), "-3.5");
    EXPECT_TRUE(natal.findChild<QRadioButton*>("optEast")->isChecked());
    EXPECT_EQ(app_->timeZoneWindow(), zones);  // still open

    QTest::mouseClick(diurnal.findChild<QLabel*>("Label1"), Qt::LeftButton);
    EXPECT_EQ(app_->timeZoneWindow(), zones);
    EXPECT_EQ(zones->target(), gui::kTimeZoneTargetDiurnal);
    EXPECT_EQ(zones->frameGeometry().left(), natal.frameGeometry().left());

    QTest::mouseClick(natal.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    EXPECT_EQ(app_->timeZoneWindow(), nullptr);
}

}  // namespace
}  // namespace talvenor
