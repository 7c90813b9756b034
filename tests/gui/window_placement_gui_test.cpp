// Where the program puts its windows on screens of 1024x768 and 1280x1024: every window wholly inside
// the available area, frame included, none covering another at start, the main window no higher than
// its menu bar; stored places from a larger screen are brought back onto a smaller one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "chart/dial_window.h"
#include "chart/ephemeris_window.h"
#include "chart/options_window.h"
#include "chart/wheel_window.h"
#include "datafiles/cities_window.h"
#include "datafiles/name_edit_window.h"
#include "datafiles/names_window.h"
#include "datafiles/time_zone_window.h"
#include "environment/window_placement.h"
#include "input/diurnal_input_window.h"
#include "input/natal_input_window.h"
#include "report/data_window.h"
#include "report/print_window.h"
#include "shell/main_window.h"
#include "shell/talvenor_app.h"
#include "support/scripted_dialogs.h"
#include "support/shipped_data.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

PixelRect Outer(const QWidget* window) {
    const QRect r = window->frameGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

std::string Show(const PixelRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height) + ")";
}

struct Screen {
    const char* name;
    PixelRect area;
};
const Screen kScreens[] = {{"1024x768", {0, 0, 1024, 768}}, {"1280x1024", {0, 0, 1280, 1024}}};

class WindowPlacementGuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("talvenor-placement-" + std::to_string(getpid()) + "-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
    }
    void TearDown() override {
        app_.reset();
        fs::remove_all(folder_);
    }

    void Start(const PixelRect& area) {
        app_.reset();
        app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
        app_->setAvailableArea(area);
        app_->start(folder_);
        QCoreApplication::processEvents();
    }

    void Compute() {
        QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // The chart windows, opened from the Chart menu as the user does.
    QWidget* OpenChartWindow(const char* item) {
        app_->main().item(item)->trigger();
        QCoreApplication::processEvents();
        if (std::string(item) == "mnuChartWheel") return app_->wheelWindow();
        if (std::string(item) == "mnuChartDial") return app_->dialWindow();
        return app_->ephemerisWindow();
    }
    static void CloseAndForget(QWidget* window) {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void ExpectInside(const PixelRect& area, const QWidget* window) {
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible()) << qPrintable(window->objectName());
        EXPECT_TRUE(Contains(area, Outer(window)))
            << qPrintable(window->objectName()) << " " << Show(Outer(window));
    }

    fs::path folder_;
    testing_support::ScriptedDialogs dialogs_;
    std::unique_ptr<gui::TalvenorApp> app_;
};

TEST_F(WindowPlacementGuiTest, AtFirstStartEveryWindowIsInsideTheScreenAndUncovered) {
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        Start(screen.area);
        const std::vector<const QWidget*> windows{&app_->main(), &app_->natalWindow(), &app_->diurnalWindow(),
                                                  app_->namesWindow()};
        for (const QWidget* w : windows) ExpectInside(screen.area, w);
        for (std::size_t i = 0; i < windows.size(); ++i) {
            for (std::size_t j = i + 1; j < windows.size(); ++j) {
                EXPECT_FALSE(Overlap(Outer(windows[i]), Outer(windows[j])))
                    << qPrintable(windows[i]->objectName()) << " " << qPrintable(windows[j]->objectName());
            }
        }
        // The main window's title bar is on the screen, and no empty band hangs under its menu bar.
        gui::MainWindow& main = app_->main();
        EXPECT_GE(main.frameGeometry().top(), screen.area.top);
        EXPECT_EQ(main.geometry().height(), main.menuBar()->height());
    }
}

TEST_F(WindowPlacementGuiTest, TheWindowsOpenedLaterStayInsideAndOffTheMainWindow) {
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        Start(screen.area);
        const PixelRect main = Outer(&app_->main());

        QTest::mouseClick(app_->namesWindow()->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        ExpectInside(screen.area, app_->citiesWindow());
        QTest::mouseClick(app_->citiesWindow()->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTest::mouseClick(app_->namesWindow()->findChild<QPushButton*>("cmdEditList"), Qt::LeftButton);
        ExpectInside(screen.area, app_->namesWindow()->editor());
        QTest::mouseClick(app_->natalWindow().findChild<QLabel*>("Label1"), Qt::LeftButton);
        ExpectInside(screen.area, app_->timeZoneWindow());
        QTest::mouseClick(app_->diurnalWindow().findChild<QLabel*>("Label1"), Qt::LeftButton);
        ExpectInside(screen.area, app_->timeZoneWindow());
        app_->optionsCommand();
        ExpectInside(screen.area, app_->optionsWindow());

        QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        ExpectInside(screen.area, &app_->dataWindow());
        app_->dataWindow().findChild<QAction*>("mnuPrint")->trigger();
        ExpectInside(screen.area, app_->printWindow());
        app_->showAbout();
        QCoreApplication::processEvents();

        for (const QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w == &app_->main()) continue;
            SCOPED_TRACE(qPrintable(w->objectName()));
            ExpectInside(screen.area, w);
            EXPECT_FALSE(Overlap(Outer(w), main)) << Show(Outer(w)) << " over the main window " << Show(main);
        }
        app_.reset();
    }
}

