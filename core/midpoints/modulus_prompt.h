// The modulus prompt of the sort and tree commands, and the dial's own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "environment/user_dialogs.h"

namespace talvenor {

inline constexpr const char* kModulusPrompt = "Enter modulus (e.g. 22.5, 45, 90, or 360):";
inline constexpr const char* kModulusTitle = "Modulus";
inline constexpr const char* kModulusDefault = " 360";

// Asks until the answer lies in 0..360: no value for 0, an empty answer, Cancel or text without a number
// (the command then ends without a report); the modulus in single precision otherwise. An answer that
// is only partly a number ("22,5", "90abc") is not read by its first digits: it is refused with
// ModulusNotANumberMessage and the prompt comes back.
std::optional<float> AskModulus(UserDialogs& dialogs);

// The rule for one answer: no value = ask again; 0 = end the command; otherwise the modulus.
enum class ModulusAnswer { AskAgain, EndCommand, Accepted };
ModulusAnswer JudgeModulus(float value);

// The dial's "Other..." prompt: it names the range, offers the dial's modulus, and answers a wrong
// answer with a message saying why before it asks again. No value for Cancel or an empty answer (the
// dial stays as it is).
inline constexpr const char* kDialModulusPrompt =
    "Enter the modulus of the dial, a number above 0 and at most 360 (e.g. 22.5, 30, 45, 90 or 360):";
std::optional<float> AskDialModulus(UserDialogs& dialogs, float current);

// The messages of a refused answer, which quote it.
std::string ModulusNotANumberMessage(std::string_view answer);
std::string ModulusOutOfRangeMessage(std::string_view answer);

}  // namespace talvenor
