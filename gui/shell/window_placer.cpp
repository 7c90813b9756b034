#include "shell/window_placer.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "shell/app_services.h"
#include "shell/main_window.h"

namespace talvenor::gui {

namespace {

PixelRect ToPixelRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// A window's outer size before it is shown: the size it was given (or would like) with the frame, and
// the least height it can be used with.
WindowSize OuterSize(const QWidget& window, const FrameMargins& frame) {
    const QSize size = window.testAttribute(Qt::WA_Resized) ? window.size() : window.sizeHint();
    const int least = std::max(window.minimumSizeHint().height(), window.minimumHeight());
    return {size.width() + frame.left + frame.right, size.height() + frame.top + frame.bottom,
            std::max(least, 1) + frame.top + frame.bottom};
}

}  // namespace

double TwipsPerPixel(const QWidget& w) {
    return 1440.0 / w.logicalDpiX();
}

WindowPlacer::~WindowPlacer() {
    stopKeepingNewWindowsInside();
}

void WindowPlacer::setMainWindow(MainWindow& main) {
    main_ = &main;
}

PixelRect WindowPlacer::availableArea() const {
    if (availableArea_) return *availableArea_;
    const QScreen* screen = main_ ? main_->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {0, 0, 1024, 768};
    return ToPixelRect(screen->availableGeometry());
}

void WindowPlacer::measureFrame() {
    // A window manager frames a window some moments after it is shown; the offscreen platform (and a
    // display without a window manager) knows the frame at once.
    if (QGuiApplication::platformName() == "xcb") {
        QElapsedTimer waited;
        waited.start();
        while (main_->frameGeometry() == main_->geometry() && waited.elapsed() < 500) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            QThread::msleep(5);
        }
    }
    const QRect outer = main_->frameGeometry();
    const QRect inner = main_->geometry();
    frame_ = {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
              outer.bottom() - inner.bottom()};
}

PixelRect WindowPlacer::outerRect(const QWidget& window) const {
    // Until the window manager has framed a window, its frame is the one measured at start.
    const QRect outer = window.frameGeometry();
    return outer != window.geometry() ? ToPixelRect(outer)
                                      : WithFrame(ToPixelRect(window.geometry()), frame_);
}

PixelRect WindowPlacer::placeWindow(QWidget& window, const PixelRect& outer) {
    const PixelRect area = availableArea();
    PixelRect place = FitInside(outer, area);
    if (&window != main_.data() && main_ && main_->isVisible()) {
        const int least = std::max(window.minimumSizeHint().height(), window.minimumHeight());
        place = KeepClearOf(place, ToPixelRect(main_->frameGeometry()), least + frame_.top + frame_.bottom,
                            area, kWindowGap);
    }
    const PixelRect contents = WithoutFrame(place, frame_);
    window.setGeometry(contents.left, contents.top, std::max(contents.width, 1),
                       std::max(contents.height, 1));
    // A window that cannot be made as small as the place has its least size.
    return outerRect(window);
}

PixelRect WindowPlacer::mainPlaceFromSettings(const Settings& settings) const {
    const double twips = TwipsPerPixel(*main_);
    const int width = static_cast<int>(std::lround(settings.MainWidth / twips));
    return MainWindowPixels(settings, twips, main_->menuBarHeight(std::max(width, 1)), frame_);
}

void WindowPlacer::showMainWindow(const Settings& settings) {
    placeWindow(*main_, mainPlaceFromSettings(settings));
    main_->show();
    measureFrame();
}

void WindowPlacer::arrangeStartWindows(const Settings& settings, QWidget& natal, QWidget& diurnal,
                                       QWidget& list) {
    const StartArrangement at =
        ArrangeStartWindows(mainPlaceFromSettings(settings), OuterSize(natal, frame_),
                            OuterSize(diurnal, frame_), OuterSize(list, frame_), availableArea(), frame_);
    mainPlace_ = {mainPlaceFromSettings(settings), placeWindow(*main_, at.main)};
    placeWindow(natal, at.natal);
    natal.show();
    placeWindow(diurnal, at.diurnal);
    diurnal.show();
    listPlace_ = at.list;
    showListWindow(list);
}

void WindowPlacer::showListWindow(QWidget& window) {
    // Both windows take the place and the height the list had; a place too narrow for them keeps the
    // window's own width and is fitted into the screen.
    placeWindow(window, {listPlace_.left, listPlace_.top,
                         std::max(listPlace_.width, OuterSize(window, frame_).width), listPlace_.height});
    window.show();
}

void WindowPlacer::keepListPlace(const QWidget& window) {
    if (window.isVisible()) listPlace_ = ToPixelRect(window.frameGeometry());
}

void WindowPlacer::placeTimeZoneList(QWidget& list, int target, const QWidget& natal,
                                     const QWidget& diurnal) {
    PixelRect place = outerRect(list);
    if (target == kTimeZoneTargetNatal) {
        const QRect covered = diurnal.frameGeometry();
        place.left = covered.left() + covered.width() - place.width;
        place.top = covered.top();
    } else {
        place.left = natal.frameGeometry().left();
        place.top = natal.frameGeometry().top();
    }
    placeWindow(list, place);
}

void WindowPlacer::storeMainWindowPlace(Settings& settings) const {
    // What the user left alone keeps its stored value: a screen too small for the window does not
    // shrink it for the next start.
    StoreMainWindowGeometry(settings, mainPlace_.ToKeep(outerRect(*main_)), TwipsPerPixel(*main_));
}

void WindowPlacer::keepNewWindowsInside(PlacedOnPurpose placedOnPurpose) {
    placedOnPurpose_ = std::move(placedOnPurpose);
    if (!watching_) QCoreApplication::instance()->installEventFilter(this);
    watching_ = true;
}

void WindowPlacer::stopKeepingNewWindowsInside() {
    if (watching_ && QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
    watching_ = false;
}

bool WindowPlacer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        !(placedOnPurpose_ && placedOnPurpose_(watched))) {
        auto* window = static_cast<QWidget*>(watched);
        // Boxes and file dialogs centre themselves over the window that raised them.
        if (window->isWindow() && !qobject_cast<QDialog*>(window) && window->windowType() != Qt::Popup &&
            window->windowType() != Qt::ToolTip) {
            placeWindow(*window, outerRect(*window));
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace talvenor::gui
