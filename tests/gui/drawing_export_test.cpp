// Files are painted by the same drawing as the windows: a PNG holds exactly the pixels the drawing paints
// on screen, an SVG's view box and a PDF's page have the drawing's size, and a file that cannot be
// written is named in the message.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <string>

#include "drawing/chart_drawing.h"
#include "pdf_reading.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

// A dial with the parts that test a painting's fidelity: the scale's ticks and labels, two glyphs with
// their leaders, a chord, the red pointer and the panel's text, all antialiased.
DialLayout SampleDial() {
    DialLayout dial;
    dial.modulus = 90;
    dial.pointer = 10.9;
    dial.ticks = DialTicks(dial.modulus);
    dial.natal = {{1, "SU", 282.5, 12.5, 12.5, false}, {2, "MO", 130.2, 40.2, 40.2, true}};
    dial.chords = {{1, 2, 12.5, 40.2}};
    dial.panel = {{1, 1, 0, "SU", 282.5, 12.5, 1.6}, {14, 1, 2, "SU/MO", 26.35, 26.35, 15.45}};
    return dial;
}

struct Export {
    const char* name;
    QSize size;
    draw::DialPanelStyle panel;
};
const Export kExports[] = {
    {"square dial", QSize(320, 320), {}},
    {"dial with its panel", QSize(480, 320), {true, true, 1.5f}},
};

class DrawingExportTest : public ::testing::Test {
  protected:
    QString File(const std::string& name) const {
        return QString::fromStdString((folder_.path() / name).string());
    }

    testing_support::TemporaryFolder folder_;
    const DialLayout dial_ = SampleDial();
};

TEST_F(DrawingExportTest, APngHoldsExactlyThePixelsPaintedOnScreen) {
    for (const Export& e : kExports) {
        SCOPED_TRACE(e.name);
        draw::GlyphOutlines glyphs;
        const draw::Painting paint = [&](QPainter& painter, const QRectF& area) {
            draw::PaintDial(painter, area, dial_, glyphs, e.panel);
        };
        QImage screen(e.size, QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        paint(painter, QRectF(QPointF(0, 0), e.size));
        painter.end();

        QString error;
        ASSERT_TRUE(draw::SaveDrawing(File("dial.png"), draw::DrawingFormat::Png, e.size, paint, &error))
            << error.toStdString();
        const QImage file(File("dial.png"));
        ASSERT_EQ(file.size(), e.size);
        EXPECT_TRUE(file.convertToFormat(QImage::Format_ARGB32_Premultiplied) == screen);
    }
}

TEST_F(DrawingExportTest, AnSvgAndAPdfHaveTheDrawingsSize) {
    for (const Export& e : kExports) {
        SCOPED_TRACE(e.name);
        draw::GlyphOutlines glyphs;
        const draw::Painting paint = [&](QPainter& painter, const QRectF& area) {
            draw::PaintDial(painter, area, dial_, glyphs, e.panel);
        };
        ASSERT_TRUE(draw::SaveDrawing(File("dial.svg"), draw::DrawingFormat::Svg, e.size, paint));
        QFile svg(File("dial.svg"));
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        ASSERT_TRUE(xml.readNextStartElement());
        EXPECT_EQ(xml.name().toString(), "svg");
        EXPECT_EQ(xml.attributes().value("viewBox").toString(),
                  QString("0 0 %1 %2").arg(e.size.width()).arg(e.size.height()));

        // At 96 pixels to the inch: three quarters of a point a pixel.
        ASSERT_TRUE(draw::SaveDrawing(File("dial.pdf"), draw::DrawingFormat::Pdf, e.size, paint));
        const QString info = testing_support::Poppler("pdfinfo", {File("dial.pdf")});
        const QRegularExpressionMatch page =
            QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
        ASSERT_TRUE(page.hasMatch()) << info.toStdString();
        EXPECT_DOUBLE_EQ(page.captured(1).toDouble(), e.size.width() * 0.75);
        EXPECT_DOUBLE_EQ(page.captured(2).toDouble(), e.size.height() * 0.75);
    }
}

TEST_F(DrawingExportTest, AFileThatCannotBeWrittenIsNamedAndNothingIsLeft) {
    const QString path = File("no-such-folder/dial.png");
    QString error;
    EXPECT_FALSE(draw::SaveDrawing(
        path, draw::DrawingFormat::Png, QSize(100, 100), [](QPainter&, const QRectF&) {}, &error));
    EXPECT_EQ(error, "The file " + path + " could not be written.");
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace talvenor
