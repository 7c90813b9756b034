// The desktop program as a user drives it: start-up, the menus, computing a chart, every Data item, the
// second-person captions, options, help and exit.
#include "shell/main_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "datafiles/name_record.h"
#include "datafiles/names_window.h"
#include "input/diurnal_input_window.h"
#include "input/natal_input_window.h"
#include "report/data_window.h"
#include "shell/progress_window.h"
#include "shell/talvenor_app.h"
#include "support/scripted_dialogs.h"
#include "support/shipped_data.h"

namespace talvenor {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// An expected page as the data window shows it: LF line ends.
QString ExpectedPage(const std::string& name) {
    std::string text = ReadAll(std::filesystem::path(TALVENOR_TEST_DATA_DIR) / "pages" / (name + ".txt"));
    std::string lf;
    for (char c : text) {
        if (c != '\r') lf += c;
    }
    return QString::fromStdString(lf);
}

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("talvenor-desktop-" + std::to_string(getpid()) + "-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
    }
    void TearDown() override {
        app_.reset();
        std::filesystem::remove_all(folder_);
    }

    void Start() {
        app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
        app_->start(folder_);
    }

    // Types a names-file record into the two input windows, as a click on a name would.
    void EnterCharts(const char* natal, const char* diurnal, const char* secondPerson = nullptr) {
        Session& s = app_->session();
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(natal), s.regional, s.natal));
        ASSERT_FALSE(FillDiurnalFromRecord(*ParseNameRecord(diurnal), s.regional, s.diurnal));
        s.diurnal.secondPerson = secondPerson != nullptr;
        s.diurnal.secondPersonName = secondPerson ? secondPerson : kSecondPersonCaption;
        app_->natalWindow().refresh();
        app_->diurnalWindow().refresh();
    }

    void PressOk() {
        auto* ok = app_->natalWindow().findChild<QPushButton*>("cmdOK");
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    QString Shown() {
        return app_->dataWindow().findChild<QPlainTextEdit*>("RichText1")->toPlainText() + "\n";
    }

    std::filesystem::path folder_;
    testing_support::ScriptedDialogs dialogs_;
    std::unique_ptr<gui::TalvenorApp> app_;
};

const char* kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";
const char* kTransit = "Transit,7 Dec 2026,9.30,A,0,000.00,51.29";

TEST_F(DesktopTest, StartsWithTheWindowsOfATypicalSessionAndTheHouseOfTheOptions) {
    std::ofstream(folder_ / "OPTIONS.OPT", std::ios::app);  // untouched: option 27 is 1
    Start();
    gui::MainWindow& main = app_->main();
    EXPECT_EQ(main.objectName(), "TALVENOR");
    EXPECT_TRUE(main.windowTitle().startsWith("TALVENOR (Tropical zodiac) - "));
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(app_->natalWindow().isVisible());
    EXPECT_TRUE(app_->diurnalWindow().isVisible());
    EXPECT_TRUE(main.item("mnuHousePlacidus")->isChecked());
    EXPECT_FALSE(main.item("mnuInputData")->isVisible());  // no chart yet
    EXPECT_FALSE(main.menu("mnuData")->menuAction()->isVisible());
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "REPORTS"));
    EXPECT_EQ(app_->session().natal.name, "Now");
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(DesktopTest, EveryWindowShowsTheProgramsIcon) {
    QApplication::setWindowIcon(QIcon());
    Start();
    EXPECT_TRUE(QFile(":/icons/talvenor.svg").exists()) << "the icon is not among the program's resources";
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int side : {16, 32, 48, 256}) {
        SCOPED_TRACE(side);
        const QImage image = icon.pixmap(side, side).toImage();
        ASSERT_EQ(image.size(), QSize(side, side));
        // The dark tile with the gold rings, not a blank or generic picture.
        EXPECT_EQ(image.pixelColor(side / 16, side / 2).name().toStdString(), "#101828");
        EXPECT_EQ(image.pixelColor(side / 2, side / 2).alpha(), 255);
    }
    for (QWidget* w : {static_cast<QWidget*>(&app_->main()), static_cast<QWidget*>(&app_->natalWindow()),
                       static_cast<QWidget*>(app_->namesWindow())})
        EXPECT_EQ(w->windowIcon().cacheKey(), icon.cacheKey()) << qPrintable(w->objectName());
    // Desktops find the icon of the menu entry by the desktop file's name.
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.talvenor.Talvenor");
}

