#include "drawing/chart_drawing.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QTransform>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/point_catalogue.h"
#include "drawing/drawing_support.h"
#include "environment/text_files.h"
#include "midpoints/analysis_table.h"
#include "midpoints/midpoint_trees.h"
#include "text/basic_text.h"

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

// PNG files are compressed lightly: a wheel's file stays small, and writing it stays fast.
constexpr int kPngQuality = 70;

// Letters drawn in place of a symbol are a little smaller, so two of them fill about one symbol's space.
constexpr qreal kLettersScale = 0.72;

// ---- Colours -------------------------------------------------------------------------------------------
const QColor kPointerInk(0xd3, 0x2f, 0x2f);
const QColor kChordInk(0x2e, 0x7d, 0x32);
const QColor kElementFill[4] = {QColor(0xfd, 0xe2, 0xdc), QColor(0xe3, 0xef, 0xd9), QColor(0xff, 0xf6, 0xd5),
                                QColor(0xdb, 0xe8, 0xf7)};
const QColor kElementInk[4] = {QColor(0xc6, 0x28, 0x28), QColor(0x2e, 0x7d, 0x32), QColor(0x9e, 0x7a, 0x00),
                               QColor(0x15, 0x65, 0xc0)};

QColor FamilyInk(AspectFamily family) {
    switch (family) {
        case AspectFamily::Hard:
            return QColor(0xd3, 0x2f, 0x2f);
        case AspectFamily::Soft:
            return QColor(0x15, 0x65, 0xc0);
        case AspectFamily::Minor:
            return QColor(0x2e, 0x7d, 0x32);
        case AspectFamily::Quintile:
            return QColor(0x7b, 0x1f, 0xa2);
        case AspectFamily::Conjunction:
            break;
    }
    return QColor(0xef, 0x6c, 0x00);
}

Qt::PenStyle FamilyStyle(AspectFamily family) {
    switch (family) {
        case AspectFamily::Minor:
            return Qt::DashLine;
        case AspectFamily::Quintile:
            return Qt::DotLine;
        default:
            return Qt::SolidLine;
    }
}

// ---- Geometry --------------------------------------------------------------------------------------------

constexpr double kDegree = std::numbers::pi / 180.0;

// A point at radius r in a direction (degrees counterclockwise from the right; the screen's y runs down).
QPointF Polar(const QPointF& centre, qreal r, double direction) {
    return {centre.x() + r * std::cos(direction * kDegree), centre.y() - r * std::sin(direction * kDegree)};
}

// The rings of the wheel, as fractions of the zodiac's outer radius.
struct Ring {
    qreal outer, glyph, glyphSize, textStart, textSize;
};
constexpr qreal kZodiacInner = 0.86;
constexpr Ring kSingleNatal = {0.86, 0.785, 0.075, 0.725, 0.032};
constexpr Ring kOuterSecond = {0.86, 0.815, 0.055, 0.775, 0.026};
constexpr Ring kInnerNatal = {0.67, 0.615, 0.062, 0.570, 0.028};
constexpr qreal kSingleHouseRing = 0.55, kBiwheelHouseRing = 0.43;
constexpr qreal kHouseRingWidth = 0.075;

// Glyphs keep this much more than their own size apart.
constexpr qreal kGlyphSpacing = 1.18;

double RingGap(const Ring& ring) {
    return ring.glyphSize * kGlyphSpacing / ring.glyph / kDegree;
}

// The dial's circles, as fractions of the radius of its frame.
constexpr qreal kDialScale = 0.78, kDialTickSmall = 0.016, kDialTickMiddle = 0.028, kDialTickLong = 0.042;
constexpr qreal kDialLabels = 0.848, kDialLabelSize = 0.026;
constexpr qreal kDialOuter = 0.878, kDialSecondGlyph = 0.93, kDialSecondSize = 0.052;
constexpr qreal kDialNatalGlyph = 0.68, kDialNatalSize = 0.06, kDialChords = 0.6;

// ---- Outlines on the painter
// -------------------------------------------------------------------------------

