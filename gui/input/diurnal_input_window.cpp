#include "input/diurnal_input_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "input/atlas_bridge.h"
#include "input/find_place_window.h"
#include "input/input_fills.h"
#include "input/input_window_support.h"
#include "session/atlas_lookup.h"
#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {

DiurnalInputWindow::DiurnalInputWindow(AppServices& app, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("InputD1");
    setWindowTitle("Diurnal Input Data");
    buildControls();
    connectControls();
    refresh();
}

SecondInputTexts& DiurnalInputWindow::fields() {
    return app_.session().diurnal;
}

void DiurnalInputWindow::buildControls() {
    lblDiurnalMonth_ = Named<QLabel>("lblDiurnalMonth", "Diurnal Month", this);
    lblDiurnalDay_ = Named<QLabel>("lblDiurnalDay", "Diurnal Day", this);
    lblDiurnalYear_ = Named<QLabel>("lblDiurnalYear", "Diurnal Year", this);
    lblDiurnalHour_ = Named<QLabel>("lblDiurnalHour", "Diurnal Hour", this);
    lblDiurnalMinute_ = Named<QLabel>("lblDiurnalMinute", "Diurnal Min.", this);
    lblDiurnalTZ_ = Named<QLabel>("lblDiurnalTZ", "D. Time Zone . . .", this);
    lblDiurnalLongDeg_ = Named<QLabel>("lblDiurnalLongDeg", "D. Long Deg.", this);
    lblDiurnalLongMin_ = Named<QLabel>("lblDiurnalLongMin", "D. Long Min.", this);
    lblDiurnalLatDeg_ = Named<QLabel>("lblDiurnalLatDeg", "D. Lat Deg.", this);
    lblDiurnalLatMin_ = Named<QLabel>("lblDiurnalLatMin", "D. Lat Min.", this);
    label1_ = Named<QLabel>("Label1", "TZ Help", this);
    label2_ = Named<QLabel>("Label2", "ACS Atlas", this);
    ShowInRed(label1_);
    ShowInRed(label2_);

    txtDiurnalMonth_ = NamedBox("txtDiurnalMonth", this);
    txtDiurnalDay_ = NamedBox("txtDiurnalDay", this);
    txtDiurnalYear_ = NamedBox("txtDiurnalYear", this);
    txtDiurnalHour_ = NamedBox("txtDiurnalHour", this);
    txtDiurnalMinute_ = NamedBox("txtDiurnalMinute", this);
    txtDiurnalTZ_ = NamedBox("txtDiurnalTZ", this);
    txtDiurnalLongDeg_ = NamedBox("txtDiurnalLongDeg", this);
    txtDiurnalLongMin_ = NamedBox("txtDiurnalLongMin", this);
    txtDiurnalLatDeg_ = NamedBox("txtDiurnalLatDeg", this);
    txtDiurnalLatMin_ = NamedBox("txtDiurnalLatMin", this);

    optDiurnalAM_ = Named<QRadioButton>("optDiurnalAM", "AM", this);
    optDiurnalPM_ = Named<QRadioButton>("optDiurnalPM", "PM", this);
    optDiurnalEast_ = Named<QRadioButton>("optDiurnalEast", "E", this);
    optDiurnalWest_ = Named<QRadioButton>("optDiurnalWest", "W", this);
    optDiurnalNorth_ = Named<QRadioButton>("optDiurnalNorth", "N", this);
    optDiurnalSouth_ = Named<QRadioButton>("optDiurnalSouth", "S", this);
    frame1_ = RadioPair("Frame1", "Am/Pm", optDiurnalAM_, optDiurnalPM_, this);
    frame2_ = RadioPair("Frame2", "Ea/We", optDiurnalEast_, optDiurnalWest_, this);
    frame3_ = RadioPair("Frame3", "No/So", optDiurnalNorth_, optDiurnalSouth_, this);

    chkNatOrNow_ = Named<QCheckBox>("chkNatOrNow", "Use natal data", this);
    chk2ndPerson_ = Named<QCheckBox>("chk2ndPerson", kSecondPersonCaption, this);
    cmdFindPlace_ = Named<QPushButton>("cmdFindPlace", "&Find Place...", this);
    cmdFindPlace_->setAutoDefault(true);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(lblDiurnalMonth_, 0, 0);
    grid->addWidget(txtDiurnalMonth_, 0, 1);
    grid->addWidget(lblDiurnalDay_, 1, 0);
    grid->addWidget(txtDiurnalDay_, 1, 1);
    grid->addWidget(lblDiurnalYear_, 2, 0);
    grid->addWidget(txtDiurnalYear_, 2, 1);
    grid->addWidget(lblDiurnalHour_, 0, 2);
    grid->addWidget(txtDiurnalHour_, 0, 3);
    grid->addWidget(lblDiurnalMinute_, 1, 2);
    grid->addWidget(txtDiurnalMinute_, 1, 3);
    grid->addWidget(lblDiurnalTZ_, 2, 2);
    grid->addWidget(txtDiurnalTZ_, 2, 3);
    grid->addWidget(NamedLine("Line1", this), 3, 0, 1, 4);
    grid->addWidget(lblDiurnalLongDeg_, 4, 0);
    grid->addWidget(txtDiurnalLongDeg_, 4, 1);
    grid->addWidget(lblDiurnalLongMin_, 5, 0);
    grid->addWidget(txtDiurnalLongMin_, 5, 1);
    grid->addWidget(lblDiurnalLatDeg_, 4, 2);
    grid->addWidget(txtDiurnalLatDeg_, 4, 3);
    grid->addWidget(lblDiurnalLatMin_, 5, 2);
    grid->addWidget(txtDiurnalLatMin_, 5, 3);
    grid->addWidget(NamedLine("Line3", this), 6, 0, 1, 4);
    auto* frames = new QHBoxLayout;
    frames->addWidget(frame1_);
    frames->addWidget(frame2_);
    frames->addWidget(frame3_);
    frames->addStretch();
    grid->addLayout(frames, 7, 0, 1, 4);
    grid->addWidget(NamedLine("Line5", this), 8, 0, 1, 4);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(chkNatOrNow_);
    boxes->addWidget(chk2ndPerson_);
    boxes->addStretch();
    grid->addLayout(boxes, 9, 0, 1, 4);
    auto* links = new QHBoxLayout;
    links->addWidget(label1_);
    links->addStretch();
    links->addWidget(label2_);
    // Room for the label's sunken frame, which the button would cover.
    links->addSpacing(12);
    links->addWidget(cmdFindPlace_);
    grid->addLayout(links, 10, 0, 1, 4);
    GrowOnlyTheTextBoxes(grid);

    ChainTabOrder({txtDiurnalMonth_, txtDiurnalDay_, txtDiurnalYear_, txtDiurnalHour_, txtDiurnalMinute_,
                   txtDiurnalTZ_, txtDiurnalLongDeg_, txtDiurnalLongMin_, txtDiurnalLatDeg_,
                   txtDiurnalLatMin_, optDiurnalAM_, optDiurnalPM_, optDiurnalEast_, optDiurnalWest_,
                   optDiurnalNorth_, optDiurnalSouth_, chkNatOrNow_, chk2ndPerson_, cmdFindPlace_});
}

