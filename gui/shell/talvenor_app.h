// The desktop program as a whole: the session, the windows and the commands that involve several of them.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "environment/window_placement.h"
#include "session/session.h"
#include "shell/app_services.h"
#include "shell/qt_dialogs.h"
#include "shell/window_placer.h"

namespace talvenor::gui {

class MainWindow;
class NatalInputWindow;
class DiurnalInputWindow;
class DataWindow;
class OptionsWindow;
class ProgressWindow;
class AboutWindow;
class NamesWindow;
class CitiesWindow;
class TimeZoneWindow;
class PrintWindow;
class WheelWindow;
class DialWindow;
class EphemerisWindow;
class EventSearchWindow;

class TalvenorApp : public QObject, public AppServices {
    Q_OBJECT
  public:
    // Asks for a data file (pattern, file in use): a full path, or "" when cancelled.
    using FileChooser =
        std::function<std::string(const std::string& pattern, const std::string& currentPath)>;

    // dialogs: where messages go (the Qt dialogs in the program, a scripted double in tests).
    explicit TalvenorApp(UserDialogs* dialogs = nullptr);
    ~TalvenorApp() override;

    // The start-up sequence for the data folder: options, settings, regional format, font step, house
    // system, the windows shown, the reports folder.
    void start(const std::filesystem::path& appFolder);

    // AppServices
    Session& session() override { return session_; }
    QWidget* mainWindow() override;
    void focusMainWindow() override;
    void computeCharts() override;
    void secondPersonChanged(bool ticked) override;
    void showHelp(const std::string& backslashName) override;
    void showReport() override;
    void runProgressReport(const std::function<ShowResult()>& command) override;
    void putDiurnalDate(const CivilDate& date) override;
    void optionsSaved() override;
    void inputFieldsChanged() override;
    void showNamesWindow() override;
    void showCitiesWindow() override;
    NamesListState& namesListState() override { return namesState_; }
    void computeFromNamesList() override;
    void openTimeZones(int target) override;
    void saveNameEntry() override;
    void openPrintWindow() override;
    std::string chooseFile(const std::string& pattern, const std::string& currentPath, FileUse use) override;
    FileAnswer askForFile(const FileRequest& request) override;

    // The file dialog; tests put a scripted answer in its place.
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    using FileAsker = std::function<FileAnswer(const FileRequest& request)>;
    void setFileAsker(FileAsker asker) { askForFile_ = std::move(asker); }

    // The part of the screen windows may use: the screen's available area, or the one set here (tests
    // place the windows on screens of other sizes).
    PixelRect availableArea() const { return placer_.availableArea(); }
    void setAvailableArea(const PixelRect& area) { placer_.setAvailableArea(area); }
    PixelRect placeWindow(QWidget& window, const PixelRect& outer) override;
    PixelRect outerRect(const QWidget& window) const override;

    // Main-window commands.
    void inputCommand();
    void houseSystemChosen(HouseSystem system);
    // The Ephemeris menu: the charts already computed are computed again with the engine chosen.
    void ephemerisChosen(EphemerisChoice choice);
    // The Factors menu: the charts already computed are computed again with the factors chosen.
    void factorsChosen(FactorSet set);
    void runDataCommand(const std::string& itemName);
    void optionsCommand();
    void showAbout();
    // The Chart menu: the wheel and the dial windows, which follow every computation.
    void showChartWheel();
    void showDial();
    void showEphemeris();
    // The Data menu's Event Search window (kept between uses, with its choices).
    void showEventSearch();
    // Writes the settings file; the windows close with the main window.
    void exitProgram();

    std::string titlePrefix() const;
    std::string formatToday(int year, int month, int day) const;

    MainWindow& main() { return *main_; }
    NatalInputWindow& natalWindow() { return *natal_; }
    DiurnalInputWindow& diurnalWindow() { return *diurnal_; }
    DataWindow& dataWindow() { return *data_; }
    ProgressWindow& progressWindow() { return *progress_; }
    OptionsWindow* optionsWindow();
    // The list windows while they are open; nullptr otherwise.
    NamesWindow* namesWindow() const;
    CitiesWindow* citiesWindow() const;
    TimeZoneWindow* timeZoneWindow() const;
    PrintWindow* printWindow() const;
    WheelWindow* wheelWindow() const;
    DialWindow* dialWindow() const;
    EphemerisWindow* ephemerisWindow() const;
    EventSearchWindow* eventSearchWindow() const;

  private:
    // True for the windows placed by the start arrangement and the settings.
    bool placedOnPurpose(const QObject* window) const;
    // Shows the page of a report that was just finished.
    void displayPage(ShowResult result);
    // Runs a report command with the hourglass; the data window shows its page.
    template <typename Command>
    void runReport(Command&& command);
    // Closes the names and the cities window, remembering where the one shown stood.
    void closeListWindows();
    // The wheel and the dial show the chart and options as they now are.
    void refreshChartWindows();

    std::unique_ptr<QtDialogs> qtDialogs_;
    Session session_;
    // Where the windows stand on the screen; it outlives the windows, which ask it on their way out.
    WindowPlacer placer_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<NatalInputWindow> natal_;
    std::unique_ptr<DiurnalInputWindow> diurnal_;
    std::unique_ptr<DataWindow> data_;
    std::unique_ptr<ProgressWindow> progress_;
    QPointer<OptionsWindow> options_;
    QPointer<AboutWindow> about_;
    // The names and the cities window share one place on the screen.
    QPointer<NamesWindow> names_;
    QPointer<CitiesWindow> cities_;
    QPointer<TimeZoneWindow> timeZones_;
    QPointer<PrintWindow> print_;
    QPointer<WheelWindow> wheel_;
    QPointer<DialWindow> dial_;
    QPointer<EphemerisWindow> ephemeris_;
    QPointer<EventSearchWindow> eventSearch_;
    NamesListState namesState_;
    FileChooser chooseFile_;
    FileAsker askForFile_;
    bool exited_ = false;
};

}  // namespace talvenor::gui
