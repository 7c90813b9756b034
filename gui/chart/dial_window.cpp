#include "chart/dial_window.h"

#include <QAction>
#include <QActionGroup>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolBar>
#include <QWheelEvent>
#include <cmath>
#include <numbers>

#include "session/modulus_questions.h"
#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {

namespace {

constexpr double kMinute = 1.0 / 60.0;

// The modulus as typed: "22.5", "7.3".
QString ModulusCaption(float m) {
    return QString::fromStdString(DialModulusText(m));
}

}  // namespace

DialView::DialView(draw::GlyphOutlines& glyphs, QWidget* parent) : QWidget(parent), glyphs_(glyphs) {
    setObjectName("picDial");
    setMinimumSize(320, 320);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void DialView::setDial(const DialLayout& dial) {
    dial_ = dial;
    update();
}

void DialView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw::PaintDial(painter, QRectF(rect()), dial_, glyphs_);
}

double DialView::positionAt(const QPointF& point) const {
    const draw::DialFrame frame = draw::DialFrameOf(QRectF(rect()), false);
    const QPointF d = point - frame.centre;
    // Screen y runs down; directions run counterclockwise.
    const double direction = std::atan2(-d.y(), d.x()) * 180.0 / std::numbers::pi;
    return DialPositionAt(direction, dial_.modulus);
}

void DialView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setFocus();
    emit clicked(positionAt(event->position()));
}

void DialView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
    emit dragged(positionAt(event->position()));
}

void DialView::wheelEvent(QWheelEvent* event) {
    // Some systems turn a wheel with Shift held into a sideways one.
    const QPoint delta = event->angleDelta();
    wheelAngle_ += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = wheelAngle_ / 120;
    wheelAngle_ -= notches * 120;
    if (notches == 0) return;
    const double unit = event->modifiers() & Qt::ShiftModifier ? kMinute : 1.0;
    emit stepped(notches * unit);
    event->accept();
}

void DialView::keyPressEvent(QKeyEvent* event) {
    const double unit = event->modifiers() & Qt::ShiftModifier ? kMinute : 1.0;
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Up:
            emit stepped(unit);
            return;
        case Qt::Key_Left:
        case Qt::Key_Down:
            emit stepped(-unit);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

DialWindow::DialWindow(AppServices& app)
    : ChartFigureWindow(app, "Dial", "Dial", app.session().settings.DialWindow, QSize(980, 660)) {
    auto* split = new QSplitter(this);
    view_ = new DialView(glyphs_, split);
    panel_ = new QPlainTextEdit(split);
    panel_->setObjectName("txtDialPanel");
    panel_->setReadOnly(true);
    panel_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The keys turn the pointer, never the panel.
    panel_->setFocusPolicy(Qt::NoFocus);
    panel_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    split->addWidget(view_);
    split->addWidget(panel_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    setCentralWidget(split);

    // The moduli a click away, on the toolbar and in the menu.
    QMenu* menu = new QMenu("&Modulus", this);
    menu->setObjectName("mnuDialModulus");
    menuBar()->insertMenu(menuBar()->actions().value(1), menu);
    QToolBar* bar = addToolBar("Modulus");
    bar->setObjectName("tlbDialModulus");
    bar->setMovable(false);
    moduli_ = new QActionGroup(this);
    for (float m : kDialModuli) {
        std::string name = "Modulus" + DialModulusText(m);
        for (char& c : name) c = c == '.' ? '_' : c;
        QAction* a = addItem(menu, name, "&" + ModulusCaption(m));
        a->setCheckable(true);
        a->setData(static_cast<double>(m));
        moduli_->addAction(a);
        bar->addAction(a);
        connect(a, &QAction::triggered, this, [this, m] { setModulus(m); });
    }
    QAction* other = addItem(menu, "ModulusOther", "&Other...");
    bar->addAction(other);
    connect(other, &QAction::triggered, this, [this] { askModulus(); });

    connect(view_, &DialView::clicked, this, [this](double position) {
        // A click near a glyph puts the pointer on that factor's exact place.
        const double tolerance = draw::DialGlyphGap(false) * modulus_ * 0.6;
        setPointer(SnapToMark(view_->dial(), position, tolerance).value_or(position));
    });
    connect(view_, &DialView::dragged, this, [this](double position) { setPointer(position); });
    connect(view_, &DialView::stepped, this, [this](double step) { setPointer(pointer_ + step); });
    setModulus(kDefaultDialModulus);
    view_->setFocus();
}

QString DialWindow::fileStem() const {
    QString stem = "dial" + ModulusCaption(modulus_);
    stem.replace('.', '_');
    return stem;
}

draw::DialPanelStyle DialWindow::panelStyle() const {
    const Options& options = app_.session().options;
    return {true, options.treePositions(), options.treeOrb()};
}

void DialWindow::setModulus(float modulus) {
    if (!(modulus > 0 && modulus <= 360)) return;
    modulus_ = modulus;
    for (QAction* a : moduli_->actions()) a->setChecked(a->data().toDouble() == static_cast<double>(modulus));
    pointer_ = TurnPointer(pointer_, 0, modulus_);
    refresh();
}

void DialWindow::setPointer(double position) {
    pointer_ = TurnPointer(position, 0, modulus_);
    refresh();
}

void DialWindow::askModulus() {
    const std::optional<float> answer = AskDialModulus(*app_.session().dialogs, modulus_);
    if (answer) setModulus(*answer);
}

void DialWindow::refresh() {
    const Session& s = app_.session();
    setWindowTitle(QString::fromStdString("Dial - " + s.natalChart.birth.name));
    const DialLayout dial =
        draw::MakeDialLayout(s.natalChart, s.secondChart, s.options, modulus_, pointer_, secondChartShown());
    view_->setDial(dial);
    const draw::DialPanelStyle style = panelStyle();
    std::string text = draw::DialPanelHeading(dial, style.orb) + "\n\n";
    for (const DialPanelEntry& e : dial.panel) text += DialPanelLine(e, style.withPositions) + "\n";
    if (dial.panel.empty()) text += "(nothing within the orb)\n";
    text += "\nPictures A + B - C at the pointer\n\n";
    for (const Picture& p : dial.pictures) text += DialPictureLine(p) + "\n";
    if (dial.pictures.empty()) text += "(no picture within the orb)\n";
    panel_->setPlainText(QString::fromStdString(text));
}

void DialWindow::paintFigure(QPainter& painter, const QRectF& area) {
    draw::PaintDial(painter, area, view_->dial(), glyphs_, panelStyle());
}

}  // namespace talvenor::gui
