#include "drawing/drawing_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <string_view>

#include "environment/text_files.h"

namespace talvenor::draw {
namespace {

// PNG files are compressed lightly: a wheel's file stays small, and writing it stays fast.
constexpr int kPngQuality = 70;

}  // namespace

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