void DiurnalInputWindow::connectControls() {
    for (QLineEdit* box :
         {txtDiurnalMonth_, txtDiurnalDay_, txtDiurnalYear_, txtDiurnalHour_, txtDiurnalMinute_,
          txtDiurnalLongDeg_, txtDiurnalLongMin_, txtDiurnalLatDeg_, txtDiurnalLatMin_})
        InstallFieldBehaviour(box, FieldKeys::Digits);
    InstallFieldBehaviour(txtDiurnalTZ_, FieldKeys::Zone);

    const auto store = [this](QLineEdit* box, std::string SecondInputTexts::*field) {
        connect(box, &QLineEdit::textChanged, this,
                [this, field](const QString& text) { fields().*field = text.toStdString(); });
    };
    store(txtDiurnalMonth_, &SecondInputTexts::month);
    store(txtDiurnalDay_, &SecondInputTexts::day);
    store(txtDiurnalYear_, &SecondInputTexts::year);
    store(txtDiurnalMinute_, &SecondInputTexts::minute);
    store(txtDiurnalTZ_, &SecondInputTexts::zone);
    store(txtDiurnalLongDeg_, &SecondInputTexts::longDeg);
    store(txtDiurnalLongMin_, &SecondInputTexts::longMin);
    store(txtDiurnalLatDeg_, &SecondInputTexts::latDeg);
    store(txtDiurnalLatMin_, &SecondInputTexts::latMin);
    connect(txtDiurnalHour_, &QLineEdit::textChanged, this, &DiurnalInputWindow::hourChanged);

    for (QRadioButton* option :
         {optDiurnalAM_, optDiurnalPM_, optDiurnalEast_, optDiurnalWest_, optDiurnalNorth_, optDiurnalSouth_})
        connect(option, &QRadioButton::toggled, this, &DiurnalInputWindow::storeButtons);
    // Only the user's own choice turns the zone; `clicked` is not sent for a program's setChecked.
    connect(optDiurnalEast_, &QRadioButton::clicked, this, [this] { eastWestClicked(true); });
    connect(optDiurnalWest_, &QRadioButton::clicked, this, [this] { eastWestClicked(false); });

    connect(chkNatOrNow_, &QCheckBox::clicked, this, &DiurnalInputWindow::natOrNowClicked);
    connect(chk2ndPerson_, &QCheckBox::clicked, this, &DiurnalInputWindow::secondPersonClicked);
    MakeClickable(label1_, [this] { app_.openTimeZones(kTimeZoneTargetDiurnal); });
    // The atlas program runs while the windows wait; an accepted place is shown at once.
    MakeClickable(label2_, [this] {
        if (LookUpDiurnalPlace(app_.session())) refresh();
    });
    connect(cmdFindPlace_, &QPushButton::clicked, this, [this] {
        SecondInputTexts& f = fields();
        const TypedMomentFields moment{f.month, f.day, f.year, f.hour, f.minute, f.pm};
        // The zone keeps the sign it was filled with: the buttons change without the East/West rule.
        const auto fill = [this](const PlaceFill& p) {
            SecondInputTexts& d = fields();
            d.zone = p.zone, d.longDeg = p.longDeg, d.longMin = p.longMin;
            d.latDeg = p.latDeg, d.latMin = p.latMin;
            d.SelectEast(p.east);
            d.SelectSouth(p.south);
            refresh();
        };
        if (RunFindPlace(this, findPlace_, app_.session(), moment, fill)) refresh();
    });
}

