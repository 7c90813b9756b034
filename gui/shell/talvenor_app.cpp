#include "shell/talvenor_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <ctime>
#include <fstream>

#include "chart/dial_window.h"
#include "chart/ephemeris_window.h"
#include "chart/options_window.h"
#include "chart/wheel_window.h"
#include "datafiles/cities_window.h"
#include "datafiles/file_selection.h"
#include "datafiles/list_window_support.h"
#include "datafiles/names_file.h"
#include "datafiles/names_window.h"
#include "datafiles/time_zone_window.h"
#include "environment/text_files.h"
#include "input/diurnal_input_window.h"
#include "input/input_fills.h"
#include "input/natal_input_window.h"
#include "report/data_window.h"
#include "report/event_search_window.h"
#include "report/print_window.h"
#include "session/compute_charts.h"
#include "session/ephemeris_choice.h"
#include "session/help_text.h"
#include "session/name_entry_save.h"
#include "session/report_table.h"
#include "session/startup.h"
#include "shell/about_window.h"
#include "shell/gui_support.h"
#include "shell/main_window.h"
#include "shell/program_icon.h"
#include "shell/progress_window.h"

namespace talvenor::gui {

namespace {

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

TalvenorApp::TalvenorApp(UserDialogs* dialogs)
    : qtDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>()),
      session_(dialogs ? *dialogs : static_cast<UserDialogs&>(*qtDialogs_)) {}

TalvenorApp::~TalvenorApp() {
    placer_.stopKeepingNewWindowsInside();
    // The list windows have no parent; they go with the program.
    delete names_.data();
    delete cities_.data();
    delete timeZones_.data();
    delete print_.data();
    delete wheel_.data();
    delete dial_.data();
    delete ephemeris_.data();
}

void TalvenorApp::start(const std::filesystem::path& appFolder) {
    // Every window shows the program's icon in its title bar and in the task bar.
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(kDesktopFileName);
    // The main window exists first so that messages during start-up have a parent.
    main_ = std::make_unique<MainWindow>(*this);
    placer_.setMainWindow(*main_);
    if (qtDialogs_) qtDialogs_->setParent(main_.get());
    StartSession(session_, appFolder);

    Hourglass busy;
    const double twips = TwipsPerPixel(*main_);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        session_.FontStep = ChooseFontStep(screen->geometry().width(), twips);
    }
    main_->checkHouse(session_.checkedHouse);
    main_->checkEphemeris(EphemerisInUse(session_));
    main_->checkFactors(session_.factors);
    main_->updateClock();

    data_ = std::make_unique<DataWindow>(*this);
    progress_ = std::make_unique<ProgressWindow>();

    // The input windows open with the present moment at the home place.
    const std::tm now = LocalNow();
    FillNatalNow(session_.natal, session_.options, session_.regional, now);
    FillDiurnalNow(session_.diurnal, session_.options, session_.regional, now);
    natal_ = std::make_unique<NatalInputWindow>(*this);
    diurnal_ = std::make_unique<DiurnalInputWindow>(*this);

    // The main window first: the frame the window manager draws around it tells how large the other
    // windows are on the screen.
    placer_.showMainWindow(session_.settings);
    closeListWindows();
    names_ = new NamesWindow(*this);
    placer_.arrangeStartWindows(session_.settings, *natal_, *diurnal_, *names_);
    names_->activateWindow();
    placer_.keepNewWindowsInside([this](const QObject* window) { return placedOnPurpose(window); });
}

PixelRect TalvenorApp::outerRect(const QWidget& window) const {
    return placer_.outerRect(window);
}

PixelRect TalvenorApp::placeWindow(QWidget& window, const PixelRect& outer) {
    return placer_.placeWindow(window, outer);
}

bool TalvenorApp::placedOnPurpose(const QObject* window) const {
    return window == main_.get() || window == natal_.get() || window == diurnal_.get() ||
           window == data_.get() || window == names_.data() || window == cities_.data();
}

QWidget* TalvenorApp::mainWindow() {
    return main_.get();
}

OptionsWindow* TalvenorApp::optionsWindow() {
    return options_;
}

NamesWindow* TalvenorApp::namesWindow() const {
    return names_;
}

CitiesWindow* TalvenorApp::citiesWindow() const {
    return cities_;
}

TimeZoneWindow* TalvenorApp::timeZoneWindow() const {
    return timeZones_;
}

PrintWindow* TalvenorApp::printWindow() const {
    return print_;
}

WheelWindow* TalvenorApp::wheelWindow() const {
    return wheel_;
}

DialWindow* TalvenorApp::dialWindow() const {
    return dial_;
}

EphemerisWindow* TalvenorApp::ephemerisWindow() const {
    return ephemeris_;
}

EventSearchWindow* TalvenorApp::eventSearchWindow() const {
    return eventSearch_;
}

