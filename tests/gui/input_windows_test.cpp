// The natal and diurnal input windows as a user drives them: typing, clicking, the hour rule, the zone's
// sign, the check boxes and the requests the windows send to the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "fake_app_services.h"
#include "input/diurnal_input_window.h"
#include "input/input_fills.h"
#include "input/natal_input_window.h"

namespace talvenor {
namespace {

using gui::DiurnalInputWindow;
using gui::NatalInputWindow;
using testing_support::FakeAppServices;

template <class T>
T* Find(QWidget& window, const char* name) {
    T* w = window.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QLineEdit* Box(QWidget& window, const char* name) {
    return Find<QLineEdit>(window, name);
}
QRadioButton* Option(QWidget& window, const char* name) {
    return Find<QRadioButton>(window, name);
}

// What the user reads on a control: a label's text, a button's caption or a frame's title.
QString Caption(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
    return "?";
}

struct Control {
    const char* name;
    const char* caption;  // nullptr for a text box
};

void ExpectControls(QWidget& window, const std::vector<Control>& controls) {
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        auto* w = window.findChild<QWidget*>(c.name);
        ASSERT_NE(w, nullptr);
        if (c.caption)
            EXPECT_EQ(Caption(w), c.caption);
        else
            EXPECT_NE(qobject_cast<QLineEdit*>(w), nullptr);
    }
}

// The named controls in the order Tab visits them, from the first.
void ExpectTabOrder(QWidget& window, const std::vector<const char*>& names) {
    QWidget* w = window.findChild<QWidget*>(names.front());
    ASSERT_NE(w, nullptr);
    std::vector<std::string> visited;
    for (std::size_t step = 0; step < 500 && visited.size() < names.size();
         ++step, w = w->nextInFocusChain()) {
        for (const char* name : names)
            if (w->objectName() == name) visited.push_back(name);
    }
    EXPECT_EQ(visited, std::vector<std::string>(names.begin(), names.end()));
}

void ShowAndWait(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

const QPoint kBackground(3, 3);  // inside the layout's margin, on no control

TEST(InputWindows, EveryNamedControlCarriesItsCaptionAndTheDesignSelection) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    EXPECT_EQ(natal.objectName(), "InputD");
    EXPECT_EQ(natal.windowTitle(), "Natal Input Data");
    EXPECT_EQ(diurnal.objectName(), "InputD1");
    EXPECT_EQ(diurnal.windowTitle(), "Diurnal Input Data");

    ExpectControls(natal, {{"txtName", nullptr},
                           {"lblName", "Name"},
                           {"txtMonth", nullptr},
                           {"lblMonth", "Birth Month"},
                           {"txtDay", nullptr},
                           {"lblDay", "Birth Day"},
                           {"txtYear", nullptr},
                           {"lblYear", "Birth Year"},
                           {"txtBirthHour", nullptr},
                           {"lblBirthHour", "Birth Hour"},
                           {"txtBirthMinute", nullptr},
                           {"lblBirthMinute", "Birth Minute"},
                           {"txtTZ", nullptr},
                           {"lblBirthTZ", "Time Zone . . ."},
                           {"txtLongDeg", nullptr},
                           {"lblLongDeg", "Long Degrees"},
                           {"txtLongMin", nullptr},
                           {"lblLongMin", "Long Minutes"},
                           {"txtLatDeg", nullptr},
                           {"lblLatDeg", "Lat Degrees"},
                           {"txtLatMin", nullptr},
                           {"lblLatMin", "Lat Minutes"},
                           {"optAM", "AM"},
                           {"optPM", "PM"},
                           {"optEast", "E"},
                           {"optWest", "W"},
                           {"optNorth", "N"},
                           {"optSouth", "S"},
                           {"Frame1", "Am/Pm"},
                           {"Frame2", "Ea/We"},
                           {"Frame3", "No/So"},
                           {"cmdOK", "OK"},
                           {"cmdSave", "Save to disk"},
                           {"cmdNow", "NOW"},
                           {"Label1", "TZ Help"},
                           {"Label2", "ACS Atlas"}});
    ExpectControls(diurnal, {{"txtDiurnalMonth", nullptr},
                             {"lblDiurnalMonth", "Diurnal Month"},
                             {"txtDiurnalDay", nullptr},
                             {"lblDiurnalDay", "Diurnal Day"},
                             {"txtDiurnalYear", nullptr},
                             {"lblDiurnalYear", "Diurnal Year"},
                             {"txtDiurnalHour", nullptr},
                             {"lblDiurnalHour", "Diurnal Hour"},
                             {"txtDiurnalMinute", nullptr},
                             {"lblDiurnalMinute", "Diurnal Min."},
                             {"txtDiurnalTZ", nullptr},
                             {"lblDiurnalTZ", "D. Time Zone . . ."},
                             {"txtDiurnalLongDeg", nullptr},
                             {"lblDiurnalLongDeg", "D. Long Deg."},
                             {"txtDiurnalLongMin", nullptr},
                             {"lblDiurnalLongMin", "D. Long Min."},
                             {"txtDiurnalLatDeg", nullptr},
                             {"lblDiurnalLatDeg", "D. Lat Deg."},
                             {"txtDiurnalLatMin", nullptr},
                             {"lblDiurnalLatMin", "D. Lat Min."},
                             {"optDiurnalAM", "AM"},
                             {"optDiurnalPM", "PM"},
                             {"optDiurnalEast", "E"},
                             {"optDiurnalWest", "W"},
                             {"optDiurnalNorth", "N"},
                             {"optDiurnalSouth", "S"},
                             {"Frame1", "Am/Pm"},
                             {"Frame2", "Ea/We"},
                             {"Frame3", "No/So"},
                             {"chkNatOrNow", "Use natal data"},
                             {"chk2ndPerson", "2nd Person"},
                             {"Label1", "TZ Help"},
                             {"Label2", "ACS Atlas"}});

    for (const char* name : {"optAM", "optWest", "optNorth"})
        EXPECT_TRUE(Option(natal, name)->isChecked()) << name;
    for (const char* name : {"optDiurnalAM", "optDiurnalWest", "optDiurnalNorth"})
        EXPECT_TRUE(Option(diurnal, name)->isChecked()) << name;
    EXPECT_TRUE(Find<QCheckBox>(diurnal, "chkNatOrNow")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(diurnal, "chk2ndPerson")->isChecked());
    EXPECT_TRUE(Find<QPushButton>(natal, "cmdOK")->isDefault());
}

TEST(InputWindows, TabVisitsTheControlsInTheirGivenOrder) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    ExpectTabOrder(natal, {"txtName",        "txtMonth", "txtDay",     "txtYear",    "txtBirthHour",
                           "txtBirthMinute", "txtTZ",    "txtLongDeg", "txtLongMin", "txtLatDeg",
                           "txtLatMin",      "optAM",    "optPM",      "optEast",    "optWest",
                           "optNorth",       "optSouth", "cmdOK",      "cmdSave",    "cmdNow"});
    ExpectTabOrder(
        diurnal, {"txtDiurnalMonth", "txtDiurnalDay", "txtDiurnalYear", "txtDiurnalHour", "txtDiurnalMinute",
                  "txtDiurnalTZ", "txtDiurnalLongDeg", "txtDiurnalLongMin", "txtDiurnalLatDeg",
                  "txtDiurnalLatMin", "optDiurnalAM", "optDiurnalPM", "optDiurnalEast", "optDiurnalWest",
                  "optDiurnalNorth", "optDiurnalSouth", "chkNatOrNow", "chk2ndPerson"});
}

TEST(InputWindows, TypedHourFoldsIntoTheTwelveHourClock) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    QLineEdit* hour = Box(natal, "txtBirthHour");

