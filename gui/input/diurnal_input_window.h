// The diurnal input window: the moment and place of the diurnal or transit chart, or the birth data of
// a second person, with the "Use natal data" and "2nd Person" boxes. The input window of the diurnal
// description.
#pragma once

#include "input/input_window.h"

namespace talvenor::gui {

class DiurnalInputWindow : public InputWindow {
    Q_OBJECT

  public:
    explicit DiurnalInputWindow(AppServices& app, QWidget* parent = nullptr)
        : InputWindow(app, DiurnalWindowDescription(), parent) {}
};

}  // namespace talvenor::gui
