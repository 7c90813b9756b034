#include "datafiles/long_lat_window.h"

#include "datafiles/list_window_support.h"
#include "shell/app_services.h"

namespace talvenor::gui {

LongLatWindow::LongLatWindow(AppServices& app, QWidget* parent)
    : ListEditorWindow(app, "LongLat", CitiesFileInUse(app.session()), parent) {}

void LongLatWindow::quit() {
    app_.showCitiesWindow();
}

}  // namespace talvenor::gui
