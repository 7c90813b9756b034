#include "drawing/uranian_glyphs.h"

#include <QPainterPathStroker>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <array>
#include <cstddef>
#include <initializer_list>

namespace talvenor::draw {
namespace {

// Each glyph is drawn as strokes on a grid whose height runs from -1 (top) to 1 (bottom), y downwards, then
// scaled so that its ink, strokes included, is kHeight of an em, and the strokes are turned into outlines
// of the weight of the symbol fonts' planet glyphs.
constexpr qreal kHeight = 0.76;
constexpr qreal kStroke = 0.07;
// Curves are stroked and merged this many times larger than an em, so that their flattening into lines
// stays finer than any size a glyph is shown at.
constexpr qreal kWorkingScale = 1000;

// The strokes of one glyph on the grid.
class Strokes {
  public:
    Strokes& line(qreal x1, qreal y1, qreal x2, qreal y2) {
        path_.moveTo(x1, y1);
        path_.lineTo(x2, y2);
        return *this;
    }
    // A polyline through the points, in order.
    Strokes& polyline(std::initializer_list<QPointF> points) {
        bool first = true;
        for (const QPointF& p : points) {
            if (first)
                path_.moveTo(p);
            else
                path_.lineTo(p);
            first = false;
        }
        return *this;
    }
    Strokes& circle(qreal cx, qreal cy, qreal r) {
        path_.addEllipse(QPointF(cx, cy), r, r);
        return *this;
    }
    // An arc of an ellipse around (cx, cy) from `start` degrees through `sweep` degrees, counterclockwise
    // as seen (0 at the right, 90 at the top).
    Strokes& arc(qreal cx, qreal cy, qreal rx, qreal ry, qreal start, qreal sweep) {
        const QRectF box(cx - rx, cy - ry, 2 * rx, 2 * ry);
        path_.arcMoveTo(box, start);
        path_.arcTo(box, start, sweep);
        return *this;
    }
    const QPainterPath& path() const { return path_; }

  private:
    QPainterPath path_;
};

// Cupido: the crescent of Jupiter's glyph joined to Venus's circle and cross, the stem crossed twice.
Strokes Cupido() {
    Strokes s;
    s.arc(-0.72, -0.42, 0.42, 0.57, 90, -180)
        .line(-0.72, 0.15, 0.76, 0.15)
        .circle(0.34, -0.72, 0.28)
        .line(0.34, -0.44, 0.34, 1)
        .line(0.08, 0.58, 0.6, 0.58);
    return s;
}

// Hades: a crescent open to the right, like a large C, around a cross whose foot reaches below it.
Strokes Hades() {
    Strokes s;
    s.arc(0, -0.12, 0.88, 0.88, 50, 260).line(0.08, -0.58, 0.08, 1).line(-0.28, -0.22, 0.44, -0.22);
    return s;
}

// Zeus: a spear, its head pointing up, its shaft ending where two crossed strokes meet.
Strokes Zeus() {
    Strokes s;
    s.polyline({{-0.3, -0.62}, {0, -1}, {0.3, -0.62}})
        .line(0, -1, 0, 0.5)
        .line(-0.6, 0.05, 0.6, 0.95)
        .line(0.6, 0.05, -0.6, 0.95);
    return s;
}

// Kronos: a crown, an arch open below, over a cross.
Strokes Kronos() {
    Strokes s;
    s.arc(0, -0.3, 0.8, 0.7, -8, 196).line(0, -0.55, 0, 1).line(-0.32, -0.18, 0.32, -0.18);
    return s;
}

// Apollon: Jupiter's glyph with its stem doubled.
Strokes Apollon() {
    Strokes s;
    s.arc(-0.72, -0.42, 0.42, 0.57, 90, -180)
        .line(-0.72, 0.15, 0.72, 0.15)
        .line(0.06, -0.5, 0.06, 1)
        .line(0.42, -0.5, 0.42, 1);
    return s;
}

// Admetos: a circle crossed within, horns above it and a stem below.
Strokes Admetos() {
    Strokes s;
    s.arc(0, -1, 0.44, 0.46, 180, 180).circle(0, 0, 0.54).line(-0.54, 0, 0.54, 0).line(0, -0.54, 0, 1);
    return s;
}

// Vulkanus: an arrow pointing up, standing on a pyramid.
Strokes Vulkanus() {
    Strokes s;
    s.polyline({{-0.28, -0.64}, {0, -1}, {0.28, -0.64}})
        .line(0, -1, 0, 0.2)
        .polyline({{0, 0.2}, {-0.86, 1}, {0.86, 1}, {0, 0.2}});
    return s;
}

// Poseidon: two arcs back to back, the upper open above and the lower open below, joined by a staff.
Strokes Poseidon() {
    Strokes s;
    s.arc(0, -1, 0.72, 0.74, 180, 180).arc(0, 1, 0.72, 0.74, 0, 180).line(0, -0.7, 0, 0.7);
    return s;
}

QPainterPath Outline(const Strokes& strokes) {
    const QPainterPath& grid = strokes.path();
    // The strokes' middles span the grid's height; their round ends add half a stroke above and below.
    const qreal scale = kWorkingScale * (kHeight - kStroke) / grid.boundingRect().height();
    QTransform toWorking;
    toWorking.scale(scale, scale);
    QPainterPathStroker stroker;
    stroker.setWidth(kWorkingScale * kStroke);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath outline = stroker.createStroke(toWorking.map(grid)).simplified();
    outline.translate(-outline.boundingRect().center());
    QTransform toEm;
    toEm.scale(1 / kWorkingScale, 1 / kWorkingScale);
    return toEm.map(outline);
}

}  // namespace

QPainterPath UranianGlyph(UranianPoint point) {
    static const std::array<QPainterPath, kUranianPoints> kGlyphs = {
        Outline(Cupido()),  Outline(Hades()),   Outline(Zeus()),     Outline(Kronos()),
        Outline(Apollon()), Outline(Admetos()), Outline(Vulkanus()), Outline(Poseidon()),
    };
    const auto index = static_cast<std::size_t>(point);
    return index < kGlyphs.size() ? kGlyphs[index] : QPainterPath();
}

}  // namespace talvenor::draw
