// The modulus prompts: the sort and tree commands' and the dial's own, asked until an answer is taken.
#pragma once

#include <optional>

#include "environment/user_dialogs.h"
#include "midpoints/modulus_prompt.h"

namespace talvenor {

// Asks until the answer lies in 0..360 (JudgeModulusAnswer): no value for 0, an empty answer, Cancel or
// text without a number (the command then ends without a report); the modulus otherwise.
std::optional<float> AskModulus(UserDialogs& dialogs);

// The dial's "Other..." prompt, offering the dial's modulus (JudgeDialModulusAnswer). No value for Cancel
// or an empty answer.
std::optional<float> AskDialModulus(UserDialogs& dialogs, float current);

}  // namespace talvenor