    QTest::keyClicks(hour, "1");
    EXPECT_EQ(hour->text(), "1");
    EXPECT_TRUE(Option(natal, "optAM")->isChecked());
    QTest::keyClicks(hour, "5");
    EXPECT_EQ(hour->text(), " 3");
    EXPECT_TRUE(Option(natal, "optPM")->isChecked());
    EXPECT_EQ(app.session().natal.hour, " 3");
    EXPECT_TRUE(app.session().natal.pm);

    Option(natal, "optAM")->click();
    hour->clear();
    app.dialogs.shown.clear();
    QTest::keyClicks(hour, "0");
    EXPECT_EQ(hour->text(), " 12");
    EXPECT_TRUE(Option(natal, "optAM")->isChecked());
    EXPECT_EQ(app.session().natal.hour, " 12");
    EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST(InputWindows, HourRuleWarnsOfAnEmptyHourAndOfTextThatIsNoNumber) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    struct Case {
        QWidget& window;
        const char* hour;
        const char* emptyMessage;
    };
    for (const Case& c : {Case{natal, "txtBirthHour", "Please fill in a value for birth hour."},
                          Case{diurnal, "txtDiurnalHour", "Please fill in a value for diurnal hour."}}) {
        SCOPED_TRACE(c.hour);
        QLineEdit* hour = Box(c.window, c.hour);
        hour->setText("7");
        app.dialogs.shown.clear();
        QTest::keyClick(hour, Qt::Key_Backspace);
        ASSERT_EQ(app.dialogs.shown.size(), 1u);
        EXPECT_EQ(app.dialogs.shown[0].text, c.emptyMessage);
        EXPECT_EQ(app.dialogs.shown[0].title, "Warning!");
        EXPECT_EQ(app.dialogs.shown[0].icon, MessageIcon::Information);

        hour->setText("ab");  // as if pasted
        ASSERT_EQ(app.dialogs.shown.size(), 2u);
        EXPECT_EQ(app.dialogs.shown[1].text, "You are typing too fast. Please slow down.");
        EXPECT_EQ(hour->text(), "ab");
        EXPECT_EQ(hour->selectedText(), "ab");
    }
    EXPECT_EQ(app.session().diurnal.hour, "ab");
}

