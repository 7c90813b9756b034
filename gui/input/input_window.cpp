#include "input/input_window.h"

#include <QCheckBox>
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
#include <utility>

#include "input/atlas_bridge.h"
#include "input/find_place_window.h"
#include "input/input_fills.h"
#include "input/input_window_support.h"
#include "session/atlas_lookup.h"
#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {
namespace {

const InputWindowDescription kNatal{
    InputWindowKind::Natal,
    "InputD",
    "Natal Input Data",
    {{{"lblMonth", "Birth Month", "txtMonth"},
      {"lblDay", "Birth Day", "txtDay"},
      {"lblYear", "Birth Year", "txtYear"},
      {"lblBirthHour", "Birth Hour", "txtBirthHour"},
      {"lblBirthMinute", "Birth Minute", "txtBirthMinute"},
      {"lblBirthTZ", "Time Zone . . .", "txtTZ"},
      {"lblLongDeg", "Long Degrees", "txtLongDeg"},
      {"lblLongMin", "Long Minutes", "txtLongMin"},
      {"lblLatDeg", "Lat Degrees", "txtLatDeg"},
      {"lblLatMin", "Lat Minutes", "txtLatMin"}}},
    {"optAM", "optPM", "optEast", "optWest", "optNorth", "optSouth"},
    "Line2",
    "Line3",
    "Line5",
    "Line6",
    /*nameBox=*/true,
    /*commandButtons=*/true,
    /*checkBoxes=*/false,
    /*clickComputes=*/false,
};

const InputWindowDescription kDiurnal{
    InputWindowKind::Diurnal,
    "InputD1",
    "Diurnal Input Data",
    {{{"lblDiurnalMonth", "Diurnal Month", "txtDiurnalMonth"},
      {"lblDiurnalDay", "Diurnal Day", "txtDiurnalDay"},
      {"lblDiurnalYear", "Diurnal Year", "txtDiurnalYear"},
      {"lblDiurnalHour", "Diurnal Hour", "txtDiurnalHour"},
      {"lblDiurnalMinute", "Diurnal Min.", "txtDiurnalMinute"},
      {"lblDiurnalTZ", "D. Time Zone . . .", "txtDiurnalTZ"},
      {"lblDiurnalLongDeg", "D. Long Deg.", "txtDiurnalLongDeg"},
      {"lblDiurnalLongMin", "D. Long Min.", "txtDiurnalLongMin"},
      {"lblDiurnalLatDeg", "D. Lat Deg.", "txtDiurnalLatDeg"},
      {"lblDiurnalLatMin", "D. Lat Min.", "txtDiurnalLatMin"}}},
    {"optDiurnalAM", "optDiurnalPM", "optDiurnalEast", "optDiurnalWest", "optDiurnalNorth",
     "optDiurnalSouth"},
    nullptr,
    "Line1",
    "Line3",
    "Line5",
    /*nameBox=*/false,
    /*commandButtons=*/false,
    /*checkBoxes=*/true,
    /*clickComputes=*/true,
};

// The texts each box writes, in the order of the boxes.
constexpr std::array<std::string InputTexts::*, kInputFieldCount> kTexts = {
    &InputTexts::month, &InputTexts::day,     &InputTexts::year,    &InputTexts::hour,   &InputTexts::minute,
    &InputTexts::zone,  &InputTexts::longDeg, &InputTexts::longMin, &InputTexts::latDeg, &InputTexts::latMin};

}  // namespace

const InputWindowDescription& NatalWindowDescription() {
    return kNatal;
}

const InputWindowDescription& DiurnalWindowDescription() {
    return kDiurnal;
}

InputWindow::InputWindow(AppServices& app, const InputWindowDescription& description, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), description_(description) {
    setObjectName(description.objectName);
    setWindowTitle(description.title);
    buildControls();
    connectControls();
    refresh();
}

InputTexts& InputWindow::fields() {
    Session& s = app_.session();
    return description_.kind == InputWindowKind::Natal ? s.natal : static_cast<InputTexts&>(s.diurnal);
}

