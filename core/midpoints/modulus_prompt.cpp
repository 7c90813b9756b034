#include "midpoints/modulus_prompt.h"

#include "text/basic_text.h"

namespace talvenor {

ModulusAnswer JudgeModulus(float value) {
    if (!(value >= 0 && value <= 360)) return ModulusAnswer::AskAgain;
    if (value == 0) return ModulusAnswer::EndCommand;
    return ModulusAnswer::Accepted;
}

std::optional<float> AskModulus(UserDialogs& dialogs) {
    for (;;) {
        const std::optional<std::string> answer =
            dialogs.AskText(kModulusPrompt, kModulusTitle, kModulusDefault);
        const float value = answer ? static_cast<float>(LeadingNumber(*answer)) : 0.0f;
        switch (JudgeModulus(value)) {
            case ModulusAnswer::AskAgain:
                continue;
            case ModulusAnswer::EndCommand:
                return std::nullopt;
            case ModulusAnswer::Accepted:
                return value;
        }
    }
}

}  // namespace talvenor
