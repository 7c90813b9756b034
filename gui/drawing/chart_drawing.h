// The drawing module: paints a chart wheel, a dial or a graphic ephemeris, as core lays them out, onto any
// paint device (a window, a printer, a PDF, SVG or PNG file). Every symbol and every letter is drawn as an
// outline taken from a freely licensed font (DejaVu Sans, or Noto Sans Symbols), so an exported file never
// depends on the fonts of the program that opens it.
#pragma once

#include <QColor>
#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "chart/wheel_layout.h"
#include "events/ephemeris_graph.h"
#include "midpoints/dial_panel.h"

class QPainter;

namespace talvenor::draw {

// Outlines of symbols and letters, one em high, centred on the origin (letters: the baseline's left end
// at the origin). Loaded once; each outline is kept after its first use.
class GlyphOutlines {
  public:
    GlyphOutlines();

    // The symbol's outline, or the letters' when no font has the symbol. `fromFont` tells which.
    QPainterPath symbol(const GlyphSpec& glyph, bool* fromFont = nullptr);
    // A line of text; width() is its advance in ems.
    QPainterPath text(const QString& line);
    // The advance of a line of text, in ems.
    qreal textWidth(const QString& line);
    // Whether a font with symbols was found at all.
    bool hasSymbolFont() const { return !symbolFonts_.empty(); }

  private:
    QPainterPath outlineOf(const QRawFont& font, const QString& chars, qreal* advance);

    std::vector<QRawFont> symbolFonts_;
    QRawFont textFont_;
    QHash<QString, QPainterPath> symbols_;
    QHash<QString, QPainterPath> texts_;
    QHash<QString, qreal> widths_;
};

// The layouts for a drawing area of any size: the glyph gaps follow the ring sizes of the drawing.
WheelLayout MakeWheelLayout(const ChartState& chart, const Options& options, const RegionalFormat& regional,
                            bool withSecondChart);
DialLayout MakeDialLayout(const ChartState& chart, const Options& options, float modulus, double pointer,
                          bool withSecondChart);

// The heading of the dial's panel: the pointer's place, the modulus and the orb.
std::string DialPanelHeading(const DialLayout& dial, float orb);

// How the dial shows its panel beside it: not at all, or with or without the zodiac positions.
struct DialPanelStyle {
    bool shown = false;
    bool withPositions = false;
    float orb = 0;  // option 40, for the heading
};

// Paints the wheel into the area (white background, the wheel as large as the area allows under the
// title lines).
void PaintWheel(QPainter& painter, const QRectF& area, const WheelLayout& wheel, GlyphOutlines& glyphs);

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

// The file formats of an export, told by the file's extension (.svg, .png, .pdf, any case).
enum class DrawingFormat { Svg, Png, Pdf };
std::optional<DrawingFormat> DrawingFormatOf(const QString& path);

using Painting = std::function<void(QPainter&, const QRectF&)>;

// Writes the painting to a file of the given format and size in pixels (SVG: the view box; PDF: a page
// of that shape). False, with a message in error, when the file cannot be written.
bool SaveDrawing(const QString& path, DrawingFormat format, const QSize& size, const Painting& paint,
                 QString* error = nullptr);

}  // namespace talvenor::draw
