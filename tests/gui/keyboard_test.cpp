// The program from the keyboard alone: every window's access keys lead to one control each, Enter in the
// names list computes as a double-click does, Esc closes the windows that have nothing else for it, and
// the graphic ephemeris's pointer is moved with the arrow keys and dates the diurnal window with Enter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "chart/dial_window.h"
#include "chart/ephemeris_window.h"
#include "chart/options_window.h"
#include "chart/wheel_window.h"
#include "datafiles/cities_window.h"
#include "datafiles/name_edit_window.h"
#include "datafiles/name_record.h"
#include "datafiles/names_window.h"
#include "datafiles/time_zone_window.h"
#include "drawing/chart_drawing.h"
#include "events/ephemeris_graph.h"
#include "input/diurnal_input_window.h"
#include "input/find_place_window.h"
#include "input/natal_input_window.h"
#include "report/data_window.h"
#include "report/event_search_window.h"
#include "report/print_window.h"
#include "shell/main_window.h"
#include "shell/talvenor_app.h"
#include "support/scripted_dialogs.h"
#include "support/shipped_data.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

const char* kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";
const char* kTransit = "Transit,7 Dec 2026,9.30,A,-5.5,-077.13,28.40";

// The access key of a caption: the character after a single "&" ("Mo&ving factors": v); "&&" is an
// ampersand shown as it is.
std::optional<QChar> AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return std::nullopt;
}

// The captions of a window that answer to Alt and a letter: the titles of its menu bar, its buttons,
// check boxes and option buttons, its frames and the labels that lead to a control.
std::vector<QString> AltCaptions(QWidget& window) {
    std::vector<QString> captions;
    if (auto* frame = qobject_cast<QMainWindow*>(&window)) {
        for (const QAction* a : frame->menuBar()->actions()) {
            if (a->isVisible()) captions.push_back(a->text());
        }
    }
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (b->window() == &window && !qobject_cast<const QToolButton*>(b)) captions.push_back(b->text());
    }
    for (const QGroupBox* g : window.findChildren<QGroupBox*>()) {
        if (g->window() == &window) captions.push_back(g->title());
    }
    for (const QLabel* l : window.findChildren<QLabel*>()) {
        if (l->window() == &window && l->buddy()) captions.push_back(l->text());
    }
    return captions;
}

// Every key given to more than one caption: "f: &From, Moving &factors".
std::vector<std::string> Collisions(const std::vector<QString>& captions) {
    std::map<QChar, QStringList> byKey;
    for (const QString& c : captions) {
        if (const auto key = AccessKey(c)) byKey[*key] << c;
    }
    std::vector<std::string> found;
    for (const auto& [key, list] : byKey) {
        if (list.size() > 1) found.push_back(QString("%1: %2").arg(key).arg(list.join(", ")).toStdString());
    }
    return found;
}

// The items of a menu and, in turn, of its submenus: each menu's keys apart.
void CollectMenuCollisions(QMenu& menu, std::vector<std::string>& found) {
    std::vector<QString> captions;
    for (QAction* a : menu.actions()) {
        if (!a->isVisible() || a->isSeparator()) continue;
        captions.push_back(a->text());
        if (a->menu()) CollectMenuCollisions(*a->menu(), found);
    }
    for (const std::string& c : Collisions(captions))
        found.push_back(menu.objectName().toStdString() + " " + c);
}

class KeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("talvenor-keyboard-" + std::to_string(getpid()) + "-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
        app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
        app_->start(folder_);
    }
    void TearDown() override {
        app_.reset();
        fs::remove_all(folder_);
    }

    void Compute() {
        Session& s = app_->session();
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(kSample), s.regional, s.natal));
        ASSERT_FALSE(FillDiurnalFromRecord(*ParseNameRecord(kTransit), s.regional, s.diurnal));
        app_->natalWindow().refresh();
        app_->diurnalWindow().refresh();
        QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        ASSERT_TRUE(app_->dataWindow().isVisible());
    }
    // The window in front with the keyboard, as after a click on its title bar.
    static void Activate(QWidget& window) {
        window.show();
        window.raise();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window)) << qPrintable(window.objectName());
    }
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

    fs::path folder_;
    testing_support::ScriptedDialogs dialogs_;
    std::unique_ptr<gui::TalvenorApp> app_;
};

