// The drawing module: paints a chart wheel, a dial or a graphic ephemeris, as core lays them out, onto any
// paint device (a window, a printer, a PDF, SVG or PNG file). Every symbol and every letter is drawn as an
// outline taken from a freely licensed font (DejaVu Sans, or Noto Sans Symbols), so an exported file never
// depends on the fonts of the program that opens it.
//
// One header for the whole module; each part has its own:
//   glyph_outlines.h     the symbols and letters as outlines
//   wheel_drawing.h      the chart wheel
//   dial_drawing.h       the dial and its panel
//   ephemeris_drawing.h  the graphic ephemeris
//   drawing_export.h     SVG, PNG and PDF files
#pragma once

#include "drawing/dial_drawing.h"
#include "drawing/drawing_export.h"
#include "drawing/ephemeris_drawing.h"
#include "drawing/glyph_outlines.h"
#include "drawing/wheel_drawing.h"