void InputWindow::buildControls() {
    const InputWindowDescription& d = description_;
    QLabel* lblName = nullptr;
    if (d.nameBox) {
        lblName = Named<QLabel>("lblName", "Name", this);
        framedLabels_.push_back(lblName);
    }
    std::array<QLabel*, kInputFieldCount> labels{};
    for (int f = 0; f < kInputFieldCount; ++f) {
        labels[f] = Named<QLabel>(d.fields[f].label, d.fields[f].caption, this);
        framedLabels_.push_back(labels[f]);
    }
    label1_ = Named<QLabel>("Label1", "TZ Help", this);
    label2_ = Named<QLabel>("Label2", "ACS Atlas", this);
    framedLabels_.push_back(label1_);
    framedLabels_.push_back(label2_);
    ShowInRed(label1_);
    ShowInRed(label2_);

    if (d.nameBox) txtName_ = NamedBox("txtName", this);
    for (int f = 0; f < kInputFieldCount; ++f) boxes_[f] = NamedBox(d.fields[f].box, this);

    optAM_ = Named<QRadioButton>(d.options[0], "AM", this);
    optPM_ = Named<QRadioButton>(d.options[1], "PM", this);
    optEast_ = Named<QRadioButton>(d.options[2], "E", this);
    optWest_ = Named<QRadioButton>(d.options[3], "W", this);
    optNorth_ = Named<QRadioButton>(d.options[4], "N", this);
    optSouth_ = Named<QRadioButton>(d.options[5], "S", this);
    QGroupBox* frame1 = RadioPair("Frame1", "Am/Pm", optAM_, optPM_, this);
    QGroupBox* frame2 = RadioPair("Frame2", "Ea/We", optEast_, optWest_, this);
    QGroupBox* frame3 = RadioPair("Frame3", "No/So", optNorth_, optSouth_, this);

    if (d.commandButtons) {
        cmdOK_ = Named<QPushButton>("cmdOK", "OK", this);
        cmdSave_ = Named<QPushButton>("cmdSave", "Save to disk", this);
        cmdNow_ = Named<QPushButton>("cmdNow", "NOW", this);
        cmdOK_->setDefault(true);
        // Enter on a focused button presses that button; anywhere else it reaches the window: OK.
        cmdOK_->setAutoDefault(true);
        cmdSave_->setAutoDefault(true);
        cmdNow_->setAutoDefault(true);
    }
    if (d.checkBoxes) {
        chkNatOrNow_ = Named<QCheckBox>("chkNatOrNow", "Use natal data", this);
        chk2ndPerson_ = Named<QCheckBox>("chk2ndPerson", kSecondPersonCaption, this);
    }
    cmdFindPlace_ = Named<QPushButton>("cmdFindPlace", "&Find Place...", this);
    cmdFindPlace_->setAutoDefault(true);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    int row = 0;
    const auto line = [&](const char* name) {
        if (name) grid->addWidget(NamedLine(name, this), row++, 0, 1, 4);
    };
    // A block of rows: a label and its box on the left, another pair on the right.
    const auto block = [&](std::initializer_list<std::pair<InputField, InputField>> rows) {
        for (const auto& [left, right] : rows) {
            grid->addWidget(labels[left], row, 0);
            grid->addWidget(boxes_[left], row, 1);
            grid->addWidget(labels[right], row, 2);
            grid->addWidget(boxes_[right], row, 3);
            ++row;
        }
    };
    if (d.nameBox) {
        grid->addWidget(lblName, row, 0);
        grid->addWidget(txtName_, row++, 1, 1, 3);
        line(d.lineUnderName);
    }
    block({{kMonthField, kHourField}, {kDayField, kMinuteField}, {kYearField, kZoneField}});
    line(d.lineUnderDate);
    block({{kLongDegField, kLatDegField}, {kLongMinField, kLatMinField}});
    line(d.lineUnderPlace);
    auto* frames = new QHBoxLayout;
    frames->addWidget(frame1);
    frames->addWidget(frame2);
    frames->addWidget(frame3);
    frames->addStretch();
    grid->addLayout(frames, row++, 0, 1, 4);
    line(d.lineUnderPairs);
    if (d.commandButtons) {
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(cmdOK_);
        buttons->addWidget(cmdSave_);
        buttons->addWidget(cmdNow_);
        grid->addLayout(buttons, row++, 0, 1, 4);
    }
    if (d.checkBoxes) {
        auto* checks = new QHBoxLayout;
        checks->addWidget(chkNatOrNow_);
        checks->addWidget(chk2ndPerson_);
        checks->addStretch();
        grid->addLayout(checks, row++, 0, 1, 4);
    }
    auto* links = new QHBoxLayout;
    links->addWidget(label1_);
    links->addStretch();
    links->addWidget(label2_);
    // Room for the label's sunken frame, which the button would cover.
    links->addSpacing(12);
    links->addWidget(cmdFindPlace_);
    grid->addLayout(links, row++, 0, 1, 4);
    GrowOnlyTheTextBoxes(grid);

    std::vector<QWidget*> chain;
    if (txtName_) chain.push_back(txtName_);
    chain.insert(chain.end(), boxes_.begin(), boxes_.end());
    chain.insert(chain.end(), {optAM_, optPM_, optEast_, optWest_, optNorth_, optSouth_});
    if (d.commandButtons) chain.insert(chain.end(), {cmdOK_, cmdSave_, cmdNow_});
    if (d.checkBoxes) chain.insert(chain.end(), {chkNatOrNow_, chk2ndPerson_});
    chain.push_back(cmdFindPlace_);
    ChainTabOrder(chain);
}