TEST_F(KeyboardTest, EveryAccessKeyOfAWindowLeadsToOneControl) {
    Compute();
    gui::MainWindow& main = app_->main();
    std::vector<std::pair<std::string, QWidget*>> windows{{"main", &main},
                                                          {"natal", &app_->natalWindow()},
                                                          {"diurnal", &app_->diurnalWindow()},
                                                          {"data", &app_->dataWindow()}};
    app_->showNamesWindow();
    windows.emplace_back("names", app_->namesWindow());
    app_->namesWindow()->findChild<QPushButton*>("cmdEditList")->click();
    windows.emplace_back("names editor", app_->namesWindow()->editor());
    app_->showCitiesWindow();
    windows.emplace_back("cities", app_->citiesWindow());
    app_->openTimeZones(gui::kTimeZoneTargetNatal);
    windows.emplace_back("time zones", app_->timeZoneWindow());
    app_->optionsCommand();
    windows.emplace_back("options", app_->optionsWindow());
    app_->showAbout();
    windows.emplace_back("about", main.findChild<QWidget*>("About"));
    app_->dataWindow().findChild<QAction*>("mnuPrint")->trigger();
    windows.emplace_back("print", app_->printWindow());
    app_->showChartWheel();
    windows.emplace_back("wheel", app_->wheelWindow());
    app_->showDial();
    windows.emplace_back("dial", app_->dialWindow());
    app_->showEphemeris();
    windows.emplace_back("graphic ephemeris", app_->ephemerisWindow());
    app_->showEventSearch();
    windows.emplace_back("event search", app_->eventSearchWindow());
    gui::FindPlaceWindow findPlace(
        AtlasLocation{folder_ / "no atlas here", folder_ / "no atlas here" / "ATLAS.DB"}, nullptr);
    windows.emplace_back("find place", &findPlace);

    for (const auto& [name, window] : windows) {
        SCOPED_TRACE(name);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Collisions(AltCaptions(*window)), std::vector<std::string>{});
        std::vector<std::string> inMenus;
        if (auto* frame = qobject_cast<QMainWindow*>(window)) {
            for (QAction* a : frame->menuBar()->actions()) {
                if (a->menu()) CollectMenuCollisions(*a->menu(), inMenus);
            }
        }
        // The Data and Help menus have each one pair of their own, older than the program's additions.
        if (window == &main) {
            const std::vector<std::string> own{
                "mnuData o: Transit Midp&oint Aspects to Natal, S&orted Transit Formulas",
                "mnuHelp t: &TALVENOR Window, Da&ta Window"};
            EXPECT_EQ(inMenus, own);
            // The second person's captions add none.
            app_->diurnalWindow().findChild<QCheckBox*>("chk2ndPerson")->click();
            inMenus.clear();
            CollectMenuCollisions(*main.menu("mnuData"), inMenus);
            EXPECT_EQ(inMenus,
                      std::vector<std::string>{
                          "mnuData o: 2nd Person Midp&oint Aspects to Natal, S&orted 2nd Person Formulas"});
            app_->diurnalWindow().findChild<QCheckBox*>("chk2ndPerson")->click();
        } else {
            EXPECT_EQ(inMenus, std::vector<std::string>{});
        }
    }
    // The buttons of the names and the options windows are reached with Alt as well.
    for (QWidget* window :
         {static_cast<QWidget*>(app_->optionsWindow()), static_cast<QWidget*>(app_->citiesWindow())}) {
        for (const QAbstractButton* b : window->findChildren<QAbstractButton*>())
            EXPECT_TRUE(AccessKey(b->text())) << qPrintable(b->text());
    }
    app_->showNamesWindow();
    for (const QAbstractButton* b : app_->namesWindow()->findChildren<QAbstractButton*>())
        EXPECT_TRUE(AccessKey(b->text())) << qPrintable(b->text());
}

TEST_F(KeyboardTest, AltFInTheEventSearchGoesToFromAndTheMovingFactorsHaveAKeyOfTheirOwn) {
    Compute();
    app_->showEventSearch();
    gui::EventSearchWindow& search = *app_->eventSearchWindow();
    Activate(search);
    search.findChild<QPushButton*>("cmdEventSearch")->setFocus();
    Press(Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), search.findChild<QLineEdit*>("txtEventFrom"));
    Press(Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), search.findChild<QListWidget*>("lstEventMovers"));
    search.close();
}

TEST_F(KeyboardTest, EnterOnANameComputesAsADoubleClickDoes) {
    gui::NamesWindow* names = app_->namesWindow();
    ASSERT_NE(names, nullptr);
    Activate(*names);
    auto* list = names->findChild<QListWidget*>("NamesOnFile");
    list->setFocus();
    list->setCurrentRow(0);
    Press(Qt::Key_Down);  // the second name: "Ada Winterbourne"
    EXPECT_EQ(app_->session().natal.name, list->item(1)->text().toStdString());
    Press(Qt::Key_Return);
    // The charts are computed and the natal data page shown; the names window has closed.
    EXPECT_EQ(app_->session().natalChart.birth.name, list->item(1)->text().toStdString());
    EXPECT_TRUE(app_->dataWindow().isVisible());
    EXPECT_EQ(app_->namesWindow(), nullptr);
}