// Text along a radius, from `from` towards the centre, never upside down.
void FillRadialText(QPainter& painter, GlyphOutlines& glyphs, const QString& text, const QPointF& centre,
                    qreal from, double direction, qreal size, const QColor& colour) {
    const qreal length = glyphs.textWidth(text) * size;
    const bool rightHalf = std::cos(direction * kDegree) >= 0;
    // On the right the text reads outwards from its inner end, on the left inwards from its outer end.
    const QPointF start = Polar(centre, rightHalf ? from - length : from, direction);
    const double screenAngle = rightHalf ? -direction * kDegree : (180.0 - direction) * kDegree;
    QTransform t;
    t.translate(start.x(), start.y());
    t.rotateRadians(screenAngle);
    t.translate(0, 0.36 * size);
    t.scale(size, size);
    painter.fillPath(t.map(glyphs.text(text)), colour);
}

void Circle(QPainter& painter, const QPointF& centre, qreal r) {
    painter.drawEllipse(centre, r, r);
}

// ---- Wheel parts ------------------------------------------------------------------------------------------

struct WheelFrame {
    QPointF centre;
    qreal radius;  // the zodiac's outer edge
    double asc;
    double Direction(double lon) const { return WheelDirection(lon, asc); }
};

void PaintZodiac(QPainter& painter, const WheelFrame& f, GlyphOutlines& glyphs) {
    const qreal r = f.radius;
    const QRectF outer(f.centre.x() - r, f.centre.y() - r, 2 * r, 2 * r);
    const qreal ri = r * kZodiacInner;
    const QRectF inner(f.centre.x() - ri, f.centre.y() - ri, 2 * ri, 2 * ri);
    painter.setPen(Qt::NoPen);
    for (int s = 1; s <= 12; ++s) {
        const double from = f.Direction(30.0 * (s - 1));
        QPainterPath sector;
        sector.arcMoveTo(outer, from);
        sector.arcTo(outer, from, 30);
        sector.arcTo(inner, from + 30, -30);
        sector.closeSubpath();
        painter.fillPath(sector, kElementFill[(s - 1) % 4]);
    }
    // Sign borders and the degree ticks, 1, 5 and 10 degrees, on the inner edge of the ring.
    QVector<QLineF> ticks;
    ticks.reserve(360);
    for (int d = 0; d < 360; ++d) {
        const double dir = f.Direction(d);
        const qreal length = d % 30 == 0   ? r * (1 - kZodiacInner)
                             : d % 10 == 0 ? r * 0.045
                             : d % 5 == 0  ? r * 0.03
                                           : r * 0.016;
        ticks.push_back(QLineF(Polar(f.centre, ri, dir), Polar(f.centre, ri + length, dir)));
    }
    painter.setPen(Pen(kInk, std::max<qreal>(0.8, r * 0.0018)));
    painter.drawLines(ticks);
    painter.setBrush(Qt::NoBrush);
    Circle(painter, f.centre, r);
    Circle(painter, f.centre, ri);
    const qreal glyphR = (1 + kZodiacInner) / 2 * r + r * 0.012;
    for (int s = 1; s <= 12; ++s) {
        const QPointF at = Polar(f.centre, glyphR, f.Direction(30.0 * (s - 1) + 15));
        FillOutline(painter, glyphs.symbol(SignGlyph(s)), at, r * 0.085, kElementInk[(s - 1) % 4]);
    }
}

void PaintHouses(QPainter& painter, const WheelFrame& f, const WheelLayout& wheel, qreal houseRing,
                 GlyphOutlines& glyphs) {
    const qreal r = f.radius;
    const qreal inner = r * (houseRing - kHouseRingWidth);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Pen(QColor(0x9e, 0x9e, 0x9e), std::max<qreal>(0.7, r * 0.0016)));
    QVector<QLineF> cusps;
    for (int e = 1; e <= 12; ++e) {
        const double dir = f.Direction(wheel.cusps[static_cast<std::size_t>(e)]);
        cusps.push_back(QLineF(Polar(f.centre, inner, dir), Polar(f.centre, r * kZodiacInner, dir)));
    }
    painter.drawLines(cusps);
    painter.setPen(Pen(kInk, std::max<qreal>(0.8, r * 0.0018)));
    Circle(painter, f.centre, r * houseRing);
    Circle(painter, f.centre, inner);
    for (int e = 1; e <= 12; ++e) {
        const double from = f.Direction(wheel.cusps[static_cast<std::size_t>(e)]);
        const double to = f.Direction(wheel.cusps[static_cast<std::size_t>(e % 12 + 1)]);
        double span = std::fmod(to - from + 360.0, 360.0);
        const QPointF at = Polar(f.centre, r * (houseRing - kHouseRingWidth / 2), from + span / 2);
        FillCentredText(painter, glyphs, QString::number(HouseNumberOfCusp(e)), at, r * 0.034, kInk);
    }
    // The axes run from the houses to beyond the zodiac, named outside it.
    painter.setPen(Pen(kInk, std::max<qreal>(1.5, r * 0.005)));
    struct Axis {
        double lon;
        const char* name;
    };
    const Axis axes[] = {{wheel.ascendant, "AS"},
                         {wheel.ascendant + 180, "DS"},
                         {wheel.midheaven, "MC"},
                         {wheel.midheaven + 180, "IC"}};
    for (const Axis& a : axes) {
        const double dir = f.Direction(a.lon);
        painter.drawLine(Polar(f.centre, inner, dir), Polar(f.centre, r * 1.03, dir));
        FillCentredText(painter, glyphs, a.name, Polar(f.centre, r * 1.075, dir), r * 0.038, kInk);
    }
}

