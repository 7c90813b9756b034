// The Event Search window of the Data menu: the range, the moving factors, the targets and the modulus of
// an exact-date search; Search runs it with a progress bar and Cancel, and the events appear as a page in
// the data window.
//
// The program has one thread. A search tells its progress between stretches of about a month; the window
// then draws its bar and lets the events waiting be handled (so that Cancel can be clicked). While it
// searches the window is the only one that takes input: it is modal to the whole program, and closing it
// cancels the search.
#pragma once

#include <QDialog>

#include "session/event_commands.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace talvenor::gui {

class AppServices;

class EventSearchWindow : public QDialog {
    Q_OBJECT
  public:
    explicit EventSearchWindow(AppServices& app);

    // The choices as the controls hold them.
    EventSearchChoices choices() const;
    // Runs the search of the choices; closes the window when its page is shown.
    void search();
    bool searching() const { return searching_; }
    // Stops a search that runs (as Cancel does then).
    void cancel() { cancelled_ = true; }
    // Offers the moving factors of a factor set (with the Uranian factors the hypothetical points, and the
    // Aries point and the points directed and progressed): the factors ticked stay ticked, a factor new to
    // the list is ticked as the set's default has it. Nothing changes when the list already holds the set.
    // The window calls it with the natal chart's set whenever it is shown.
    void setFactorSet(FactorSet set);
    FactorSet factorSet() const { return factorSet_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    class Progress;

    void setSearching(bool searching);

    AppServices& app_;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QComboBox* modulus_ = nullptr;
    QListWidget* movers_ = nullptr;
    QCheckBox* natal_ = nullptr;
    QCheckBox* midpoints_ = nullptr;
    QCheckBox* pictures_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool searching_ = false;
    bool cancelled_ = false;
    FactorSet factorSet_ = FactorSet::Classic;
};

}  // namespace talvenor::gui
