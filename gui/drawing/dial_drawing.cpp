#include "drawing/dial_drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/factor_catalogue.h"
#include "drawing/drawing_support.h"
#include "drawing/uranian_glyphs.h"
#include "midpoints/analysis_table.h"
#include "midpoints/midpoint_trees.h"

namespace talvenor::draw {
namespace {

const QColor kPointerInk(0xd3, 0x2f, 0x2f);
const QColor kChordInk(0x2e, 0x7d, 0x32);

// The dial's circles, as fractions of the radius of its frame.
constexpr qreal kDialScale = 0.78, kDialTickSmall = 0.016, kDialTickMiddle = 0.028, kDialTickLong = 0.042;
constexpr qreal kDialLabels = 0.848, kDialLabelSize = 0.026;
constexpr qreal kDialOuter = 0.878, kDialSecondGlyph = 0.93, kDialSecondSize = 0.052;
constexpr qreal kDialNatalGlyph = 0.68, kDialNatalSize = 0.06, kDialChords = 0.6;

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
        const int uranian = UranianIndexOfFactor(m.factor);
        const QPainterPath glyph = uranian >= 0 ? UranianGlyph(static_cast<UranianPoint>(uranian))
                                                : glyphs.symbol(FactorGlyph(m.factor));
        FillOutline(painter, glyph, at, r * size, ink);
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

double DialGlyphGap(bool outerRing) {
    const double size = outerRing ? kDialSecondSize : kDialNatalSize;
    const double radius = outerRing ? kDialSecondGlyph : kDialNatalGlyph;
    return size * kGlyphSpacing / radius / (2 * std::numbers::pi);
}

DialLayout MakeDialLayout(const Chart& natal, const Chart& second, const Options& options, float modulus,
                          double pointer, bool withSecondChart) {
    return BuildDialLayout(natal, second, options, modulus, pointer, withSecondChart, DialGlyphGap(false),
                           DialGlyphGap(true));
}

std::string DialPanelHeading(const DialLayout& dial, float orb) {
    return "Pointer " + DialDegreeText(dial.pointer) + "   dial " + ModulusText(dial.modulus) + "   orb " +
           DialDegreeText(orb);
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

}  // namespace talvenor::draw
