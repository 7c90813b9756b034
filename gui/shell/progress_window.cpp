#include "shell/progress_window.h"

#include <QPainter>
#include <QVBoxLayout>

namespace talvenor::gui {

ProgressPicture::ProgressPicture(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture2");
    setMinimumSize(300, 24);
    setAutoFillBackground(true);
}

void ProgressPicture::setPercent(double percent) {
    percent_ = percent;
    repaint();  // the reports run on this thread: draw now, not at the next event
}

void ProgressPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // Light red, colour 12 of the sixteen-colour palette.
    painter.fillRect(QRectF(0, 0, width() / 100.0 * percent_, height()), QColor(255, 0, 0));
}

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName("StatusDlg");
    setWindowTitle("% Completed");
    picture_ = new ProgressPicture(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture_);
}

void ProgressWindow::Load() {
    show();
    picture_->setPercent(0);
}

void ProgressWindow::Clear() {
    picture_->setPercent(0);
}

void ProgressWindow::ShowProgress(int done, int total) {
    double percent = total > 0 ? static_cast<double>(done) / total * 100.0 : 100.0;
    if (percent > 100) percent = 100;
    // Nothing is erased between two clears: the bar only grows.
    if (percent > picture_->percent()) picture_->setPercent(percent);
}

void ProgressWindow::Unload() {
    hide();
}

}  // namespace talvenor::gui
