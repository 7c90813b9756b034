#include "input/natal_input_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <ctime>
#include <utility>

#include "input/atlas_bridge.h"
#include "input/find_place_window.h"
#include "input/input_fills.h"
#include "input/input_window_support.h"
#include "session/atlas_lookup.h"
#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {

NatalInputWindow::NatalInputWindow(AppServices& app, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("InputD");
    setWindowTitle("Natal Input Data");
    buildControls();
    connectControls();
    refresh();
}

InputTexts& NatalInputWindow::fields() {
    return app_.session().natal;
}

void NatalInputWindow::buildControls() {
    lblName_ = Named<QLabel>("lblName", "Name", this);
    lblMonth_ = Named<QLabel>("lblMonth", "Birth Month", this);
    lblDay_ = Named<QLabel>("lblDay", "Birth Day", this);
    lblYear_ = Named<QLabel>("lblYear", "Birth Year", this);
    lblBirthHour_ = Named<QLabel>("lblBirthHour", "Birth Hour", this);
    lblBirthMinute_ = Named<QLabel>("lblBirthMinute", "Birth Minute", this);
    lblBirthTZ_ = Named<QLabel>("lblBirthTZ", "Time Zone . . .", this);
    lblLongDeg_ = Named<QLabel>("lblLongDeg", "Long Degrees", this);
    lblLongMin_ = Named<QLabel>("lblLongMin", "Long Minutes", this);
    lblLatDeg_ = Named<QLabel>("lblLatDeg", "Lat Degrees", this);
    lblLatMin_ = Named<QLabel>("lblLatMin", "Lat Minutes", this);
    label1_ = Named<QLabel>("Label1", "TZ Help", this);
    label2_ = Named<QLabel>("Label2", "ACS Atlas", this);
    ShowInRed(label1_);
    ShowInRed(label2_);

    txtName_ = NamedBox("txtName", this);
    txtMonth_ = NamedBox("txtMonth", this);
    txtDay_ = NamedBox("txtDay", this);
    txtYear_ = NamedBox("txtYear", this);
    txtBirthHour_ = NamedBox("txtBirthHour", this);
    txtBirthMinute_ = NamedBox("txtBirthMinute", this);
    txtTZ_ = NamedBox("txtTZ", this);
    txtLongDeg_ = NamedBox("txtLongDeg", this);
    txtLongMin_ = NamedBox("txtLongMin", this);
    txtLatDeg_ = NamedBox("txtLatDeg", this);
    txtLatMin_ = NamedBox("txtLatMin", this);

    optAM_ = Named<QRadioButton>("optAM", "AM", this);
    optPM_ = Named<QRadioButton>("optPM", "PM", this);
    optEast_ = Named<QRadioButton>("optEast", "E", this);
    optWest_ = Named<QRadioButton>("optWest", "W", this);
    optNorth_ = Named<QRadioButton>("optNorth", "N", this);
    optSouth_ = Named<QRadioButton>("optSouth", "S", this);
    frame1_ = RadioPair("Frame1", "Am/Pm", optAM_, optPM_, this);
    frame2_ = RadioPair("Frame2", "Ea/We", optEast_, optWest_, this);
    frame3_ = RadioPair("Frame3", "No/So", optNorth_, optSouth_, this);

    cmdOK_ = Named<QPushButton>("cmdOK", "OK", this);
    cmdSave_ = Named<QPushButton>("cmdSave", "Save to disk", this);
    cmdNow_ = Named<QPushButton>("cmdNow", "NOW", this);
    cmdOK_->setDefault(true);
    // Enter on a focused button presses that button; anywhere else it reaches the window: OK.
    cmdOK_->setAutoDefault(true);
    cmdSave_->setAutoDefault(true);
    cmdNow_->setAutoDefault(true);
    cmdFindPlace_ = Named<QPushButton>("cmdFindPlace", "&Find Place...", this);
    cmdFindPlace_->setAutoDefault(true);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(lblName_, 0, 0);
    grid->addWidget(txtName_, 0, 1, 1, 3);
    grid->addWidget(NamedLine("Line2", this), 1, 0, 1, 4);
    grid->addWidget(lblMonth_, 2, 0);
    grid->addWidget(txtMonth_, 2, 1);
    grid->addWidget(lblDay_, 3, 0);
    grid->addWidget(txtDay_, 3, 1);
    grid->addWidget(lblYear_, 4, 0);
    grid->addWidget(txtYear_, 4, 1);
    grid->addWidget(lblBirthHour_, 2, 2);
    grid->addWidget(txtBirthHour_, 2, 3);
    grid->addWidget(lblBirthMinute_, 3, 2);
    grid->addWidget(txtBirthMinute_, 3, 3);
    grid->addWidget(lblBirthTZ_, 4, 2);
    grid->addWidget(txtTZ_, 4, 3);
    grid->addWidget(NamedLine("Line3", this), 5, 0, 1, 4);
    grid->addWidget(lblLongDeg_, 6, 0);
    grid->addWidget(txtLongDeg_, 6, 1);
    grid->addWidget(lblLongMin_, 7, 0);
    grid->addWidget(txtLongMin_, 7, 1);
    grid->addWidget(lblLatDeg_, 6, 2);
    grid->addWidget(txtLatDeg_, 6, 3);
    grid->addWidget(lblLatMin_, 7, 2);
    grid->addWidget(txtLatMin_, 7, 3);
    grid->addWidget(NamedLine("Line5", this), 8, 0, 1, 4);
    auto* frames = new QHBoxLayout;
    frames->addWidget(frame1_);
    frames->addWidget(frame2_);
    frames->addWidget(frame3_);
    frames->addStretch();
    grid->addLayout(frames, 9, 0, 1, 4);
    grid->addWidget(NamedLine("Line6", this), 10, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdNow_);
    grid->addLayout(buttons, 11, 0, 1, 4);
    auto* links = new QHBoxLayout;
    links->addWidget(label1_);
    links->addStretch();
    links->addWidget(label2_);
    // Room for the label's sunken frame, which the button would cover.
    links->addSpacing(12);
    links->addWidget(cmdFindPlace_);
    grid->addLayout(links, 12, 0, 1, 4);
    GrowOnlyTheTextBoxes(grid);

    ChainTabOrder({txtName_, txtMonth_,   txtDay_,      txtYear_,   txtBirthHour_, txtBirthMinute_,
                   txtTZ_,   txtLongDeg_, txtLongMin_,  txtLatDeg_, txtLatMin_,    optAM_,
                   optPM_,   optEast_,    optWest_,     optNorth_,  optSouth_,     cmdOK_,
                   cmdSave_, cmdNow_,     cmdFindPlace_});
}

