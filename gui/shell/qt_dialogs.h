// The program's messages, questions and prompts as Qt dialogs, and what every modal box of the program
// shares: it belongs to the window that raised it and gives the focus back when it closes.
#pragma once

#include <QPointer>
#include <QWidget>

#include "environment/user_dialogs.h"

class QDialog;

namespace talvenor::gui {

// The window and the control a modal box is raised from. Made before the box: the box takes window() as
// its parent, so that it appears centred over that window and stays above it. When it goes (after the
// box has closed) that window is active again and the control has the keyboard focus, so that the
// next key acts where the user was working, not in the main window.
class RaisingWindow {
  public:
    // The window and control of the last box, for the next one of the same command: between two boxes
    // the window manager may not yet have made the window active again.
    struct Memory {
        QPointer<QWidget> window, control;
    };

    // fallback: the window used when no window of the program is active and nothing is remembered
    // (at start-up). memory, when given, is used and updated.
    explicit RaisingWindow(QWidget* fallback, Memory* memory = nullptr);
    ~RaisingWindow();
    RaisingWindow(const RaisingWindow&) = delete;
    RaisingWindow& operator=(const RaisingWindow&) = delete;

    QWidget* window() const { return window_; }

  private:
    QPointer<QWidget> window_;
    QPointer<QWidget> control_;
};

// Makes a box at least as wide as its title needs in the window manager's title bar beside the icon and
// the buttons of the frame, so that a short message does not cut its title.
void MakeRoomForTitle(QDialog& box, const QWidget* raisingWindow);

class QtDialogs : public UserDialogs {
  public:
    // The window boxes belong to while no window of the program is active.
    void setParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override;

  private:
    QPointer<QWidget> parent_;
    RaisingWindow::Memory lastOwner_;
};

}  // namespace talvenor::gui