TEST_F(DesktopTest, AnEasternHomeOpensWithEastSelectedAndANegativeZone) {
    // Options 18 (zone) and 21 (east) of the home place.
    std::string text;
    {
        std::ifstream in(folder_ / "OPTIONS.OPT", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        text = s.str();
    }
    auto setOption = [&text](int n, const std::string& value) {
        std::size_t start = 0;
        for (int line = 1; line < n; ++line) start = text.find("\r\n", start) + 2;
        text.replace(start, 7, (value + "       ").substr(0, 7));
    };
    setOption(18, "5");
    setOption(21, "1");
    std::ofstream(folder_ / "OPTIONS.OPT", std::ios::binary) << text;
    Start();
    EXPECT_EQ(app_->natalWindow().findChild<QLineEdit*>("txtTZ")->text(), "-5");
    EXPECT_TRUE(app_->session().natal.east);
    EXPECT_EQ(app_->session().diurnal.zone, "-5");
}

TEST_F(DesktopTest, MenusCarryTheirCaptionsAndShortcuts) {
    Start();
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item items[] = {
        {"mnuFileExit", "E&xit", "F12"},
        {"mnuHouseEqualMC", "E&qual - MC", ""},
        {"mnuDataNatalData", "Natal &Data and Aspects", "F2"},
        {"mnuDataNatalSortNumerical", "Natal MP Sort by Degree", "Ctrl+F4"},
        {"mnuDataNatalTree", "Natal Tree", "Ctrl+F1"},
        {"mnuDataTransitTree", "Transit Tree", "Ctrl+F2"},
        {"mnuDataNatalTRFactorAspects_Sorted", "S&orted Transit Formulas", "Ctrl+F11"},
        {"mnuDataPlanetaryPictures", "Planetary Pi&ctures", ""},
        {"mnuDataSolarArc", "Solar &Arc Directions", ""},
        {"mnuDataProgressions", "Secondary P&rogressions", ""},
        {"mnuMainMenuHelp", "TALVENOR Main Menu", "F1"},
        {"mnuHelpPrntfile", "&File To Print  Window", ""},
        {"mnuHelpAbout", "Abo&ut", ""},
    };
    for (const Item& i : items) {
        SCOPED_TRACE(i.name);
        QAction* a = app_->main().item(i.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), i.caption);
        EXPECT_EQ(a->shortcut().toString(), i.shortcut);
    }
}

TEST_F(DesktopTest, OkComputesAndShowsTheNatalDataPageOfTheReportTool) {
    Start();
    EnterCharts(kSample, kTransit);
    PressOk();
    EXPECT_EQ(Shown(), ExpectedPage("sample-placidus-natal-data"));
    EXPECT_TRUE(app_->dataWindow().isVisible());
    EXPECT_EQ(app_->dataWindow().windowTitle(), "TALVENOR (Tropical zodiac) - Data");
    EXPECT_FALSE(app_->natalWindow().isVisible());
    EXPECT_TRUE(app_->main().item("mnuInputData")->isVisible());
    EXPECT_EQ(
        ReadAll(folder_ / "REPORTS" / "LASTPAGE.TXT"),
        ReadAll(std::filesystem::path(TALVENOR_TEST_DATA_DIR) / "pages" / "sample-placidus-natal-data.txt"));
}

TEST_F(DesktopTest, BadInputShowsTheNatalMessageAndKeepsThePreviousPage) {
    Start();
    EnterCharts(kSample, kTransit);
    PressOk();
    const QString page = Shown();
    app_->inputCommand();
    app_->natalWindow().findChild<QLineEdit*>("txtMonth")->setText("13");
    PressOk();
    ASSERT_FALSE(dialogs_.shown.empty());
    EXPECT_EQ(dialogs_.shown.back().text, "Error in natal input data section. Please correct.");
    EXPECT_EQ(dialogs_.shown.back().title, "Warning!");
    EXPECT_TRUE(app_->natalWindow().isVisible());
    EXPECT_EQ(app_->session().natalChart.birth.name, "Sample Person");
    (void)page;
}

