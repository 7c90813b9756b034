#include "drawing/glyph_outlines.h"

#include <QFont>
#include <QList>
#include <QTransform>

namespace talvenor::draw {
namespace {

// Fonts are read at this pixel size and their outlines scaled down to one em.
constexpr qreal kFontPixels = 100;

// The families that hold the symbols, in the order they are asked; the first also writes the letters.
constexpr const char* kSymbolFamilies[] = {"DejaVu Sans", "Noto Sans Symbols", "Noto Sans Symbols2"};
// Where Debian keeps them, for a system whose font list does not name them.
constexpr const char* kSymbolFiles[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                        "/usr/share/fonts/truetype/noto/NotoSansSymbols-Regular.ttf",
                                        "/usr/share/fonts/truetype/noto/NotoSansSymbols2-Regular.ttf"};

// Letters drawn in place of a symbol are a little smaller, so two of them fill about one symbol's space.
constexpr qreal kLettersScale = 0.72;

}  // namespace

GlyphOutlines::GlyphOutlines() {
    for (const char* family : kSymbolFamilies) {
        QFont font(family);
        font.setPixelSize(static_cast<int>(kFontPixels));
        const QRawFont raw = QRawFont::fromFont(font);
        if (raw.isValid() && raw.familyName().compare(family, Qt::CaseInsensitive) == 0)
            symbolFonts_.push_back(raw);
    }
    if (symbolFonts_.empty()) {
        for (const char* file : kSymbolFiles) {
            const QRawFont raw(QString::fromUtf8(file), kFontPixels);
            if (raw.isValid()) symbolFonts_.push_back(raw);
        }
    }
    if (!symbolFonts_.empty()) {
        textFont_ = symbolFonts_.front();
    } else {
        QFont font("Sans Serif");
        font.setPixelSize(static_cast<int>(kFontPixels));
        textFont_ = QRawFont::fromFont(font);
    }
}

QPainterPath GlyphOutlines::outlineOf(const QRawFont& font, const QString& chars, qreal* advance) {
    QPainterPath path;
    qreal x = 0;
    if (font.isValid()) {
        const QList<quint32> indexes = font.glyphIndexesForString(chars);
        const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            path.addPath(font.pathForGlyph(indexes[i]).translated(x, 0));
            x += advances[i].x();
        }
    } else {
        // No font could be read at all: the system's text outlines still keep the file self-contained.
        QFont fallback;
        fallback.setPixelSize(static_cast<int>(kFontPixels));
        path.addText(0, 0, fallback, chars);
        x = path.boundingRect().right();
    }
    QTransform toEm;
    toEm.scale(1 / kFontPixels, 1 / kFontPixels);
    if (advance) *advance = x / kFontPixels;
    return toEm.map(path);
}

QPainterPath GlyphOutlines::symbol(const GlyphSpec& glyph, bool* fromFont) {
    const QString key = glyph.symbol ? QString::number(glyph.symbol) : QString::fromUtf8(glyph.letters);
    if (fromFont) *fromFont = false;
    if (glyph.symbol) {
        for (const QRawFont& font : symbolFonts_) {
            if (!font.supportsCharacter(static_cast<uint>(glyph.symbol))) continue;
            if (fromFont) *fromFont = true;
            break;
        }
    }
    const auto found = symbols_.constFind(key);
    if (found != symbols_.constEnd()) return *found;

    QPainterPath outline;
    bool drawn = false;
    if (glyph.symbol) {
        const char32_t ch = glyph.symbol;
        const QString chars = QString::fromUcs4(&ch, 1);
        for (const QRawFont& font : symbolFonts_) {
            if (!font.supportsCharacter(static_cast<uint>(glyph.symbol))) continue;
            outline = outlineOf(font, chars, nullptr);
            drawn = !outline.isEmpty();
            break;
        }
    }
    if (!drawn) {
        outline = outlineOf(textFont_, QString::fromUtf8(glyph.letters), nullptr);
        QTransform smaller;
        smaller.scale(kLettersScale, kLettersScale);
        outline = smaller.map(outline);
    }
    // Centred on the middle of its outline, so glyphs stand on their places whatever the font's metrics.
    const QPointF middle = outline.boundingRect().center();
    outline.translate(-middle);
    symbols_.insert(key, outline);
    return outline;
}

QPainterPath GlyphOutlines::text(const QString& line) {
    const auto found = texts_.constFind(line);
    if (found != texts_.constEnd()) return *found;
    qreal advance = 0;
    const QPainterPath outline = outlineOf(textFont_, line, &advance);
    texts_.insert(line, outline);
    widths_.insert(line, advance);
    return outline;
}

qreal GlyphOutlines::textWidth(const QString& line) {
    const auto found = widths_.constFind(line);
    if (found != widths_.constEnd()) return *found;
    text(line);
    return widths_.value(line);
}

}  // namespace talvenor::draw
