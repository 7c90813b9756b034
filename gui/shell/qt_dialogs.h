// The program's messages, questions and prompts as Qt dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "environment/user_dialogs.h"

namespace talvenor::gui {

class QtDialogs : public UserDialogs {
  public:
    // Dialogs are centred on the parent when there is one.
    void setParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace talvenor::gui
