// How core talks to the user: message boxes, yes/no questions and text prompts.
//
// The texts and titles are the system's own words and live next to the rule that raises them; the
// desktop program shows them with real dialogs, the tests with a scripted double.
#pragma once

#include <optional>
#include <string>

#include "environment/user_message.h"

namespace talvenor {

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // A modal message box with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A modal question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // An input box; no value when the user cancels.
    virtual std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) = 0;
};

// Shows nothing and answers No / Cancel: for front ends without a screen, which report through their
// own channel.
class SilentDialogs : public UserDialogs {
  public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace talvenor
