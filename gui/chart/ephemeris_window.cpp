#include "chart/ephemeris_window.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>

#include "events/event_factors.h"
#include "session/modulus_questions.h"
#include "session/session.h"
#include "shell/app_services.h"
#include "shell/gui_support.h"
#include "text/basic_text.h"

namespace talvenor::gui {

namespace {

constexpr const char* kGraphTitle = "Graphic Ephemeris";

QString ModulusCaption(float m) {
    return QString::fromStdString(GeneralNumberSingle(m)).trimmed();
}

}  // namespace

EphemerisView::EphemerisView(draw::GlyphOutlines& glyphs, QWidget* parent)
    : QWidget(parent), glyphs_(glyphs) {
    setObjectName("picEphemeris");
    // Small enough for a window that fits a magnified 1024x768 desktop (512x384 units).
    setMinimumSize(480, 280);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void EphemerisView::setGraph(const EphemerisGraph& graph) {
    // Another range or dial: the keys start again from the middle.
    if (graph.range.fromJulianDate != graph_.range.fromJulianDate ||
        graph.range.toJulianDate != graph_.range.toJulianDate || graph.modulus != graph_.modulus) {
        pointer_.reset();
        pointerDrawn_ = false;
    }
    graph_ = graph;
    update();
}

void EphemerisView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw::PaintEphemerisGraph(painter, QRectF(rect()), graph_, glyphs_);
    if (!pointerDrawn_ || !pointer_) return;
    // The keys' pointer: a cross over the plot (on the screen only, never in a file or on paper).
    const draw::GraphFrame frame = draw::GraphFrameOf(QRectF(rect()), graph_);
    const qreal x = frame.XAt(pointer_->julianDate), y = frame.YAt(pointer_->place);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
    painter.drawLine(QPointF(x, frame.plot.top()), QPointF(x, frame.plot.bottom()));
    painter.drawLine(QPointF(frame.plot.left(), y), QPointF(frame.plot.right(), y));
}

void EphemerisView::keyPressEvent(QKeyEvent* event) {
    const draw::GraphFrame frame = draw::GraphFrameOf(QRectF(rect()), graph_);
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && pointer_) {
        emit clicked(pointer_->julianDate);
        return;
    }
    const double span = frame.to - frame.from;
    const double degree = event->modifiers() & Qt::ShiftModifier ? 1.0 / 60 : 1.0;
    double days = 0, degrees = 0;
    std::optional<double> at;
    switch (key) {
        case Qt::Key_Left:
            days = -1;
            break;
        case Qt::Key_Right:
            days = 1;
            break;
        case Qt::Key_Up:
            degrees = degree;
            break;
        case Qt::Key_Down:
            degrees = -degree;
            break;
        case Qt::Key_PageUp:
            days = -span / 10;
            break;
        case Qt::Key_PageDown:
            days = span / 10;
            break;
        case Qt::Key_Home:
            at = frame.from;
            break;
        case Qt::Key_End:
            at = frame.to;
            break;
        default:
            return QWidget::keyPressEvent(event);
    }
    // The first key shows the pointer in the middle of the graph; the next ones move it.
    Pointer p = pointer_.value_or(Pointer{frame.from + span / 2, frame.modulus / 2});
    if (pointer_ || at) {
        p.julianDate = std::clamp(at.value_or(p.julianDate + days), frame.from, frame.to);
        p.place = std::clamp(p.place + degrees, 0.0, frame.modulus);
    }
    pointer_ = p;
    pointerDrawn_ = true;
    update();
    emit hovered(p.julianDate, p.place);
}

bool EphemerisView::pointAt(const QPointF& point, double& julianDate, double& place) const {
    const draw::GraphFrame frame = draw::GraphFrameOf(QRectF(rect()), graph_);
    if (!frame.plot.contains(point)) return false;
    julianDate = frame.JulianDateAt(point.x());
    place = frame.PlaceAt(point.y());
    return true;
}