TEST(InputWindows, KeyFiltersDropWhatAFieldCannotHold) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    struct Case {
        QWidget& window;
        const char* box;
        const char* typed;
        const char* kept;
    };
    for (const Case& c :
         {Case{natal, "txtYear", "19a6-2.", "1962"}, Case{natal, "txtLatMin", "3 0", "30"},
          Case{natal, "txtTZ", "-5.5x", "-5.5"}, Case{natal, "txtName", "Ann-Marie 2.", "Ann-Marie 2."},
          Case{diurnal, "txtDiurnalLongDeg", "7e3", "73"}, Case{diurnal, "txtDiurnalTZ", "-1,5", "-15"}}) {
        SCOPED_TRACE(c.box);
        QLineEdit* box = Box(c.window, c.box);
        box->clear();
        QTest::keyClicks(box, c.typed);
        EXPECT_EQ(box->text(), c.kept);
    }
    // Editing keys still work in a digits-only field.
    QLineEdit* year = Box(natal, "txtYear");
    QTest::keyClick(year, Qt::Key_Backspace);
    QTest::keyClick(year, Qt::Key_Home);
    QTest::keyClick(year, Qt::Key_Delete);
    EXPECT_EQ(year->text(), "96");
    EXPECT_EQ(app.session().natal.year, "96");
}

TEST(InputWindows, FocusSelectsTheWholeText) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    ShowAndWait(natal);
    QLineEdit* month = Box(natal, "txtMonth");
    month->setText("11");
    QTest::mouseClick(month, Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(month->selectedText(), "11");
    QTest::keyClicks(month, "4");
    EXPECT_EQ(month->text(), "4");
}

