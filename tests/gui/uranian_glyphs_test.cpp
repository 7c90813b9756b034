// The glyphs of the eight Uranian points stand where a planet's glyph stands and look like one: one em
// high and centred on their place, filled outlines of the fonts' weight, each told apart from the others
// and from the planets at a small size, and written into an SVG as outlines.
#include "drawing/uranian_glyphs.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>
#include <algorithm>
#include <string>
#include <vector>

#include "chart/wheel_layout.h"
#include "drawing/drawing_export.h"
#include "drawing/drawing_support.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

constexpr UranianPoint kPoints[] = {UranianPoint::Cupido,   UranianPoint::Hades,   UranianPoint::Zeus,
                                    UranianPoint::Kronos,   UranianPoint::Apollon, UranianPoint::Admetos,
                                    UranianPoint::Vulkanus, UranianPoint::Poseidon};
constexpr const char* kNames[] = {"Cupido",  "Hades",   "Zeus",     "Kronos",
                                  "Apollon", "Admetos", "Vulkanus", "Poseidon"};
// Sun, Moon and Mercury to Pluto, as the program numbers them.
constexpr int kPlanets[] = {1, 10, 2, 3, 4, 5, 6, 7, 8, 9};

// An outline filled black on white at a size in pixels, centred in a square of twice that size so that
// nothing of it is cut off; the value of each pixel is its ink, 0 (none) to 255.
std::vector<int> Ink(const QPainterPath& outline, int size) {
    QImage image(2 * size, 2 * size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw::FillOutline(painter, outline, QPointF(size, size), size, Qt::black);
    painter.end();
    std::vector<int> ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ink.push_back(255 - qGray(image.pixel(x, y)));
    return ink;
}

// The share of one em's square (size by size pixels) that the outline inks.
double Coverage(const QPainterPath& outline, int size) {
    double total = 0;
    for (int v : Ink(outline, size)) total += v / 255.0;
    return total / (size * size);
}

// The share of the pixels inked by either outline that only one of them inks.
double Difference(const QPainterPath& a, const QPainterPath& b, int size) {
    const std::vector<int> inkA = Ink(a, size), inkB = Ink(b, size);
    int either = 0, differ = 0;
    for (std::size_t i = 0; i < inkA.size(); ++i) {
        if (std::max(inkA[i], inkB[i]) < 96) continue;
        ++either;
        if (std::abs(inkA[i] - inkB[i]) >= 96) ++differ;
    }
    return either ? static_cast<double>(differ) / either : 0;
}

class UranianGlyphTest : public ::testing::Test {
  protected:
    draw::GlyphOutlines fonts_;
};

TEST_F(UranianGlyphTest, EachIsAboutAsLargeAsAPlanetsGlyphAndCentredOnItsPlace) {
    ASSERT_TRUE(fonts_.hasSymbolFont());
    double tallestPlanet = 0, shortestPlanet = 1;
    for (int p : kPlanets) {
        const double height = fonts_.symbol(PointGlyph(p)).boundingRect().height();
        tallestPlanet = std::max(tallestPlanet, height);
        shortestPlanet = std::min(shortestPlanet, height);
    }
    for (std::size_t i = 0; i < std::size(kPoints); ++i) {
        SCOPED_TRACE(kNames[i]);
        const QPainterPath glyph = draw::UranianGlyph(kPoints[i]);
        ASSERT_FALSE(glyph.isEmpty());
        const QRectF box = glyph.boundingRect();
        EXPECT_LE(box.width(), 1.0);
        EXPECT_LE(box.height(), 1.0);
        EXPECT_GE(box.width(), 0.3);
        EXPECT_NEAR(box.center().x(), 0, 1e-3);
        EXPECT_NEAR(box.center().y(), 0, 1e-3);
        // No smaller than the smallest planet's glyph and no taller than the tallest's.
        EXPECT_GE(box.height(), shortestPlanet * 0.95);
        EXPECT_LE(box.height(), tallestPlanet * 1.05);
    }
}

TEST_F(UranianGlyphTest, EachIsFilledOutlinesOfTheWeightOfThePlanetsGlyphs) {
    double planetCoverage = 0;
    for (int p : kPlanets) planetCoverage += Coverage(fonts_.symbol(PointGlyph(p)), 64);
    planetCoverage /= std::size(kPlanets);

    for (std::size_t i = 0; i < std::size(kPoints); ++i) {
        SCOPED_TRACE(kNames[i]);
        const QPainterPath glyph = draw::UranianGlyph(kPoints[i]);
        // Outlines, not strokes: every part closes on itself, so a file holds shapes to fill.
        QPointF start;
        for (int e = 0; e < glyph.elementCount(); ++e) {
            const QPainterPath::Element element = glyph.elementAt(e);
            if (!element.isMoveTo()) continue;
            if (e > 0) {
                EXPECT_EQ(QPointF(glyph.elementAt(e - 1)), start) << "part before element " << e;
            }
            start = element;
        }
        EXPECT_EQ(QPointF(glyph.elementAt(glyph.elementCount() - 1)), start);
        // Its parts neither overlap nor cross, so a reader of the file that fills even-odd, leaving a hole
        // where two parts overlap, paints the same as one that fills all that is inside.
        QPainterPath evenOdd = glyph, nonZero = glyph;
        evenOdd.setFillRule(Qt::OddEvenFill);
        nonZero.setFillRule(Qt::WindingFill);
        EXPECT_TRUE(Ink(evenOdd, 64) == Ink(nonZero, 64));
        // Filled, it inks about as much of its square as a planet's glyph does: neither hairlines nor a blob.
        const double coverage = Coverage(glyph, 64);
        EXPECT_GT(coverage, planetCoverage * 0.6) << "planets " << planetCoverage;
        EXPECT_LT(coverage, planetCoverage * 1.6) << "planets " << planetCoverage;
        EXPECT_GT(coverage, 0.08);
        EXPECT_LT(coverage, 0.4);
    }
}

TEST_F(UranianGlyphTest, EachIsToldApartFromTheOthersAndFromThePlanetsAtASmallSize) {
    for (std::size_t i = 0; i < std::size(kPoints); ++i) {
        const QPainterPath glyph = draw::UranianGlyph(kPoints[i]);
        for (std::size_t j = i + 1; j < std::size(kPoints); ++j)
            EXPECT_GT(Difference(glyph, draw::UranianGlyph(kPoints[j]), 24), 0.35)
                << kNames[i] << " and " << kNames[j];
        for (int p : kPlanets)
            EXPECT_GT(Difference(glyph, fonts_.symbol(PointGlyph(p)), 24), 0.35)
                << kNames[i] << " and " << PointGlyph(p).letters;
    }
}

TEST_F(UranianGlyphTest, EachIsTheSameOutlineEveryTimeAndNothingStandsOutsideTheEight) {
    for (std::size_t i = 0; i < std::size(kPoints); ++i) {
        EXPECT_TRUE(draw::UranianGlyph(kPoints[i]) == draw::UranianGlyph(kPoints[i])) << kNames[i];
        EXPECT_TRUE(Ink(draw::UranianGlyph(kPoints[i]), 24) == Ink(draw::UranianGlyph(kPoints[i]), 24));
    }
    EXPECT_TRUE(draw::UranianGlyph(static_cast<UranianPoint>(kUranianPoints)).isEmpty());
    EXPECT_TRUE(draw::UranianGlyph(static_cast<UranianPoint>(-1)).isEmpty());
}

TEST_F(UranianGlyphTest, AnExportedSvgHoldsEachAsAFilledPath) {
    testing_support::TemporaryFolder folder;
    const QString file = QString::fromStdString((folder.path() / "glyphs.svg").string());
    const QColor ink(0x12, 0x34, 0x56);
    const draw::Painting paint = [&](QPainter& painter, const QRectF&) {
        for (std::size_t i = 0; i < std::size(kPoints); ++i)
            draw::FillOutline(painter, draw::UranianGlyph(kPoints[i]), QPointF(20 + 40.0 * i, 20), 32, ink);
    };
    ASSERT_TRUE(draw::SaveDrawing(file, draw::DrawingFormat::Svg, QSize(340, 40), paint));

    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    int filledPaths = 0, texts = 0;
    QString fill;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (!xml.isStartElement()) continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.hasAttribute("fill")) fill = attributes.value("fill").toString();
        if (xml.name() == QStringLiteral("text")) ++texts;
        if (xml.name() == QStringLiteral("path") && fill.compare(ink.name(), Qt::CaseInsensitive) == 0 &&
            attributes.value("d").size() > 100)
            ++filledPaths;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(filledPaths, static_cast<int>(std::size(kPoints)));
    EXPECT_EQ(texts, 0);
}

}  // namespace
}  // namespace talvenor
