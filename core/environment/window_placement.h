// Where the windows go on the screen: rectangles in pixels, the frame the window manager puts around a
// window, fitting a window into the screen's available area, the arrangement of the windows at start and
// the width a message box needs so that its title is not cut.
//
// Every rectangle here is a window's outer rectangle (frame and title bar included) unless its name says
// contents. The settings file keeps outer rectangles in twips.
#pragma once

#include <vector>

#include "environment/settings.h"

namespace talvenor {

// A rectangle in screen pixels; right() and bottom() are one past its last column and row.
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The window manager's frame around a window's contents: the title bar on top, borders on the other sides.
struct FrameMargins {
    int left = 0, top = 0, right = 0, bottom = 0;

    friend bool operator==(const FrameMargins&, const FrameMargins&) = default;
};

// The outer rectangle around the contents, and the contents inside an outer rectangle.
PixelRect WithFrame(const PixelRect& contents, const FrameMargins& frame);
PixelRect WithoutFrame(const PixelRect& outer, const FrameMargins& frame);

// True when inner lies wholly inside outer; true when the two share at least one pixel.
bool Contains(const PixelRect& outer, const PixelRect& inner);
bool Overlap(const PixelRect& a, const PixelRect& b);

// The window made no wider and no higher than the area, then moved (as little as it takes) so that it
// lies wholly inside the area. A window that already lies inside is returned as it is.
PixelRect FitInside(const PixelRect& window, const PixelRect& area);

// A window that must not cover another one (the main window): fitted inside the area and, when the two
// overlap, moved to start `gap` pixels below the other, giving up height where the area ends (never
// below minHeight); where there is no such room below, it ends `gap` pixels above the other instead.
// With room neither below nor above, it stays where fitting put it.
PixelRect KeepClearOf(const PixelRect& window, const PixelRect& other, int minHeight, const PixelRect& area,
                      int gap);

// The outer size a window would like and the least height it can still be used with.
struct WindowSize {
    int width = 0, height = 0, minHeight = 0;
};

// A place for a window beside those already placed: inside the area, covering none of them, at the
// highest and then leftmost spot that the area's corner and the right and lower edges of the placed
// windows offer (gap pixels apart). Where it fits only lower, it gives up height down to minHeight.
// When there is no such spot on a small screen, the window steps down and right from the last one
// placed by titleBar pixels, so that the title bar of that one stays uncovered.
PixelRect PlaceBeside(const std::vector<PixelRect>& placed, const WindowSize& size, const PixelRect& area,
                      int gap, int titleBar);

// The windows shown at start: the main window where the settings put it (fitted into the area), then the
// natal and the diurnal input windows and the names (or cities) window in a row under it, as far as
// there is room, none covering another one. A window for which a screen (or a magnified desktop) has no
// such room goes where it covers least of the windows placed before it, never the main window and no
// title bar; only where even that is impossible do the windows step down from the main window, each title
// bar in view.
struct StartArrangement {
    PixelRect main, natal, diurnal, list;
};
inline constexpr int kWindowGap = 4;
StartArrangement ArrangeStartWindows(const PixelRect& mainWindow, const WindowSize& natal,
                                     const WindowSize& diurnal, const WindowSize& list, const PixelRect& area,
                                     const FrameMargins& frame);

// The main window from the settings (twips, outer rectangle, as the data window's): its left, top and
// width, and the height of its frame and of its contents, the menu bar (the window holds nothing else,
// so the stored height does not leave an empty band under the menus). The result is not yet fitted.
PixelRect MainWindowPixels(const Settings& settings, double twipsPerPixel, int menuBarHeight,
                           const FrameMargins& frame);
// Stores the main window's outer rectangle in twips.
void StoreMainWindowGeometry(Settings& settings, const PixelRect& outer, double twipsPerPixel);

// A window placed from the settings: the rectangle the settings asked for and the one it was given on
// this screen (fitted into the screen, kept off the main window). What goes back into the settings is the
// window as it now stands, except for each of the four values the user has not changed since: that one
// keeps the value asked for. So a window squeezed onto a small (or magnified) screen keeps the place and
// size it had on a larger one, and the next start there gives them back.
struct KeptPlace {
    PixelRect asked, given;

    PixelRect ToKeep(const PixelRect& now) const;
};

// A chart window's stored place (twips, outer rectangle) in pixels, each value rounded; and back.
PixelRect WindowGeometryPixels(const WindowGeometry& geometry, double twipsPerPixel);
WindowGeometry WindowGeometryTwips(const PixelRect& outer, double twipsPerPixel);

// The least width of a message box whose title is titleWidth pixels wide in the title bar's font: the
// title, the frame's icon and its three buttons (each about as wide as the title bar is high) and the
// spaces around them.
int BoxWidthForTitle(int titleWidth, int titleBarHeight);

}  // namespace talvenor
