// Symbols and letters as outlines taken from a freely licensed font (DejaVu Sans, or Noto Sans Symbols), so
// that every drawing fills them as paths and an exported file never depends on the fonts of the program
// that opens it.
#pragma once

#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QString>
#include <vector>

#include "chart/wheel_layout.h"

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

}  // namespace talvenor::draw
