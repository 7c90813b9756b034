#include "shell/about_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "atlas/atlas_text.h"
#include "shell/gui_support.h"

namespace talvenor::gui {

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName("About");
    setWindowTitle("About");
    setFixedSize(360, 232);
    auto* label = new QLabel("Version 1.10", this);
    label->setObjectName("Label1");
    label->move(26, 120);
    auto* credit = new QLabel(kAtlasCredit, this);
    credit->setObjectName("lblAtlasCredit");
    credit->setWordWrap(true);
    credit->setGeometry(26, 145, 310, 40);
    // Closed with its button (Enter), with Esc, or by a click anywhere.
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("cmdClose");
    close->setAutoDefault(true);
    close->setDefault(true);
    close->adjustSize();
    close->move(width() - 16 - close->width(), height() - 12 - close->height());
    setFocusProxy(close);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    CloseWithEscape(*this);
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont font = painter.font();
    font.setPointSize(24);
    font.setBold(true);
    painter.setFont(font);
    // A raised stack: a hundred black copies, each one twip further right and down, then the yellow name
    // on top. The window's scale is twips; a pixel is 1440 / dpi of them.
    const double twip = logicalDpiX() / 1440.0;
    const QPointF first(390 * twip, 75 * twip + QFontMetricsF(font).ascent());
    painter.setPen(Qt::black);
    for (int i = 0; i < 100; ++i) painter.drawText(first + QPointF(i * twip, i * twip), "TALVENOR");
    painter.setPen(QColor(255, 255, 0));
    painter.drawText(first + QPointF(100 * twip, 100 * twip), "TALVENOR");
}

void AboutWindow::mousePressEvent(QMouseEvent*) {
    close();
}

}  // namespace talvenor::gui