void TalvenorApp::showChartWheel() {
    if (!wheel_) wheel_ = new WheelWindow(*this);
    wheel_->show();
    wheel_->raise();
    wheel_->activateWindow();
}

void TalvenorApp::showDial() {
    if (!dial_) dial_ = new DialWindow(*this);
    dial_->show();
    dial_->raise();
    dial_->activateWindow();
}

void TalvenorApp::showEphemeris() {
    if (!ephemeris_) ephemeris_ = new EphemerisWindow(*this);
    ephemeris_->show();
    ephemeris_->raise();
    ephemeris_->activateWindow();
}

void TalvenorApp::showEventSearch() {
    if (!eventSearch_) eventSearch_ = new EventSearchWindow(*this);
    eventSearch_->show();
    eventSearch_->raise();
    eventSearch_->activateWindow();
}

void TalvenorApp::refreshChartWindows() {
    if (wheel_) wheel_->refresh();
    if (dial_) dial_->refresh();
    if (ephemeris_) ephemeris_->refresh();
}

void TalvenorApp::focusMainWindow() {
    main_->raise();
    main_->activateWindow();
}

void TalvenorApp::computeCharts() {
    if (timeZones_) timeZones_->close();
    timeZones_ = nullptr;
    session_.report.ClearAll();
    Hourglass busy;
    session_.DataWindowMinimized = data_->isMinimizedForReports();
    const ComputeOutcome outcome = ComputeCharts(session_);
    // Reading the modern tables may have failed and left the program's theory in use.
    main_->checkEphemeris(EphemerisInUse(session_));
    main_->checkFactors(session_.factors);
    if (outcome != ComputeOutcome::Computed) return;
    natal_->hide();
    diurnal_->hide();
    closeListWindows();
    main_->showChartMenus(true);
    refreshChartWindows();
    displayPage(ShowResult::Shown);
}

void TalvenorApp::secondPersonChanged(bool ticked) {
    main_->setSecondPersonCaptions(ticked);
}

void TalvenorApp::showHelp(const std::string& backslashName) {
    session_.DataWindowMinimized = data_->isMinimizedForReports();
    displayPage(ShowHelpText(session_, backslashName));
}

void TalvenorApp::showReport() {
    session_.DataWindowMinimized = data_->isMinimizedForReports();
    displayPage(ShowSessionReport(session_));
}

void TalvenorApp::runProgressReport(const std::function<ShowResult()>& command) {
    session_.DataWindowMinimized = data_->isMinimizedForReports();
    displayPage(command());
}

void TalvenorApp::putDiurnalDate(const CivilDate& date) {
    PutDiurnalDate(session_.diurnal, date);
    diurnal_->refresh();
    diurnal_->show();
    diurnal_->raise();
}

void TalvenorApp::optionsSaved() {
    // The title prefix is set again; the new options take effect with the next command, and at once in
    // the wheel's aspect lines and the dial's orb.
    main_->updateClock();
    refreshChartWindows();
}

void TalvenorApp::inputFieldsChanged() {
    natal_->refresh();
    diurnal_->refresh();
}

void TalvenorApp::closeListWindows() {
    for (QWidget* shown : {static_cast<QWidget*>(names_.data()), static_cast<QWidget*>(cities_.data())}) {
        if (!shown) continue;
        placer_.keepListPlace(*shown);
        // Deleted later: the request may come from inside the window's own button.
        shown->close();
    }
    names_ = nullptr;
    cities_ = nullptr;
}

void TalvenorApp::showNamesWindow() {
    closeListWindows();
    names_ = new NamesWindow(*this);
    placer_.showListWindow(*names_);
}

void TalvenorApp::showCitiesWindow() {
    closeListWindows();
    cities_ = new CitiesWindow(*this);
    placer_.showListWindow(*cities_);
}

void TalvenorApp::computeFromNamesList() {
    closeListWindows();
    natal_->activateWindow();
    computeCharts();
}

void TalvenorApp::openTimeZones(int target) {
    // A list closed by its Quit is on its way out: a new one is loaded.
    if (timeZones_ && timeZones_->isHidden()) timeZones_ = nullptr;
    if (!timeZones_) {
        auto* window = new TimeZoneWindow(*this);
        if (!window->hasTable()) {
            delete window;
            return;
        }
        timeZones_ = window;
    }
    timeZones_->setTarget(target);
    placer_.placeTimeZoneList(*timeZones_, target, *natal_, *diurnal_);
    timeZones_->show();
    timeZones_->raise();
}

void TalvenorApp::saveNameEntry() {
    Session& s = session_;
    // A name with a comma, or fields that make no record, are refused before the file is asked for.
    if (!CheckEntryBeforeSave(s.natal, s.regional, *s.dialogs)) {
        const std::string chosen = chooseFile("*.FIL", NamesFileInUse(s), FileUse::SaveInto);
        if (chosen.empty()) return;
        SaveNameEntry(chosen, s.appFolder, s.natal, s.regional, *s.dialogs);
    }
    namesState_.SkipLockedSelect = true;
    showNamesWindow();
}

