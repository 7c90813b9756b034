// The diurnal input window: the moment and place of the diurnal or transit chart, or the birth data of
// a second person.
//
// A view over session().diurnal, like the natal window; its two boxes copy the natal time and place
// ("Use natal data") and switch the second-person mode ("2nd Person").
#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace talvenor::gui {
class FindPlaceWindow;
}

namespace talvenor {
struct SecondInputTexts;
}

namespace talvenor::gui {

class AppServices;

class DiurnalInputWindow : public QWidget {
    Q_OBJECT

  public:
    explicit DiurnalInputWindow(AppServices& app, QWidget* parent = nullptr);

    // Shows the session's diurnal fields in every control, the second-person box's caption included.
    // Runs the hour rule on a changed hour, never the East/West rule.
    void refresh();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    SecondInputTexts& fields();
    void buildControls();
    void connectControls();
    void storeButtons();
    void hourChanged();
    void eastWestClicked(bool east);
    void natOrNowClicked(bool ticked);
    void secondPersonClicked(bool ticked);

    AppServices& app_;
    bool loading_ = false;

    QLabel *lblDiurnalMonth_, *lblDiurnalDay_, *lblDiurnalYear_, *lblDiurnalHour_, *lblDiurnalMinute_;
    QLabel *lblDiurnalTZ_, *lblDiurnalLongDeg_, *lblDiurnalLongMin_, *lblDiurnalLatDeg_, *lblDiurnalLatMin_;
    QLabel *label1_, *label2_;
    QLineEdit *txtDiurnalMonth_, *txtDiurnalDay_, *txtDiurnalYear_, *txtDiurnalHour_, *txtDiurnalMinute_;
    QLineEdit *txtDiurnalTZ_, *txtDiurnalLongDeg_, *txtDiurnalLongMin_, *txtDiurnalLatDeg_,
        *txtDiurnalLatMin_;
    QGroupBox *frame1_, *frame2_, *frame3_;
    QRadioButton *optDiurnalAM_, *optDiurnalPM_, *optDiurnalEast_, *optDiurnalWest_;
    QRadioButton *optDiurnalNorth_, *optDiurnalSouth_;
    QCheckBox *chkNatOrNow_, *chk2ndPerson_;
    // "Find Place": the world atlas and the zone on the window's date.
    QPushButton* cmdFindPlace_;
    FindPlaceWindow* findPlace_ = nullptr;
};

}  // namespace talvenor::gui
