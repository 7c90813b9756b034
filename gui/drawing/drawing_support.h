// What the drawings of the drawing module share: the inks, and letters and symbols filled as outlines.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QString>
#include <string>

#include "drawing/chart_drawing.h"

class QPainter;

namespace talvenor::draw {

inline const QColor kInk(0x33, 0x33, 0x33);
inline const QColor kNatalInk(0x1a, 0x23, 0x7e);
inline const QColor kSecondInk(0xb7, 0x1c, 0x1c);

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
