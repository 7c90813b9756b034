#include "chart/chart_figure_window.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QShowEvent>

#include "session/session.h"
#include "shell/app_services.h"
#include "shell/gui_support.h"

namespace talvenor::gui {

namespace {

struct FormatItem {
    draw::DrawingFormat format;
    const char* name;
    const char* caption;
    const char* extension;
    const char* filter;
};
constexpr FormatItem kFormats[] = {
    {draw::DrawingFormat::Svg, "SaveSvg", "Save as &SVG...", "svg", "SVG drawing (*.svg)"},
    {draw::DrawingFormat::Png, "SavePng", "Save as P&NG...", "png", "PNG image (*.png)"},
    {draw::DrawingFormat::Pdf, "SavePdf", "Save as P&DF...", "pdf", "PDF document (*.pdf)"},
};

const FormatItem& FormatOf(draw::DrawingFormat format) {
    for (const FormatItem& f : kFormats) {
        if (f.format == format) return f;
    }
    return kFormats[0];
}

}  // namespace

ChartFigureWindow::ChartFigureWindow(AppServices& app, const char* objectName, const char* prefix,
                                     WindowGeometry& storedGeometry, const QSize& defaultSize,
                                     bool withSecondChart)
    : app_(app),
      prefix_(prefix),
      stored_(storedGeometry),
      chooseFile_([this](const QString& p, const QString& f) { return chooseWithDialog(p, f); }) {
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);

    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnu" + QString::fromStdString(prefix_) + "File");
    connect(addItem(file, "Print", "&Print...", QKeySequence::Print), &QAction::triggered, this,
            [this] { print(); });
    for (const FormatItem& f : kFormats) {
        const draw::DrawingFormat format = f.format;
        connect(addItem(file, f.name, f.caption), &QAction::triggered, this,
                [this, format] { saveAs(format); });
    }
    file->addSeparator();
    connect(addItem(file, "Close", "&Close", QKeySequence(Qt::CTRL | Qt::Key_W)), &QAction::triggered, this,
            [this] { close(); });

    view_ = menuBar()->addMenu("&View");
    view_->setObjectName("mnu" + QString::fromStdString(prefix_) + "View");
    if (withSecondChart) {
        secondChart_ = addItem(view_, "SecondChart", "&Second Chart");
        secondChart_->setCheckable(true);
        secondChart_->setChecked(true);
        connect(secondChart_, &QAction::toggled, this, [this] { refresh(); });
    }

    CloseWithEscape(*this);

    // The place and size of the last time (the outer rectangle in twips, like the main window's), or the
    // middle of the screen; fitted into the screen like every other window.
    QRect contents(QPoint(0, 0), defaultSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        contents.moveCenter(screen->availableGeometry().center());
    setGeometry(contents);
    const PixelRect asked =
        stored_.Known() ? WindowGeometryPixels(stored_, twipsPerPixel()) : app_.outerRect(*this);
    place_ = {asked, app_.placeWindow(*this, asked)};
    placing_ = false;
    storeGeometry();
}

QAction* ChartFigureWindow::addItem(QMenu* menu, const std::string& name, const QString& caption,
                                    const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    const std::string objectName = "mnu" + prefix_ + name;
    action->setObjectName(QString::fromStdString(objectName));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    if (menu) menu->addAction(action);
    items_[objectName] = action;
    return action;
}

void ChartFigureWindow::removeItem(QAction* action) {
    const auto it = items_.find(action->objectName().toStdString());
    if (it != items_.end() && it->second == action) items_.erase(it);
    delete action;
}

QAction* ChartFigureWindow::item(const std::string& name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

bool ChartFigureWindow::secondChartShown() const {
    return secondChart_ && secondChart_->isChecked();
}

double ChartFigureWindow::twipsPerPixel() const {
    return 1440.0 / logicalDpiX();
}

void ChartFigureWindow::storeGeometry() {
    // A minimized window has no place worth keeping.
    if (placing_ || isMinimized()) return;
    stored_ = WindowGeometryTwips(place_.ToKeep(app_.outerRect(*this)), twipsPerPixel());
}

void ChartFigureWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Shown, the window has its least size and has been fitted into the screen once more: that is the
    // place this screen gave it.
    if (event->spontaneous()) return;
    place_.given = app_.outerRect(*this);
    storeGeometry();
}

void ChartFigureWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    storeGeometry();
}

void ChartFigureWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    storeGeometry();
}

QString ChartFigureWindow::chooseWithDialog(const QString& proposedPath, const QString& filter) {
    return QFileDialog::getSaveFileName(this, windowTitle(), proposedPath, filter);
}

bool ChartFigureWindow::saveAs(draw::DrawingFormat format) {
    const FormatItem& f = FormatOf(format);
    const std::filesystem::path folder = app_.session().appFolder / "REPORTS";
    const QString proposed = FromPath(folder) + "/" + fileStem() + "." + f.extension;
    QString chosen = chooseFile_(proposed, f.filter);
    if (chosen.isEmpty()) return false;
    // The format is the one chosen in the menu; the name gets its extension when it has none.
    if (!chosen.endsWith(QString(".") + f.extension, Qt::CaseInsensitive))
        chosen += QString(".") + f.extension;
    QString error;
    Hourglass busy;
    const bool saved = draw::SaveDrawing(
        chosen, format, exportSize(), [this](QPainter& p, const QRectF& area) { paintFigure(p, area); },
        &error);
    if (!saved)
        app_.session().dialogs->ShowMessage(error.toStdString(), "Warning!", MessageIcon::Information);
    return saved;
}

void ChartFigureWindow::printTo(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize shape = exportSize();
    // The drawing keeps its shape, as large as the page allows.
    const qreal scale = std::min(page.width() / shape.width(), page.height() / shape.height());
    const QRectF area(0, 0, shape.width() * scale, shape.height() * scale);
    paintFigure(painter, area);
    painter.end();
}

void ChartFigureWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Print " + windowTitle());
    if (dialog.exec() != QDialog::Accepted) return;
    Hourglass busy;
    printTo(printer);
}

}  // namespace talvenor::gui