TEST(InputWindows, ChoosingEastOrWestTurnsTheZoneSign) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    ShowAndWait(natal);
    ShowAndWait(diurnal);
    struct Case {
        QWidget& window;
        const char *zone, *east, *west;
    };
    for (const Case& c : {Case{natal, "txtTZ", "optEast", "optWest"},
                          Case{diurnal, "txtDiurnalTZ", "optDiurnalEast", "optDiurnalWest"}}) {
        SCOPED_TRACE(c.zone);
        QLineEdit* zone = Box(c.window, c.zone);
        zone->setText(" 5");
        QTest::mouseClick(Option(c.window, c.east), Qt::LeftButton);
        EXPECT_EQ(zone->text(), "-5");
        QTest::mouseClick(Option(c.window, c.west), Qt::LeftButton);
        EXPECT_EQ(zone->text(), " 5");
        // By key as well.
        c.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&c.window));
        Option(c.window, c.east)->setFocus();
        QTest::keyClick(Option(c.window, c.east), Qt::Key_Space);
        EXPECT_EQ(zone->text(), "-5");
        QTest::keyClick(Option(c.window, c.east), Qt::Key_Right);
        EXPECT_TRUE(Option(c.window, c.west)->isChecked());
        EXPECT_EQ(zone->text(), " 5");
        QTest::keyClick(Option(c.window, c.west), Qt::Key_Left);
        EXPECT_EQ(zone->text(), "-5");
    }
    EXPECT_EQ(app.session().natal.zone, "-5");
    EXPECT_TRUE(app.session().natal.east);
    EXPECT_EQ(app.session().diurnal.zone, "-5");
    EXPECT_TRUE(app.session().diurnal.east);
}

TEST(InputWindows, ProgramFillsKeepTheZoneTheyGive) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    auto& s = app.session();
    // A record of a western place in zone -1, shown while East was selected.
    s.natal.SelectEast(true);
    natal.refresh();
    s.natal.zone = "-1";
    s.natal.SelectEast(false);
    natal.refresh();
    EXPECT_EQ(Box(natal, "txtTZ")->text(), "-1");
    EXPECT_TRUE(Option(natal, "optWest")->isChecked());

    // The present moment at a western home in zone -1.
    s.options[18] = -1;
    s.options[21] = 0;
    s.natal.SelectEast(true);
    natal.refresh();
    Find<QPushButton>(natal, "cmdNow")->click();
    EXPECT_EQ(Box(natal, "txtName")->text(), "Now");
    EXPECT_EQ(Box(natal, "txtTZ")->text(), "-1");
    EXPECT_TRUE(Option(natal, "optWest")->isChecked());
    EXPECT_EQ(s.natal.zone, "-1");

    // "Use natal data" copies that zone with the West button.
    s.diurnal.SelectEast(true);
    diurnal.refresh();
    Find<QCheckBox>(diurnal, "chkNatOrNow")->click();  // clear: the present moment
    Find<QCheckBox>(diurnal, "chkNatOrNow")->click();  // tick: the natal data
    EXPECT_EQ(Box(diurnal, "txtDiurnalTZ")->text(), "-1");
    EXPECT_TRUE(Option(diurnal, "optDiurnalWest")->isChecked());
}

