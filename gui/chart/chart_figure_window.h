// What the chart wheel, the dial and the graphic ephemeris windows share: the File menu (print, save as
// SVG, PNG or PDF, close), the Second Chart switch, and their place and size kept in the settings file.
#pragma once

#include <QMainWindow>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <string>

#include "drawing/chart_drawing.h"
#include "environment/window_geometry.h"
#include "environment/window_placement.h"

class QAction;
class QMenu;
class QPainter;
class QPrinter;

namespace talvenor::gui {

class AppServices;

class ChartFigureWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Asks for the file to save (proposed path, file-type filter); an empty text when cancelled.
    using FileChooser = std::function<QString(const QString& proposedPath, const QString& filter)>;

    // prefix names the window's items ("mnuWheelPrint") and its lines in the settings file ("Wheel").
    // withSecondChart: the View menu offers the Second Chart switch.
    ChartFigureWindow(AppServices& app, const char* objectName, const char* prefix,
                      WindowGeometry& storedGeometry, const QSize& defaultSize, bool withSecondChart = true);

    // The chart was computed again (or the options changed): the window shows the new one.
    virtual void refresh() = 0;

    // Writes the drawing to a file the user chooses; false when cancelled or not written.
    bool saveAs(draw::DrawingFormat format);
    // Draws onto a printer's pages (one page, the drawing as large as the page allows).
    void printTo(QPrinter& printer);

    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    QAction* item(const std::string& name) const;
    bool secondChartShown() const;
    QMenu* viewMenu() const { return view_; }

    // The drawing as exported: the painting and its size in pixels.
    virtual QSize exportSize() const = 0;
    virtual void paintFigure(QPainter& painter, const QRectF& area) = 0;

  protected:
    // Puts a checkable or plain item into a menu under the window's prefix ("Print" -> "mnuWheelPrint").
    QAction* addItem(QMenu* menu, const std::string& name, const QString& caption,
                     const QKeySequence& shortcut = {});
    // Takes an item of addItem out of its menu and the window, and deletes it.
    void removeItem(QAction* action);
    // The file name proposed for a save, without its extension ("wheel", "dial90").
    virtual QString fileStem() const = 0;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    AppServices& app_;
    draw::GlyphOutlines glyphs_;

  private:
    double twipsPerPixel() const;
    // Keeps the window's outer rectangle in the settings, but the stored value for whatever the user has
    // not changed since it was placed (a small screen does not shrink it for the next time).
    void storeGeometry();
    void print();
    QString chooseWithDialog(const QString& proposedPath, const QString& filter);

    std::string prefix_;
    WindowGeometry& stored_;
    KeptPlace place_;
    FileChooser chooseFile_;
    std::map<std::string, QAction*> items_;
    QAction* secondChart_ = nullptr;
    QMenu* view_ = nullptr;
    bool placing_ = true;
};

}  // namespace talvenor::gui
