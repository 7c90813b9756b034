// Where the desktop program's windows stand on the screen: the part of the screen they may use, the frame
// the window manager draws around them, the arrangement at start, the place the names and the cities
// window share, and the main window's place kept in the settings file. Every other window that opens is
// kept inside the screen and off the main window.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

#include "environment/settings.h"
#include "environment/window_placement.h"

class QWidget;

namespace talvenor::gui {

class MainWindow;

// Twips per pixel of the window's screen: a twip is 1/1440 inch.
double TwipsPerPixel(const QWidget& window);

class WindowPlacer : public QObject {
    Q_OBJECT
  public:
    WindowPlacer() = default;
    ~WindowPlacer() override;

    // The window the others keep clear of; its screen gives the available area.
    void setMainWindow(MainWindow& main);

    // The part of the screen windows may use: the screen's available area, or the one set here (tests
    // place the windows on screens of other sizes).
    PixelRect availableArea() const;
    void setAvailableArea(const PixelRect& area) { availableArea_ = area; }

    // Puts a window where its outer rectangle is `outer`, or as near as the available area allows without
    // covering the main window; the outer rectangle it got.
    PixelRect placeWindow(QWidget& window, const PixelRect& outer);
    // A window's outer rectangle as it now stands (its contents in the measured frame until the window
    // manager has framed it).
    PixelRect outerRect(const QWidget& window) const;

    // The start: the main window where the settings put it, shown, and the frame the window manager draws
    // around it measured; then the main window fitted, the input windows and the list window in a row
    // under it, all shown.
    void showMainWindow(const Settings& settings);
    void arrangeStartWindows(const Settings& settings, QWidget& natal, QWidget& diurnal, QWidget& list);

    // The names or the cities window, shown in the place the two share; a list window about to close
    // leaves its place to the next one when it is shown.
    void showListWindow(QWidget& window);
    void keepListPlace(const QWidget& window);

    // The time-zone list for an input window (kTimeZoneTargetNatal or kTimeZoneTargetDiurnal) covers the
    // other input window, not the one it fills.
    void placeTimeZoneList(QWidget& list, int target, const QWidget& natal, const QWidget& diurnal);

    // The main window's place for the settings file: what the user left alone keeps its stored value.
    void storeMainWindowPlace(Settings& settings) const;

    // From now on, every window that opens is placed inside the available area and off the main window,
    // except message boxes, file dialogs, menus, tool tips and the windows placedOnPurpose names.
    using PlacedOnPurpose = std::function<bool(const QObject* window)>;
    void keepNewWindowsInside(PlacedOnPurpose placedOnPurpose);
    void stopKeepingNewWindowsInside();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Waits (briefly) until the window manager has framed the shown main window, and measures the frame.
    void measureFrame();
    // The main window's outer rectangle as the settings ask for it, not yet fitted.
    PixelRect mainPlaceFromSettings(const Settings& settings) const;

    QPointer<MainWindow> main_;
    std::optional<PixelRect> availableArea_;
    // The frame the window manager draws around a window, as measured on the main window at start.
    FrameMargins frame_;
    // The main window's place as the settings asked for it and as this screen gave it.
    KeptPlace mainPlace_;
    // Where the names or cities window goes: its outer rectangle.
    PixelRect listPlace_;
    PlacedOnPurpose placedOnPurpose_;
    bool watching_ = false;
};

}  // namespace talvenor::gui
