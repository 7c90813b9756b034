#include "chart/wheel_window.h"

#include <QPainter>

#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {

WheelView::WheelView(draw::GlyphOutlines& glyphs, QWidget* parent) : QWidget(parent), glyphs_(glyphs) {
    setObjectName("picWheel");
    setMinimumSize(320, 320);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WheelView::setWheel(const WheelLayout& wheel) {
    wheel_ = wheel;
    update();
}

void WheelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw::PaintWheel(painter, QRectF(rect()), wheel_, glyphs_);
}

WheelWindow::WheelWindow(AppServices& app)
    : ChartFigureWindow(app, "ChartWheel", "Wheel", app.session().settings.WheelWindow, QSize(660, 700)) {
    view_ = new WheelView(glyphs_, this);
    setCentralWidget(view_);
    refresh();
}

void WheelWindow::refresh() {
    const Session& s = app_.session();
    setWindowTitle(QString::fromStdString("Chart Wheel - " + s.natalChart.birth.name));
    view_->setWheel(
        draw::MakeWheelLayout(s.natalChart, s.secondChart, s.options, s.regional, secondChartShown()));
}

void WheelWindow::paintFigure(QPainter& painter, const QRectF& area) {
    draw::PaintWheel(painter, area, view_->wheel(), glyphs_);
}

}  // namespace talvenor::gui
