#include "datafiles/names_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>

#include "atlas/atlas_index.h"
#include "atlas/atlas_search.h"
#include "datafiles/list_window_support.h"
#include "datafiles/name_edit_window.h"
#include "exchange/exchange_files.h"
#include "input/input_fills.h"
#include "input/input_window_support.h"
#include "session/atlas_lookup.h"
#include "session/exchange_commands.h"
#include "session/session.h"
#include "shell/app_services.h"
#include "shell/gui_support.h"
#include "shell/progress_window.h"
#include "system_zones.h"

namespace talvenor::gui {

namespace {

// The dialogs of the program, with the hourglass taken away before anything is shown or asked.
class UntilAsked : public UserDialogs {
  public:
    UntilAsked(UserDialogs& dialogs, std::optional<Hourglass>& busy) : dialogs_(dialogs), busy_(busy) {}
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        busy_.reset();
        dialogs_.ShowMessage(text, title, icon);
    }
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override {
        busy_.reset();
        const bool yes = dialogs_.AskYesNo(text, title, icon);
        // What was asked is done next (reading the file again, writing the names file): busy again.
        busy_.emplace();
        return yes;
    }
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override {
        busy_.reset();
        return dialogs_.AskText(prompt, title, defaultText);
    }

  private:
    UserDialogs& dialogs_;
    std::optional<Hourglass>& busy_;
};

}  // namespace

NamesWindow::NamesWindow(AppServices& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("Names");
    setWindowTitle("Names");
    setAttribute(Qt::WA_DeleteOnClose);

    NamesOnFile_ = new ChoiceList("NamesOnFile", this);
    lblNamesOnFile_ = new QLabel(this);
    lblNamesOnFile_->setObjectName("lblNamesOnFile");
    // Every button answers to Alt and its underlined letter.
    Check1_ = Named<QCheckBox>("Check1", "&Lock list", this);
    Command1_ = Named<QPushButton>("Command1", "Click here for &cities", this);
    cmdEditList_ = Named<QPushButton>("cmdEditList", "&Edit this List", this);
    cmdNewFileList_ = Named<QPushButton>("cmdNewFileList", "C&hange List", this);
    cmdImport_ = Named<QPushButton>("cmdImport", "&Import...", this);
    cmdExport_ = Named<QPushButton>("cmdExport", "E&xport...", this);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(lblNamesOnFile_);
    top->addStretch();
    top->addWidget(Check1_);
    layout->addLayout(top);
    layout->addWidget(NamesOnFile_);
    layout->addWidget(Command1_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdEditList_);
    buttons->addWidget(cmdNewFileList_);
    layout->addLayout(buttons);
    auto* exchange = new QHBoxLayout;
    exchange->addWidget(cmdImport_);
    exchange->addWidget(cmdExport_);
    layout->addLayout(exchange);
    resize(260, 410);

    NamesOnFile_->onChoose = [this](int row) {
        app_.namesListState().SkipLockedSelect = false;
        loadName(row);
    };
    connect(NamesOnFile_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { nameDoubleClicked(NamesOnFile_->row(item)); });
    // Enter on a name does what a double-click does.
    NamesOnFile_->onEnter = [this](int row) { nameDoubleClicked(row); };
    // `clicked` only: setting the box from the state at a reload is not the user's click.
    connect(Check1_, &QCheckBox::clicked, this, &NamesWindow::lockClicked);
    connect(Command1_, &QPushButton::clicked, this, [this] { app_.showCitiesWindow(); });
    connect(cmdEditList_, &QPushButton::clicked, this, &NamesWindow::editList);
    connect(cmdNewFileList_, &QPushButton::clicked, this, &NamesWindow::changeList);
    connect(cmdImport_, &QPushButton::clicked, this, &NamesWindow::importBirths);
    connect(cmdExport_, &QPushButton::clicked, this, &NamesWindow::exportBirths);
    reload();
}

