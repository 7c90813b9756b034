// The names editor NameEdit: the whole names file as text for free editing.
#pragma once

#include "datafiles/list_editor_window.h"

namespace talvenor::gui {

class NameEditWindow : public ListEditorWindow {
    Q_OBJECT

  public:
    // Opens the names file in use.
    explicit NameEditWindow(AppServices& app, QWidget* parent = nullptr);

  protected:
    void saved() override;
    // The names window shows the list as it now stands.
    void quit() override;
};

}  // namespace talvenor::gui