TEST_F(WindowPlacementGuiTest, PlacesStoredForALargerScreenComeBackOntoASmallerOne) {
    // Stored on a 1600x1200 screen: main window at the bottom right, data window larger than 1024x768.
    {
        std::ofstream ini(folder_ / "Talvenor.ini", std::ios::binary);
        ini << "[Talvenor] - Do NOT change the order of these variables.\r\n"
            << "TalvenorTop= 16500\r\nTalvenorLeft= 12000\r\nTalvenorHeight= 705\r\nTalvenorWidth= 11370\r\n"
            << "DataTop= 9000\r\nDataLeft= 15000\r\nDataHeight= 16000\r\nDataWidth= 14000\r\n";
    }
    Start(kScreens[0].area);
    const PixelRect area = kScreens[0].area;
    for (const QWidget* w :
         {static_cast<const QWidget*>(&app_->main()), static_cast<const QWidget*>(&app_->natalWindow()),
          static_cast<const QWidget*>(&app_->diurnalWindow()),
          static_cast<const QWidget*>(app_->namesWindow())})
        ExpectInside(area, w);
    QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    ExpectInside(area, &app_->dataWindow());
    EXPECT_FALSE(Overlap(Outer(&app_->dataWindow()), Outer(&app_->main())));

    // Moved to the bottom right of a 1280x1024 screen, then started on a 1024x768 one.
    app_.reset();
    fs::remove(folder_ / "Talvenor.ini");
    Start(kScreens[1].area);
    QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    app_->main().move(1280 - app_->main().frameGeometry().width(),
                      1024 - app_->main().frameGeometry().height());
    app_->dataWindow().move(600, 500);
    QCoreApplication::processEvents();
    app_->exitProgram();
    Start(kScreens[0].area);
    ExpectInside(area, &app_->main());
    QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    ExpectInside(area, &app_->dataWindow());
}

TEST_F(WindowPlacementGuiTest, StoredGeometryIsTheOuterRectangleInTwips) {
    Start(kScreens[1].area);
    app_->main().move(40, 60);
    QCoreApplication::processEvents();
    const QRect before = app_->main().frameGeometry();
    app_->exitProgram();
    Start(kScreens[1].area);
    EXPECT_EQ(app_->main().frameGeometry(), before);
}

const char* const kChartItems[] = {"mnuChartWheel", "mnuChartDial", "mnuChartEphemeris"};

TEST_F(WindowPlacementGuiTest, ChartWindowsOpenAgainExactlyWhereTheyWereLeft) {
    const PixelRect area = kScreens[1].area;
    Start(area);
    Compute();
    std::vector<QRect> left;
    for (const char* item : kChartItems) {
        SCOPED_TRACE(item);
        QWidget* w = OpenChartWindow(item);
        ASSERT_NE(w, nullptr);
        w->resize(720, 520);
        w->move(60 + 40 * static_cast<int>(left.size()), 140);
        QCoreApplication::processEvents();
        left.push_back(w->frameGeometry());
        // Closed and opened again, the window stands where it was: it does not creep down by its title
        // bar each time.
        for (int again = 0; again < 3; ++again) {
            CloseAndForget(w);
            w = OpenChartWindow(item);
            EXPECT_EQ(w->frameGeometry(), left.back()) << again;
            ExpectInside(area, w);
        }
    }
    // And so after the next start.
    app_->exitProgram();
    Start(area);
    Compute();
    for (std::size_t i = 0; i < std::size(kChartItems); ++i) {
        SCOPED_TRACE(kChartItems[i]);
        EXPECT_EQ(OpenChartWindow(kChartItems[i])->frameGeometry(), left[i]);
    }
}

TEST_F(WindowPlacementGuiTest, AMagnifiedDesktopHoldsEveryWindowAndShrinksNoneForTheNextStart) {
    // The sizes the windows have on a 1280x1024 screen.
    Start(kScreens[1].area);
    Compute();
    std::vector<QSize> sizes{app_->main().frameGeometry().size(), app_->dataWindow().frameGeometry().size()};
    for (const char* item : kChartItems) sizes.push_back(OpenChartWindow(item)->frameGeometry().size());
    app_->exitProgram();

    // Twice the scale on 1920x1080 and on 1024x768 screens: desktops of 960x540 and 512x384.
    for (const PixelRect magnified : {PixelRect{0, 0, 960, 540}, PixelRect{0, 0, 512, 384}}) {
        SCOPED_TRACE(Show(magnified));
        Start(magnified);
        // On 512x384 the input windows are higher than the room under the main window and cover it.
        const bool roomy = magnified.width >= 960;
        const std::vector<const QWidget*> start{&app_->main(), &app_->natalWindow(), &app_->diurnalWindow(),
                                                app_->namesWindow()};
        for (const QWidget* w : start) {
            ExpectInside(magnified, w);
            if (roomy && w != &app_->main()) {
                EXPECT_FALSE(Overlap(Outer(w), Outer(&app_->main()))) << qPrintable(w->objectName());
            }
        }
        Compute();
        for (const char* item : kChartItems) {
            SCOPED_TRACE(item);
            ExpectInside(magnified, OpenChartWindow(item));
        }
        ExpectInside(magnified, &app_->dataWindow());
        app_->exitProgram();
    }

    // Back on the large screen, every window has its own size again.
    Start(kScreens[1].area);
    Compute();
    std::vector<QSize> again{app_->main().frameGeometry().size(), app_->dataWindow().frameGeometry().size()};
    for (const char* item : kChartItems) again.push_back(OpenChartWindow(item)->frameGeometry().size());
    const char* names[] = {"main", "data", "wheel", "dial", "ephemeris"};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(again[i].width(), sizes[i].width()) << names[i];
        // The main window is as high as its menus.
        if (i > 0) {
            EXPECT_EQ(again[i].height(), sizes[i].height()) << names[i];
        }
    }
}

}  // namespace
}  // namespace talvenor