void NamesWindow::reload() {
    Session& s = app_.session();
    NamesListState& state = app_.namesListState();
    const std::string requested = NamesFileInUse(s);
    list_ = LoadNamesList(s.settings.NamesFilePath, s.appFolder);
    // A names file that cannot be opened is given up for the program folder's NAMES.FIL.
    if (list_.file != std::filesystem::path(s.settings.NamesFilePath)) s.settings.NamesFilePath.clear();

    Check1_->setChecked(state.LockList);
    lblNamesOnFile_->setText(QString::fromStdString(ListLabel(NamesFileInUse(s))));
    NamesOnFile_->setUpdatesEnabled(false);
    NamesOnFile_->clear();
    for (const NameRecord& record : list_.records)
        NamesOnFile_->addItem(QString::fromStdString(record.Field[1]));
    NamesOnFile_->setUpdatesEnabled(true);

    if (!list_.opened) {
        const std::string fallback = (s.appFolder / "NAMES.FIL").string();
        std::string text = "The names file " + requested + " cannot be opened";
        if (requested != fallback) text += ", nor can " + fallback;
        s.dialogs->ShowMessage(text + ". The list of names is empty.", "Information!",
                               MessageIcon::Information);
    } else if (list_.error) {
        s.dialogs->ShowMessage(*list_.error, "Error!", MessageIcon::Critical);
    }

    if (!state.LockList || state.SkipLockedSelect) return;
    const auto selection = LockedSelectionFor(state.LockedIndex, NamesOnFile_->count());
    if (!selection) return;
    state.LockedIndex = static_cast<std::int16_t>(selection->selected);
    NamesOnFile_->scrollToItem(NamesOnFile_->item(selection->top), QAbstractItemView::PositionAtTop);
    NamesOnFile_->setCurrentRow(selection->selected);
    loadName(selection->selected);
}

void NamesWindow::lockClicked(bool ticked) {
    NamesListState& state = app_.namesListState();
    state.LockList = ticked;
    if (ticked) state.LockedIndex = static_cast<std::int16_t>(NamesOnFile_->currentRow());
}

bool NamesWindow::loadName(int row) {
    if (row < 0 || row >= NamesOnFile_->count()) return false;
    const auto k = FindName(list_, NamesOnFile_->item(row)->text().toStdString());
    if (!k) return false;
    NamesListState& state = app_.namesListState();
    if (state.LockList) state.LockedIndex = static_cast<std::int16_t>(NamesOnFile_->currentRow());

    Session& s = app_.session();
    const NameRecord& record = list_.records[*k];
    std::optional<std::string> error;
    if (s.diurnal.secondPerson) {
        error = FillDiurnalFromRecord(record, s.regional, s.diurnal);
    } else {
        error = FillNatalFromRecord(record, s.regional, s.natal);
        if (!error) {
            // The diurnal chart follows the new birth: its time and place, or the present moment.
            if (s.diurnal.useNatal)
                CopyNatalToDiurnal(s.natal, s.diurnal);
            else
                FillDiurnalNow(s.diurnal, s.options, s.regional, LocalNow());
        }
    }
    app_.inputFieldsChanged();
    if (error) {
        s.dialogs->ShowMessage(*error, kNameRecordFormatErrorTitle, kNameRecordFormatErrorIcon);
        return false;
    }
    return true;
}

void NamesWindow::nameDoubleClicked(int row) {
    if (app_.session().diurnal.secondPerson) return;  // the click has done all there is to do
    app_.namesListState().SkipLockedSelect = false;
    // A record that cannot be read would leave the fields half filled: no chart from them.
    if (!loadName(row)) return;
    app_.computeFromNamesList();
}

void NamesWindow::changeList() {
    Session& s = app_.session();
    const std::string chosen = app_.chooseFile("*.FIL", NamesFileInUse(s), FileUse::Open);
    if (chosen.empty()) return;
    NamesListState& state = app_.namesListState();
    state.SkipLockedSelect = false;
    s.settings.NamesFilePath = chosen;
    state.LockedIndex = 0;
    reload();
}