void InputWindow::connectControls() {
    const bool natal = description_.kind == InputWindowKind::Natal;
    if (txtName_) InstallFieldBehaviour(txtName_, FieldKeys::Any);
    for (int f = 0; f < kInputFieldCount; ++f) {
        if (f != kZoneField) InstallFieldBehaviour(boxes_[f], FieldKeys::Digits);
    }
    InstallFieldBehaviour(boxes_[kZoneField], FieldKeys::Zone);

    const auto store = [this](QLineEdit* box, std::string InputTexts::*field) {
        connect(box, &QLineEdit::textChanged, this,
                [this, field](const QString& text) { fields().*field = text.toStdString(); });
    };
    if (txtName_) store(txtName_, &InputTexts::name);
    for (int f = 0; f < kInputFieldCount; ++f) {
        if (f != kHourField) store(boxes_[f], kTexts[f]);
    }
    connect(boxes_[kHourField], &QLineEdit::textChanged, this, &InputWindow::hourChanged);

    for (QRadioButton* option : {optAM_, optPM_, optEast_, optWest_, optNorth_, optSouth_})
        connect(option, &QRadioButton::toggled, this, &InputWindow::storeButtons);
    // Only the user's own choice turns the zone; `clicked` is not sent for a program's setChecked.
    connect(optEast_, &QRadioButton::clicked, this, [this] { eastWestClicked(true); });
    connect(optWest_, &QRadioButton::clicked, this, [this] { eastWestClicked(false); });

    if (description_.commandButtons) {
        connect(cmdOK_, &QPushButton::clicked, this, [this] { app_.computeCharts(); });
        connect(cmdSave_, &QPushButton::clicked, this, [this] { app_.saveNameEntry(); });
        connect(cmdNow_, &QPushButton::clicked, this, &InputWindow::fillNow);
    }
    if (description_.checkBoxes) {
        connect(chkNatOrNow_, &QCheckBox::clicked, this, &InputWindow::natOrNowClicked);
        connect(chk2ndPerson_, &QCheckBox::clicked, this, &InputWindow::secondPersonClicked);
    }
    MakeClickable(label1_, [this, natal] {
        app_.openTimeZones(natal ? kTimeZoneTargetNatal : kTimeZoneTargetDiurnal);
    });
    // The atlas program runs while the windows wait; an accepted place is shown at once.
    MakeClickable(label2_, [this, natal] {
        if (natal ? LookUpNatalPlace(app_.session()) : LookUpDiurnalPlace(app_.session())) refresh();
    });
    connect(cmdFindPlace_, &QPushButton::clicked, this, [this] {
        InputTexts& f = fields();
        const TypedMomentFields moment{f.month, f.day, f.year, f.hour, f.minute, f.pm};
        // The zone keeps the sign it was filled with: the buttons change without the East/West rule.
        const auto fill = [this](const PlaceFill& p) {
            InputTexts& t = fields();
            t.zone = p.zone, t.longDeg = p.longDeg, t.longMin = p.longMin;
            t.latDeg = p.latDeg, t.latMin = p.latMin;
            t.SelectEast(p.east);
            t.SelectSouth(p.south);
            refresh();
        };
        if (RunFindPlace(this, findPlace_, app_.session(), moment, fill)) refresh();
    });
}

