// The rules of the modulus prompt of the sort and tree commands, and of the dial's own: how an answer is
// judged and what a refused one is told. The asking is the session's (session/modulus_questions.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "environment/user_message.h"

namespace talvenor {

inline constexpr const char* kModulusPrompt = "Enter modulus (e.g. 22.5, 45, 90, or 360):";
inline constexpr const char* kModulusTitle = "Modulus";
inline constexpr const char* kModulusDefault = " 360";

// The rule for one answer: no value = ask again; 0 = end the command; otherwise the modulus.
enum class ModulusAnswer { AskAgain, EndCommand, Accepted };
ModulusAnswer JudgeModulus(float value);

// One typed answer judged: ask again (after showing `message`, when there is one), end the command, or
// the modulus in single precision. No answer is Cancel.
struct ModulusReply {
    ModulusAnswer answer = ModulusAnswer::AskAgain;
    float modulus = 0;
    std::optional<UserMessage> message;
};

// The sort and tree commands' prompt: 0, an empty answer, Cancel or text without a number end the command
// without a report; a value outside 0..360 asks again. An answer that is only partly a number ("22,5",
// "90abc") is not read by its first digits: it is refused with ModulusNotANumberMessage.
ModulusReply JudgeModulusAnswer(const std::optional<std::string>& answer);

// The dial's "Other..." prompt: it names the range, offers the dial's modulus, and answers a wrong
// answer with a message saying why before it asks again. Cancel or an empty answer ends it (the dial
// stays as it is).
inline constexpr const char* kDialModulusPrompt =
    "Enter the modulus of the dial, a number above 0 and at most 360 (e.g. 22.5, 30, 45, 90 or 360):";
ModulusReply JudgeDialModulusAnswer(const std::optional<std::string>& answer);

// The messages of a refused answer, which quote it.
std::string ModulusNotANumberMessage(std::string_view answer);
std::string ModulusOutOfRangeMessage(std::string_view answer);

}  // namespace talvenor
