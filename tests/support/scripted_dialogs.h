// A UserDialogs double: records every message and answers questions from a queue.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "environment/user_dialogs.h"

namespace talvenor::testing_support {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class ScriptedDialogs : public UserDialogs {
  public:
    std::vector<ShownMessage> shown;
    std::deque<bool> yesNoAnswers;                   // default No when empty
    std::deque<std::optional<std::string>> answers;  // default Cancel when empty

    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string&) override {
        shown.push_back({prompt, title, MessageIcon::None});
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace talvenor::testing_support
