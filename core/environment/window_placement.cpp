#include "environment/window_placement.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace talvenor {

namespace {

// Twips per pixel at the usual 96 dots per inch: the ratio used when the one given is unusable.
constexpr double kUsualTwipsPerPixel = 15;

double Usable(double twipsPerPixel) {
    return std::isfinite(twipsPerPixel) && twipsPerPixel > 0 ? twipsPerPixel : kUsualTwipsPerPixel;
}

// A stored value in pixels; a window never needs more than a million pixels, and the bound keeps a
// wild value (or a tiny ratio) from overflowing.
int ToPixels(double twips, double twipsPerPixel) {
    if (!std::isfinite(twips)) return 0;
    return static_cast<int>(std::lround(std::clamp(twips / twipsPerPixel, -1e6, 1e6)));
}

bool OverlapAcross(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right() && b.left < a.right();
}

// The window at (left, top), as high as it likes or as high as it can be there without covering a placed
// window or leaving the area; no value when that leaves less than minHeight.
std::optional<PixelRect> FreeSpot(const std::vector<PixelRect>& placed, const WindowSize& size,
                                  const PixelRect& area, int left, int top, int gap) {
    const int width = std::min(size.width, area.width);
    if (left < area.left || left + width > area.right() || top < area.top) return std::nullopt;
    int height = std::min(size.height, area.bottom() - top);
    for (const PixelRect& p : placed) {
        const PixelRect column{left, top, width, 1};
        if (!OverlapAcross(column, p) || p.bottom() <= top) continue;
        // A window already there at this height blocks the spot; one lower down limits the height.
        if (p.top <= top) return std::nullopt;
        height = std::min(height, p.top - gap - top);
    }
    if (height < std::max(size.minHeight, 1)) return std::nullopt;
    return PixelRect{left, top, width, height};
}

// The highest, then leftmost, free spot for the window among the area's corner and the right and lower
// edges of the placed windows.
std::optional<PixelRect> FindFreeSpot(const std::vector<PixelRect>& placed, const WindowSize& size,
                                      const PixelRect& area, int gap) {
    if (area.width <= 0 || area.height <= 0) return std::nullopt;
    std::vector<int> lefts{area.left};
    std::vector<int> tops{area.top};
    for (const PixelRect& p : placed) {
        lefts.push_back(p.right() + gap);
        tops.push_back(p.bottom() + gap);
    }
    std::sort(lefts.begin(), lefts.end());
    std::sort(tops.begin(), tops.end());
    for (const int top : tops) {
        for (const int left : lefts) {
            if (const auto spot = FreeSpot(placed, size, area, left, top, gap)) return spot;
        }
    }
    return std::nullopt;
}

long long Covered(const PixelRect& a, const PixelRect& b) {
    if (!Overlap(a, b)) return 0;
    const long long across = std::min(a.right(), b.right()) - std::max(a.left, b.left);
    const long long down = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
    return across * down;
}

// Where a window goes when the area has no free spot left for it: inside the area, over none of the
// placed windows' title bars (the top titleBar rows), at the spot among the edges of the area and of the
// placed windows that hides least, as high as it likes or only as high as its least height. What a spot
// hides is the part of the placed windows it covers, counted twice (their controls are out of reach),
// and the rows the window gives up (it scrolls). Among spots that hide alike, the higher window, then the
// higher and the leftmost spot.
std::optional<PixelRect> LeastCoveringSpot(const std::vector<PixelRect>& placed, const WindowSize& size,
                                           const PixelRect& area, int gap, int titleBar) {
    const int least = std::max(size.minHeight, 1);
    if (area.width <= 0 || least > area.height) return std::nullopt;
    const int width = std::min(size.width, area.width);
    const int wanted = std::clamp(size.height, least, area.height);
    std::optional<PixelRect> best;
    long long bestHidden = 0;
    for (const int height : {wanted, least}) {
        std::vector<int> lefts{area.left, area.right() - width};
        std::vector<int> tops{area.top, area.bottom() - height};
        for (const PixelRect& p : placed) {
            lefts.insert(lefts.end(), {p.right() + gap, p.left - gap - width});
            tops.insert(tops.end(), {p.bottom() + gap, p.top + titleBar + gap, p.top - gap - height});
        }
        for (const int top : tops) {
            for (const int left : lefts) {
                const PixelRect spot{left, top, width, height};
                if (!Contains(area, spot)) continue;
                long long hidden = static_cast<long long>(wanted - height) * width;
                bool titlesFree = true;
                for (const PixelRect& p : placed) {
                    titlesFree = titlesFree && !Overlap(spot, PixelRect{p.left, p.top, p.width, titleBar});
                    hidden += 2 * Covered(spot, p);
                }
                if (!titlesFree) continue;
                const auto rank = [](const PixelRect& r, long long h) {
                    return std::make_tuple(h, -r.height, r.top, r.left);
                };
                if (!best || rank(spot, hidden) < rank(*best, bestHidden)) {
                    best = spot;
                    bestHidden = hidden;
                }
            }
        }
    }
    return best;
}

}  // namespace

PixelRect WithFrame(const PixelRect& contents, const FrameMargins& frame) {
    return {contents.left - frame.left, contents.top - frame.top, contents.width + frame.left + frame.right,
            contents.height + frame.top + frame.bottom};
}

PixelRect WithoutFrame(const PixelRect& outer, const FrameMargins& frame) {
    return {outer.left + frame.left, outer.top + frame.top, outer.width - frame.left - frame.right,
            outer.height - frame.top - frame.bottom};
}

