// The natal input window: name, date, clock time, time zone and place of the natal chart.
//
// A view over session().natal: every edit and click writes its field at once, refresh() shows the
// fields again after a program fill. Its OK button computes the charts.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace talvenor::gui {
class FindPlaceWindow;
}

namespace talvenor {
struct InputTexts;
}

namespace talvenor::gui {

class AppServices;

class NatalInputWindow : public QWidget {
    Q_OBJECT

  public:
    explicit NatalInputWindow(AppServices& app, QWidget* parent = nullptr);

    // Shows the session's natal fields in every control. Runs the hour rule on a changed hour, never
    // the East/West rule: a fill has already given the zone its sign.
    void refresh();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    InputTexts& fields();
    void buildControls();
    void connectControls();
    void storeButtons();
    void hourChanged();
    void eastWestClicked(bool east);
    void fillNow();

    AppServices& app_;
    bool loading_ = false;

    QLabel *lblName_, *lblMonth_, *lblDay_, *lblYear_, *lblBirthHour_, *lblBirthMinute_, *lblBirthTZ_;
    QLabel *lblLongDeg_, *lblLongMin_, *lblLatDeg_, *lblLatMin_, *label1_, *label2_;
    QLineEdit *txtName_, *txtMonth_, *txtDay_, *txtYear_, *txtBirthHour_, *txtBirthMinute_, *txtTZ_;
    QLineEdit *txtLongDeg_, *txtLongMin_, *txtLatDeg_, *txtLatMin_;
    QGroupBox *frame1_, *frame2_, *frame3_;
    QRadioButton *optAM_, *optPM_, *optEast_, *optWest_, *optNorth_, *optSouth_;
    QPushButton *cmdOK_, *cmdSave_, *cmdNow_;
    // "Find Place": the world atlas and the zone on the window's date.
    QPushButton* cmdFindPlace_;
    FindPlaceWindow* findPlace_ = nullptr;
};

}  // namespace talvenor::gui