TEST(InputWindows, UseNatalDataCopiesTimeAndPlaceButNotTheDate) {
    FakeAppServices app;
    auto& s = app.session();
    s.options[18] = 5;
    s.options[19] = 75;
    s.natal = {};
    s.natal.month = "3", s.natal.day = "14", s.natal.year = "1962";
    s.natal.hour = " 3", s.natal.minute = "45", s.natal.zone = "-1";
    s.natal.longDeg = "2", s.natal.longMin = "20", s.natal.latDeg = "48", s.natal.latMin = "52";
    s.natal.SelectAM(false), s.natal.SelectEast(true), s.natal.SelectSouth(true);
    DiurnalInputWindow diurnal(app);
    auto* natOrNow = Find<QCheckBox>(diurnal, "chkNatOrNow");

    natOrNow->click();
    EXPECT_FALSE(s.diurnal.useNatal);
    EXPECT_EQ(Box(diurnal, "txtDiurnalTZ")->text(), " 5");
    EXPECT_EQ(Box(diurnal, "txtDiurnalLongDeg")->text(), " 75");
    EXPECT_EQ(Box(diurnal, "txtDiurnalYear")->text().toStdString(), s.diurnal.year);
    EXPECT_FALSE(s.diurnal.year.empty());

    Box(diurnal, "txtDiurnalYear")->setText("2024");
    natOrNow->click();
    EXPECT_TRUE(s.diurnal.useNatal);
    for (const auto& [name, text] :
         std::vector<std::pair<const char*, const char*>>{{"txtDiurnalHour", " 3"},
                                                          {"txtDiurnalMinute", "45"},
                                                          {"txtDiurnalTZ", "-1"},
                                                          {"txtDiurnalLongDeg", "2"},
                                                          {"txtDiurnalLongMin", "20"},
                                                          {"txtDiurnalLatDeg", "48"},
                                                          {"txtDiurnalLatMin", "52"},
                                                          {"txtDiurnalYear", "2024"}})
        EXPECT_EQ(Box(diurnal, name)->text(), text) << name;
    EXPECT_NE(Box(diurnal, "txtDiurnalMonth")->text(), "3");
    for (const char* name : {"optDiurnalPM", "optDiurnalEast", "optDiurnalSouth"})
        EXPECT_TRUE(Option(diurnal, name)->isChecked()) << name;
}

TEST(InputWindows, SecondPersonBoxTellsTheProgramAndGetsItsCaptionBack) {
    FakeAppServices app;
    DiurnalInputWindow diurnal(app);
    auto* box = Find<QCheckBox>(diurnal, "chk2ndPerson");

    box->click();
    EXPECT_EQ(app.secondPersonChanges, std::vector<bool>{true});
    EXPECT_TRUE(app.session().diurnal.secondPerson);

    // The names list puts the second person's name on the box.
    app.session().diurnal.secondPersonName = "Jane Roe";
    diurnal.refresh();
    EXPECT_EQ(box->text(), "Jane Roe");

    box->click();
    EXPECT_EQ(app.secondPersonChanges, (std::vector<bool>{true, false}));
    EXPECT_FALSE(app.session().diurnal.secondPerson);
    EXPECT_EQ(box->text(), "2nd Person");
    EXPECT_EQ(app.session().diurnal.secondPersonName, "2nd Person");
}

TEST(InputWindows, ButtonsLabelsAndMouseSendTheirRequests) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    ShowAndWait(natal);
    ShowAndWait(diurnal);

    QTest::mouseClick(Find<QPushButton>(natal, "cmdOK"), Qt::LeftButton);
    QTest::keyClick(Box(natal, "txtLatMin"), Qt::Key_Return);  // Enter presses the default button
    EXPECT_EQ(app.computeRequests, 2);

    QTest::mouseClick(Find<QPushButton>(natal, "cmdSave"), Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(natal, "Label1"), Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(diurnal, "Label2"), Qt::LeftButton);
    EXPECT_EQ(app.nameSaves, 1);
    EXPECT_EQ(app.timeZoneTargets, std::vector<int>{0});
    // Without an atlas folder the lookup asks where the atlas program is; the scripted Cancel ends it.
    EXPECT_EQ(app.dialogs.shown.back().title, "Where do I find ATLAS.EXE?");
    EXPECT_EQ(app.computeRequests, 2);  // the label click is not a click on the background

    QTest::mouseClick(&natal, Qt::RightButton, {}, kBackground);
    QTest::mouseClick(&diurnal, Qt::RightButton, {}, kBackground);
    EXPECT_EQ(app.focusRequests, 2);
    QTest::mouseClick(&natal, Qt::LeftButton, {}, kBackground);
    EXPECT_EQ(app.computeRequests, 2);
    QTest::mouseClick(&diurnal, Qt::LeftButton, {}, kBackground);
    EXPECT_EQ(app.computeRequests, 3);
}

