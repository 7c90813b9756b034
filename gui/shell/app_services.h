// What the windows ask of the program as a whole. The windows collect texts and show what core returns;
// everything that involves more than one window goes through here.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "environment/regional_format.h"
#include "environment/window_placement.h"
#include "report/report_buffer.h"

class QWidget;

namespace talvenor {

struct Session;

namespace gui {

// The names list's memory for the run: the "Lock list" box and the entry it keeps selected. The names
// window is re-created at every showing, so this lives with the program.
struct NamesListState {
    bool LockList = false;
    std::int16_t LockedIndex = 0;
    // The next reload leaves LockedIndex unselected; set at start and after "Save to disk".
    bool SkipLockedSelect = true;
};

// What a data file is chosen for: a list to show or a file to read (its dialog says "Open"), the names
// file entries are added to ("Save"), or a file written anew, whose dialog asks before replacing one
// ("Save").
enum class FileUse { Open, SaveInto, WriteNew };

// A kind of file a file window offers: its name and the endings of its files ("CSV files", {"csv"}); no
// endings: every file.
struct FileType {
    std::string label;
    std::vector<std::string> endings;
};
// A file window that says what it is for: its title, the kinds of file it offers (the first is chosen at
// first), what the file is for, and the file in use to select.
struct FileRequest {
    std::string title;
    std::vector<FileType> types;
    FileUse use = FileUse::Open;
    std::string currentPath;
};
// The file chosen (a full path; "" when the user cancels) and the kind of file chosen for it. A name
// typed without an ending has the first ending of that kind added.
struct FileAnswer {
    std::string path;
    std::size_t type = 0;
};

// Which input window the time-zone list fills.
inline constexpr int kTimeZoneTargetNatal = 0;
inline constexpr int kTimeZoneTargetDiurnal = -1;

class AppServices {
  public:
    virtual ~AppServices() = default;

    // The program-wide state: chart, options, report buffer, settings, input texts.
    virtual Session& session() = 0;

    // The main window, and giving it the focus (Esc and right clicks in the other windows).
    virtual QWidget* mainWindow() = 0;
    virtual void focusMainWindow() = 0;

    // Puts a window where its outer rectangle (frame and title bar included) is `outer`, or as near as
    // the screen's available area allows without covering the main window; the outer rectangle it got.
    virtual PixelRect placeWindow(QWidget& window, const PixelRect& outer) = 0;
    // A window's outer rectangle as it now stands: its frame once the window manager has drawn one, else
    // its contents inside the frame the window manager draws around the program's windows.
    virtual PixelRect outerRect(const QWidget& window) const = 0;

    // The natal window's OK: empties both report buffers and computes the charts from the two input
    // windows; the natal data page is shown when it succeeds.
    virtual void computeCharts() = 0;

    // The "2nd Person" box was ticked or cleared: the Data menu changes six captions.
    virtual void secondPersonChanged(bool ticked) = 0;

    // Shows a help text file ("\DATA.HLP") as a report in the data window.
    virtual void showHelp(const std::string& backslashName) = 0;

    // Finishes the page in the report buffer (ShowReport) and shows it in the data window.
    virtual void showReport() = 0;

    // Runs a report command that shows its own progress (so without the hourglass) and shows the page it
    // wrote in the data window.
    virtual void runProgressReport(const std::function<ShowResult()>& command) = 0;

    // Puts a date into the diurnal input window (the time and place stay) and shows the window.
    virtual void putDiurnalDate(const CivilDate& date) = 0;

    // The options file was saved: the new values take effect at once.
    virtual void optionsSaved() = 0;

    // A list or a picker changed session().natal or session().diurnal: both input windows show them.
    virtual void inputFieldsChanged() = 0;

    // Closes the names or the cities window (they share one place on the screen) and shows the other,
    // newly loaded from its file.
    virtual void showNamesWindow() = 0;
    virtual void showCitiesWindow() = 0;
    virtual NamesListState& namesListState() = 0;

    // A double-click on a name: closes the names window, gives the natal window the focus and computes
    // as the natal window's OK does.
    virtual void computeFromNamesList() = 0;

    // "TZ Help": opens the time-zone list for kTimeZoneTargetNatal or kTimeZoneTargetDiurnal.
    virtual void openTimeZones(int target) = 0;

    // The natal window's "Save to disk": stores its entry in a names file the user chooses.
    virtual void saveNameEntry() = 0;

    // Opens the print window over the hand-over file the data window has just written.
    virtual void openPrintWindow() = 0;

    // Asks for a data file: pattern "*.FIL", "*.LL" or several ("*.AAF *.QCK *.CSV"), the file in use
    // preselected. A full path, or "" when the user cancels.
    virtual std::string chooseFile(const std::string& pattern, const std::string& currentPath,
                                   FileUse use) = 0;
    // Asks for a file with a window of its own title and kinds of file (Import, Export).
    virtual FileAnswer askForFile(const FileRequest& request) = 0;
};

}  // namespace gui
}  // namespace talvenor