TEST_F(DesktopTest, EveryDataItemShowsTheSamePageAsTheReportTool) {
    Start();
    EnterCharts(kSample, kTransit);
    PressOk();
    struct Case {
        const char* item;
        const char* page;
        const char* modulus;  // the answer to the modulus prompt, if asked
    };
    const Case cases[] = {
        {"mnuDataNatalData", "sample-placidus-natal-data", nullptr},
        {"mnuDataTransitData", "sample-placidus-transit-data", nullptr},
        {"mnuDataTransitsAspectstoNatal", "sample-placidus-transits-to-natal", nullptr},
        {"mnuDataNatalMidpoints", "sample-midpoints-natal-midpoints", nullptr},
        {"mnuDataNatalSort", "sample-midpoints-sort45", " 45"},
        {"mnuDataNatalSortNumerical", "sample-midpoints-sort-degree", nullptr},
        {"mnuDataNatalMPAspects_Unsort", "sample-midpoints-natal-mp-unsorted", nullptr},
        {"mnuDataNatalMPAspects_Sorted", "sample-midpoints-natal-mp-sorted", nullptr},
        {"mnuDataNatalTree", "sample-midpoints-natal-tree45", "45"},
        {"mnuDataTranAspectsNatalMidpoints", "sample-midpoints-transits-to-natal-midpoints", nullptr},
        {"mnuDataTranMPAspectsNatal", "sample-midpoints-transit-midpoints-to-natal", nullptr},
        {"mnuDataNatalTRFactorAspects_Unsort", "sample-midpoints-formulas-unsorted", nullptr},
        {"mnuDataNatalTRFactorAspects_Sorted", "sample-midpoints-formulas-sorted", nullptr},
        {"mnuDataTransitTree", "sample-midpoints-transit-tree90", "90"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        if (c.modulus) dialogs_.answers.push_back(std::string(c.modulus));
        app_->main().item(c.item)->trigger();
        EXPECT_EQ(Shown(), ExpectedPage(c.page));
    }
    EXPECT_FALSE(app_->progressWindow().isVisible());  // unloaded after each long report

    // The pictures ask for the modulus and then the target (nothing: every factor).
    dialogs_.answers.push_back(std::string("90"));
    dialogs_.answers.push_back(std::string(""));
    app_->main().item("mnuDataPlanetaryPictures")->trigger();
    EXPECT_EQ(Shown(), ExpectedPage("sample-pictures90"));
    EXPECT_EQ(dialogs_.shown.back().title, "Planetary Pictures");
    dialogs_.answers.push_back(std::string("45"));
    app_->main().item("mnuDataSolarArc")->trigger();
    EXPECT_EQ(Shown(), ExpectedPage("sample-solar-arc45"));
    dialogs_.answers.push_back(std::string("45"));
    app_->main().item("mnuDataProgressions")->trigger();
    EXPECT_EQ(Shown(), ExpectedPage("sample-progressed45"));
}

TEST_F(DesktopTest, ACancelledModulusPromptLeavesThePageAsItWas) {
    Start();
    EnterCharts(kSample, kTransit);
    PressOk();
    const QString before = Shown();
    dialogs_.answers = {std::string("400"), std::string("letters")};
    app_->main().item("mnuDataNatalSort")->trigger();
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(dialogs_.shown.back().title, "Modulus");
}

TEST_F(DesktopTest, SecondPersonBoxExchangesSixDataCaptions) {
    Start();
    auto* box = app_->diurnalWindow().findChild<QCheckBox*>("chk2ndPerson");
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(app_->main().item("mnuDataTransitData")->text(), "&2nd Person Natal Data and Aspects");
    EXPECT_EQ(app_->main().item("mnuDataNatalTRFactorAspects_Unsort")->text(),
              "Unsorted 2nd Person &Formulas");
    EXPECT_EQ(app_->main().item("mnuDataTransitTree")->text(), "Transit Tree");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(app_->main().item("mnuDataTransitData")->text(), "&Transit Data and Aspects");
    EXPECT_EQ(app_->main().item("mnuDataTransitsAspectstoNatal")->text(), "Transit A&spects to Natal");
}

TEST_F(DesktopTest, HouseItemRecomputesInTheChosenSystem) {
    Start();
    EnterCharts(kSample, kTransit);
    PressOk();
    app_->main().item("mnuHouseKoch")->trigger();
    EXPECT_TRUE(app_->main().item("mnuHouseKoch")->isChecked());
    EXPECT_FALSE(app_->main().item("mnuHousePlacidus")->isChecked());
    EXPECT_EQ(app_->session().natalChart.houseSystem, HouseSystem::Koch);
    EXPECT_TRUE(Shown().contains("HOUSE CUSPS - Koch"));
    EXPECT_EQ(app_->session().report.DataLineCount, app_->session().report.PageLineCount);
}

// The Ephemeris menu: the program's theory at first; the modern engine computes the charts on screen again,
// marks its pages and the title, and is remembered in the settings file, which names it only when chosen.
TEST_F(DesktopTest, EphemerisItemsRecomputeWithTheChosenEngineAndAreRemembered) {
    Start();
    gui::MainWindow& main = app_->main();
    EXPECT_EQ(main.item("mnuEphemerisTheory")->text(), "The program's &theory");
    EXPECT_EQ(main.item("mnuEphemerisModern")->text(), "&Modern (VSOP87, ELP/MPP02)");
    EXPECT_TRUE(main.item("mnuEphemerisTheory")->isChecked());
    EXPECT_FALSE(main.item("mnuEphemerisModern")->isChecked());
    EnterCharts(kSample, kTransit);
    PressOk();
    EXPECT_EQ(Shown(), ExpectedPage("sample-placidus-natal-data"));

    main.item("mnuEphemerisModern")->trigger();
    EXPECT_TRUE(main.item("mnuEphemerisModern")->isChecked());
    EXPECT_FALSE(main.item("mnuEphemerisTheory")->isChecked());
    EXPECT_TRUE(app_->session().natalChart.engine.IsModern());
    EXPECT_TRUE(Shown().startsWith("\n  Sample Person   (modern ephemeris)\n  14 Mar 1962"));
    EXPECT_TRUE(main.windowTitle().startsWith("TALVENOR (Tropical zodiac, modern ephemeris) - "));
    EXPECT_TRUE(dialogs_.shown.empty());
    app_->exitProgram();
    EXPECT_NE(ReadAll(folder_ / "Talvenor.ini").find("\r\nEphemeris=modern\r\n"), std::string::npos);
    app_.reset();

    Start();
    EXPECT_TRUE(app_->main().item("mnuEphemerisModern")->isChecked());
    EnterCharts(kSample, kTransit);
    PressOk();
    EXPECT_TRUE(Shown().contains("Sample Person   (modern ephemeris)"));
    app_->main().item("mnuEphemerisTheory")->trigger();
    EXPECT_EQ(Shown(), ExpectedPage("sample-placidus-natal-data"));
    EXPECT_TRUE(app_->main().windowTitle().startsWith("TALVENOR (Tropical zodiac) - "));
    app_->exitProgram();
    EXPECT_EQ(ReadAll(folder_ / "Talvenor.ini").find("Ephemeris="), std::string::npos);
}

// The Factors menu: the classic thirteen at first; the Uranian set computes the charts on screen again,
// brings the Aries point and the hypothetical points into the midpoint pages and the pictures' question,
// shows in the title and is remembered in the settings file, which names it only when chosen.
TEST_F(DesktopTest, FactorsItemsRecomputeWithTheChosenSetAndAreRemembered) {
    Start();
    gui::MainWindow& main = app_->main();
    EXPECT_TRUE(main.item("mnuFactorsClassic")->isChecked());
    EXPECT_FALSE(main.item("mnuFactorsUranian")->isChecked());
    EnterCharts(kSample, kTransit);
    PressOk();
    main.item("mnuDataNatalMidpoints")->trigger();
    EXPECT_EQ(Shown(), ExpectedPage("sample-midpoints-natal-midpoints"));

    main.item("mnuFactorsUranian")->trigger();
    EXPECT_TRUE(main.item("mnuFactorsUranian")->isChecked());
    EXPECT_FALSE(main.item("mnuFactorsClassic")->isChecked());
    EXPECT_EQ(app_->session().natalChart.factors, FactorSet::Uranian);
    EXPECT_EQ(app_->session().secondChart.factors, FactorSet::Uranian);
    EXPECT_TRUE(main.windowTitle().startsWith("TALVENOR (Tropical zodiac, Uranian factors) - "));
    main.item("mnuDataNatalMidpoints")->trigger();
    EXPECT_TRUE(Shown().contains("  ADM/VUL = ")) << Shown().toStdString();
    EXPECT_TRUE(Shown().contains("  SUN/ARI = 27 PIS 03"));  // between the Sun at 24 PIS 06 and 0 ARI 00
    // The pictures' question names the nine more factors and takes them.
    dialogs_.answers.push_back(std::string("90"));
    dialogs_.answers.push_back(std::string("cup"));
    main.item("mnuDataPlanetaryPictures")->trigger();
    ASSERT_GE(dialogs_.shown.size(), 2u);
    EXPECT_NE(dialogs_.shown.back().text.find("ARI, CUP, HAD"), std::string::npos);
    EXPECT_TRUE(Shown().contains("  CUP  (11 LIB 05)"));
    app_->exitProgram();
    EXPECT_NE(ReadAll(folder_ / "Talvenor.ini").find("\r\nFactors=uranian\r\n"), std::string::npos);
    app_.reset();

    Start();
    EXPECT_TRUE(app_->main().item("mnuFactorsUranian")->isChecked());
    EnterCharts(kSample, kTransit);
    PressOk();
    EXPECT_EQ(app_->session().natalChart.factors, FactorSet::Uranian);
    app_->main().item("mnuFactorsClassic")->trigger();
    app_->main().item("mnuDataNatalMidpoints")->trigger();
    EXPECT_EQ(Shown(), ExpectedPage("sample-midpoints-natal-midpoints"));
    EXPECT_TRUE(app_->main().windowTitle().startsWith("TALVENOR (Tropical zodiac) - "));
    app_->exitProgram();
    EXPECT_EQ(ReadAll(folder_ / "Talvenor.ini").find("Factors="), std::string::npos);
}

// Without its tables the modern engine is refused at the first chart, with the file named, and the mark
// goes back to the program's theory, which computes the chart.
TEST_F(DesktopTest, MissingModernTablesAreNamedAndTheTheoryIsUsed) {
    std::filesystem::remove(folder_ / "ephemeris");
    Start();
    app_->main().item("mnuEphemerisModern")->trigger();
    EnterCharts(kSample, kTransit);
    PressOk();
    ASSERT_FALSE(dialogs_.shown.empty());
    EXPECT_NE(dialogs_.shown.front().text.find("vsop87b.txt"), std::string::npos);
    EXPECT_EQ(dialogs_.shown.front().title, "Modern ephemeris");
    EXPECT_TRUE(app_->main().item("mnuEphemerisTheory")->isChecked());
    EXPECT_EQ(Shown(), ExpectedPage("sample-placidus-natal-data"));
}

TEST_F(DesktopTest, OptionsWithoutTheFileSaysFileNotFound) {
    Start();
    std::filesystem::remove(folder_ / "OPTIONS.OPT");
    app_->optionsCommand();
    ASSERT_FALSE(dialogs_.shown.empty());
    EXPECT_EQ(dialogs_.shown.back().text, "File Not Found");
    EXPECT_EQ(dialogs_.shown.back().title, "Warning!");
    EXPECT_EQ(app_->optionsWindow(), nullptr);
}

TEST_F(DesktopTest, HelpItemsShowTheirTextsAndAMissingOneSaysSo) {
    Start();
    app_->main().item("mnuDataNatalHelp")->trigger();
    EXPECT_TRUE(Shown().startsWith("TALVENOR - the Data menu\n"));
    std::filesystem::remove(folder_ / "HINTS.HLP");
    app_->main().item("mnuHelpHints")->trigger();
    EXPECT_TRUE(Shown().contains("The help text HINTS.HLP could not be found"));
}

TEST_F(DesktopTest, ExitRemembersTheWindowGeometry) {
    Start();
    app_->main().setGeometry(40, 60, 700, 80);
    app_->exitProgram();
    const std::string ini = ReadAll(folder_ / "Talvenor.ini");
    EXPECT_EQ(ini.substr(0, 57), "[Talvenor] - Do NOT change the order of these variables.\r");
    app_.reset();

    Start();
    const QRect g = app_->main().geometry();
    EXPECT_NEAR(g.left(), 40, 1);
    EXPECT_NEAR(g.top(), 60, 1);
    EXPECT_NEAR(g.width(), 700, 1);
}

}  // namespace
}  // namespace talvenor
