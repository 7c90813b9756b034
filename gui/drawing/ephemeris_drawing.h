// The graphic ephemeris on any paint device: the bodies' lines as core samples them, the natal levels,
// the dial's degrees and the time scale.
#pragma once

#include <QColor>
#include <QRectF>

#include "drawing/glyph_outlines.h"
#include "events/ephemeris_graph.h"

class QPainter;

namespace talvenor::draw {

// Where a graphic ephemeris drawn into an area has its plot, and how a point of the plot reads: time runs
// from left to right, the dial from 0 at the bottom to the modulus at the top.
struct GraphFrame {
    QRectF plot;
    double from = 0, to = 1;  // Julian dates (UT) at the left and right edges
    double modulus = 45;

    qreal XAt(double julianDate) const;
    qreal YAt(double place) const;
    double JulianDateAt(qreal x) const;
    double PlaceAt(qreal y) const;
};
GraphFrame GraphFrameOf(const QRectF& area, const EphemerisGraph& graph);

// Paints the graphic ephemeris into the area: the title and a legend of the bodies above, the dial's
// degrees on the left, the natal factors' symbols (and the midpoints' names) on the right, the time scale
// below.
void PaintEphemerisGraph(QPainter& painter, const QRectF& area, const EphemerisGraph& graph,
                         GlyphOutlines& glyphs);

// The ink of a body's lines (point index).
QColor GraphBodyInk(int point);
// The ink of a factor's lines (1..22): a hypothetical point's own, the others their point's.
QColor GraphFactorInk(int factor);

}  // namespace talvenor::draw
