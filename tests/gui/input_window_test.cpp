// The one input widget and its two descriptions: what sets the natal window apart from the diurnal one
// (the name box and the buttons, the check boxes, Enter and the background click), the names that stay
// each window's own, and the tab chain of each to its last control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <set>
#include <string>
#include <vector>

#include "fake_app_services.h"
#include "input/diurnal_input_window.h"
#include "input/natal_input_window.h"

namespace talvenor {
namespace {

using gui::DiurnalInputWindow;
using gui::InputWindow;
using gui::NatalInputWindow;
using testing_support::FakeAppServices;

std::set<std::string> ControlNames(const QWidget& window) {
    std::set<std::string> names;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
            names.insert(w->objectName().toStdString());
    }
    return names;
}

// The named controls in the focus chain from the first, until it comes back to it.
std::vector<std::string> TabChain(QWidget& window, const char* first) {
    QWidget* start = window.findChild<QWidget*>(first);
    EXPECT_NE(start, nullptr) << first;
    std::vector<std::string> chain;
    if (!start) return chain;
    QWidget* w = start;
    do {
        const QString name = w->objectName();
        if (w->window() == &window && (name.startsWith("txt") || name.startsWith("opt") ||
                                       name.startsWith("cmd") || name.startsWith("chk")))
            chain.push_back(w->objectName().toStdString());
        w = w->nextInFocusChain();
    } while (w != start && chain.size() < 100);
    return chain;
}

TEST(InputWindowDescriptions, OnlyTheNatalWindowHasTheNameAndTheButtonsOnlyTheDiurnalOneTheCheckBoxes) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    const std::set<std::string> n = ControlNames(natal), d = ControlNames(diurnal);
    for (const char* natalOnly : {"lblName", "txtName", "Line2", "Line6", "cmdOK", "cmdSave", "cmdNow"}) {
        EXPECT_EQ(n.count(natalOnly), 1u) << natalOnly;
        EXPECT_EQ(d.count(natalOnly), 0u) << natalOnly;
    }
    for (const char* diurnalOnly : {"chkNatOrNow", "chk2ndPerson", "Line1"}) {
        EXPECT_EQ(d.count(diurnalOnly), 1u) << diurnalOnly;
        EXPECT_EQ(n.count(diurnalOnly), 0u) << diurnalOnly;
    }
    // Every other control is each window's own, but for these, which both have by the same name.
    const std::set<std::string> shared = {"Label1", "Label2", "Frame1", "Frame2",
                                          "Frame3", "Line3",  "Line5",  "cmdFindPlace"};
    for (const std::string& name : n) {
        EXPECT_TRUE(!d.count(name) || shared.count(name)) << name << " is in both windows";
    }
    for (const std::string& name : shared) EXPECT_EQ(d.count(name) + n.count(name), 2u) << name;
    // Seven controls of the natal window's own against three of the diurnal one's, the rest in pairs.
    EXPECT_EQ(n.size(), d.size() + 4);
    EXPECT_EQ(natal.description().kind, gui::InputWindowKind::Natal);
    EXPECT_EQ(diurnal.description().kind, gui::InputWindowKind::Diurnal);
}

TEST(InputWindowDescriptions, TabRunsThroughEachWindowToFindPlaceAndBackToTheFirstField) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    EXPECT_EQ(TabChain(natal, "txtName"),
              (std::vector<std::string>{
                  "txtName", "txtMonth",   "txtDay",      "txtYear",   "txtBirthHour", "txtBirthMinute",
                  "txtTZ",   "txtLongDeg", "txtLongMin",  "txtLatDeg", "txtLatMin",    "optAM",
                  "optPM",   "optEast",    "optWest",     "optNorth",  "optSouth",     "cmdOK",
                  "cmdSave", "cmdNow",     "cmdFindPlace"}));
    EXPECT_EQ(TabChain(diurnal, "txtDiurnalMonth"),
              (std::vector<std::string>{
                  "txtDiurnalMonth", "txtDiurnalDay", "txtDiurnalYear", "txtDiurnalHour", "txtDiurnalMinute",
                  "txtDiurnalTZ", "txtDiurnalLongDeg", "txtDiurnalLongMin", "txtDiurnalLatDeg",
                  "txtDiurnalLatMin", "optDiurnalAM", "optDiurnalPM", "optDiurnalEast", "optDiurnalWest",
                  "optDiurnalNorth", "optDiurnalSouth", "chkNatOrNow", "chk2ndPerson", "cmdFindPlace"}));
}

// Each window writes its own texts: typing into one never changes the other's.
TEST(InputWindowDescriptions, EachWindowWritesTheTextsOfItsOwnChart) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    const struct {
        const char* natalBox;
        const char* diurnalBox;
        std::string InputTexts::*text;
    } boxes[] = {
        {"txtMonth", "txtDiurnalMonth", &InputTexts::month},
        {"txtDay", "txtDiurnalDay", &InputTexts::day},
        {"txtYear", "txtDiurnalYear", &InputTexts::year},
        {"txtBirthMinute", "txtDiurnalMinute", &InputTexts::minute},
        {"txtTZ", "txtDiurnalTZ", &InputTexts::zone},
        {"txtLongDeg", "txtDiurnalLongDeg", &InputTexts::longDeg},
        {"txtLongMin", "txtDiurnalLongMin", &InputTexts::longMin},
        {"txtLatDeg", "txtDiurnalLatDeg", &InputTexts::latDeg},
        {"txtLatMin", "txtDiurnalLatMin", &InputTexts::latMin},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.natalBox);
        natal.findChild<QLineEdit*>(b.natalBox)->setText("12");
        diurnal.findChild<QLineEdit*>(b.diurnalBox)->setText("7");
        EXPECT_EQ(app.session().natal.*b.text, "12");
        EXPECT_EQ(app.session().diurnal.*b.text, "7");
    }
    natal.findChild<QLineEdit*>("txtName")->setText("Ann");
    EXPECT_EQ(app.session().natal.name, "Ann");
    EXPECT_TRUE(app.session().diurnal.name.empty());
}

// Enter presses OK in the natal window; the diurnal window has no OK, and Enter there computes nothing.
TEST(InputWindowDescriptions, EnterComputesFromTheNatalWindowOnly) {
    FakeAppServices app;
    NatalInputWindow natal(app);
    DiurnalInputWindow diurnal(app);
    for (InputWindow* w : {static_cast<InputWindow*>(&natal), static_cast<InputWindow*>(&diurnal)}) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    QTest::keyClick(diurnal.findChild<QLineEdit*>("txtDiurnalLatMin"), Qt::Key_Return);
    EXPECT_EQ(app.computeRequests, 0);
    QTest::keyClick(natal.findChild<QLineEdit*>("txtLatMin"), Qt::Key_Return);
    EXPECT_EQ(app.computeRequests, 1);
}

}  // namespace
}  // namespace talvenor