void PaintAspects(QPainter& painter, const WheelFrame& f, const WheelLayout& wheel, qreal radius) {
    for (const WheelAspect& a : wheel.aspects) {
        // A conjunction joins two points at one place: no line to draw.
        if (a.family == AspectFamily::Conjunction) continue;
        const double da = f.Direction(wheel.natal[static_cast<std::size_t>(a.a - 1)].lon);
        const double db = f.Direction(wheel.natal[static_cast<std::size_t>(a.b - 1)].lon);
        painter.setPen(
            Pen(FamilyInk(a.family), std::max<qreal>(0.8, f.radius * 0.0028), FamilyStyle(a.family)));
        painter.drawLine(Polar(f.centre, radius, da), Polar(f.centre, radius, db));
    }
}

void PaintRing(QPainter& painter, const WheelFrame& f, const std::vector<WheelPoint>& points,
               const Ring& ring, const QColor& ink, GlyphOutlines& glyphs) {
    const qreal r = f.radius;
    const qreal tickEnd = r * (ring.outer - 0.022);
    const qreal glyphEdge = r * (ring.glyph + ring.glyphSize * 0.62);
    QVector<QLineF> ticks, leaders;
    for (const WheelPoint& p : points) {
        const double trueDir = f.Direction(p.lon);
        const double shownDir = f.Direction(p.shown);
        ticks.push_back(QLineF(Polar(f.centre, r * ring.outer, trueDir), Polar(f.centre, tickEnd, trueDir)));
        leaders.push_back(QLineF(Polar(f.centre, tickEnd, trueDir), Polar(f.centre, glyphEdge, shownDir)));
    }
    painter.setPen(Pen(ink, std::max<qreal>(1.0, r * 0.004)));
    painter.drawLines(ticks);
    painter.setPen(Pen(ink, std::max<qreal>(0.5, r * 0.0012)));
    painter.drawLines(leaders);
    for (const WheelPoint& p : points) {
        const double shownDir = f.Direction(p.shown);
        const GlyphSpec glyph = PointGlyph(p.point);
        FillOutline(painter, glyphs.symbol(glyph), Polar(f.centre, r * ring.glyph, shownDir),
                    r * ring.glyphSize, ink);
        const QString text = Utf8(p.degreeText) + (p.retrograde ? " R" : "");
        FillRadialText(painter, glyphs, text, f.centre, r * ring.textStart, shownDir, r * ring.textSize, ink);
    }
}

// ---- Dial parts
// --------------------------------------------------------------------------------------------

