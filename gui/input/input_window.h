// The input window: the moment and place of one chart, as the natal and the diurnal window show them.
//
// One widget for both windows, built from a description of what sets them apart: the window's name and
// title, the names and captions of its controls, the dividing lines, and which of the name box, the OK,
// Save and NOW buttons and the "Use natal data" and "2nd Person" check boxes it has. A view over the
// session's natal or diurnal texts: every edit and click writes its field at once, refresh() shows the
// fields again after a program fill.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace talvenor {
struct InputTexts;
}

namespace talvenor::gui {

class AppServices;
class FindPlaceWindow;

// Whose texts a window shows: the natal birth, or the second chart's moment and place.
enum class InputWindowKind { Natal, Diurnal };

// The text boxes of the moment and the place, in the order of the tab chain.
enum InputField {
    kMonthField,
    kDayField,
    kYearField,
    kHourField,
    kMinuteField,
    kZoneField,
    kLongDegField,
    kLongMinField,
    kLatDegField,
    kLatMinField,
    kInputFieldCount
};

struct InputFieldNames {
    const char* label;    // the label's control name
    const char* caption;  // the label's text
    const char* box;      // the text box's control name
};

struct InputWindowDescription {
    InputWindowKind kind;
    const char* objectName;  // the window's control name
    const char* title;
    std::array<InputFieldNames, kInputFieldCount> fields;
    // AM, PM, East, West, North, South.
    std::array<const char*, 6> options;
    // The dividing lines under the name, the date, the place and the radio pairs; nullptr: none.
    const char* lineUnderName;
    const char* lineUnderDate;
    const char* lineUnderPlace;
    const char* lineUnderPairs;
    bool nameBox;         // "Name" and its box, above the date
    bool commandButtons;  // OK (Enter presses it), "Save to disk" and NOW
    bool checkBoxes;      // "Use natal data" and "2nd Person"
    bool clickComputes;   // a left click on the window's background computes the charts
};

// The two windows' descriptions.
const InputWindowDescription& NatalWindowDescription();
const InputWindowDescription& DiurnalWindowDescription();

class InputWindow : public QWidget {
    Q_OBJECT

  public:
    InputWindow(AppServices& app, const InputWindowDescription& description, QWidget* parent = nullptr);

    const InputWindowDescription& description() const { return description_; }

    // Shows the session's fields in every control (for the diurnal window the check boxes and the
    // second-person caption too). Runs the hour rule on a changed hour, never the East/West rule: a fill
    // has already given the zone its sign.
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
    void natOrNowClicked(bool ticked);
    void secondPersonClicked(bool ticked);

    AppServices& app_;
    const InputWindowDescription& description_;
    bool loading_ = false;

    std::vector<QLabel*> framedLabels_;  // the labels with a sunken frame
    QLabel *label1_ = nullptr, *label2_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    std::array<QLineEdit*, kInputFieldCount> boxes_{};
    QRadioButton *optAM_ = nullptr, *optPM_ = nullptr, *optEast_ = nullptr, *optWest_ = nullptr;
    QRadioButton *optNorth_ = nullptr, *optSouth_ = nullptr;
    QPushButton *cmdOK_ = nullptr, *cmdSave_ = nullptr, *cmdNow_ = nullptr;
    QCheckBox *chkNatOrNow_ = nullptr, *chk2ndPerson_ = nullptr;
    // "Find Place": the world atlas and the zone on the window's date.
    QPushButton* cmdFindPlace_ = nullptr;
    FindPlaceWindow* findPlace_ = nullptr;
};

}  // namespace talvenor::gui
