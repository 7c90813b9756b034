// The window placer on its own: which of the windows that open it keeps inside the screen and off the
// main window, and where the time-zone list goes for each input window.
#include "shell/window_placer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QWidget>
#include <functional>
#include <memory>

#include "environment/window_placement.h"
#include "shell/app_services.h"
#include "shell/main_window.h"
#include "shell/talvenor_app.h"
#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

const PixelRect kArea{0, 0, 800, 600};

PixelRect Outer(const QWidget& window) {
    const QRect r = window.frameGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

class WindowPlacerTest : public ::testing::Test {
  protected:
    WindowPlacerTest() {
        placer_.setAvailableArea(kArea);
        placer_.setMainWindow(main_);
        // Shown where the settings of a first start put it, the frame around it measured.
        placer_.showMainWindow(Settings{});
        QCoreApplication::processEvents();
    }

    testing_support::ScriptedDialogs dialogs_;
    gui::TalvenorApp app_{&dialogs_};
    gui::MainWindow main_{app_};
    gui::WindowPlacer placer_;
};

TEST_F(WindowPlacerTest, WindowsThatOpenAreKeptOffTheMainWindowUnlessTheyPlaceThemselves) {
    QWidget* onPurpose = nullptr;
    placer_.keepNewWindowsInside([&](const QObject* window) { return window == onPurpose; });
    struct Case {
        const char* name;
        std::function<QWidget*()> make;
        bool placed;
    };
    const Case cases[] = {
        {"a window of the program", [] { return new QWidget; }, true},
        {"a window placed on purpose", [&] { return onPurpose = new QWidget; }, false},
        {"a message box or file dialog", [] { return new QDialog; }, false},
        {"a menu", [] { return new QWidget(nullptr, Qt::Popup); }, false},
        {"a tool tip", [] { return new QWidget(nullptr, Qt::ToolTip); }, false},
    };
    const QRect asked(10, 20, 200, 100);  // over the main window
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QWidget> window(c.make());
        window->setGeometry(asked);
        window->show();
        QCoreApplication::processEvents();
        if (c.placed) {
            EXPECT_TRUE(Contains(kArea, Outer(*window)));
            EXPECT_EQ(Outer(*window).top, Outer(main_).bottom() + kWindowGap);
            EXPECT_EQ(window->size(), asked.size());
        } else {
            EXPECT_EQ(window->geometry(), asked);
        }
    }

    // Once the placer stops watching, a window stands where it was put.
    placer_.stopKeepingNewWindowsInside();
    QWidget window;
    window.setGeometry(asked);
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.geometry(), asked);
}

TEST_F(WindowPlacerTest, TheTimeZoneListCoversTheInputWindowItDoesNotFill) {
    QWidget natal, diurnal, list;
    placer_.placeWindow(natal, {0, 100, 300, 250});
    placer_.placeWindow(diurnal, {400, 100, 300, 250});
    natal.show();
    diurnal.show();
    list.resize(200, 300);

    placer_.placeTimeZoneList(list, gui::kTimeZoneTargetNatal, natal, diurnal);
    list.show();
    EXPECT_EQ(Outer(list).right(), Outer(diurnal).right());
    EXPECT_EQ(Outer(list).top, Outer(diurnal).top);
    list.hide();

    placer_.placeTimeZoneList(list, gui::kTimeZoneTargetDiurnal, natal, diurnal);
    list.show();
    EXPECT_EQ(Outer(list).left, Outer(natal).left);
    EXPECT_EQ(Outer(list).top, Outer(natal).top);
}

}  // namespace
}  // namespace talvenor
