// The customary glyphs of the eight hypothetical points of the Uranian school, drawn as outlines: the
// symbol fonts the program reads may lack them, and a drawing must show them the same on screen, on paper
// and in an exported file.
#pragma once

#include <QPainterPath>

#include "ephemeris/uranian_points.h"

namespace talvenor::draw {

// A point's glyph as filled outlines, one em high and centred on the middle of its outline, like the
// symbols of GlyphOutlines: FillOutline paints it wherever a planet's glyph goes. Empty for a value outside
// the eight. (The Aries point needs no glyph of its own: it is written with the sign's, U+2648.)
QPainterPath UranianGlyph(UranianPoint point);

}  // namespace talvenor::draw
