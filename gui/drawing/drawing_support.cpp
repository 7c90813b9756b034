#include "drawing/drawing_support.h"

#include <QPainter>
#include <QTransform>

namespace talvenor::draw {

void FillOutline(QPainter& painter, const QPainterPath& outline, const QPointF& at, qreal size,
                 const QColor& colour, double angle) {
    QTransform t;
    t.translate(at.x(), at.y());
    if (angle != 0) t.rotateRadians(angle);
    t.scale(size, size);
    painter.fillPath(t.map(outline), colour);
}

void FillText(QPainter& painter, GlyphOutlines& glyphs, const QString& text, QPointF baseline, qreal size,
              const QColor& colour, Align align) {
    const qreal width = glyphs.textWidth(text) * size;
    if (align == Align::Centre) baseline.rx() -= width / 2;
    if (align == Align::Right) baseline.rx() -= width;
    FillOutline(painter, glyphs.text(text), baseline, size, colour);
}

void FillCentredText(QPainter& painter, GlyphOutlines& glyphs, const QString& text, const QPointF& centre,
                     qreal size, const QColor& colour) {
    FillText(painter, glyphs, text, QPointF(centre.x(), centre.y() + 0.36 * size), size, colour,
             Align::Centre);
}

void Circle(QPainter& painter, const QPointF& centre, qreal r) {
    painter.drawEllipse(centre, r, r);
}

QPen Pen(const QColor& colour, qreal width, Qt::PenStyle style) {
    return QPen(colour, width, style, Qt::FlatCap);
}

QString Utf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace talvenor::draw
