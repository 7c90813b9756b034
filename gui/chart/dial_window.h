// The Dial window: the midpoint factors of both charts on a dial of any modulus, a pointer the user
// turns (drag, mouse wheel, arrow keys; a click snaps to a glyph), and beside it the panel of the factors
// and midpoints under the pointer.
#pragma once

#include <QWidget>

#include "chart/chart_figure_window.h"

class QActionGroup;
class QPlainTextEdit;

namespace talvenor::gui {

// The dial, painted by the drawing module; turns mouse and keys into pointer requests.
class DialView : public QWidget {
    Q_OBJECT
  public:
    DialView(draw::GlyphOutlines& glyphs, QWidget* parent);
    void setDial(const DialLayout& dial);
    const DialLayout& dial() const { return dial_; }
    // The dial position under a point of the widget.
    double positionAt(const QPointF& point) const;

  signals:
    // A click at a dial position (the window snaps it to a glyph); a drag to a position; a step by
    // degrees from the wheel or the keys.
    void clicked(double position);
    void dragged(double position);
    void stepped(double degrees);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    draw::GlyphOutlines& glyphs_;
    DialLayout dial_;
    int wheelAngle_ = 0;  // eighths of a degree turned but not yet a whole notch
};

class DialWindow : public ChartFigureWindow {
    Q_OBJECT
  public:
    explicit DialWindow(AppServices& app);

    void refresh() override;
    QSize exportSize() const override { return {1800, 1200}; }
    void paintFigure(QPainter& painter, const QRectF& area) override;

    // The modulus (0 < m <= 360) and the pointer (any number of degrees; kept within the dial).
    void setModulus(float modulus);
    void setPointer(double position);
    float modulus() const { return modulus_; }
    double pointer() const { return pointer_; }
    DialView& view() { return *view_; }
    QPlainTextEdit& panel() { return *panel_; }

  protected:
    QString fileStem() const override;

  private:
    // "Other...": the modulus prompt of the sort and tree commands.
    void askModulus();
    draw::DialPanelStyle panelStyle() const;

    DialView* view_ = nullptr;
    QPlainTextEdit* panel_ = nullptr;
    QActionGroup* moduli_ = nullptr;
    float modulus_ = kDefaultDialModulus;
    double pointer_ = 0;
};

}  // namespace talvenor::gui
