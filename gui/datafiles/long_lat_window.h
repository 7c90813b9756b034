// The cities editor LongLat: the whole cities file as text for free editing.
#pragma once

#include "datafiles/list_editor_window.h"

namespace talvenor::gui {

class LongLatWindow : public ListEditorWindow {
    Q_OBJECT

  public:
    // Opens the cities file in use.
    explicit LongLatWindow(AppServices& app, QWidget* parent = nullptr);

  protected:
    // The cities window shows the list as it now stands.
    void quit() override;
};

}  // namespace talvenor::gui
