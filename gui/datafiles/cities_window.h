// The cities window Geograph: the places of the current cities file. A click fills the place and zone
// of the natal input window, or of the diurnal window while "2nd Person" is ticked.
//
// It takes the names window's place on the screen and reads its file at every showing.
#pragma once

#include <QPointer>
#include <QWidget>

#include "datafiles/cities_file.h"

class QLabel;
class QPushButton;

namespace talvenor::gui {

class AppServices;
class ChoiceList;
class LongLatWindow;

class CitiesWindow : public QWidget {
    Q_OBJECT

  public:
    explicit CitiesWindow(AppServices& app, QWidget* parent = nullptr);

    // Reads the list again from the cities file in use.
    void reload();

    // The editor opened by "Edit this List", while it is open.
    LongLatWindow* editor() const;

  private:
    void placeChosen(int row);
    void changeList();
    void editList();

    AppServices& app_;
    CitiesList list_;
    ChoiceList* CitiesOnFile_;
    QLabel* lblCitiesOnFile_;
    QPushButton *Command1_, *cmdEditList_, *cmdNewFileList_;
    QPointer<LongLatWindow> editor_;
};

}  // namespace talvenor::gui