void PaintDialMarks(QPainter& painter, const DialFrame& f, const DialLayout& dial,
                    const std::vector<DialMark>& marks, bool outer, GlyphOutlines& glyphs) {
    const qreal r = f.radius;
    const QColor ink = outer ? kSecondInk : kNatalInk;
    const qreal edge = outer ? kDialOuter : kDialScale;
    const qreal tickEnd = outer ? edge + 0.016 : edge - 0.02;
    const qreal glyphR = outer ? kDialSecondGlyph : kDialNatalGlyph;
    const qreal size = outer ? kDialSecondSize : kDialNatalSize;
    const qreal glyphEdge = outer ? glyphR - size * 0.62 : glyphR + size * 0.62;
    QVector<QLineF> ticks, leaders;
    for (const DialMark& m : marks) {
        const double trueDir = DialDirection(m.position, dial.modulus);
        const double shownDir = DialDirection(m.shown, dial.modulus);
        ticks.push_back(QLineF(Polar(f.centre, r * edge, trueDir), Polar(f.centre, r * tickEnd, trueDir)));
        leaders.push_back(
            QLineF(Polar(f.centre, r * tickEnd, trueDir), Polar(f.centre, r * glyphEdge, shownDir)));
    }
    painter.setPen(Pen(ink, std::max<qreal>(1.0, r * 0.004)));
    painter.drawLines(ticks);
    painter.setPen(Pen(ink, std::max<qreal>(0.5, r * 0.0012)));
    painter.drawLines(leaders);
    for (const DialMark& m : marks) {
        const double shownDir = DialDirection(m.shown, dial.modulus);
        const QPointF at = Polar(f.centre, r * glyphR, shownDir);
        FillOutline(painter, glyphs.symbol(PointGlyph(kFactorPoint[static_cast<std::size_t>(m.factor)])), at,
                    r * size, ink);
        if (m.retrograde) {
            FillText(painter, glyphs, "R", QPointF(at.x() + r * size * 0.5, at.y() + r * size * 0.55),
                     r * size * 0.42, ink);
        }
    }
}

void PaintDialScale(QPainter& painter, const DialFrame& f, const DialLayout& dial, GlyphOutlines& glyphs) {
    const qreal r = f.radius;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Pen(kInk, std::max<qreal>(0.8, r * 0.0022)));
    Circle(painter, f.centre, r * kDialScale);
    if (!dial.second.empty()) Circle(painter, f.centre, r * kDialOuter);
    QVector<QLineF> ticks;
    ticks.reserve(static_cast<qsizetype>(dial.ticks.size()));
    for (const DialTick& t : dial.ticks) {
        const double dir = DialDirection(t.position, dial.modulus);
        const qreal length = t.level == 2 ? kDialTickLong : t.level == 1 ? kDialTickMiddle : kDialTickSmall;
        ticks.push_back(
            QLineF(Polar(f.centre, r * kDialScale, dir), Polar(f.centre, r * (kDialScale + length), dir)));
    }
    painter.setPen(Pen(kInk, std::max<qreal>(0.6, r * 0.0016)));
    painter.drawLines(ticks);
    for (const DialTick& t : dial.ticks) {
        if (t.level != 2) continue;
        const QPointF at = Polar(f.centre, r * kDialLabels, DialDirection(t.position, dial.modulus));
        FillCentredText(painter, glyphs, Utf8(t.label), at, r * kDialLabelSize, kInk);
    }
}

void PaintPointer(QPainter& painter, const DialFrame& f, const DialLayout& dial) {
    const qreal r = f.radius;
    const double dir = DialDirection(dial.pointer, dial.modulus);
    painter.setPen(Pen(kPointerInk, std::max<qreal>(1.2, r * 0.0055)));
    painter.drawLine(Polar(f.centre, r * 0.12, dir + 180), Polar(f.centre, r * 0.985, dir));
    QPainterPath head;
    head.moveTo(Polar(f.centre, r * 1.0, dir));
    head.lineTo(Polar(f.centre, r * 0.94, dir + 1.6));
    head.lineTo(Polar(f.centre, r * 0.94, dir - 1.6));
    head.closeSubpath();
    painter.fillPath(head, kPointerInk);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPointerInk);
    Circle(painter, f.centre, r * 0.018);
    painter.setBrush(Qt::NoBrush);
}

void PaintChords(QPainter& painter, const DialFrame& f, const DialLayout& dial) {
    const qreal r = f.radius * kDialChords;
    QColor ink = kChordInk;
    ink.setAlpha(200);
    painter.setPen(Pen(ink, std::max<qreal>(1.0, f.radius * 0.0035)));
    painter.setBrush(ink);
    for (const DialChord& c : dial.chords) {
        const QPointF a = Polar(f.centre, r, DialDirection(c.from, dial.modulus));
        const QPointF b = Polar(f.centre, r, DialDirection(c.to, dial.modulus));
        painter.drawLine(a, b);
        Circle(painter, a, f.radius * 0.008);
        Circle(painter, b, f.radius * 0.008);
    }
    painter.setBrush(Qt::NoBrush);
}

