// What the natal and diurnal input windows share: the key filters and select-on-focus of their text
// boxes, clickable labels, the sunken frames around the labels and the tab order.
#pragma once

#include <QObject>
#include <QString>
#include <ctime>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "environment/user_dialogs.h"
#include "input/input_fills.h"

class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QRadioButton;
class QWidget;

namespace talvenor::gui {

// A control with a caption, carrying its control name.
template <class T>
T* Named(const char* name, const QString& text, QWidget* parent) {
    auto* w = new T(text, parent);
    w->setObjectName(name);
    return w;
}
QLineEdit* NamedBox(const char* name, QWidget* parent);
// A decorative dividing line.
QFrame* NamedLine(const char* name, QWidget* parent);
// A titled frame holding a pair of radio buttons side by side.
QGroupBox* RadioPair(const char* name, const QString& title, QRadioButton* a, QRadioButton* b,
                     QWidget* parent);
// The red text of the "TZ Help" and "ACS Atlas" labels.
void ShowInRed(QLabel* label);
// The present moment on the local clock.
std::tm LocalNow();

// Which typed characters a text box takes. Control keys (backspace, Enter, Tab, Ctrl+V) always pass.
enum class FieldKeys {
    Digits,  // date, hour, minute and the coordinates
    Zone,    // the time zone: digits, "-" and "."
    Any      // the name
};

// True when a key producing `text` may reach a box of that kind.
bool AcceptsKeyText(FieldKeys keys, const QString& text);

// Installs the key filter and the select-all-on-focus behaviour on a text box.
void InstallFieldBehaviour(QLineEdit* box, FieldKeys keys);

// Calls `onClick` when the left mouse button is released over the label.
void MakeClickable(QLabel* label, std::function<void()> onClick);

// The one-pixel sunken frame just outside each label: grey left and top, white right and bottom.
void PaintSunkenFrames(QPainter& painter, const std::vector<QLabel*>& labels);

// When the window grows, the columns of text boxes (1 and 3) take the extra width and an empty row under
// the controls the extra height: labels and frames keep their size instead of becoming empty boxes.
void GrowOnlyTheTextBoxes(QGridLayout* grid);

// Tab order in the given sequence.
void ChainTabOrder(const std::vector<QWidget*>& widgets);

// Runs the hour rule after the hour box's text changed: stores the text in `field`, folds it when the
// rule says so (the box then changes again, which the rule passes unchanged), shows the rule's message
// and selects the whole text when it is not a number. True when the rule selected PM.
bool RunHourRule(QLineEdit* box, std::string& field, HourWindow window, UserDialogs& dialogs);

}  // namespace talvenor::gui
