// "Find Place" in the input windows, driven from the keyboard as a user would: type, arrows, Enter, Esc.
#include "input/find_place_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "atlas/atlas_index.h"
#include "atlas/atlas_text.h"
#include "atlas/damaged_index.h"
#include "atlas/find_place.h"
#include "environment/year_rule.h"
#include "fake_app_services.h"
#include "input/diurnal_input_window.h"
#include "input/natal_input_window.h"
#include "shell/about_window.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using gui::DiurnalInputWindow;
using gui::FindPlaceWindow;
using gui::NatalInputWindow;
using testing_support::FakeAppServices;

class FindPlaceTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("talvenor-find-place-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        Write(kAtlasPlacesFile,
              "Kolkata\tCalcutta\t\tIN\t28\t22.5626\t88.3630\tAsia/Kolkata\t4631392\n"
              "Berlin\t\t\tDE\t16\t52.5244\t13.4105\tEurope/Berlin\t3426354\n"
              "Chicago\t\t\tUS\tIL\t41.8500\t-87.6500\tAmerica/Chicago\t2720546\n"
              "Amsterdam\t\t\tNL\t07\t52.3740\t4.8897\tEurope/Amsterdam\t741636\n"
              "Ulm\t\t\tDE\t01\t48.3984\t9.9916\tEurope/Berlin\t120451\n"
              "Atlantis\t\t\tXX\t\t10\t-30\tAtlantic/Atlantis\t5\n");
        Write(kAtlasRegionsFile,
              "DE.01\tBaden-Württemberg\nDE.16\tBerlin\nNL.07\tNorth Holland\nIN.28\tWest Bengal\n"
              "US.IL\tIllinois\n");
        Write(kAtlasCountriesFile, "DE\tGermany\t\nIN\tIndia\t\nNL\tNetherlands\t\nUS\tUnited States\tUS\n");
        app_.session().appFolder = folder_;
    }
    void TearDown() override { fs::remove_all(folder_); }
    void Write(const char* name, const std::string& text) { std::ofstream(folder_ / name) << text; }

    void TypeDate(NatalInputWindow& w, const char* month, const char* day, const char* year, const char* hour,
                  const char* minute, bool pm) {
        InputTexts& n = app_.session().natal;
        n.month = month, n.day = day, n.year = year, n.hour = hour, n.minute = minute;
        n.SelectAM(!pm);
        w.refresh();
    }
    // The keyboard way to the button: the focus on it (Tab reaches it last) and Enter.
    static void PressFindPlace(QWidget& window) {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        auto* button = window.findChild<QPushButton*>("cmdFindPlace");
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    }
    // Opens the window and, when its index is being made (on the first use of an atlas), waits for it.
    FindPlaceWindow* Open(QWidget& window) {
        FindPlaceWindow* dialog = OpenWhileIndexing(window);
        if (dialog) WaitForIndex(*dialog);
        return dialog;
    }
    FindPlaceWindow* OpenWhileIndexing(QWidget& window) {
        PressFindPlace(window);
        auto* dialog = window.findChild<FindPlaceWindow*>("FindPlace");
        EXPECT_NE(dialog, nullptr);
        if (dialog) {
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        }
        return dialog;
    }
    static void WaitForIndex(FindPlaceWindow& d) {
        for (int i = 0; i < 12000 && d.indexBeingMade(); ++i) QTest::qWait(10);
        EXPECT_FALSE(d.indexBeingMade());
    }
    static QLineEdit* Query(FindPlaceWindow& d) { return d.findChild<QLineEdit*>("txtPlaceQuery"); }
    static QString Preview(FindPlaceWindow& d) { return d.findChild<QLabel*>("lblPreview")->text(); }

    fs::path folder_;
    FakeAppServices app_;
};