void PaintPanel(QPainter& painter, const QRectF& area, const DialLayout& dial, const DialPanelStyle& style,
                GlyphOutlines& glyphs) {
    const std::size_t rows = std::max<std::size_t>(dial.panel.size() + 3, 24);
    const qreal size = std::clamp<qreal>(std::min(area.height() / static_cast<qreal>(rows) / 1.45,
                                                  area.width() / (style.withPositions ? 19.0 : 13.0)),
                                         1.0, area.height() * 0.028);
    const qreal line = size * 1.45;
    qreal y = area.top() + line;
    FillText(painter, glyphs, Utf8(DialPanelHeading(dial, style.orb)), QPointF(area.left(), y), size, kInk);
    y += line * 1.5;
    // Columns: the name, the dial position and the orb right-aligned, the zodiac position after them.
    const qreal nameX = area.left(), placeX = area.left() + size * 7.2, orbX = area.left() + size * 11.0;
    for (const DialPanelEntry& e : dial.panel) {
        if (y > area.bottom()) break;
        const QColor ink = e.second ? kChordInk.darker(130) : kNatalInk;
        FillText(painter, glyphs, Utf8(e.name), QPointF(nameX, y), size, ink);
        FillText(painter, glyphs, Utf8(DialDegreeText(e.position)), QPointF(placeX, y), size, kInk,
                 Align::Right);
        FillText(painter, glyphs, Utf8(TreeOrbText(e.orb)), QPointF(orbX, y), size, kInk, Align::Right);
        if (style.withPositions) {
            FillText(painter, glyphs, "(" + Utf8(PositionText(e.lon)) + ")", QPointF(orbX + size * 0.8, y),
                     size, kInk);
        }
        y += line;
    }
}

// "90°", "22.5°", "7.3°": the modulus as typed.
std::string ModulusText(float modulus) {
    return DialModulusText(modulus) + "\xC2\xB0";
}

}  // namespace

// ---- Glyph outlines
// ------------------------------------------------------------------------------------------

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

// ---- Layouts
// -------------------------------------------------------------------------------------------------

WheelLayout MakeWheelLayout(const ChartState& chart, const Options& options, const RegionalFormat& regional,
                            bool withSecondChart) {
    const Ring& natal = withSecondChart ? kInnerNatal : kSingleNatal;
    return BuildWheelLayout(chart, options, regional, withSecondChart, RingGap(natal), RingGap(kOuterSecond));
}

double DialGlyphGap(bool outerRing) {
    const double size = outerRing ? kDialSecondSize : kDialNatalSize;
    const double radius = outerRing ? kDialSecondGlyph : kDialNatalGlyph;
    return size * kGlyphSpacing / radius / (2 * std::numbers::pi);
}

DialLayout MakeDialLayout(const ChartState& chart, const Options& options, float modulus, double pointer,
                          bool withSecondChart) {
    return BuildDialLayout(chart, options, modulus, pointer, withSecondChart, DialGlyphGap(false),
                           DialGlyphGap(true));
}

std::string DialPanelHeading(const DialLayout& dial, float orb) {
    return "Pointer " + DialDegreeText(dial.pointer) + "   dial " + ModulusText(dial.modulus) + "   orb " +
           DialDegreeText(orb);
}

// ---- Painting
// ------------------------------------------------------------------------------------------------

void PaintWheel(QPainter& painter, const QRectF& area, const WheelLayout& wheel, GlyphOutlines& glyphs) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);

    // Title lines above the wheel: the chart on the left, the second chart on the right.
    const qreal titleSize = std::clamp<qreal>(std::min(area.width(), area.height()) * 0.024, 6, 22);
    const qreal line = titleSize * 1.35;
    const qreal margin = titleSize * 0.6;
    const QPointF left(area.left() + margin, area.top() + margin + titleSize);
    FillText(painter, glyphs, Utf8(wheel.title), left, titleSize * 1.15, kNatalInk);
    FillText(painter, glyphs, Utf8(wheel.subtitle), left + QPointF(0, line), titleSize, kInk);
    FillText(painter, glyphs, Utf8(wheel.houseSystem), left + QPointF(0, 2 * line), titleSize, kInk);
    if (!wheel.secondSubtitle.empty()) {
        const QPointF right(area.right() - margin, area.top() + margin + titleSize + 2 * line);
        FillText(painter, glyphs, Utf8(wheel.secondSubtitle), right, titleSize, kSecondInk, Align::Right);
    }
    const qreal header = margin + 3 * line;

    const QRectF room(area.left(), area.top() + header, area.width(), area.height() - header);
    WheelFrame f;
    f.centre = room.center();
    f.radius = std::max<qreal>(1, std::min(room.width(), room.height()) / 2 * 0.98 / 1.11);
    f.asc = wheel.ascendant;

    const bool biwheel = !wheel.second.empty();
    const qreal houseRing = biwheel ? kBiwheelHouseRing : kSingleHouseRing;
    PaintZodiac(painter, f, glyphs);
    PaintHouses(painter, f, wheel, houseRing, glyphs);
    painter.setPen(Pen(kInk, std::max<qreal>(0.8, f.radius * 0.0018)));
    if (biwheel) Circle(painter, f.centre, f.radius * kInnerNatal.outer);
    PaintAspects(painter, f, wheel, f.radius * (houseRing - kHouseRingWidth));
    if (biwheel) PaintRing(painter, f, wheel.second, kOuterSecond, kSecondInk, glyphs);
    PaintRing(painter, f, wheel.natal, biwheel ? kInnerNatal : kSingleNatal, kNatalInk, glyphs);
    painter.restore();
}

