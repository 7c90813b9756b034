// What the names, cities and time-zone windows share: a list that reports the user's choice of an entry,
// the files in use and the fixed-pitch font.
#pragma once

#include <QFont>
#include <QListWidget>
#include <functional>
#include <string>

namespace talvenor {
struct Session;
}

namespace talvenor::gui {

// A list box whose entries are chosen by a mouse click or by moving the selection with the keys, as the
// lists always were; `onChoose` gets the row of the chosen entry, `onEnter` (when set) the row of the
// current entry when Enter is pressed on it.
class ChoiceList : public QListWidget {
  public:
    ChoiceList(const char* name, QWidget* parent);
    std::function<void(int row)> onChoose;
    std::function<void(int row)> onEnter;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The names file and the cities file in use: the settings' paths, or the program folder's NAMES.FIL and
// GA_MA.LL when a path is empty.
std::string NamesFileInUse(const Session& session);
std::string CitiesFileInUse(const Session& session);

// Courier New, or whatever fixed-pitch font stands in for it.
QFont FixedPitchFont();

}  // namespace talvenor::gui
