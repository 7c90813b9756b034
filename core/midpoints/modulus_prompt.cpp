#include "midpoints/modulus_prompt.h"

#include <utility>

#include "midpoints/dial_panel.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

constexpr std::size_t kLongestQuote = 40;

// The answer as a message quotes it: without the blanks around it, a long one cut short.
std::string Quoted(std::string_view answer) {
    const auto first = answer.find_first_not_of(" \t");
    if (first == std::string_view::npos) return "\"\"";
    answer = answer.substr(first, answer.find_last_not_of(" \t") - first + 1);
    if (answer.size() > kLongestQuote) return "\"" + std::string(answer.substr(0, kLongestQuote)) + "...\"";
    return "\"" + std::string(answer) + "\"";
}

// A number followed by something else: the leading-number rule reads the start of it, but not all.
bool PartlyANumber(std::string_view answer) {
    const std::size_t length = LeadingNumberLength(answer);
    return length > 0 && answer.substr(length).find_first_not_of(" \t") != std::string_view::npos;
}

}  // namespace

std::string ModulusNotANumberMessage(std::string_view answer) {
    return Quoted(answer) +
           " is not a number. The modulus is a number above 0 and at most 360, its decimals after a point "
           "(22.5).";
}

std::string ModulusOutOfRangeMessage(std::string_view answer) {
    return "The modulus must be above 0 and at most 360: " + Quoted(answer) + " is not.";
}

ModulusAnswer JudgeModulus(float value) {
    if (!(value >= 0 && value <= 360)) return ModulusAnswer::AskAgain;
    if (value == 0) return ModulusAnswer::EndCommand;
    return ModulusAnswer::Accepted;
}

namespace {

UserMessage Refusal(std::string text) {
    return {std::move(text), kModulusTitle, MessageIcon::Exclamation};
}

}  // namespace

ModulusReply JudgeModulusAnswer(const std::optional<std::string>& answer) {
    ModulusReply reply;
    if (answer && PartlyANumber(*answer)) {
        reply.message = Refusal(ModulusNotANumberMessage(*answer));
        return reply;
    }
    const float value = answer ? static_cast<float>(LeadingNumber(*answer)) : 0.0f;
    reply.answer = JudgeModulus(value);
    reply.modulus = value;
    return reply;
}

ModulusReply JudgeDialModulusAnswer(const std::optional<std::string>& answer) {
    ModulusReply reply;
    if (!answer || answer->find_first_not_of(" \t") == std::string::npos) {
        reply.answer = ModulusAnswer::EndCommand;
        return reply;
    }
    const std::optional<double> value = WholeNumber(*answer);
    if (!value) {
        reply.message = Refusal(ModulusNotANumberMessage(*answer));
        return reply;
    }
    const auto modulus = static_cast<float>(*value);
    if (JudgeModulus(modulus) != ModulusAnswer::Accepted) {
        reply.message = Refusal(ModulusOutOfRangeMessage(*answer));
        return reply;
    }
    reply.answer = ModulusAnswer::Accepted;
    reply.modulus = modulus;
    return reply;
}

}  // namespace talvenor
