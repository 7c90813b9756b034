// The modulus prompt of the sort and tree commands.
#pragma once

#include <optional>

#include "environment/user_dialogs.h"

namespace talvenor {

inline constexpr const char* kModulusPrompt = "Enter modulus (e.g. 22.5, 45, 90, or 360):";
inline constexpr const char* kModulusTitle = "Modulus";
inline constexpr const char* kModulusDefault = " 360";

// Asks until the answer lies in 0..360: no value for 0, an empty answer, Cancel or text without a number
// (the command then ends without a report); the modulus in single precision otherwise.
std::optional<float> AskModulus(UserDialogs& dialogs);

// The rule for one answer: no value = ask again; 0 = end the command; otherwise the modulus.
enum class ModulusAnswer { AskAgain, EndCommand, Accepted };
ModulusAnswer JudgeModulus(float value);

}  // namespace talvenor
