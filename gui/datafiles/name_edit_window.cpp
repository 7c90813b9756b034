#include "datafiles/name_edit_window.h"

#include "datafiles/list_window_support.h"
#include "shell/app_services.h"

namespace talvenor::gui {

NameEditWindow::NameEditWindow(AppServices& app, QWidget* parent)
    : ListEditorWindow(app, "NameEdit", NamesFileInUse(app.session()), parent) {}

void NameEditWindow::saved() {
    app_.namesListState().SkipLockedSelect = false;
}

void NameEditWindow::quit() {
    app_.showNamesWindow();
}

}  // namespace talvenor::gui
