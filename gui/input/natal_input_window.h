// The natal input window: name, date, clock time, time zone and place of the natal chart, with OK (which
// computes the charts), "Save to disk" and NOW. The input window of the natal description.
#pragma once

#include "input/input_window.h"

namespace talvenor::gui {

class NatalInputWindow : public InputWindow {
    Q_OBJECT

  public:
    explicit NatalInputWindow(AppServices& app, QWidget* parent = nullptr)
        : InputWindow(app, NatalWindowDescription(), parent) {}
};

}  // namespace talvenor::gui