TEST(InputWindows, LabelsSitInASunkenFrame) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    ShowAndWait(natal);
    const QImage image = natal.grab().toImage();
    for (const char* name : {"lblName", "lblBirthTZ", "Label2"}) {
        SCOPED_TRACE(name);
        const QRect g = Find<QLabel>(natal, name)->geometry();
        const int midY = g.center().y(), midX = g.center().x();
        EXPECT_EQ(image.pixelColor(g.left() - 1, midY), QColor(128, 128, 128));
        EXPECT_EQ(image.pixelColor(midX, g.top() - 1), QColor(128, 128, 128));
        EXPECT_EQ(image.pixelColor(g.right() + 1, midY), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(midX, g.bottom() + 1), QColor(Qt::white));
    }
}

const std::vector<const char*> kNatalBoxes{"txtName",      "txtMonth",       "txtDay",   "txtYear",
                                           "txtBirthHour", "txtBirthMinute", "txtTZ",    "txtLongDeg",
                                           "txtLongMin",   "txtLatDeg",      "txtLatMin"};
const std::vector<const char*> kDiurnalBoxes{
    "txtDiurnalMonth", "txtDiurnalDay",     "txtDiurnalYear",    "txtDiurnalHour",   "txtDiurnalMinute",
    "txtDiurnalTZ",    "txtDiurnalLongDeg", "txtDiurnalLongMin", "txtDiurnalLatDeg", "txtDiurnalLatMin"};

// Where a click between the first and the second character of the box's text lands.
QPoint BetweenFirstAndSecond(QLineEdit* box) {
    const int y = box->height() / 2;
    int first = -1, last = -1;
    for (int x = 0; x < box->width(); ++x) {
        if (box->cursorPositionAt(QPoint(x, y)) != 1) continue;
        if (first < 0) first = x;
        last = x;
    }
    EXPECT_GE(first, 0);
    return {(first + last) / 2, y};
}

TEST(InputWindows, AClickIntoAFieldSelectsItsWholeTextEvenWhenTheMouseMovesDuringTheClick) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    const std::pair<QWidget*, std::vector<const char*>> windows[] = {{&natal, kNatalBoxes},
                                                                     {&diurnal, kDiurnalBoxes}};
    for (const auto& [window, boxes] : windows) {
        ShowAndWait(*window);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            SCOPED_TRACE(boxes[i]);
            QLineEdit* box = Box(*window, boxes[i]);
            QLineEdit* elsewhere = Box(*window, boxes[(i + 1) % boxes.size()]);
            box->setText("12");
            QTest::mouseClick(elsewhere, Qt::LeftButton);
            QCoreApplication::processEvents();
            // A user's click: the program runs between the press and the release, and the hand moves
            // the mouse by a pixel.
            const QPoint at = BetweenFirstAndSecond(box);
            QTest::mousePress(box, Qt::LeftButton, {}, at);
            QCoreApplication::processEvents();
            QTest::mouseMove(box, at + QPoint(1, 0));
            QCoreApplication::processEvents();
            QTest::mouseRelease(box, Qt::LeftButton, {}, at + QPoint(1, 0));
            QCoreApplication::processEvents();
            EXPECT_TRUE(box->hasFocus());
            EXPECT_EQ(box->selectedText(), "12");
            QTest::keyClicks(box, "7");
            EXPECT_EQ(box->text(), "7");
        }
        window->hide();
    }
}

