#include "datafiles/time_zone_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "datafiles/list_window_support.h"
#include "environment/app_folder.h"
#include "session/session.h"
#include "shell/app_services.h"
#include "shell/gui_support.h"

namespace talvenor::gui {

TimeZoneWindow::TimeZoneWindow(AppServices& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("TimeZone");
    setWindowTitle("Time Zones");
    setAttribute(Qt::WA_DeleteOnClose);

    lstTimeZones_ = new ChoiceList("lstTimeZones", this);
    lstTimeZones_->setFont(FixedPitchFont());
    Command1_ = new QPushButton("&Quit", this);
    Command1_->setObjectName("Command1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstTimeZones_);
    layout->addWidget(Command1_);
    // Wide enough for a whole entry: 32 + 3 + 4 + 2 + 6 characters.
    resize(QFontMetrics(lstTimeZones_->font()).horizontalAdvance(QString(50, u'0')) + 48, 320);

    lstTimeZones_->onChoose = [this](int row) { zoneChosen(row); };
    connect(Command1_, &QPushButton::clicked, this, &QWidget::close);
    CloseWithEscape(*this);
    load();
}

void TimeZoneWindow::load() {
    UserDialogs& dialogs = *app_.session().dialogs;
    table_ = LoadTimeZoneTable(DataFile(app_.session().appFolder, "\\TZ.DAT"));
    lstTimeZones_->setUpdatesEnabled(false);
    for (const std::string& entry : table_.entries) lstTimeZones_->addItem(QString::fromStdString(entry));
    lstTimeZones_->setUpdatesEnabled(true);
    if (!table_.opened) {
        dialogs.ShowMessage("The time-zone table TZ.DAT cannot be found in the program folder.",
                            "Information!", MessageIcon::Information);
    } else if (table_.corrupt) {
        dialogs.ShowMessage(kTimeZoneFileCorrupt, "Error!", MessageIcon::Critical);
    }
}

void TimeZoneWindow::zoneChosen(int row) {
    if (row < 0 || row >= lstTimeZones_->count()) return;
    Session& s = app_.session();
    const auto pick = PickTimeZone(table_, lstTimeZones_->item(row)->text().toStdString());
    if (!pick) {
        s.dialogs->ShowMessage(kTimeZoneFileCorrupt, "Error!", MessageIcon::Critical);
        return;
    }
    // The zone comes with its sign: the buttons change without turning it again.
    if (target_ == kTimeZoneTargetNatal) {
        s.natal.zone = pick->zoneText;
        s.natal.SelectEast(pick->east);
    } else {
        s.diurnal.zone = pick->zoneText;
        s.diurnal.SelectEast(pick->east);
    }
    app_.inputFieldsChanged();
}

}  // namespace talvenor::gui