void TalvenorApp::openPrintWindow() {
    // Each print command loads the hand-over file into a new window.
    if (print_) print_->close();
    print_ = new PrintWindow(*this);
    print_->setAttribute(Qt::WA_DeleteOnClose);
    print_->show();
    print_->raise();
    print_->activateWindow();
}

std::string TalvenorApp::chooseFile(const std::string& pattern, const std::string& currentPath, FileUse use) {
    if (chooseFile_) return chooseFile_(pattern, currentPath);
    return ChooseDataFile(main_.get(), session_.appFolder, pattern, currentPath, use);
}

FileAnswer TalvenorApp::askForFile(const FileRequest& request) {
    if (askForFile_) return askForFile_(request);
    return ChooseFile(main_.get(), session_.appFolder, request);
}

void TalvenorApp::displayPage(ShowResult result) {
    if (result == ShowResult::NothingToShow) return;
    data_->displayPageText(PageText(session_.report, "\n"));
}

template <typename Command>
void TalvenorApp::runReport(Command&& command) {
    Hourglass busy;
    session_.DataWindowMinimized = data_->isMinimizedForReports();
    displayPage(command());
}

void TalvenorApp::inputCommand() {
    session_.report.ClearDataBuffer();
    session_.SaveFileName.clear();
    data_->close();
    if (session_.natal.name == "Now") {
        // Only the date and the time move to the present; the place stays as typed.
        InputTexts present = session_.natal;
        FillNatalNow(present, session_.options, session_.regional, LocalNow());
        InputTexts& n = session_.natal;
        n.month = present.month;
        n.day = present.day;
        n.year = present.year;
        n.hour = present.hour;
        n.minute = present.minute;
        n.SelectAM(present.am);
    }
    natal_->refresh();
    natal_->show();
    diurnal_->show();
    namesState_.SkipLockedSelect = false;
    showNamesWindow();
}

void TalvenorApp::houseSystemChosen(HouseSystem system) {
    main_->checkHouse(system);
    session_.checkedHouse = system;
    inputCommand();
    computeCharts();
}

void TalvenorApp::ephemerisChosen(EphemerisChoice choice) {
    ChooseEphemeris(session_, choice);
    session_.settings.Ephemeris = choice;
    if (main_->chartMenusShown()) computeCharts();
    // The modern tables may have been refused: the mark shows the engine in use.
    main_->checkEphemeris(EphemerisInUse(session_));
    main_->checkFactors(session_.factors);
    main_->updateClock();
}

void TalvenorApp::factorsChosen(FactorSet set) {
    session_.factors = set;
    session_.settings.Factors = set;
    if (main_->chartMenusShown()) computeCharts();
    main_->checkFactors(set);
    main_->updateClock();
}

std::string TalvenorApp::titlePrefix() const {
    const bool modern = EphemerisInUse(session_) == EphemerisChoice::Modern;
    const bool uranian = session_.factors == FactorSet::Uranian;
    return std::string("TALVENOR (Tropical zodiac") + (modern ? ", modern ephemeris" : "") +
           (uranian ? ", Uranian factors" : "") + ") - ";
}

void TalvenorApp::runDataCommand(const std::string& item) {
    const ReportEntry* entry = ReportOfMenuItem(item);
    if (!entry) return;
    if (entry->output == ReportOutput::Events) return showEventSearch();
    ReportRun run;
    run.progress = progress_.get();
    runReport([&] { return WriteReport(session_, *entry, run); });
}

void TalvenorApp::optionsCommand() {
    // Only a plain file that can be read opens the editor (a folder or a pipe in its place would not).
    const std::filesystem::path optionsFile = session_.appFolder / kOptionsFileName;
    if (!IsPlainFile(optionsFile) || !std::ifstream(optionsFile)) {
        session_.dialogs->ShowMessage("File Not Found", "Warning!", MessageIcon::Information);
        return;
    }
    if (!options_) options_ = new OptionsWindow(*this);
    options_->setAttribute(Qt::WA_DeleteOnClose);
    options_->show();
    options_->raise();
}

void TalvenorApp::showAbout() {
    if (!about_) {
        about_ = new AboutWindow(main_.get());
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
}

void TalvenorApp::exitProgram() {
    if (exited_) return;
    exited_ = true;
    Settings& s = session_.settings;
    placer_.storeMainWindowPlace(s);
    WriteSettings(session_.appFolder / kSettingsFileName, s);
    QApplication::closeAllWindows();
}

std::string TalvenorApp::formatToday(int year, int month, int day) const {
    return FormatDateDdMmmYyyy(CivilDate{year, month, day}, session_.regional);
}

}  // namespace talvenor::gui