void NatalInputWindow::connectControls() {
    InstallFieldBehaviour(txtName_, FieldKeys::Any);
    for (QLineEdit* box : {txtMonth_, txtDay_, txtYear_, txtBirthHour_, txtBirthMinute_, txtLongDeg_,
                           txtLongMin_, txtLatDeg_, txtLatMin_})
        InstallFieldBehaviour(box, FieldKeys::Digits);
    InstallFieldBehaviour(txtTZ_, FieldKeys::Zone);

    const auto store = [this](QLineEdit* box, std::string InputTexts::*field) {
        connect(box, &QLineEdit::textChanged, this,
                [this, field](const QString& text) { fields().*field = text.toStdString(); });
    };
    store(txtName_, &InputTexts::name);
    store(txtMonth_, &InputTexts::month);
    store(txtDay_, &InputTexts::day);
    store(txtYear_, &InputTexts::year);
    store(txtBirthMinute_, &InputTexts::minute);
    store(txtTZ_, &InputTexts::zone);
    store(txtLongDeg_, &InputTexts::longDeg);
    store(txtLongMin_, &InputTexts::longMin);
    store(txtLatDeg_, &InputTexts::latDeg);
    store(txtLatMin_, &InputTexts::latMin);
    connect(txtBirthHour_, &QLineEdit::textChanged, this, &NatalInputWindow::hourChanged);

    for (QRadioButton* option : {optAM_, optPM_, optEast_, optWest_, optNorth_, optSouth_})
        connect(option, &QRadioButton::toggled, this, &NatalInputWindow::storeButtons);
    // Only the user's own choice turns the zone; `clicked` is not sent for a program's setChecked.
    connect(optEast_, &QRadioButton::clicked, this, [this] { eastWestClicked(true); });
    connect(optWest_, &QRadioButton::clicked, this, [this] { eastWestClicked(false); });

    connect(cmdOK_, &QPushButton::clicked, this, [this] { app_.computeCharts(); });
    connect(cmdSave_, &QPushButton::clicked, this, [this] { app_.saveNameEntry(); });
    connect(cmdNow_, &QPushButton::clicked, this, &NatalInputWindow::fillNow);
    MakeClickable(label1_, [this] { app_.openTimeZones(kTimeZoneTargetNatal); });
    // The atlas program runs while the windows wait; an accepted place is shown at once.
    MakeClickable(label2_, [this] {
        if (LookUpNatalPlace(app_.session())) refresh();
    });
    connect(cmdFindPlace_, &QPushButton::clicked, this, [this] {
        InputTexts& f = fields();
        const TypedMomentFields moment{f.month, f.day, f.year, f.hour, f.minute, f.pm};
        // The zone keeps the sign it was filled with: the buttons change without the East/West rule.
        const auto fill = [this](const PlaceFill& p) {
            InputTexts& n = fields();
            n.zone = p.zone, n.longDeg = p.longDeg, n.longMin = p.longMin;
            n.latDeg = p.latDeg, n.latMin = p.latMin;
            n.SelectEast(p.east);
            n.SelectSouth(p.south);
            refresh();
        };
        if (RunFindPlace(this, findPlace_, app_.session(), moment, fill)) refresh();
    });
}

