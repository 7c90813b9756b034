#include "environment/window_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvenor {
namespace {

// A window manager's frame as a common one draws it: a 20-pixel title bar and one-pixel borders.
constexpr FrameMargins kFrame{1, 20, 1, 1};

// The windows at start, outer sizes as the desktop program measures them (contents plus kFrame).
constexpr WindowSize kNatal{474, 356, 250};
constexpr WindowSize kDiurnal{493, 317, 230};
constexpr WindowSize kList{262, 401, 120};

std::string Show(const PixelRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height) + ")";
}

// The title bar of a window: the top rows of its outer rectangle.
PixelRect TitleBar(const PixelRect& window) {
    return {window.left, window.top, window.width, kFrame.top};
}

TEST(WindowPlacementTest, FrameIsAddedAroundTheContentsAndTakenAwayAgain) {
    const PixelRect contents{10, 30, 300, 200};
    const PixelRect outer = WithFrame(contents, kFrame);
    EXPECT_EQ(outer, (PixelRect{9, 10, 302, 221}));
    EXPECT_EQ(WithoutFrame(outer, kFrame), contents);
}

TEST(WindowPlacementTest, FitInsideMovesAndShrinksOnlyWhatLiesOutside) {
    const PixelRect screen{0, 0, 1024, 768};
    const PixelRect belowPanel{0, 30, 1280, 994};  // a panel takes the top 30 rows
    const struct {
        PixelRect window, area, fitted;
    } cases[] = {
        {{100, 100, 300, 200}, screen, {100, 100, 300, 200}},   // inside: unchanged
        {{978, 79, 262, 401}, screen, {762, 79, 262, 401}},     // off the right edge
        {{-1, -20, 758, 47}, screen, {0, 0, 758, 47}},          // title bar above the screen
        {{900, 700, 640, 550}, screen, {384, 218, 640, 550}},   // off right and bottom
        {{0, 0, 2000, 1200}, screen, {0, 0, 1024, 768}},        // larger than the screen
        {{1200, 900, 640, 550}, screen, {384, 218, 640, 550}},  // stored for a larger screen
        {{0, 0, 758, 47}, belowPanel, {0, 30, 758, 47}},        // under the panel
        {{-5000, 40000, 100, 100}, belowPanel, {0, 924, 100, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.window));
        const PixelRect fitted = FitInside(c.window, c.area);
        EXPECT_EQ(fitted, c.fitted) << Show(fitted);
        EXPECT_TRUE(Contains(c.area, fitted));
    }
}

TEST(WindowPlacementTest, KeepClearOfMovesAWindowOffTheMainWindowAndGivesUpHeightForIt) {
    const PixelRect screen{0, 0, 1024, 768};
    const PixelRect atTop{0, 0, 758, 47};
    const PixelRect atBottom{266, 721, 758, 47};
    const struct {
        PixelRect window, mainWindow, kept;
    } cases[] = {
        {{0, 45, 642, 571}, atTop, {0, 51, 642, 571}},    // the default data window touched the main window
        {{0, 300, 642, 571}, atTop, {0, 197, 642, 571}},  // below it already: only fitted into the screen
        {{800, 0, 200, 300}, atTop, {800, 0, 200, 300}},  // beside it: stays
        {{0, 10, 642, 760}, atTop, {0, 51, 642, 717}},    // too high to fit below: shorter
        {{0, 10, 642, 60}, atTop, {0, 51, 642, 60}},      // short enough: its own height
        {{900, 600, 642, 571}, atBottom, {382, 146, 642, 571}},  // no room below: just above it
        {{0, 0, 1000, 1000}, atBottom, {0, 0, 1000, 717}},       // above it, shorter
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.window));
        const PixelRect kept = KeepClearOf(c.window, c.mainWindow, 200, screen, kWindowGap);
        EXPECT_EQ(kept, c.kept) << Show(kept);
        EXPECT_FALSE(Overlap(kept, c.mainWindow));
        EXPECT_TRUE(Contains(screen, kept));
    }
    // A screen with no room for both: the window stays inside the screen.
    const PixelRect tiny{0, 0, 800, 300};
    EXPECT_TRUE(Contains(tiny, KeepClearOf({0, 0, 640, 550}, {0, 100, 758, 47}, 200, tiny, kWindowGap)));
}

