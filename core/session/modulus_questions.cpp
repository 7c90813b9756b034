#include "session/modulus_questions.h"

#include "midpoints/dial_panel.h"

namespace talvenor {
namespace {

// Shows a refused answer's message and asks again, until an answer ends the prompt.
template <typename Ask, typename Judge>
std::optional<float> AskUntilTaken(UserDialogs& dialogs, Ask ask, Judge judge) {
    for (;;) {
        const ModulusReply reply = judge(ask());
        if (reply.message)
            dialogs.ShowMessage(reply.message->text, reply.message->title, reply.message->icon);
        switch (reply.answer) {
            case ModulusAnswer::AskAgain:
                continue;
            case ModulusAnswer::EndCommand:
                return std::nullopt;
            case ModulusAnswer::Accepted:
                return reply.modulus;
        }
    }
}

}  // namespace

std::optional<float> AskModulus(UserDialogs& dialogs) {
    return AskUntilTaken(
        dialogs, [&dialogs] { return dialogs.AskText(kModulusPrompt, kModulusTitle, kModulusDefault); },
        JudgeModulusAnswer);
}

std::optional<float> AskDialModulus(UserDialogs& dialogs, float current) {
    return AskUntilTaken(
        dialogs,
        [&dialogs, current] {
            return dialogs.AskText(kDialModulusPrompt, kModulusTitle, DialModulusText(current));
        },
        JudgeDialModulusAnswer);
}

}  // namespace talvenor
