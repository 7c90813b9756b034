// The Chart Wheel window: the natal chart's wheel, with the second chart as an outer ring.
#pragma once

#include <QWidget>

#include "chart/chart_figure_window.h"

namespace talvenor::gui {

// The wheel, painted by the drawing module as large as the widget allows.
class WheelView : public QWidget {
    Q_OBJECT
  public:
    WheelView(draw::GlyphOutlines& glyphs, QWidget* parent);
    void setWheel(const WheelLayout& wheel);
    const WheelLayout& wheel() const { return wheel_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    draw::GlyphOutlines& glyphs_;
    WheelLayout wheel_;
};

class WheelWindow : public ChartFigureWindow {
    Q_OBJECT
  public:
    explicit WheelWindow(AppServices& app);

    void refresh() override;
    QSize exportSize() const override { return {1200, 1200}; }
    void paintFigure(QPainter& painter, const QRectF& area) override;
    WheelView& view() { return *view_; }

  protected:
    QString fileStem() const override { return "wheel"; }

  private:
    WheelView* view_ = nullptr;
};

}  // namespace talvenor::gui