void EphemerisView::mouseMoveEvent(QMouseEvent* event) {
    double julianDate = 0, place = 0;
    if (pointAt(event->position(), julianDate, place)) {
        // The mouse takes over; the keys go on from here.
        pointer_ = Pointer{julianDate, place};
        if (pointerDrawn_) update();
        pointerDrawn_ = false;
        emit hovered(julianDate, place);
    } else {
        emit left();
    }
}

void EphemerisView::mousePressEvent(QMouseEvent* event) {
    double julianDate = 0, place = 0;
    if (event->button() == Qt::LeftButton && pointAt(event->position(), julianDate, place)) {
        emit clicked(julianDate);
        return;
    }
    QWidget::mousePressEvent(event);
}

void EphemerisView::leaveEvent(QEvent* event) {
    emit left();
    QWidget::leaveEvent(event);
}

EphemerisWindow::EphemerisWindow(AppServices& app)
    : ChartFigureWindow(app, "GraphicEphemeris", "Ephemeris", app.session().settings.EphemerisWindow,
                        QSize(1100, 720), false) {
    view_ = new EphemerisView(glyphs_, this);
    setCentralWidget(view_);
    statusBar()->setObjectName("stbEphemeris");

    // The range: a first day and a span, drawn on Return or when the span changes.
    QToolBar* bar = addToolBar("Range");
    bar->setObjectName("tlbEphemeris");
    bar->setMovable(false);
    auto* fromLabel = new QLabel(" From ", bar);
    from_ = new QLineEdit(bar);
    from_->setObjectName("txtEphemerisFrom");
    from_->setMaximumWidth(120);
    fromLabel->setBuddy(from_);
    span_ = new QComboBox(bar);
    span_->setObjectName("cboEphemerisSpan");
    for (int months : kGraphSpanMonths)
        span_->addItem(QString::fromStdString(GraphSpanCaption(months)), months);
    span_->setCurrentIndex(3);
    bar->addWidget(fromLabel);
    bar->addWidget(from_);
    bar->addWidget(new QLabel("  Span ", bar));
    bar->addWidget(span_);
    QAction* drawItem = addItem(nullptr, "Draw", "Dra&w");
    bar->addAction(drawItem);
    connect(drawItem, &QAction::triggered, this, [this] { draw(); });
    connect(from_, &QLineEdit::returnPressed, this, [this] { draw(); });
    connect(span_, &QComboBox::activated, this, [this] { draw(); });
    bar->addSeparator();

    // The dial, on the toolbar and in its menu.
    QMenu* modulusMenu = new QMenu("&Modulus", this);
    modulusMenu->setObjectName("mnuEphemerisModulus");
    menuBar()->insertMenu(viewMenu()->menuAction(), modulusMenu);
    moduli_ = new QActionGroup(this);
    for (float m : kGraphModuli) {
        std::string name = "Modulus" + GeneralNumber(m).substr(1);
        for (char& c : name) c = c == '.' ? '_' : c;
        QAction* a = addItem(modulusMenu, name, "&" + ModulusCaption(m));
        a->setCheckable(true);
        a->setData(static_cast<double>(m));
        moduli_->addAction(a);
        bar->addAction(a);
        connect(a, &QAction::triggered, this, [this, m] { setModulus(m); });
    }
    QAction* other = addItem(modulusMenu, "ModulusOther", "&Other...");
    bar->addAction(other);
    connect(other, &QAction::triggered, this, [this] { askModulus(); });

    // The bodies drawn, and the midpoints as levels.
    bodiesMenu_ = new QMenu("&Bodies", this);
    bodiesMenu_->setObjectName("mnuEphemerisBodies");
    menuBar()->insertMenu(viewMenu()->menuAction(), bodiesMenu_);
    setFactorSet(app_.session().natalChart.factors);
    midpoints_ = addItem(viewMenu(), "Midpoints", "Natal &Midpoints");
    midpoints_->setCheckable(true);
    connect(midpoints_, &QAction::toggled, this, [this] { refresh(); });

    connect(view_, &EphemerisView::hovered, this, [this](double julianDate, double place) {
        statusBar()->showMessage(
            QString::fromStdString(GraphHoverText(julianDate, place, app_.session().regional)));
    });
    connect(view_, &EphemerisView::left, this, [this] { statusBar()->clearMessage(); });
    connect(view_, &EphemerisView::clicked, this, [this](double julianDate) {
        const Session& s = app_.session();
        const CivilDate date = LocalDateAt(julianDate, HeadingOf(s.secondChart.birth).zone);
        app_.putDiurnalDate(date);
        statusBar()->showMessage(
            QString::fromStdString("Diurnal date: " + FormatDateDdMmmYyyy(date, app_.session().regional)));
    });

    // The year of the diurnal date to begin with.
    const Session& s = app_.session();
    from_->setText(QString::fromStdString(
        FormatDateDdMmmYyyy({HeadingOf(s.secondChart.birth).date.year, 1, 1}, s.regional)));
    setModulus(kGraphModuli[0]);
    if (!draw()) range_ = {};
    view_->setFocus();
}