void DiurnalInputWindow::refresh() {
    // Copied first: setting a text stores it back and may run the hour rule, which changes the fields.
    const SecondInputTexts shown = fields();
    loading_ = true;
    txtDiurnalMonth_->setText(QString::fromStdString(shown.month));
    txtDiurnalDay_->setText(QString::fromStdString(shown.day));
    txtDiurnalYear_->setText(QString::fromStdString(shown.year));
    txtDiurnalMinute_->setText(QString::fromStdString(shown.minute));
    txtDiurnalTZ_->setText(QString::fromStdString(shown.zone));
    txtDiurnalLongDeg_->setText(QString::fromStdString(shown.longDeg));
    txtDiurnalLongMin_->setText(QString::fromStdString(shown.longMin));
    txtDiurnalLatDeg_->setText(QString::fromStdString(shown.latDeg));
    txtDiurnalLatMin_->setText(QString::fromStdString(shown.latMin));
    txtDiurnalHour_->setText(QString::fromStdString(shown.hour));
    const SecondInputTexts& now = fields();
    (now.pm ? optDiurnalPM_ : optDiurnalAM_)->setChecked(true);
    (now.east ? optDiurnalEast_ : optDiurnalWest_)->setChecked(true);
    (now.south ? optDiurnalSouth_ : optDiurnalNorth_)->setChecked(true);
    chkNatOrNow_->setChecked(now.useNatal);
    chk2ndPerson_->setChecked(now.secondPerson);
    chk2ndPerson_->setText(QString::fromStdString(now.secondPersonName));
    loading_ = false;
}

void DiurnalInputWindow::storeButtons() {
    if (loading_) return;
    SecondInputTexts& f = fields();
    f.SelectAM(optDiurnalAM_->isChecked());
    f.SelectEast(optDiurnalEast_->isChecked());
    f.SelectSouth(optDiurnalSouth_->isChecked());
}

void DiurnalInputWindow::hourChanged() {
    SecondInputTexts& f = fields();
    if (RunHourRule(txtDiurnalHour_, f.hour, HourWindow::Diurnal, *app_.session().dialogs)) {
        f.SelectAM(false);
        const bool wasLoading = std::exchange(loading_, true);
        optDiurnalPM_->setChecked(true);
        loading_ = wasLoading;
    }
}

void DiurnalInputWindow::eastWestClicked(bool east) {
    SecondInputTexts& f = fields();
    f.SelectEast(east);
    ApplyEastWestToZone(f.zone, east);
    txtDiurnalTZ_->setText(QString::fromStdString(f.zone));
}

void DiurnalInputWindow::natOrNowClicked(bool ticked) {
    Session& s = app_.session();
    s.diurnal.useNatal = ticked;
    if (ticked)
        CopyNatalToDiurnal(s.natal, s.diurnal);
    else
        FillDiurnalNow(s.diurnal, s.options, s.regional, LocalNow());
    refresh();
}

void DiurnalInputWindow::secondPersonClicked(bool ticked) {
    SecondInputTexts& f = fields();
    f.secondPerson = ticked;
    if (!ticked) {
        // Back to its own caption, whatever name the names list had put there.
        f.secondPersonName = kSecondPersonCaption;
        chk2ndPerson_->setText(kSecondPersonCaption);
    }
    app_.secondPersonChanged(ticked);
}

void DiurnalInputWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint())) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton) {
        // A click on the background computes the charts, as the natal window's OK does.
        app_.computeCharts();
    } else if (event->button() == Qt::RightButton) {
        app_.focusMainWindow();
    } else {
        QWidget::mouseReleaseEvent(event);
    }
}

void DiurnalInputWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    PaintSunkenFrames(painter, {lblDiurnalMonth_, lblDiurnalDay_, lblDiurnalYear_, lblDiurnalHour_,
                                lblDiurnalMinute_, lblDiurnalTZ_, lblDiurnalLongDeg_, lblDiurnalLongMin_,
                                lblDiurnalLatDeg_, lblDiurnalLatMin_, label1_, label2_});
}

}  // namespace talvenor::gui
