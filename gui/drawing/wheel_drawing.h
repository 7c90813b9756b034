// The chart wheel on any paint device: the zodiac, the houses and the axes, the aspect lines, and the
// chart's points (with the second chart's in an outer ring), as core lays them out.
#pragma once

#include <QRectF>

#include "chart/wheel_layout.h"
#include "drawing/glyph_outlines.h"

class QPainter;

namespace talvenor::draw {

// The layout for a drawing area of any size: the glyph gaps follow the ring sizes of the drawing.
WheelLayout MakeWheelLayout(const Chart& natal, const Chart& second, const Options& options,
                            const RegionalFormat& regional, bool withSecondChart);

// Paints the wheel into the area (white background, the wheel as large as the area allows under the
// title lines).
void PaintWheel(QPainter& painter, const QRectF& area, const WheelLayout& wheel, GlyphOutlines& glyphs);

}  // namespace talvenor::draw
