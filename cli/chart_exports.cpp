#include "chart_exports.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "arguments.h"
#include "drawing/chart_drawing.h"
#include "session/session.h"

namespace talvenor {

bool DrawingAvailable() {
    return true;
}

bool IsDrawingFileName(const std::string& path) {
    return draw::DrawingFormatOf(QString::fromStdString(path)).has_value();
}

namespace {

// Qt's notes about the session it runs in (no runtime folder, no display) are no business of a tool that
// writes a file; only its real faults reach stderr.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) cli::Tell(message.toStdString());
}

// A Qt application for drawing into a file, when none runs yet; no display is needed.
std::unique_ptr<QGuiApplication> DrawingApplication(int& argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (QGuiApplication::instance()) return nullptr;
    return std::make_unique<QGuiApplication>(argc, argv);
}

int Save(const QString& path, draw::DrawingFormat format, const QSize& size, const draw::Painting& paint) {
    QString error;
    if (!draw::SaveDrawing(path, format, size, paint, &error)) {
        cli::Tell(error.toStdString());
        return 1;
    }
    return 0;
}

}  // namespace

int WriteDrawing(const Session& session, const DrawingRequest& request, int argc, char** argv) {
    const std::unique_ptr<QGuiApplication> application = DrawingApplication(argc, argv);

    const QString path = QString::fromStdString(request.output);
    const std::optional<draw::DrawingFormat> format = draw::DrawingFormatOf(path);
    if (!format) return 1;
    draw::GlyphOutlines glyphs;
    QSize size(request.size, request.size);
    draw::Painting paint;
    if (request.report == "wheel") {
        const WheelLayout wheel =
            draw::MakeWheelLayout(session.natalChart, session.secondChart, session.options, session.regional,
                                  request.withSecondChart);
        paint = [wheel, &glyphs](QPainter& p, const QRectF& area) {
            draw::PaintWheel(p, area, wheel, glyphs);
        };
    } else {
        const DialLayout dial =
            draw::MakeDialLayout(session.natalChart, session.secondChart, session.options, request.modulus,
                                 request.pointer, request.withSecondChart);
        const draw::DialPanelStyle panel{request.withPanel, session.options.treePositions(),
                                         session.options.treeOrb()};
        if (request.withPanel) size.setWidth(static_cast<int>(request.size * draw::kDialWithPanelAspect));
        paint = [dial, panel, &glyphs](QPainter& p, const QRectF& area) {
            draw::PaintDial(p, area, dial, glyphs, panel);
        };
    }
    return Save(path, *format, size, paint);
}

int WriteGraph(const EphemerisGraph& graph, const DrawingRequest& request, int argc, char** argv) {
    const std::unique_ptr<QGuiApplication> application = DrawingApplication(argc, argv);
    const QString path = QString::fromStdString(request.output);
    const std::optional<draw::DrawingFormat> format = draw::DrawingFormatOf(path);
    if (!format) return 1;
    draw::GlyphOutlines glyphs;
    const QSize size(static_cast<int>(request.size * kGraphAspect), request.size);
    return Save(path, *format, size, [&graph, &glyphs](QPainter& p, const QRectF& area) {
        draw::PaintEphemerisGraph(p, area, graph, glyphs);
    });
}

}  // namespace talvenor
