// What the windows ask of the program as a whole. The windows collect texts and show what core returns;
// everything that involves more than one window goes through here.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace talvenor {

struct Session;

namespace gui {

class AppServices {
  public:
    virtual ~AppServices() = default;

    // The program-wide state: chart, options, report buffer, settings, input texts.
    virtual Session& session() = 0;

    // The main window, and giving it the focus (Esc and right clicks in the other windows).
    virtual QWidget* mainWindow() = 0;
    virtual void focusMainWindow() = 0;

    // The natal window's OK: empties both report buffers and computes the charts from the two input
    // windows; the natal data page is shown when it succeeds.
    virtual void computeCharts() = 0;

    // The "2nd Person" box was ticked or cleared: the Data menu changes six captions.
    virtual void secondPersonChanged(bool ticked) = 0;

    // Shows a help text file ("\DATA.HLP") as a report in the data window.
    virtual void showHelp(const std::string& backslashName) = 0;

    // Finishes the page in the report buffer (ShowReport) and shows it in the data window.
    virtual void showReport() = 0;

    // The options file was saved: the new values take effect at once.
    virtual void optionsSaved() = 0;

    // A feature that a later version brings; says so plainly.
    virtual void notAvailableYet(const QString& feature) = 0;
};

}  // namespace gui
}  // namespace talvenor
