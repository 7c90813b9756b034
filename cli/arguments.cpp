#include "arguments.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "input/strict_number.h"
#include "text/control_characters.h"

namespace talvenor::cli {
namespace {

// Six digits hold every count a command takes, and no more can overflow.
constexpr std::size_t kMostCountDigits = 6;

// Where Tell keeps its lines on this thread while a KeptTells lives; nothing writes them at once.
thread_local std::string* keptTells = nullptr;

const Option* Named(std::span<const Option> options, const std::string& argument) {
    for (const Option& option : options) {
        if (option.name == argument) return &option;
    }
    return nullptr;
}

// Reads as ReadArguments does; `end` is where the reading stopped: past the last argument, or just after
// a final option.
std::string Read(const std::vector<std::string>& args, std::span<const Option> options,
                 const OtherArgument& other, std::size_t& end) {
    for (end = 0; end < args.size(); ++end) {
        const std::string& a = args[end];
        const Option* option = Named(options, a);
        if (!option) {
            if (std::string refusal = other(a); !refusal.empty()) return refusal;
            continue;
        }
        const bool valued = option->kind == Option::Kind::Text || option->kind == Option::Kind::Count;
        if (valued && end + 1 >= args.size()) return a + " needs " + option->needs;
        switch (option->kind) {
            case Option::Kind::Flag:
                *option->flag = true;
                break;
            case Option::Kind::Final:
                *option->flag = true;
                ++end;
                return "";
            case Option::Kind::Text:
                *option->text = args[++end];
                break;
            case Option::Kind::Count: {
                const auto n = ReadCount(args[++end], option->least, option->most);
                if (!n) {
                    return a + " must be a whole number from " + std::to_string(option->least) + " to " +
                           std::to_string(option->most);
                }
                *option->count = *n;
                break;
            }
        }
    }
    return "";
}

}  // namespace

std::string RefusalLine(std::string_view message, RefusalStyle style) {
    std::string line = "talvenor-report: ";
    line += ControlCharactersReplaced(message, '?');
    if (style.seeHelp) line += " (see --help)";
    return line + "\n";
}

void Tell(std::string_view message) {
    const std::string line = "talvenor-report: " + ControlCharactersReplaced(message, '?') + "\n";
    if (keptTells != nullptr) {
        *keptTells += line;
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stderr);
}

KeptTells::KeptTells(std::string& lines) : previous(keptTells) {
    keptTells = &lines;
}

KeptTells::~KeptTells() {
    keptTells = previous;
}

int BadArguments(std::string_view message, RefusalStyle style) {
    const std::string line = RefusalLine(message, style);
    std::fwrite(line.data(), 1, line.size(), stderr);
    return kBadArgumentsStatus;
}

std::optional<std::size_t> ReadCount(std::string_view text, std::size_t least, std::size_t most) {
    if (text.empty() || text.size() > kMostCountDigits ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    std::size_t n = 0;
    for (char digit : text) n = n * 10 + static_cast<std::size_t>(digit - '0');
    if (n < least || n > most) return std::nullopt;
    return n;
}

std::optional<double> ReadNumber(std::string_view text, double least, double most) {
    const std::optional<double> value = StrictNumber(text);
    if (!value || *value < least || *value > most) return std::nullopt;
    return value;
}

std::optional<double> ReadWholeNumber(std::string_view text, double least, double most) {
    const std::optional<double> value = ReadNumber(text, least, most);
    if (!value || *value != std::floor(*value)) return std::nullopt;
    return value;
}

Option Option::Flag(std::string name, bool& flag) {
    Option option;
    option.name = std::move(name);
    option.flag = &flag;
    return option;
}

Option Option::Final(std::string name, bool& flag) {
    Option option = Flag(std::move(name), flag);
    option.kind = Kind::Final;
    return option;
}

Option Option::Text(std::string name, std::optional<std::string>& value, std::string needs) {
    Option option;
    option.kind = Kind::Text;
    option.name = std::move(name);
    option.text = &value;
    option.needs = std::move(needs);
    return option;
}

Option Option::Count(std::string name, std::size_t& value, std::size_t least, std::size_t most) {
    Option option;
    option.kind = Kind::Count;
    option.name = std::move(name);
    option.count = &value;
    option.needs = "a number";
    option.least = least;
    option.most = most;
    return option;
}

std::string ReadArguments(const std::vector<std::string>& args, std::span<const Option> options,
                          const OtherArgument& other) {
    std::size_t end = 0;
    return Read(args, options, other, end);
}

std::string TakeArguments(std::vector<std::string>& args, std::span<const Option> options) {
    std::vector<std::string> rest;
    std::size_t end = 0;
    const std::string refusal = Read(
        args, options,
        [&rest](const std::string& a) {
            rest.push_back(a);
            return std::string();
        },
        end);
    if (!refusal.empty()) return refusal;
    rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(end), args.end());
    args = std::move(rest);
    return "";
}

}  // namespace talvenor::cli
