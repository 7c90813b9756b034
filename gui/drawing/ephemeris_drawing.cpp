#include "drawing/ephemeris_drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QVector>
#include <algorithm>
#include <cmath>

#include "chart/factor_catalogue.h"
#include "chart/wheel_layout.h"
#include "drawing/drawing_support.h"
#include "drawing/uranian_glyphs.h"
#include "ephemeris/point_index.h"
#include "midpoints/dial_panel.h"
#include "text/basic_text.h"

namespace talvenor::draw {

namespace {

const QColor kGridInk(0xdd, 0xdd, 0xdd);

// The least step between two points of a line as painted, in pixels.
constexpr qreal kLeastStep = 0.75;
// More lines than this across the plot are drawn a pixel wide.
constexpr std::size_t kManyRuns = 60;
const QColor kMidpointInk(0x78, 0x90, 0x9c);
// The opacity of a body's sweeps (of 255).
constexpr int kSweepAlpha = 70;

// The size of the graph's letters for an area: a fiftieth of its smaller side, within readable bounds.
qreal TextSize(const QRectF& area) {
    return std::clamp<qreal>(std::min(area.width(), area.height()) * 0.02, 7, 18);
}

// The rows above the plot: title, subtitle, legend.
qreal HeaderHeight(qreal t) {
    return t * 0.8 + t * 1.15 + t * 1.4 + t * 1.6;
}

bool ShowsMidpoints(const EphemerisGraph& graph) {
    return std::any_of(graph.levels.begin(), graph.levels.end(),
                       [](const GraphLevel& l) { return l.factor == 0; });
}

// The size of the midpoints' names: as large as the factors' letters allow, and small enough that all of
// them fit beside the plot.
qreal MidpointTextSize(qreal t, qreal plotHeight, std::size_t count) {
    return std::clamp<qreal>(plotHeight / (static_cast<qreal>(std::max<std::size_t>(count, 1)) * 1.15), 4,
                             t * 0.8);
}

GlyphSpec GraphGlyph(int point) {
    return PointGlyph(point);
}

// The symbol of a level or a body: a chart point's, the Aries point's (the sign's symbol) or a hypothetical
// point's own outline.
QPainterPath GraphSymbol(GlyphOutlines& glyphs, int point, int factor) {
    const int uranian = UranianIndexOfFactor(factor);
    if (uranian >= 0) return UranianGlyph(static_cast<UranianPoint>(uranian));
    if (factor == kAriesPointFactor) return glyphs.symbol(FactorGlyph(factor));
    return glyphs.symbol(GraphGlyph(point));
}

QColor BodyInk(const GraphBody& body) {
    return body.factor ? GraphFactorInk(body.factor) : GraphBodyInk(body.point);
}

void PaintHeader(QPainter& painter, const QRectF& area, const EphemerisGraph& graph, GlyphOutlines& glyphs,
                 qreal t) {
    const qreal left = area.left() + t;
    qreal y = area.top() + t * 0.8 + t * 1.15;
    FillText(painter, glyphs, Utf8(graph.title), QPointF(left, y), t * 1.15, kNatalInk);
    y += t * 1.4;
    FillText(painter, glyphs, Utf8(graph.subtitle), QPointF(left, y), t, kInk);
    y += t * 1.6;
    qreal x = left;
    for (const GraphBody& body : graph.bodies) {
        const QColor ink = BodyInk(body);
        FillOutline(painter, GraphSymbol(glyphs, body.point, body.factor), QPointF(x + t * 0.5, y - t * 0.35),
                    t * 1.1, ink);
        const QString name = Utf8(body.name);
        FillText(painter, glyphs, name, QPointF(x + t * 1.2, y), t * 0.85, ink);
        x += t * 1.2 + glyphs.textWidth(name) * t * 0.85 + t * 1.1;
    }
}

void PaintDegreeScale(QPainter& painter, const GraphFrame& f, const EphemerisGraph& graph,
                      GlyphOutlines& glyphs, qreal t) {
    const QRectF& plot = f.plot;
    std::vector<DialTick> ticks = DialTicks(graph.modulus);
    ticks.push_back({graph.modulus, 2, DialModulusText(graph.modulus)});
    const qreal perDegree = plot.height() / graph.modulus;
    QVector<QLineF> grid, marks;
    qreal lastLabel = 1e9;
    for (const DialTick& tick : ticks) {
        const qreal y = f.YAt(tick.position);
        const qreal length = tick.level == 2 ? t * 0.5 : tick.level == 1 ? t * 0.35 : t * 0.2;
        // The small ticks only where they stand apart.
        if (tick.level == 0 && perDegree * (graph.modulus >= 30 ? 1 : 0.25) < 3) continue;
        if (tick.level == 1 && perDegree * (graph.modulus >= 30 ? 5 : 1) < 3) continue;
        marks.push_back(QLineF(plot.left() - length, y, plot.left(), y));
        if (tick.level != 2) continue;
        if (tick.position > 0 && tick.position < graph.modulus)
            grid.push_back(QLineF(plot.left(), y, plot.right(), y));
        if (std::fabs(lastLabel - y) < t * 1.2) continue;
        FillText(painter, glyphs, Utf8(tick.label), QPointF(plot.left() - t * 0.7, y + t * 0.35), t * 0.9,
                 kInk, Align::Right);
        lastLabel = y;
    }
    painter.setPen(Pen(kGridInk, 1));
    painter.drawLines(grid);
    painter.setPen(Pen(kInk, std::max<qreal>(0.8, t * 0.08)));
    painter.drawLines(marks);
}

void PaintTimeScale(QPainter& painter, const GraphFrame& f, const EphemerisGraph& graph,
                    GlyphOutlines& glyphs, qreal t) {
    const QRectF& plot = f.plot;
    QVector<QLineF> grid, marks;
    qreal lastRight = -1e9;
    for (const GraphTimeTick& tick : graph.timeTicks) {
        const qreal x = f.XAt(tick.julianDate);
        const qreal length = tick.level == 2 ? t * 0.5 : tick.level == 1 ? t * 0.35 : t * 0.2;
        marks.push_back(QLineF(x, plot.bottom(), x, plot.bottom() + length));
        if (tick.level == 2 && x > plot.left() + 1 && x < plot.right() - 1)
            grid.push_back(QLineF(x, plot.top(), x, plot.bottom()));
        if (tick.label.empty()) continue;
        const QString label = Utf8(tick.label);
        const qreal width = glyphs.textWidth(label) * t * 0.85;
        if (x - width / 2 < lastRight + t * 0.5 || x + width / 2 > plot.right() + t * 2) continue;
        FillText(painter, glyphs, label, QPointF(x, plot.bottom() + t * 1.6), t * 0.85, kInk, Align::Centre);
        lastRight = x + width / 2;
    }
    painter.setPen(Pen(kGridInk, 1));
    painter.drawLines(grid);
    painter.setPen(Pen(kInk, std::max<qreal>(0.8, t * 0.08)));
    painter.drawLines(marks);
}

// The natal levels across the plot; their symbols (and the midpoints' names) beside it on the right, kept
// apart and joined to their levels by short leaders.
void PaintLevels(QPainter& painter, const GraphFrame& f, const EphemerisGraph& graph, GlyphOutlines& glyphs,
                 qreal t) {
    const QRectF& plot = f.plot;
    const qreal perDegree = plot.height() / graph.modulus;
    std::vector<const GraphLevel*> factors, midpoints;
    for (const GraphLevel& l : graph.levels) (l.factor ? factors : midpoints).push_back(&l);

    QVector<QLineF> factorLines, midpointLines, leaders;
    for (const GraphLevel* l : midpoints) {
        const qreal y = f.YAt(l->place);
        midpointLines.push_back(QLineF(plot.left(), y, plot.right(), y));
    }
    for (const GraphLevel* l : factors) {
        const qreal y = f.YAt(l->place);
        factorLines.push_back(QLineF(plot.left(), y, plot.right(), y));
    }
    QColor midpointInk = kMidpointInk;
    midpointInk.setAlpha(150);
    painter.setPen(Pen(midpointInk, std::max<qreal>(0.6, t * 0.05), Qt::DotLine));
    painter.drawLines(midpointLines);
    QColor factorInk = kNatalInk;
    factorInk.setAlpha(170);
    painter.setPen(Pen(factorInk, std::max<qreal>(0.8, t * 0.08)));
    painter.drawLines(factorLines);

    // Symbols of the factors in the first column beside the plot.
    const qreal glyphSize = t * 1.05;
    std::vector<double> places;
    for (const GraphLevel* l : factors) places.push_back(l->place);
    const std::vector<double> spread = SpreadLabels(places, glyphSize * 1.1 / perDegree, 0, graph.modulus);
    const qreal glyphX = plot.right() + t * 1.6;
    for (std::size_t i = 0; i < factors.size(); ++i) {
        const qreal y = f.YAt(factors[i]->place), shown = f.YAt(spread[i]);
        leaders.push_back(QLineF(plot.right(), y, glyphX - glyphSize * 0.6, shown));
        FillOutline(painter, GraphSymbol(glyphs, factors[i]->point, factors[i]->factor),
                    QPointF(glyphX, shown), glyphSize, kNatalInk);
    }
    // The midpoints' names in a second column.
    if (!midpoints.empty()) {
        const qreal size = MidpointTextSize(t, plot.height(), midpoints.size());
        places.clear();
        for (const GraphLevel* l : midpoints) places.push_back(l->place);
        const std::vector<double> at = SpreadLabels(places, size * 1.12 / perDegree, 0, graph.modulus);
        const qreal nameX = glyphX + t * 1.4;
        for (std::size_t i = 0; i < midpoints.size(); ++i) {
            const qreal y = f.YAt(midpoints[i]->place), shown = f.YAt(at[i]);
            leaders.push_back(QLineF(plot.right(), y, nameX - t * 0.2, shown));
            FillText(painter, glyphs, Utf8(midpoints[i]->name), QPointF(nameX, shown + size * 0.36), size,
                     kMidpointInk.darker(140));
        }
    }
    QColor leaderInk = kInk;
    leaderInk.setAlpha(90);
    painter.setPen(Pen(leaderInk, 0.6));
    painter.drawLines(leaders);
}

// Where a body runs over the whole dial faster than the picture shows a line, a band of its colour stands
// across the dial (at least a pixel wide), light enough that the levels and other lines show through.
void PaintSweeps(QPainter& painter, const GraphFrame& f, const EphemerisGraph& graph) {
    for (const GraphBody& body : graph.bodies) {
        if (body.sweeps.empty()) continue;
        QColor ink = BodyInk(body);
        ink.setAlpha(kSweepAlpha);
        QPainterPath bands;
        // Bands widened to a pixel may overlap; they still cover, not cancel, each other.
        bands.setFillRule(Qt::WindingFill);
        for (const GraphSweep& sweep : body.sweeps) {
            const qreal left = f.XAt(sweep.fromJulianDate), right = f.XAt(sweep.toJulianDate);
            const qreal width = std::max<qreal>(right - left, 1);
            bands.addRect(QRectF(left, f.plot.top(), width, f.plot.height()));
        }
        painter.fillPath(bands, ink);
    }
}

void PaintLines(QPainter& painter, const GraphFrame& f, const EphemerisGraph& graph, qreal t) {
    painter.save();
    painter.setClipRect(f.plot.adjusted(-1, -1, 1, 1));
    PaintSweeps(painter, f, graph);
    // Lines across the whole plot again and again (years of the fast bodies, the Moon) are drawn a pixel
    // wide: they stay apart, and a wide line costs the painter many times more.
    std::size_t runs = 0;
    for (const GraphBody& body : graph.bodies) runs += body.runs.size();
    const qreal width = runs > kManyRuns ? 1.0 : std::max<qreal>(1.0, t * 0.14);
    for (const GraphBody& body : graph.bodies) {
        QPen pen = Pen(BodyInk(body), width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        for (const auto& run : body.runs) {
            // The samples follow the most bending body; a slower one needs no point within a fraction of
            // a pixel of the last.
            QPolygonF line;
            line.reserve(static_cast<qsizetype>(run.size()));
            for (std::size_t k = 0; k < run.size(); ++k) {
                const QPointF p(f.XAt(run[k].julianDate), f.YAt(run[k].place));
                const bool last = k + 1 == run.size();
                if (!line.isEmpty() && !last && std::fabs(p.x() - line.back().x()) < kLeastStep &&
                    std::fabs(p.y() - line.back().y()) < kLeastStep) {
                    continue;
                }
                line.push_back(p);
            }
            painter.drawPolyline(line);
        }
    }
    painter.restore();
}

}  // namespace

qreal GraphFrame::XAt(double julianDate) const {
    return plot.left() + (julianDate - from) / (to - from) * plot.width();
}

qreal GraphFrame::YAt(double place) const {
    return plot.bottom() - place / modulus * plot.height();
}

double GraphFrame::JulianDateAt(qreal x) const {
    return from + (x - plot.left()) / plot.width() * (to - from);
}

double GraphFrame::PlaceAt(qreal y) const {
    return (plot.bottom() - y) / plot.height() * modulus;
}

GraphFrame GraphFrameOf(const QRectF& area, const EphemerisGraph& graph) {
    const qreal t = TextSize(area);
    const qreal left = t * 3.6;
    const qreal right = ShowsMidpoints(graph) ? t * 7.6 : t * 3.0;
    const qreal top = HeaderHeight(t) + t * 0.6;
    const qreal bottom = t * 2.4;
    GraphFrame f;
    f.plot = QRectF(area.left() + left, area.top() + top, std::max<qreal>(1, area.width() - left - right),
                    std::max<qreal>(1, area.height() - top - bottom));
    f.from = graph.range.fromJulianDate;
    f.to = graph.range.toJulianDate > f.from ? graph.range.toJulianDate : f.from + 1;
    f.modulus = graph.modulus > 0 ? graph.modulus : 360;
    return f;
}

QColor GraphBodyInk(int point) {
    switch (point) {
        case kSun:
            return QColor(0xe6, 0x51, 0x00);
        case kMoon:
            return QColor(0x60, 0x7d, 0x8b);
        case kMercury:
            return QColor(0x2e, 0x7d, 0x32);
        case kVenus:
            return QColor(0xad, 0x14, 0x57);
        case kMars:
            return QColor(0xc6, 0x28, 0x28);
        case kJupiter:
            return QColor(0x6a, 0x1b, 0x9a);
        case kSaturn:
            return QColor(0x5d, 0x40, 0x37);
        case kUranus:
            return QColor(0x02, 0x77, 0xbd);
        case kNeptune:
            return QColor(0x00, 0x83, 0x8f);
        case kPluto:
            return QColor(0x37, 0x47, 0x4f);
        default:
            return QColor(0x9e, 0x9d, 0x24);
    }
}

QColor GraphFactorInk(int factor) {
    // Eight darker inks apart from the bodies', so that the slow lines of the points stand out from them.
    static const QColor kPointInks[kUranianPoints] = {QColor(0xd8, 0x1b, 0x60), QColor(0x42, 0x42, 0x42),
                                                      QColor(0xef, 0x6c, 0x00), QColor(0x1a, 0x23, 0x7e),
                                                      QColor(0x00, 0x89, 0x7b), QColor(0x4e, 0x34, 0x2e),
                                                      QColor(0xb7, 0x1c, 0x1c), QColor(0x28, 0x35, 0x93)};
    const int uranian = UranianIndexOfFactor(factor);
    if (uranian < 0) return GraphBodyInk(FactorOf(factor).point);
    return kPointInks[uranian];
}

void PaintEphemerisGraph(QPainter& painter, const QRectF& area, const EphemerisGraph& graph,
                         GlyphOutlines& glyphs) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const qreal t = TextSize(area);
    const GraphFrame f = GraphFrameOf(area, graph);
    PaintHeader(painter, area, graph, glyphs, t);
    PaintDegreeScale(painter, f, graph, glyphs, t);
    PaintTimeScale(painter, f, graph, glyphs, t);
    PaintLevels(painter, f, graph, glyphs, t);
    PaintLines(painter, f, graph, t);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Pen(kInk, std::max<qreal>(0.8, t * 0.08)));
    painter.drawRect(f.plot);
    painter.restore();
}

}  // namespace talvenor::draw