void InputWindow::refresh() {
    // Copied first: setting a text stores it back and may run the hour rule, which changes the fields.
    const InputTexts shown = fields();
    loading_ = true;
    if (txtName_) txtName_->setText(QString::fromStdString(shown.name));
    // The hour last, as the hour rule may change the other fields.
    for (int f = 0; f < kInputFieldCount; ++f) {
        if (f != kHourField) boxes_[f]->setText(QString::fromStdString(shown.*kTexts[f]));
    }
    boxes_[kHourField]->setText(QString::fromStdString(shown.hour));
    const InputTexts& now = fields();
    (now.pm ? optPM_ : optAM_)->setChecked(true);
    (now.east ? optEast_ : optWest_)->setChecked(true);
    (now.south ? optSouth_ : optNorth_)->setChecked(true);
    if (description_.checkBoxes) {
        const SecondInputTexts& second = app_.session().diurnal;
        chkNatOrNow_->setChecked(second.useNatal);
        chk2ndPerson_->setChecked(second.secondPerson);
        chk2ndPerson_->setText(QString::fromStdString(second.secondPersonName));
    }
    loading_ = false;
}

void InputWindow::storeButtons() {
    if (loading_) return;
    InputTexts& f = fields();
    f.SelectAM(optAM_->isChecked());
    f.SelectEast(optEast_->isChecked());
    f.SelectSouth(optSouth_->isChecked());
}

void InputWindow::hourChanged() {
    InputTexts& f = fields();
    const HourWindow window =
        description_.kind == InputWindowKind::Natal ? HourWindow::Natal : HourWindow::Diurnal;
    if (RunHourRule(boxes_[kHourField], f.hour, window, *app_.session().dialogs)) {
        f.SelectAM(false);
        const bool wasLoading = std::exchange(loading_, true);
        optPM_->setChecked(true);
        loading_ = wasLoading;
    }
}

void InputWindow::eastWestClicked(bool east) {
    InputTexts& f = fields();
    f.SelectEast(east);
    ApplyEastWestToZone(f.zone, east);
    boxes_[kZoneField]->setText(QString::fromStdString(f.zone));
}

void InputWindow::fillNow() {
    Session& s = app_.session();
    FillNatalNow(s.natal, s.options, s.regional, LocalNow());
    refresh();
}

void InputWindow::natOrNowClicked(bool ticked) {
    Session& s = app_.session();
    s.diurnal.useNatal = ticked;
    if (ticked)
        CopyNatalToDiurnal(s.natal, s.diurnal);
    else
        FillDiurnalNow(s.diurnal, s.options, s.regional, LocalNow());
    refresh();
}

void InputWindow::secondPersonClicked(bool ticked) {
    SecondInputTexts& f = app_.session().diurnal;
    f.secondPerson = ticked;
    if (!ticked) {
        // Back to its own caption, whatever name the names list had put there.
        f.secondPersonName = kSecondPersonCaption;
        chk2ndPerson_->setText(kSecondPersonCaption);
    }
    app_.secondPersonChanged(ticked);
}

void InputWindow::keyPressEvent(QKeyEvent* event) {
    if (cmdOK_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        cmdOK_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void InputWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint())) {
        QWidget::mouseReleaseEvent(event);
    } else if (event->button() == Qt::LeftButton && description_.clickComputes) {
        // A click on the background computes the charts, as the natal window's OK does.
        app_.computeCharts();
    } else if (event->button() == Qt::RightButton) {
        app_.focusMainWindow();
    } else {
        QWidget::mouseReleaseEvent(event);
    }
}

void InputWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    PaintSunkenFrames(painter, framedLabels_);
}

}  // namespace talvenor::gui