TEST(WindowPlacementTest, StartWindowsLieInsideTheScreenAndCoverNoOtherWindow) {
    const PixelRect defaultMain{0, 0, 756 + 2, kFrame.top + 25 + kFrame.bottom};
    const struct {
        const char* what;
        PixelRect area;
        PixelRect main;
    } cases[] = {
        {"1024x768", {0, 0, 1024, 768}, defaultMain},
        {"1280x1024", {0, 0, 1280, 1024}, defaultMain},
        {"1280x1024 with a panel", {0, 28, 1280, 996}, defaultMain},
        {"main window stored right of a smaller screen", {0, 0, 1024, 768}, {900, 700, 758, 46}},
        {"main window stored wider than the screen", {0, 0, 1024, 768}, {-300, -50, 1400, 46}},
        {"main window stored in the middle", {0, 0, 1280, 1024}, {200, 300, 758, 46}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const StartArrangement a = ArrangeStartWindows(c.main, kNatal, kDiurnal, kList, c.area, kFrame);
        const std::vector<PixelRect> windows{a.main, a.natal, a.diurnal, a.list};
        for (const PixelRect& w : windows) EXPECT_TRUE(Contains(c.area, w)) << Show(w);
        for (std::size_t i = 0; i < windows.size(); ++i) {
            for (std::size_t j = i + 1; j < windows.size(); ++j)
                EXPECT_FALSE(Overlap(windows[i], windows[j])) << Show(windows[i]) << Show(windows[j]);
        }
        // Sizes are kept, except that the list may give up height to fit.
        EXPECT_EQ(a.natal.width, kNatal.width);
        EXPECT_EQ(a.natal.height, kNatal.height);
        EXPECT_EQ(a.diurnal.height, kDiurnal.height);
        EXPECT_EQ(a.list.width, kList.width);
        EXPECT_GE(a.list.height, kList.minHeight);
    }
}

TEST(WindowPlacementTest, TheUsualScreensGetTheUsualArrangement) {
    const PixelRect main{0, 0, 758, 47};
    // 1280 pixels hold all four side by side; at 1024 the list goes under the diurnal window and gives
    // up the few rows the screen lacks.
    StartArrangement a = ArrangeStartWindows(main, kNatal, kDiurnal, kList, {0, 0, 1280, 1024}, kFrame);
    EXPECT_EQ(a.main, main);
    EXPECT_EQ(a.natal, (PixelRect{0, 51, 474, 356}));
    EXPECT_EQ(a.diurnal, (PixelRect{478, 51, 493, 317}));
    EXPECT_EQ(a.list, (PixelRect{975, 51, 262, 401}));
    a = ArrangeStartWindows(main, kNatal, kDiurnal, kList, {0, 0, 1024, 768}, kFrame);
    EXPECT_EQ(a.natal, (PixelRect{0, 51, 474, 356}));
    EXPECT_EQ(a.diurnal, (PixelRect{478, 51, 493, 317}));
    EXPECT_EQ(a.list, (PixelRect{478, 372, 262, 396}));
}

TEST(WindowPlacementTest, OnASmallScreenWindowsOverlapButEveryTitleBarStaysInView) {
    for (const PixelRect area : {PixelRect{0, 0, 800, 600}, PixelRect{0, 0, 640, 480}}) {
        SCOPED_TRACE(Show(area));
        const StartArrangement a =
            ArrangeStartWindows({0, 0, 758, 47}, kNatal, kDiurnal, kList, area, kFrame);
        const std::vector<PixelRect> windows{a.main, a.natal, a.diurnal, a.list};
        for (const PixelRect& w : windows) EXPECT_TRUE(Contains(area, w)) << Show(w);
        // Each window is shown over those placed before it.
        for (std::size_t i = 0; i < windows.size(); ++i) {
            for (std::size_t j = i + 1; j < windows.size(); ++j)
                EXPECT_FALSE(Overlap(TitleBar(windows[i]), windows[j]))
                    << Show(windows[i]) << Show(windows[j]);
        }
    }
}

TEST(WindowPlacementTest, AMagnifiedDesktopHidesTheLeastAndNeverTheMainWindow) {
    // 1920x1080 at twice the scale is a desktop of 960x540 for the windows: the input windows fit side by
    // side only overlapping a little, and the list takes the room above the diurnal window.
    const PixelRect area{0, 0, 960, 540};
    const StartArrangement a = ArrangeStartWindows({0, 0, 758, 47}, kNatal, kDiurnal, kList, area, kFrame);
    EXPECT_EQ(a.natal, (PixelRect{0, 51, 474, 356}));
    EXPECT_EQ(a.diurnal, (PixelRect{467, 223, 493, 317}));
    EXPECT_EQ(a.list, (PixelRect{478, 51, 262, 168}));

    for (const PixelRect screen : {PixelRect{0, 0, 960, 540}, PixelRect{0, 0, 900, 600},
                                   PixelRect{0, 0, 800, 600}, PixelRect{0, 30, 1024, 570}}) {
        SCOPED_TRACE(Show(screen));
        const StartArrangement b =
            ArrangeStartWindows({0, 0, 758, 47}, kNatal, kDiurnal, kList, screen, kFrame);
        const struct {
            PixelRect placed;
            WindowSize size;
        } windows[] = {{b.natal, kNatal}, {b.diurnal, kDiurnal}, {b.list, kList}};
        for (const auto& w : windows) {
            EXPECT_TRUE(Contains(screen, w.placed)) << Show(w.placed);
            EXPECT_FALSE(Overlap(w.placed, b.main)) << Show(w.placed) << " over the main window";
            EXPECT_GE(w.placed.height, w.size.minHeight) << Show(w.placed);
        }
        // The input windows are as large as they like; only the list may give up rows.
        EXPECT_EQ(b.natal.height, kNatal.height);
        EXPECT_EQ(b.diurnal.height, kDiurnal.height);
        // Where the input windows overlap, they stand at the two edges: they hide no more of each other
        // than the screen's width makes them.
        if (Overlap(b.natal, b.diurnal)) {
            EXPECT_EQ(b.natal.left, screen.left);
            EXPECT_EQ(b.diurnal.right(), screen.right());
        }
    }
}

TEST(WindowPlacementTest, WhatTheUserLeftAloneKeepsTheStoredValue) {
    // Stored for a 1280x1024 screen, fitted into a 1024x768 one: the settings keep the stored place and
    // size until the user moves or resizes the window there.
    const KeptPlace kept{{900, 600, 640, 550}, {384, 218, 640, 550}};
    const struct {
        const char* what;
        PixelRect now, stored;
    } cases[] = {
        {"left alone", {384, 218, 640, 550}, {900, 600, 640, 550}},
        {"moved", {10, 20, 640, 550}, {10, 20, 640, 550}},
        {"moved across only", {10, 218, 640, 550}, {10, 600, 640, 550}},
        {"made narrower", {384, 218, 500, 550}, {900, 600, 500, 550}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(kept.ToKeep(c.now), c.stored) << Show(kept.ToKeep(c.now));
    }
    // Squeezed onto a magnified 512x384 desktop, the window still comes back at its own size.
    const KeptPlace squeezed{{0, 0, 660, 700}, {0, 0, 512, 384}};
    EXPECT_EQ(squeezed.ToKeep({0, 0, 512, 384}), (PixelRect{0, 0, 660, 700}));
    // A window that was not fitted keeps what it now is.
    const KeptPlace asIs{{40, 60, 500, 520}, {40, 60, 500, 520}};
    EXPECT_EQ(asIs.ToKeep({41, 60, 500, 520}), (PixelRect{41, 60, 500, 520}));
}

TEST(WindowPlacementTest, AChartWindowsPlaceGoesToTwipsAndBack) {
    const PixelRect outer{40, 60, 502, 541};
    const WindowGeometry twips = WindowGeometryTwips(outer, 15);
    EXPECT_EQ(twips, (WindowGeometry{900, 600, 8115, 7530}));
    EXPECT_EQ(WindowGeometryPixels(twips, 15), outer);
    EXPECT_EQ(WindowGeometryPixels(twips, 0), outer);  // unusable ratio: 15
    EXPECT_EQ(WindowGeometryPixels({1e300, -1e300, 15, 15}, 15), (PixelRect{-1000000, 1000000, 1, 1}));
}

TEST(WindowPlacementTest, MainWindowIsItsMenuBarInItsFrameAndItsPlaceGoesBackInTwips) {
    Settings settings;  // 0, 0, 780 high, 11340 wide
    EXPECT_EQ(MainWindowPixels(settings, 15, 25, kFrame), (PixelRect{0, 0, 756, 46}));
    // The stored height, with its title bar, no longer makes the window higher than its menu bar.
    settings.MainHeight = 3000;
    settings.MainLeft = 1500;
    settings.MainTop = -300;
    EXPECT_EQ(MainWindowPixels(settings, 12, 25, kFrame), (PixelRect{125, -25, 945, 46}));
    settings.MainLeft = 1e300;
    EXPECT_EQ(MainWindowPixels(settings, 15, 25, kFrame).left, 1000000);
    EXPECT_EQ(MainWindowPixels(settings, 0, 25, kFrame).width, 756);  // unusable ratio: 15

    StoreMainWindowGeometry(settings, {10, 20, 758, 47}, 15);
    EXPECT_DOUBLE_EQ(settings.MainLeft, 150);
    EXPECT_DOUBLE_EQ(settings.MainTop, 300);
    EXPECT_DOUBLE_EQ(settings.MainWidth, 11370);
    EXPECT_DOUBLE_EQ(settings.MainHeight, 705);
}

TEST(WindowPlacementTest, ABoxIsWideEnoughForItsTitleAndTheFrameButtons) {
    // "Warning!" is about 60 pixels wide in a bold 9-point font; the title bar is 20 to 30 pixels high.
    for (const int titleBar : {20, 24, 30}) {
        SCOPED_TRACE(titleBar);
        const int width = BoxWidthForTitle(60, titleBar);
        // The icon, three buttons and the spaces between them (about five squares of the title bar's
        // height) beside the whole title.
        EXPECT_GE(width, 60 + 5 * titleBar);
        EXPECT_GT(BoxWidthForTitle(120, titleBar), width);
    }
    EXPECT_EQ(BoxWidthForTitle(-5, -5), 0);
}

}  // namespace
}  // namespace talvenor