TEST_F(FindPlaceTest, EachInputWindowHasTheActionBesideTheAtlasProgram) {
    NatalInputWindow natal(app_);
    DiurnalInputWindow diurnal(app_);
    for (QWidget* w : {static_cast<QWidget*>(&natal), static_cast<QWidget*>(&diurnal)}) {
        auto* button = w->findChild<QPushButton*>("cmdFindPlace");
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), "&Find Place...");
        EXPECT_NE(w->findChild<QLabel*>("Label2"), nullptr);
    }
}

TEST_F(FindPlaceTest, TypingAndEnterFillThePlaceAndTheZoneOfTheDate) {
    NatalInputWindow w(app_);
    w.show();
    TypeDate(w, "1", "15", "1928", "12", "0", true);
    FindPlaceWindow* d = Open(w);
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(Query(*d), "amsterdam");
    EXPECT_NE(Preview(*d).indexOf("Europe/Amsterdam, AMT, 19 minutes 32 seconds east of UT"), -1);
    EXPECT_NE(Preview(*d).indexOf(kBefore1970Note), -1);
    QTest::keyClick(Query(*d), Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());

    const InputTexts& n = app_.session().natal;
    EXPECT_EQ(n.zone, "-0.3256");
    EXPECT_EQ(n.longDeg, " 4");
    EXPECT_EQ(n.longMin, " 53");
    EXPECT_EQ(n.latDeg, " 52");
    EXPECT_EQ(n.latMin, " 22");
    EXPECT_TRUE(n.east);
    EXPECT_TRUE(n.north);
    // The window shows them, and choosing East did not turn the zone it was given.
    EXPECT_EQ(w.findChild<QLineEdit*>("txtTZ")->text(), "-0.3256");
    EXPECT_TRUE(w.findChild<QRadioButton*>("optEast")->isChecked());
    EXPECT_EQ(n.month, "1");  // the date stays as typed
}

