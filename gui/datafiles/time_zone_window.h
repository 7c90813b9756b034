// The time-zone picker TimeZone: the zones of TZ.DAT. A click writes the zone's offset and its East or
// West button into the input window that opened the list; the list stays open for another try.
#pragma once

#include <QWidget>

#include "datafiles/time_zones.h"

class QPushButton;

namespace talvenor::gui {

class AppServices;
class ChoiceList;

class TimeZoneWindow : public QWidget {
    Q_OBJECT

  public:
    // Reads TZ.DAT from the program folder.
    explicit TimeZoneWindow(AppServices& app, QWidget* parent = nullptr);

    // False when TZ.DAT could not be opened (the user has been told).
    bool hasTable() const { return table_.opened; }

    // kTimeZoneTargetNatal or kTimeZoneTargetDiurnal: the window a pick fills.
    void setTarget(int target) { target_ = target; }
    int target() const { return target_; }

  private:
    void load();
    void zoneChosen(int row);

    AppServices& app_;
    TimeZoneTable table_;
    int target_ = 0;
    ChoiceList* lstTimeZones_;
    QPushButton* Command1_;
};

}  // namespace talvenor::gui
