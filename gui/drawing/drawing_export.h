// Drawings written to files: SVG, PNG or PDF, told by the file's extension, painted by the same code that
// paints the windows and the printed pages.
#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QPainter;

namespace talvenor::draw {

// The file formats of an export, told by the file's extension (.svg, .png, .pdf, any case).
enum class DrawingFormat { Svg, Png, Pdf };
std::optional<DrawingFormat> DrawingFormatOf(const QString& path);

using Painting = std::function<void(QPainter&, const QRectF&)>;

// Writes the painting to a file of the given format and size in pixels (SVG: the view box; PDF: a page
// of that shape). False, with a message in error, when the file cannot be written.
bool SaveDrawing(const QString& path, DrawingFormat format, const QSize& size, const Painting& paint,
                 QString* error = nullptr);

}  // namespace talvenor::draw