void NatalInputWindow::refresh() {
    // Copied first: setting a text stores it back and may run the hour rule, which changes the fields.
    const InputTexts shown = fields();
    loading_ = true;
    txtName_->setText(QString::fromStdString(shown.name));
    txtMonth_->setText(QString::fromStdString(shown.month));
    txtDay_->setText(QString::fromStdString(shown.day));
    txtYear_->setText(QString::fromStdString(shown.year));
    txtBirthMinute_->setText(QString::fromStdString(shown.minute));
    txtTZ_->setText(QString::fromStdString(shown.zone));
    txtLongDeg_->setText(QString::fromStdString(shown.longDeg));
    txtLongMin_->setText(QString::fromStdString(shown.longMin));
    txtLatDeg_->setText(QString::fromStdString(shown.latDeg));
    txtLatMin_->setText(QString::fromStdString(shown.latMin));
    txtBirthHour_->setText(QString::fromStdString(shown.hour));
    const InputTexts& now = fields();
    (now.pm ? optPM_ : optAM_)->setChecked(true);
    (now.east ? optEast_ : optWest_)->setChecked(true);
    (now.south ? optSouth_ : optNorth_)->setChecked(true);
    loading_ = false;
}

void NatalInputWindow::storeButtons() {
    if (loading_) return;
    InputTexts& f = fields();
    f.SelectAM(optAM_->isChecked());
    f.SelectEast(optEast_->isChecked());
    f.SelectSouth(optSouth_->isChecked());
}

void NatalInputWindow::hourChanged() {
    InputTexts& f = fields();
    if (RunHourRule(txtBirthHour_, f.hour, HourWindow::Natal, *app_.session().dialogs)) {
        f.SelectAM(false);
        const bool wasLoading = std::exchange(loading_, true);
        optPM_->setChecked(true);
        loading_ = wasLoading;
    }
}

void NatalInputWindow::eastWestClicked(bool east) {
    InputTexts& f = fields();
    f.SelectEast(east);
    ApplyEastWestToZone(f.zone, east);
    txtTZ_->setText(QString::fromStdString(f.zone));
}

void NatalInputWindow::fillNow() {
    Session& s = app_.session();
    FillNatalNow(s.natal, s.options, s.regional, LocalNow());
    refresh();
}

void NatalInputWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        cmdOK_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void NatalInputWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && !childAt(event->position().toPoint())) {
        app_.focusMainWindow();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void NatalInputWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    PaintSunkenFrames(painter,
                      {lblName_, lblMonth_, lblDay_, lblYear_, lblBirthHour_, lblBirthMinute_, lblBirthTZ_,
                       lblLongDeg_, lblLongMin_, lblLatDeg_, lblLatMin_, label1_, label2_});
}

}  // namespace talvenor::gui