void NamesWindow::editList() {
    // Owned by the main window: it outlives the switch between names and cities.
    if (!editor_) editor_ = new NameEditWindow(app_, app_.mainWindow());
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
}

namespace {

// The making of the atlas index during an import, in the progress window of the long reports.
class IndexProgress : public AtlasBuildWatch {
  public:
    explicit IndexProgress(ProgressReporter& progress) : progress_(progress) {}
    ~IndexProgress() override {
        if (shown_) progress_.Unload();
    }
    IndexProgress(const IndexProgress&) = delete;
    IndexProgress& operator=(const IndexProgress&) = delete;

    void Started(const std::string&) override {
        shown_ = true;
        progress_.Load();
    }
    bool Progress(std::size_t done, std::size_t total) override {
        progress_.ShowProgress(static_cast<int>(done), static_cast<int>(total));
        return true;
    }

  private:
    ProgressReporter& progress_;
    bool shown_ = false;
};

}  // namespace

void NamesWindow::importBirths() {
    Session& s = app_.session();
    // The three formats together first, then each on its own, then any file (a CSV file may end in .txt).
    FileRequest request{kImportFileTitle, {{kBirthFilesLabel, {}}}, FileUse::Open, ""};
    for (const ExchangeFileKind& kind : kExchangeFileKinds) {
        request.types.front().endings.push_back(kind.ending);
        request.types.push_back({kind.label, {kind.ending}});
    }
    request.types.push_back({"All files", {}});
    const std::string source = app_.askForFile(request).path;
    if (source.empty()) return;
    // The atlas is opened only when a record needs its place looked up; when its index must be made
    // first, or made again, the progress window shows how far it has come.
    SystemZoneDatabase zones;
    ProgressWindow progressWindow(this);
    IndexProgress indexProgress(progressWindow);
    AtlasPlaceZones places(SessionAtlas(s), &indexProgress);
    ZoneSources sources{&zones, &places};
    // Reading a long file takes a moment; the pointer is itself again for every question and message.
    std::optional<Hourglass> busy(std::in_place);
    UntilAsked dialogs(*s.dialogs, busy);
    const auto chooseTarget = [&] {
        busy.reset();
        return app_.chooseFile("*.FIL", NamesFileInUse(s), FileUse::SaveInto);
    };
    const ExchangeRun run = ImportCommand(source, chooseTarget, sources, s.regional, dialogs, s.report);
    busy.reset();
    if (run.reported) app_.showReport();
    if (run.outcome == ExchangeOutcome::Written && run.written == std::filesystem::path(NamesFileInUse(s)))
        reload();
}

void NamesWindow::exportBirths() {
    Session& s = app_.session();
    // One kind of file a format: the one chosen gives its ending to a name typed without one.
    FileRequest request{kExportFileTitle, {}, FileUse::WriteNew, ""};
    for (const ExchangeFileKind& kind : kExchangeFileKinds)
        request.types.push_back({kind.label, {kind.ending}});
    const FileAnswer answer = app_.askForFile(request);
    if (answer.path.empty()) return;
    const ExchangeFileKind& kind =
        kExchangeFileKinds[std::min(answer.type, std::size(kExchangeFileKinds) - 1)];
    const std::filesystem::path target = ExportTarget(answer.path, kind.format);
    // The file window asked before replacing the file it named; a file it did not name is asked about here.
    std::error_code error;
    if (target != std::filesystem::path(answer.path) && std::filesystem::exists(target, error) &&
        !s.dialogs->AskYesNo(ReplaceFileQuestion(target), kExportTitle, MessageIcon::Question))
        return;
    const ExchangeRun run = ExportCommand(NamesFileInUse(s), target, s.regional, *s.dialogs, s.report);
    if (run.reported) app_.showReport();
}

NameEditWindow* NamesWindow::editor() const {
    return editor_;
}

}  // namespace talvenor::gui
