// The Find Place window of the input windows: the user types a place (the list follows every key), picks
// one with the arrows, reads what will be filled for the date of the input window, and accepts with
// Enter (Esc leaves everything as it was). A clock time that did not exist or occurred twice on that date
// is shown with its two readings, and the user chooses one before the place is accepted.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "atlas/find_place.h"

class QButtonGroup;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QThread;
class QTreeWidget;

namespace talvenor {
struct Session;
class SystemZoneDatabase;
}  // namespace talvenor

namespace talvenor::gui {

class FindPlaceWindow : public QDialog {
    Q_OBJECT

  public:
    // The atlas of the location is opened here. When its index must be made first (on first use, or
    // damaged), it is made off the interface thread while the window shows a progress bar and takes the
    // typing, which is searched once the index is ready; a search that finds the index damaged makes it
    // again the same way. atlasMessage() tells why the atlas cannot be used.
    FindPlaceWindow(const AtlasLocation& where, QWidget* parent);
    ~FindPlaceWindow() override;

    bool hasAtlas() const { return atlas_ != nullptr; }
    bool indexBeingMade() const { return builder_ != nullptr; }
    // Neither an atlas nor an index on its way: the window has nothing to search.
    bool atlasUnusable() const { return !atlas_ && !builder_; }
    const std::string& atlasMessage() const { return atlasMessage_; }

    // Shows the window for a clock time of the input window; `onAccept` receives the accepted place.
    void start(const LocalClock& clock, bool clockTyped, std::function<void(const PlaceFill&)> onAccept);

    void accept() override;

  signals:
    // The index has been made (or could not be), and the typing so far searched.
    void indexReady();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct IndexBuild;
    void search();
    void showChosenPlace();
    void readingChosen();
    void makeIndex();
    void indexMade();
    const WorldPlace* currentPlace() const;

    AtlasLocation where_;
    std::unique_ptr<Atlas> atlas_;
    std::shared_ptr<IndexBuild> build_;
    QThread* builder_ = nullptr;
    bool indexRemade_ = false;
    std::unique_ptr<SystemZoneDatabase> zones_;
    std::string atlasMessage_;
    std::vector<WorldPlace> places_;
    ClockAnswer answer_;
    LocalClock clock_;
    bool clockTyped_ = true;
    std::function<void(const PlaceFill&)> onAccept_;

    QLineEdit* txtPlaceQuery_;
    QTreeWidget* lstPlaces_;
    QLabel* lblPreview_;
    QLabel* lblIndexing_;
    QProgressBar* barIndexing_;
    QLabel* lblReadingChoice_;
    QRadioButton* optFirstReading_;
    QRadioButton* optSecondReading_;
    QButtonGroup* readings_;
    QDialogButtonBox* buttons_;
};

// The moment texts of an input window, by reference: a date asked for is written back into them.
struct TypedMomentFields {
    std::string& month;
    std::string& day;
    std::string& year;
    const std::string& hour;
    const std::string& minute;
    bool pm;
};

// The "Find Place" action of an input window: reads the window's date and clock time (asking for a date
// when none is typed), opens the window (made on first use and kept in `window`, so that an index being
// made goes on while it is closed) and hands an accepted place to `fill`. A missing or damaged atlas text
// is reported and nothing else changes. True when the date fields were changed by the question, so that
// the caller shows them.
bool RunFindPlace(QWidget* owner, FindPlaceWindow*& window, Session& session, TypedMomentFields moment,
                  std::function<void(const PlaceFill&)> fill);

}  // namespace talvenor::gui
