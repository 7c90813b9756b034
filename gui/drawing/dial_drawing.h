// The dial on any paint device: the scale of the modulus, the chart's factors inside it (the second
// chart's outside), the chords of the midpoint structures, the pointer, and the panel of what the pointer
// meets beside it.
#pragma once

#include <QPointF>
#include <QRectF>
#include <string>

#include "drawing/glyph_outlines.h"
#include "midpoints/dial_panel.h"

class QPainter;

namespace talvenor::draw {

// The layout for a drawing area of any size: the glyph gaps follow the ring sizes of the drawing.
DialLayout MakeDialLayout(const Chart& natal, const Chart& second, const Options& options, float modulus,
                          double pointer, bool withSecondChart);

// The heading of the dial's panel: the pointer's place, the modulus and the orb.
std::string DialPanelHeading(const DialLayout& dial, float orb);

// How the dial shows its panel beside it: not at all, or with or without the zodiac positions.
struct DialPanelStyle {
    bool shown = false;
    bool withPositions = false;
    float orb = 0;  // option 40, for the heading
};

// Paints the dial into the area; with the panel shown and an area wider than high, the panel stands to
// the right of the dial.
void PaintDial(QPainter& painter, const QRectF& area, const DialLayout& dial, GlyphOutlines& glyphs,
               const DialPanelStyle& panel = {});

// Where a dial area of this size has its dial: the centre and the radius of the scale's outer edge, for
// turning a mouse position into a dial position.
struct DialFrame {
    QPointF centre;
    qreal radius = 0;
};
DialFrame DialFrameOf(const QRectF& area, bool withPanel);

// The shape of an exported dial with its panel: this much wider than high.
inline constexpr double kDialWithPanelAspect = 1.5;

// The least distance of two glyphs on the dial, as a fraction of a turn, for snapping to a glyph.
double DialGlyphGap(bool outerRing);

}  // namespace talvenor::draw