QString EphemerisWindow::fileStem() const {
    QString stem = "ephemeris" + ModulusCaption(modulus_);
    stem.replace('.', '_');
    return stem;
}

EphemerisGraphRequest EphemerisWindow::request(DayRange range) const {
    EphemerisGraphRequest r;
    r.range = range;
    r.modulus = modulus_;
    r.midpoints = midpoints_->isChecked();
    for (const QAction* a : bodies_) {
        if (a->isChecked()) r.bodies.push_back(a->data().toString().toStdString());
    }
    return r;
}

bool EphemerisWindow::draw() {
    Session& s = app_.session();
    DayRange range;
    const int months = span_->currentData().toInt();
    if (const auto problem = GraphRangeFrom(from_->text().toStdString(), months, s.regional, range)) {
        s.dialogs->ShowMessage(*problem, kGraphTitle, MessageIcon::Exclamation);
        return false;
    }
    range_ = range;
    refresh();
    return true;
}

void EphemerisWindow::setFactorSet(FactorSet set) {
    if (set == factorSet_ && !bodies_.empty()) return;
    std::vector<std::string> chosen, offered;
    for (QAction* a : bodies_) {
        const std::string name = a->data().toString().toStdString();
        offered.push_back(name);
        if (a->isChecked()) chosen.push_back(name);
        removeItem(a);
    }
    bodies_.clear();
    factorSet_ = set;
    const std::vector<std::string> shown = DefaultGraphBodyNames(set);
    auto has = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const std::string& name : GraphBodyNames(set)) {
        QAction* a = addItem(bodiesMenu_, "Body" + name, QString::fromStdString(MoverCaption(name)));
        a->setCheckable(true);
        a->setChecked(has(offered, name) ? has(chosen, name) : has(shown, name));
        a->setData(QString::fromStdString(name));
        connect(a, &QAction::toggled, this, [this] { refresh(); });
        bodies_.push_back(a);
    }
}

void EphemerisWindow::refresh() {
    const Session& s = app_.session();
    setFactorSet(s.natalChart.factors);
    setWindowTitle(QString::fromStdString(std::string(kGraphTitle) + " - " + s.natalChart.birth.name));
    if (!(range_.toJulianDate > range_.fromJulianDate)) return;
    Hourglass busy;
    view_->setGraph(BuildEphemerisGraph(s.natalChart, s.options, s.regional, request(range_)));
}

void EphemerisWindow::setModulus(float modulus) {
    if (!(modulus > 0 && modulus <= 360)) return;
    modulus_ = modulus;
    for (QAction* a : moduli_->actions()) a->setChecked(a->data().toDouble() == static_cast<double>(modulus));
    refresh();
}

void EphemerisWindow::askModulus() {
    const std::optional<float> answer = AskModulus(*app_.session().dialogs);
    if (answer) setModulus(*answer);
}

void EphemerisWindow::paintFigure(QPainter& painter, const QRectF& area) {
    draw::PaintEphemerisGraph(painter, area, view_->graph(), glyphs_);
}

}  // namespace talvenor::gui