DialFrame DialFrameOf(const QRectF& area, bool withPanel) {
    DialFrame f;
    if (withPanel && area.width() > area.height() * 1.15) {
        const qreal side = std::min(area.height(), area.width() * 0.66);
        f.centre = QPointF(area.left() + side / 2, area.center().y());
        f.radius = side / 2 * 0.97;
    } else {
        f.centre = area.center();
        f.radius = std::min(area.width(), area.height()) / 2 * 0.97;
    }
    f.radius = std::max<qreal>(1, f.radius);
    return f;
}

void PaintDial(QPainter& painter, const QRectF& area, const DialLayout& dial, GlyphOutlines& glyphs,
               const DialPanelStyle& panel) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const DialFrame f = DialFrameOf(area, panel.shown);
    PaintDialScale(painter, f, dial, glyphs);
    PaintChords(painter, f, dial);
    PaintDialMarks(painter, f, dial, dial.natal, false, glyphs);
    if (!dial.second.empty()) PaintDialMarks(painter, f, dial, dial.second, true, glyphs);
    FillCentredText(painter, glyphs, Utf8(ModulusText(dial.modulus)), f.centre + QPointF(0, f.radius * 0.1),
                    f.radius * 0.045, kInk);
    PaintPointer(painter, f, dial);
    if (panel.shown && area.width() > area.height() * 1.15) {
        const qreal left = f.centre.x() + f.radius / 0.97 + f.radius * 0.04;
        PaintPanel(painter, QRectF(left, area.top() + f.radius * 0.04, area.right() - left, area.height()),
                   dial, panel, glyphs);
    }
    painter.restore();
}

// ---- Files
// ----------------------------------------------------------------------------------------------------

std::optional<DrawingFormat> DrawingFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "svg") return DrawingFormat::Svg;
    if (suffix == "png") return DrawingFormat::Png;
    if (suffix == "pdf") return DrawingFormat::Pdf;
    return std::nullopt;
}

bool SaveDrawing(const QString& path, DrawingFormat format, const QSize& size, const Painting& paint,
                 QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRectF area(0, 0, size.width(), size.height());
    bool painted = false;
    switch (format) {
        case DrawingFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(area);
            svg.setTitle("TALVENOR");
            svg.setResolution(96);
            QPainter painter;
            if ((painted = painter.begin(&svg))) {
                paint(painter, area);
                painter.end();
            }
            break;
        }
        case DrawingFormat::Png: {
            QImage image(size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter;
            if ((painted = painter.begin(&image))) {
                paint(painter, area);
                painter.end();
                painted = image.save(&buffer, "PNG", kPngQuality);
            }
            break;
        }
        case DrawingFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setCreator("TALVENOR");
            pdf.setTitle("TALVENOR");
            pdf.setResolution(96);
            // A page of the drawing's own shape, at 96 pixels to the inch.
            pdf.setPageSize(QPageSize(QSizeF(size.width() * 0.75, size.height() * 0.75), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter;
            if ((painted = painter.begin(&pdf))) {
                paint(painter, area);
                painter.end();
            }
            break;
        }
    }
    buffer.close();
    if (!painted) {
        if (error) *error = "The drawing could not be made.";
        return false;
    }
    if (!ReplaceFileContents(QFile::encodeName(path).toStdString(),
                             std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        if (error) *error = "The file " + path + " could not be written.";
        return false;
    }
    return true;
}

}  // namespace talvenor::draw
