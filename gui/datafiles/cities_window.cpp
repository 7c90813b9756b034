#include "datafiles/cities_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "datafiles/list_window_support.h"
#include "datafiles/long_lat_window.h"
#include "datafiles/names_file.h"
#include "input/input_fills.h"
#include "input/input_window_support.h"
#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {

CitiesWindow::CitiesWindow(AppServices& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("Geograph");
    setWindowTitle("Cities");
    setAttribute(Qt::WA_DeleteOnClose);

    CitiesOnFile_ = new ChoiceList("CitiesOnFile", this);
    lblCitiesOnFile_ = new QLabel(this);
    lblCitiesOnFile_->setObjectName("lblCitiesOnFile");
    // The keys of the names window, which shares the place.
    Command1_ = Named<QPushButton>("Command1", "Click here for &names", this);
    cmdEditList_ = Named<QPushButton>("cmdEditList", "&Edit this List", this);
    cmdNewFileList_ = Named<QPushButton>("cmdNewFileList", "C&hange List", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblCitiesOnFile_);
    layout->addWidget(CitiesOnFile_);
    layout->addWidget(Command1_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdEditList_);
    buttons->addWidget(cmdNewFileList_);
    layout->addLayout(buttons);
    resize(260, 380);

    CitiesOnFile_->onChoose = [this](int row) { placeChosen(row); };
    connect(Command1_, &QPushButton::clicked, this, [this] { app_.showNamesWindow(); });
    connect(cmdEditList_, &QPushButton::clicked, this, &CitiesWindow::editList);
    connect(cmdNewFileList_, &QPushButton::clicked, this, &CitiesWindow::changeList);
    reload();
}

void CitiesWindow::reload() {
    Session& s = app_.session();
    list_ = LoadCitiesList(s.settings.CitiesFilePath, s.appFolder);
    lblCitiesOnFile_->setText(QString::fromStdString(ListLabel(CitiesFileInUse(s))));
    CitiesOnFile_->setUpdatesEnabled(false);
    CitiesOnFile_->clear();
    for (const CityRecord& city : list_.records)
        CitiesOnFile_->addItem(QString::fromStdString(city.ListText));
    CitiesOnFile_->setUpdatesEnabled(true);

    if (!list_.opened) {
        s.dialogs->ShowMessage(
            "The cities file " + CitiesFileInUse(s) + " cannot be opened. The list of places is empty.",
            "Information!", MessageIcon::Information);
    } else if (list_.error) {
        s.dialogs->ShowMessage(*list_.error, "Error!", MessageIcon::Critical);
    }
}

void CitiesWindow::placeChosen(int row) {
    if (row < 0 || row >= CitiesOnFile_->count()) return;
    const auto k = FindCity(list_, CitiesOnFile_->item(row)->text().toStdString());
    if (!k) return;
    Session& s = app_.session();
    const CityRecord& city = list_.records[*k];
    std::optional<std::string> error;
    if (s.diurnal.secondPerson) {
        error = FillDiurnalFromCity(city, s.diurnal);
    } else {
        error = FillNatalFromCity(city, s.natal);
        if (!error) {
            if (s.diurnal.useNatal)
                CopyNatalToDiurnal(s.natal, s.diurnal);
            else
                FillDiurnalNow(s.diurnal, s.options, s.regional, LocalNow());
        }
    }
    app_.inputFieldsChanged();
    if (error) s.dialogs->ShowMessage(*error, "Error!", MessageIcon::Critical);
}

void CitiesWindow::changeList() {
    Session& s = app_.session();
    const std::string chosen = app_.chooseFile("*.LL", CitiesFileInUse(s), FileUse::Open);
    if (chosen.empty()) return;
    s.settings.CitiesFilePath = chosen;
    reload();
}

void CitiesWindow::editList() {
    // Owned by the main window: it outlives the switch between names and cities.
    if (!editor_) editor_ = new LongLatWindow(app_, app_.mainWindow());
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
}

LongLatWindow* CitiesWindow::editor() const {
    return editor_;
}

}  // namespace talvenor::gui