TEST(InputWindows, AClickThatActivatesTheWindowSelectsTheWholeTextOfTheFieldItLandsOn) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    QWidget other;
    other.resize(100, 100);
    for (QWidget* window : {static_cast<QWidget*>(&natal), static_cast<QWidget*>(&diurnal)}) {
        ShowAndWait(*window);
        auto boxes = window->findChildren<QLineEdit*>();
        ASSERT_FALSE(boxes.isEmpty());
        QLineEdit* box = boxes.back();
        SCOPED_TRACE(qPrintable(box->objectName()));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, "33");
        // The user works in another window, then clicks into the field again: the window is activated
        // (the field gets the focus back) just before the click arrives.
        ShowAndWait(other);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents();
        const QPoint at = BetweenFirstAndSecond(box);
        QTest::mousePress(box, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        QTest::mouseRelease(box, Qt::LeftButton, {}, at);
        QTest::keyClicks(box, "44");
        EXPECT_EQ(box->text(), "44");
        window->hide();
    }
}

TEST(InputWindows, TabEntersEachButtonPairOnItsSelectedButton) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    struct Selection {
        bool pm, east, south;
    };
    const Selection selections[] = {
        {false, false, false}, {true, true, true}, {true, false, true}, {false, true, false}};
    for (const Selection& sel : selections) {
        SCOPED_TRACE(testing::Message() << "PM " << sel.pm << " E " << sel.east << " S " << sel.south);
        app.session().natal.SelectAM(!sel.pm);
        app.session().natal.SelectEast(sel.east);
        app.session().natal.SelectSouth(sel.south);
        app.session().diurnal.SelectAM(!sel.pm);
        app.session().diurnal.SelectEast(sel.east);
        app.session().diurnal.SelectSouth(sel.south);
        natal.refresh();
        diurnal.refresh();
        const struct {
            QWidget* window;
            const char* before;
            std::vector<const char*> visited;
        } walks[] = {
            {&natal,
             "txtLatMin",
             {sel.pm ? "optPM" : "optAM", sel.east ? "optEast" : "optWest",
              sel.south ? "optSouth" : "optNorth", "cmdOK"}},
            {&diurnal,
             "txtDiurnalLatMin",
             {sel.pm ? "optDiurnalPM" : "optDiurnalAM", sel.east ? "optDiurnalEast" : "optDiurnalWest",
              sel.south ? "optDiurnalSouth" : "optDiurnalNorth", "chkNatOrNow"}},
        };
        for (const auto& walk : walks) {
            ShowAndWait(*walk.window);
            Box(*walk.window, walk.before)->setFocus(Qt::TabFocusReason);
            std::vector<std::string> visited;
            for (std::size_t i = 0; i < walk.visited.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited.push_back(QApplication::focusWidget()->objectName().toStdString());
            }
            EXPECT_EQ(visited, std::vector<std::string>(walk.visited.begin(), walk.visited.end()));
            walk.window->hide();
        }
    }

    // A button the user clicks is the one Tab comes to afterwards.
    ShowAndWait(natal);
    QTest::mouseClick(Option(natal, "optEast"), Qt::LeftButton);
    QTest::mouseClick(Option(natal, "optWest"), Qt::LeftButton);
    Box(natal, "txtLatMin")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Option(natal, "optWest"));
}

TEST(InputWindows, AGrownWindowGivesTheRoomToItsTextBoxesNotToLabelsAndFrames) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    for (QWidget* window : {static_cast<QWidget*>(&natal), static_cast<QWidget*>(&diurnal)}) {
        SCOPED_TRACE(qPrintable(window->objectName()));
        ShowAndWait(*window);
        std::vector<std::pair<QWidget*, QSize>> kept;
        for (QLabel* label : window->findChildren<QLabel*>()) kept.emplace_back(label, label->size());
        for (QGroupBox* frame : window->findChildren<QGroupBox*>()) kept.emplace_back(frame, frame->size());
        auto* box = window->findChildren<QLineEdit*>().front();
        const QSize boxBefore = box->size();
        window->resize(window->width() * 2, window->height() * 2);
        QCoreApplication::processEvents();
        for (const auto& [control, size] : kept)
            EXPECT_EQ(control->size(), size) << qPrintable(control->objectName());
        EXPECT_GT(box->width(), boxBefore.width());
        EXPECT_EQ(box->height(), boxBefore.height());
        window->hide();
    }
}

}  // namespace
}  // namespace talvenor
