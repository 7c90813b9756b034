#include "drawing/wheel_drawing.h"

#include <QPainter>
#include <QTransform>
#include <QVector>
#include <algorithm>
#include <cmath>

#include "chart/factor_catalogue.h"
#include "drawing/drawing_support.h"
#include "drawing/uranian_glyphs.h"

namespace talvenor::draw {
namespace {

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

double RingGap(const Ring& ring) {
    return ring.glyphSize * kGlyphSpacing / ring.glyph / kDegree;
}

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

// The Aries point of the Uranian factors: a wedge on the zodiac's outer edge pointing in at 0 Aries.
void PaintAriesPoint(QPainter& painter, const WheelFrame& f) {
    const qreal r = f.radius;
    const double dir = f.Direction(0);
    const double half = 1.6;  // degrees either side
    QPainterPath wedge;
    wedge.moveTo(Polar(f.centre, r * 1.045, f.Direction(-half)));
    wedge.lineTo(Polar(f.centre, r * 1.045, f.Direction(half)));
    wedge.lineTo(Polar(f.centre, r * 1.003, dir));
    wedge.closeSubpath();
    painter.fillPath(wedge, kNatalInk);
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
        const int uranian = UranianIndexOfFactor(p.factor);
        const QPainterPath glyph = uranian >= 0 ? UranianGlyph(static_cast<UranianPoint>(uranian))
                                                : glyphs.symbol(PointGlyph(p.point));
        FillOutline(painter, glyph, Polar(f.centre, r * ring.glyph, shownDir), r * ring.glyphSize, ink);
        const QString text = Utf8(p.degreeText) + (p.retrograde ? " R" : "");
        FillRadialText(painter, glyphs, text, f.centre, r * ring.textStart, shownDir, r * ring.textSize, ink);
    }
}

}  // namespace

WheelLayout MakeWheelLayout(const Chart& natal, const Chart& second, const Options& options,
                            const RegionalFormat& regional, bool withSecondChart) {
    const Ring& natalRing = withSecondChart ? kInnerNatal : kSingleNatal;
    return BuildWheelLayout(natal, second, options, regional, withSecondChart, RingGap(natalRing),
                            RingGap(kOuterSecond));
}

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
    if (wheel.ariesPoint) PaintAriesPoint(painter, f);
    PaintHouses(painter, f, wheel, houseRing, glyphs);
    painter.setPen(Pen(kInk, std::max<qreal>(0.8, f.radius * 0.0018)));
    if (biwheel) Circle(painter, f.centre, f.radius * kInnerNatal.outer);
    PaintAspects(painter, f, wheel, f.radius * (houseRing - kHouseRingWidth));
    if (biwheel) PaintRing(painter, f, wheel.second, kOuterSecond, kSecondInk, glyphs);
    PaintRing(painter, f, wheel.natal, biwheel ? kInnerNatal : kSingleNatal, kNatalInk, glyphs);
    painter.restore();
}

}  // namespace talvenor::draw
