// What the drawings of the drawing module share: the inks, points around a centre, and letters and symbols
// filled as outlines.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QString>
#include <cmath>
#include <numbers>
#include <string>

#include "drawing/glyph_outlines.h"

class QPainter;

namespace talvenor::draw {

inline const QColor kInk(0x33, 0x33, 0x33);
inline const QColor kNatalInk(0x1a, 0x23, 0x7e);
inline const QColor kSecondInk(0xb7, 0x1c, 0x1c);

inline constexpr double kDegree = std::numbers::pi / 180.0;

// A point at radius r in a direction (degrees counterclockwise from the right; the screen's y runs down).
inline QPointF Polar(const QPointF& centre, qreal r, double direction) {
    return {centre.x() + r * std::cos(direction * kDegree), centre.y() - r * std::sin(direction * kDegree)};
}

// A circle around a centre, with the painter's pen and brush.
void Circle(QPainter& painter, const QPointF& centre, qreal r);

// Glyphs on a ring keep this much more than their own size apart.
inline constexpr qreal kGlyphSpacing = 1.18;

// Fills an outline of one em, scaled to size, centred (symbols) or starting (text) at a point, turned by
// angle radians.
void FillOutline(QPainter& painter, const QPainterPath& outline, const QPointF& at, qreal size,
                 const QColor& colour, double angle = 0);

enum class Align { Left, Centre, Right };

// A line of text on its baseline.
void FillText(QPainter& painter, GlyphOutlines& glyphs, const QString& text, QPointF baseline, qreal size,
              const QColor& colour, Align align = Align::Left);

// Text centred on a point, upright.
void FillCentredText(QPainter& painter, GlyphOutlines& glyphs, const QString& text, const QPointF& centre,
                     qreal size, const QColor& colour);

// A pen with flat ends.
QPen Pen(const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine);

QString Utf8(const std::string& s);

}  // namespace talvenor::draw
