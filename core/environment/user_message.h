// A message for the user as core returns it: the text, the title and the icon of its box.
//
// Core below the session never shows a message itself; it returns one of these, and the session or a
// window shows it (through UserDialogs), the report tool prints it, the batch and the import list it.
#pragma once

#include <string>

namespace talvenor {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

struct UserMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    friend bool operator==(const UserMessage&, const UserMessage&) = default;
};

}  // namespace talvenor