TEST_F(FindPlaceTest, ArrowsPickAnotherPlaceAndAWesternZoneKeepsItsSign) {
    NatalInputWindow w(app_);
    w.show();
    TypeDate(w, "3", "14", "1962", "10", "15", true);
    app_.session().natal.SelectEast(true);
    app_.session().natal.zone = "-1";
    w.refresh();
    FindPlaceWindow* d = Open(w);
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(Query(*d), "c");  // Chicago begins with it; Kolkata only by its old name Calcutta
    auto* list = d->findChild<QTreeWidget*>("lstPlaces");
    ASSERT_GE(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Chicago, Illinois, United States");
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Kolkata, West Bengal, India");
    QTest::keyClick(Query(*d), Qt::Key_Down);
    EXPECT_EQ(list->currentItem()->text(0), "Kolkata, West Bengal, India");
    EXPECT_NE(Preview(*d).indexOf("Asia/Kolkata, IST, 5 hours 30 minutes east of UT"), -1);
    QTest::keyClick(Query(*d), Qt::Key_Up);
    EXPECT_EQ(list->currentItem()->text(0), "Chicago, Illinois, United States");
    EXPECT_EQ(list->currentItem()->text(1), "41N51 087W39");
    QTest::keyClick(Query(*d), Qt::Key_Enter);

    const InputTexts& n = app_.session().natal;
    EXPECT_EQ(n.zone, " 6");
    EXPECT_TRUE(n.west);
    EXPECT_EQ(n.longDeg, " 87");
}

TEST_F(FindPlaceTest, EscapeLeavesEverythingAsItWas) {
    NatalInputWindow w(app_);
    w.show();
    TypeDate(w, "1", "1", "1950", "12", "0", true);
    const InputTexts before = app_.session().natal;
    FindPlaceWindow* d = Open(w);
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(Query(*d), "kolkata");
    QTest::keyClick(Query(*d), Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(app_.session().natal.zone, before.zone);
    EXPECT_EQ(app_.session().natal.longDeg, before.longDeg);

    // The next time the window opens again, with the last query ready to be typed over.
    d = Open(w);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Query(*d)->selectedText(), "kolkata");
    QTest::keyClick(Query(*d), Qt::Key_Return);
    EXPECT_EQ(app_.session().natal.zone, "-5.5");
}

TEST_F(FindPlaceTest, ATimeThatOccurredTwiceWaitsForTheUsersChoice) {
    NatalInputWindow w(app_);
    w.show();
    TypeDate(w, "10", "27", "2024", "2", "30", false);
    FindPlaceWindow* d = Open(w);
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(Query(*d), "berlin");
    auto* first = d->findChild<QRadioButton*>("optFirstReading");
    auto* second = d->findChild<QRadioButton*>("optSecondReading");
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->text(), "the first: CEST, 2 hours east of UT");
    EXPECT_EQ(second->text(), "the second: CET, 1 hour east of UT");
    const std::string before = app_.session().natal.zone;

    // Enter without a choice leads to the choice; nothing is filled.
    QTest::keyClick(Query(*d), Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(app_.session().natal.zone, before);
    EXPECT_EQ(d->focusWidget(), first);

    QTest::keyClick(first, Qt::Key_Space);
    EXPECT_NE(Preview(*d).indexOf("CEST, 2 hours east of UT"), -1);
    second->setFocus();
    QTest::keyClick(second, Qt::Key_Space);  // the user changes his mind
    EXPECT_TRUE(second->isChecked());
    EXPECT_NE(Preview(*d).indexOf("CET, 1 hour east of UT"), -1);
    QTest::keyClick(second, Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(app_.session().natal.zone, "-1");
}

TEST_F(FindPlaceTest, OkBeforeAReadingIsChosenSaysWhatToChooseWithTheFirstSelected) {
    const struct {
        const char* what;
        const char* month;
        const char* day;
        bool byButton;       // OK clicked, else Enter where the keyboard is (the query, then the choice)
        const char* zone;    // filled by taking the first reading
        const char* choose;  // what the window asks for
    } cases[] = {
        {"occurred twice, OK", "10", "27", true, "-2", "Choose CEST or CET"},
        {"occurred twice, Enter", "10", "27", false, "-2", "Choose CEST or CET"},
        {"did not exist, OK", "3", "31", true, "-1", "Choose CET or CEST"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        NatalInputWindow w(app_);
        w.show();
        TypeDate(w, c.month, c.day, "2024", "2", "30", false);
        FindPlaceWindow* d = Open(w);
        ASSERT_NE(d, nullptr);
        QTest::keyClicks(Query(*d), "berlin");
        auto* first = d->findChild<QRadioButton*>("optFirstReading");
        const std::string before = app_.session().natal.zone;
        const auto ok = [&] {
            if (c.byButton)
                QTest::mouseClick(d->findChild<QPushButton*>("cmdAcceptPlace"), Qt::LeftButton);
            else
                QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        };
        ok();
        // Nothing is filled yet: the window says what to choose, and the first reading is selected.
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(app_.session().natal.zone, before);
        EXPECT_TRUE(first->isChecked());
        EXPECT_EQ(d->focusWidget(), first);
        const QString said = d->findChild<QLabel*>("lblReadingChoice")->text();
        EXPECT_NE(said.indexOf(c.choose), -1) << qPrintable(said);
        EXPECT_NE(said.indexOf("The first is selected now: OK again takes it."), -1) << qPrintable(said);
        // OK again takes the first reading.
        ok();
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(app_.session().natal.zone, c.zone);
    }
}

TEST_F(FindPlaceTest, WithoutAValidDateItAsksForOne) {
    NatalInputWindow w(app_);
    w.show();
    TypeDate(w, "2", "30", "1962", "10", "15", true);
    app_.dialogs.answers.push_back("14 Mar 1962");
    FindPlaceWindow* d = Open(w);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(app_.dialogs.shown.back().title, kFindPlaceTitle);
    EXPECT_EQ(app_.dialogs.shown.back().text, kFindPlaceDatePrompt);
    EXPECT_EQ(w.findChild<QLineEdit*>("txtMonth")->text(), "3");
    EXPECT_EQ(w.findChild<QLineEdit*>("txtDay")->text(), "14");
    QTest::keyClicks(Query(*d), "ulm");
    EXPECT_NE(Preview(*d).indexOf("At 10:15 PM on 14 Mar 1962: Europe/Berlin, CET"), -1);
    QTest::keyClick(Query(*d), Qt::Key_Escape);

    // A cancelled question opens nothing; an answer that is no date says so.
    TypeDate(w, "", "", "", "10", "15", true);
    PressFindPlace(w);
    EXPECT_FALSE(d->isVisible());
    app_.dialogs.answers.push_back("someday");
    PressFindPlace(w);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(app_.dialogs.shown.back().text, NotADateMessage("someday"));
    // A year in short is no guess at 19xx or 20xx, and a year beyond 2099 no date the program computes.
    for (const char* typed : {"14 Mar 62", "1 Jan 2100"}) {
        app_.dialogs.answers.push_back(typed);
        PressFindPlace(w);
        EXPECT_FALSE(d->isVisible());
        std::string fault;
        EXPECT_FALSE(ReadDateByYearRule(typed, RegionalFormat{}, fault));
        EXPECT_EQ(app_.dialogs.shown.back().text, NotADateMessage(typed, fault));
        EXPECT_NE(app_.dialogs.shown.back().text.find("(1 to 2099)"), std::string::npos);
        EXPECT_EQ(w.findChild<QLineEdit*>("txtYear")->text(), "");
    }
}

TEST_F(FindPlaceTest, AMissingAtlasIsReportedAndTheWindowWorksOn) {
    fs::remove(folder_ / kAtlasPlacesFile);
    NatalInputWindow w(app_);
    w.show();
    TypeDate(w, "3", "14", "1962", "10", "15", true);
    const std::string zone = app_.session().natal.zone;
    PressFindPlace(w);
    EXPECT_EQ(w.findChild<FindPlaceWindow*>("FindPlace"), nullptr);
    ASSERT_FALSE(app_.dialogs.shown.empty());
    EXPECT_EQ(app_.dialogs.shown.back().text, AtlasMissingMessage((folder_ / kAtlasPlacesFile).string()));
    EXPECT_EQ(app_.session().natal.zone, zone);
    w.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(app_.computeRequests, 1);
}

TEST_F(FindPlaceTest, APlaceWhoseZoneTheSystemDoesNotKnowCannotBeAccepted) {
    NatalInputWindow w(app_);
    w.show();
    TypeDate(w, "3", "14", "1962", "10", "15", true);
    FindPlaceWindow* d = Open(w);
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(Query(*d), "atlantis");
    EXPECT_NE(Preview(*d).indexOf("does not know the zone Atlantic/Atlantis"), -1);
    EXPECT_FALSE(d->findChild<QPushButton*>("cmdAcceptPlace")->isEnabled());
}

TEST_F(FindPlaceTest, TheDiurnalWindowFillsItsOwnFields) {
    DiurnalInputWindow w(app_);
    w.show();
    SecondInputTexts& f = app_.session().diurnal;
    f.month = "7", f.day = "4", f.year = "1962", f.hour = "10";
    f.minute = "15";
    w.refresh();
    const std::string natalZone = app_.session().natal.zone;
    FindPlaceWindow* d = Open(w);
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(Query(*d), "chicago");
    QTest::keyClick(Query(*d), Qt::Key_Return);
    EXPECT_EQ(f.zone, " 5");  // CDT
    EXPECT_TRUE(f.west);
    EXPECT_EQ(f.latDeg, " 41");
    EXPECT_EQ(app_.session().natal.zone, natalZone);
}

TEST(AboutWindowCredit, TheAboutWindowCreditsGeoNames) {
    gui::AboutWindow about;
    auto* credit = about.findChild<QLabel*>("lblAtlasCredit");
    ASSERT_NE(credit, nullptr);
    EXPECT_EQ(credit->text(), kAtlasCredit);
}

}  // namespace
}  // namespace talvenor

namespace talvenor {
namespace {

// A damaged index (zeros over the pages every search reads, the header intact) is made again while the
// window says so with a progress bar; the keys typed meanwhile stay in the field and are searched when the
// index is ready.
class FindPlaceDamagedIndexTest : public FindPlaceTest {
  protected:
    void SetUp() override {
        FindPlaceTest::SetUp();
        // Large enough that making its index takes a while: some 60 000 places.
        Write(kAtlasPlacesFile, "Ulm\t\t\tDE\t01\t48.3984\t9.9916\tEurope/Berlin\t1200451\n" +
                                    testing_support::NumberedPlaces(60000));
        ASSERT_EQ(BuildAtlasIndex(folder_, folder_ / kAtlasIndexFile).status, AtlasIndexStatus::Built);
        // The index opens, and every search ran into the zeros.
        ASSERT_GT(testing_support::ZeroLeafPages(folder_ / kAtlasIndexFile, {"name_keys"}), 10u);
    }
};

TEST_F(FindPlaceDamagedIndexTest, TheIndexIsMadeAgainWithAProgressBarAndTheTypingIsKept) {
    NatalInputWindow w(app_);
    w.show();
    TypeDate(w, "3", "14", "1962", "10", "15", true);
    FindPlaceWindow* d = OpenWhileIndexing(w);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->indexBeingMade()) << "the damaged index was used as it is";
    auto* bar = d->findChild<QProgressBar*>("barIndexing");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(d->findChild<QLabel*>("lblIndexing")->isVisible());
    EXPECT_TRUE(app_.dialogs.shown.empty());

    // Typing goes on while the index is made, and stays in the field.
    QTest::keyClicks(Query(*d), "ulm");
    EXPECT_EQ(Query(*d)->text(), "ulm");
    // Said once, above the bar; the preview under it stays empty until there are places to show.
    EXPECT_EQ(d->findChild<QLabel*>("lblIndexing")->text().toStdString(), kMakingIndexNote);
    EXPECT_EQ(Preview(*d), "");
    EXPECT_EQ(d->findChild<QTreeWidget*>("lstPlaces")->topLevelItemCount(), 0);

    bool told = false;
    QObject::connect(d, &FindPlaceWindow::indexReady, [&] { told = true; });
    WaitForIndex(*d);
    EXPECT_TRUE(told);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(Query(*d)->text(), "ulm");
    auto* list = d->findChild<QTreeWidget*>("lstPlaces");
    ASSERT_GE(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Ulm, Baden-W\u00fcrttemberg, Germany");
    EXPECT_NE(Preview(*d).indexOf("At 10:15 PM on 14 Mar 1962: Europe/Berlin, CET"), -1);
    QTest::keyClick(Query(*d), Qt::Key_Return);
    EXPECT_EQ(app_.session().natal.zone, "-1");
    EXPECT_TRUE(app_.dialogs.shown.empty());
}

// Closing the window does not stop the index being made; closing the program does, and leaves nothing.
TEST_F(FindPlaceDamagedIndexTest, ALaterFindPlaceFindsTheIndexOnItsWayAndAClosedProgramLeavesNoHalfIndex) {
    {
        NatalInputWindow w(app_);
        w.show();
        TypeDate(w, "3", "14", "1962", "10", "15", true);
        FindPlaceWindow* d = OpenWhileIndexing(w);
        ASSERT_NE(d, nullptr);
        ASSERT_TRUE(d->indexBeingMade());
        QTest::keyClick(Query(*d), Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(OpenWhileIndexing(w), d);  // the same window, its index still on its way
        EXPECT_TRUE(d->indexBeingMade());
    }  // the input window and its Find Place window close while the index is made
    for (const auto& entry : fs::directory_iterator(folder_))
        EXPECT_EQ(entry.path().filename().string().find(".build-"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace talvenor
