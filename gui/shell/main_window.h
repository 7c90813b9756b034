// The main window TALVENOR: the menu bar from which every report is run, and the clock in the title.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>

#include "environment/factor_set.h"
#include "ephemeris/houses.h"
#include "ephemeris/sky_engine.h"

class QAction;
class QActionGroup;
class QMenu;

namespace talvenor::gui {

class TalvenorApp;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(TalvenorApp& app);

    // The action of a menu item by its name ("mnuDataNatalTree").
    QAction* item(const std::string& name) const;
    QMenu* menu(const std::string& name) const;

    // Checks the item of a house code ("P", "R" ... "I") and clears the others.
    void checkHouse(HouseSystem system);
    // The check mark of the Ephemeris menu.
    void checkEphemeris(EphemerisChoice choice);
    // The check mark of the Factors menu.
    void checkFactors(FactorSet set);
    bool chartMenusShown() const;
    // The Data and Input menus appear once a chart exists.
    void showChartMenus(bool shown);
    // The six Data captions of the second-person mode, or the transit ones.
    void setSecondPersonCaptions(bool secondPerson);
    // Renews the title: the title prefix, the date, five blanks and the time.
    void updateClock();
    // The height of the menu bar, the window's only contents, at a width of the window.
    int menuBarHeight(int width) const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QMenu* addMenu(QMenu* parent, const char* name, const char* caption);
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {});
    // Checkable items of which one is chosen, each carrying its value; choosing one calls `chosen` with it.
    struct Choice {
        const char* name;
        const char* caption;
        int value;
    };
    QActionGroup* addChoices(QMenu* menu, std::initializer_list<Choice> choices,
                             const std::function<void(int)>& chosen);

    TalvenorApp& app_;
    std::map<std::string, QAction*> items_;
    std::map<std::string, QMenu*> menus_;
    QActionGroup* houses_ = nullptr;
    QActionGroup* ephemeris_ = nullptr;
    QActionGroup* factors_ = nullptr;
    QTimer clock_;
};

}  // namespace talvenor::gui