TEST_F(KeyboardTest, EscClosesTheWindowsThatHaveNoOtherUseForIt) {
    Compute();
    const struct {
        const char* what;
        std::function<QWidget*()> open;
    } cases[] = {
        {"wheel", [this] { return app_->showChartWheel(), static_cast<QWidget*>(app_->wheelWindow()); }},
        {"dial", [this] { return app_->showDial(), static_cast<QWidget*>(app_->dialWindow()); }},
        {"graphic ephemeris",
         [this] { return app_->showEphemeris(), static_cast<QWidget*>(app_->ephemerisWindow()); }},
        {"options", [this] { return app_->optionsCommand(), static_cast<QWidget*>(app_->optionsWindow()); }},
        {"about", [this] { return app_->showAbout(), app_->main().findChild<QWidget*>("About"); }},
        {"time zones",
         [this] {
             app_->openTimeZones(gui::kTimeZoneTargetDiurnal);
             return static_cast<QWidget*>(app_->timeZoneWindow());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget* window = c.open();
        ASSERT_NE(window, nullptr);
        Activate(*window);
        Press(Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_TRUE(dialogs_.shown.empty());
    // The data window keeps its own Esc: the main window gets the keyboard.
    Activate(app_->dataWindow());
    app_->dataWindow().findChild<QPlainTextEdit*>("RichText1")->setFocus();
    Press(Qt::Key_Escape);
    EXPECT_TRUE(app_->dataWindow().isVisible());
}

TEST_F(KeyboardTest, EscInTheOptionsAsksBeforeChangesAreLost) {
    app_->optionsCommand();
    gui::OptionsWindow* options = app_->optionsWindow();
    Activate(*options);
    auto* text = options->findChild<QPlainTextEdit*>("txtContent");
    text->setFocus();
    QTest::keyClicks(text, "x");
    Press(Qt::Key_Escape);  // No: the window stays with the change
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Options");
    EXPECT_EQ(dialogs_.shown[0].text,
              "The options are changed but not saved. Close the window and lose the changes?");
    EXPECT_TRUE(options->isVisible());
    dialogs_.yesNoAnswers.push_back(true);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(options->isVisible());
}

TEST_F(KeyboardTest, TheAboutWindowHasACloseButton) {
    app_->showAbout();
    QWidget* about = app_->main().findChild<QWidget*>("About");
    ASSERT_NE(about, nullptr);
    auto* close = about->findChild<QPushButton*>("cmdClose");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "&Close");
    Activate(*about);
    EXPECT_EQ(QApplication::focusWidget(), close);
    Press(Qt::Key_Return);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(KeyboardTest, TheGraphicEphemerisPointerMovesWithTheArrowsAndEnterDatesTheDiurnalWindow) {
    Compute();
    app_->showEphemeris();
    gui::EphemerisWindow& graph = *app_->ephemerisWindow();
    Activate(graph);
    gui::EphemerisView& view = graph.view();
    EXPECT_EQ(QApplication::focusWidget(), &view);
    const Session& s = app_->session();
    const DayRange range = view.graph().range;
    const double modulus = view.graph().modulus;
    // The status bar reads the pointer as it reads the mouse.
    const auto shows = [&](double julianDate, double place) {
        EXPECT_EQ(graph.statusBar()->currentMessage().toStdString(),
                  GraphHoverText(julianDate, place, s.regional));
    };

    // The first key puts the pointer in the middle of the graph.
    const double middle = (range.fromJulianDate + range.toJulianDate) / 2;
    Press(Qt::Key_Right);
    shows(middle, modulus / 2);
    // A day a step to either side, a degree up and down (a minute with Shift).
    for (int i = 0; i < 3; ++i) Press(Qt::Key_Right);
    Press(Qt::Key_Left);
    shows(middle + 2, modulus / 2);
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    Press(Qt::Key_Down, Qt::ShiftModifier);
    const double place = modulus / 2 + 2 - 1.0 / 60;
    shows(middle + 2, place);
    // Home and End go to the ends of the range, which hold the pointer; a page is a tenth of the range.
    Press(Qt::Key_End);
    Press(Qt::Key_Right);
    shows(range.toJulianDate, place);
    Press(Qt::Key_Home);
    Press(Qt::Key_Left);
    shows(range.fromJulianDate, place);
    Press(Qt::Key_PageDown);
    const double day = range.fromJulianDate + (range.toJulianDate - range.fromJulianDate) / 10;
    shows(day, place);

    // Enter puts that day (in the diurnal window's zone) into the diurnal window, as a click does.
    app_->diurnalWindow().hide();
    Press(Qt::Key_Return);
    const CivilDate date = LocalDateAt(day, HeadingOf(s.secondChart.birth).zone);
    EXPECT_EQ(s.diurnal.month, std::to_string(date.month));
    EXPECT_EQ(s.diurnal.day, std::to_string(date.day));
    EXPECT_EQ(s.diurnal.year, std::to_string(date.year));
    EXPECT_TRUE(app_->diurnalWindow().isVisible());
}

}  // namespace
}  // namespace talvenor