bool Contains(const PixelRect& outer, const PixelRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 && OverlapAcross(a, b) &&
           a.top < b.bottom() && b.top < a.bottom();
}

PixelRect FitInside(const PixelRect& window, const PixelRect& area) {
    PixelRect r = window;
    r.width = std::clamp(r.width, 1, std::max(area.width, 1));
    r.height = std::clamp(r.height, 1, std::max(area.height, 1));
    r.left = std::clamp(r.left, area.left, area.right() - r.width);
    r.top = std::clamp(r.top, area.top, area.bottom() - r.height);
    return r;
}

PixelRect KeepClearOf(const PixelRect& window, const PixelRect& other, int minHeight, const PixelRect& area,
                      int gap) {
    const PixelRect fitted = FitInside(window, area);
    if (!Overlap(fitted, other)) return fitted;
    const int least = std::min(std::max(minHeight, 1), fitted.height);
    PixelRect below = fitted;
    below.top = other.bottom() + gap;
    below.height = std::min(fitted.height, area.bottom() - below.top);
    if (below.height >= least) return below;
    PixelRect above = fitted;
    above.height = std::min(fitted.height, other.top - gap - area.top);
    above.top = other.top - gap - above.height;
    if (above.height >= least) return above;
    return fitted;
}

PixelRect PlaceBeside(const std::vector<PixelRect>& placed, const WindowSize& size, const PixelRect& area,
                      int gap, int titleBar) {
    if (const auto spot = FindFreeSpot(placed, size, area, gap)) return *spot;
    // A screen too small for the windows side by side: they overlap, each title bar stays in view.
    const PixelRect last = placed.empty() ? PixelRect{area.left, area.top, 0, 0} : placed.back();
    PixelRect r{last.left + titleBar, last.top + titleBar, size.width, size.height};
    r.height = std::max(std::min(r.height, area.bottom() - r.top), std::min(size.minHeight, r.height));
    return FitInside(r, area);
}

StartArrangement ArrangeStartWindows(const PixelRect& mainWindow, const WindowSize& natal,
                                     const WindowSize& diurnal, const WindowSize& list, const PixelRect& area,
                                     const FrameMargins& frame) {
    StartArrangement a;
    a.main = FitInside(mainWindow, area);
    // The input windows and the list go in a row under the main window when there is room for them
    // there, else where they hide least under it; on a screen too small even for that, anywhere.
    const int belowMain = a.main.bottom() + kWindowGap;
    const PixelRect under{area.left, belowMain, area.width, area.bottom() - belowMain};
    std::vector<PixelRect> placed{a.main};
    const int titleBar = std::max(frame.top, 1);
    for (const WindowSize& size : {natal, diurnal, list}) {
        auto spot = FindFreeSpot(placed, size, under, kWindowGap);
        if (!spot) spot = LeastCoveringSpot(placed, size, under, kWindowGap, titleBar);
        if (!spot) break;
        placed.push_back(*spot);
    }
    if (placed.size() < 4) {
        placed.resize(1);
        for (const WindowSize& size : {natal, diurnal, list})
            placed.push_back(PlaceBeside(placed, size, area, kWindowGap, titleBar + kWindowGap));
    }
    a.natal = placed[1];
    a.diurnal = placed[2];
    a.list = placed[3];
    return a;
}

PixelRect MainWindowPixels(const Settings& settings, double twipsPerPixel, int menuBarHeight,
                           const FrameMargins& frame) {
    twipsPerPixel = Usable(twipsPerPixel);
    return {ToPixels(settings.MainLeft, twipsPerPixel), ToPixels(settings.MainTop, twipsPerPixel),
            ToPixels(settings.MainWidth, twipsPerPixel), frame.top + menuBarHeight + frame.bottom};
}

void StoreMainWindowGeometry(Settings& settings, const PixelRect& outer, double twipsPerPixel) {
    twipsPerPixel = Usable(twipsPerPixel);
    settings.MainLeft = outer.left * twipsPerPixel;
    settings.MainTop = outer.top * twipsPerPixel;
    settings.MainWidth = outer.width * twipsPerPixel;
    settings.MainHeight = outer.height * twipsPerPixel;
}

PixelRect KeptPlace::ToKeep(const PixelRect& now) const {
    const auto keep = [](int asked, int given, int current) { return current == given ? asked : current; };
    return {keep(asked.left, given.left, now.left), keep(asked.top, given.top, now.top),
            keep(asked.width, given.width, now.width), keep(asked.height, given.height, now.height)};
}

PixelRect WindowGeometryPixels(const WindowGeometry& geometry, double twipsPerPixel) {
    twipsPerPixel = Usable(twipsPerPixel);
    return {ToPixels(geometry.Left, twipsPerPixel), ToPixels(geometry.Top, twipsPerPixel),
            ToPixels(geometry.Width, twipsPerPixel), ToPixels(geometry.Height, twipsPerPixel)};
}

WindowGeometry WindowGeometryTwips(const PixelRect& outer, double twipsPerPixel) {
    twipsPerPixel = Usable(twipsPerPixel);
    return {outer.top * twipsPerPixel, outer.left * twipsPerPixel, outer.height * twipsPerPixel,
            outer.width * twipsPerPixel};
}

int BoxWidthForTitle(int titleWidth, int titleBarHeight) {
    // The icon and three buttons, and a space of the same size on either side of the title.
    return std::max(titleWidth, 0) + 6 * std::max(titleBarHeight, 0);
}

}  // namespace talvenor
