// How the report tool's commands read their arguments and say that one is bad.
//
// A command reads its arguments in order against a table of its options: a flag, an option whose value
// is the next argument, whatever it is, or an option whose value is a count. Every other argument goes to
// the command itself. The first fault ends the reading; it is said in one line on standard error and the
// run ends with exit status 2.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor::cli {

// The exit status of a run whose arguments are refused.
inline constexpr int kBadArgumentsStatus = 2;

// How a refusal reads on standard error: "talvenor-report: MESSAGE", then " (see --help)" or not. What it
// quotes of the arguments has its control characters shown as '?', as the pages show them: a message never
// sends an escape or a bell to the terminal.
struct RefusalStyle {
    bool seeHelp = true;
};
// The report options, import, export and places.
inline constexpr RefusalStyle kSeeHelp{};
// zone, and the ranges and names that events and graphic-ephemeris refuse.
inline constexpr RefusalStyle kPlain{.seeHelp = false};

// Writes a message on standard error as one line, "talvenor-report: MESSAGE", its control characters shown
// as '?': every message of the tool goes this way or through BadArguments.
void Tell(std::string_view message);

// While one lives, what Tell would write on its thread is added to `lines` instead, line end and all: a
// record computed on one of several threads keeps its messages until they can be written in order.
class KeptTells {
  public:
    explicit KeptTells(std::string& lines);
    ~KeptTells();
    KeptTells(const KeptTells&) = delete;
    KeptTells& operator=(const KeptTells&) = delete;

  private:
    std::string* previous;
};

// The line of a refusal, with its line end.
std::string RefusalLine(std::string_view message, RefusalStyle style = kSeeHelp);

// Writes the refusal on standard error and gives kBadArgumentsStatus, so that a command can end with
// "return BadArguments(...)".
int BadArguments(std::string_view message, RefusalStyle style = kSeeHelp);

// A count typed as digits only (no sign, blank, point or exponent), at most six of them, from `least` to
// `most`; nothing for any other text.
std::optional<std::size_t> ReadCount(std::string_view text, std::size_t least, std::size_t most);

// A value that is all of it one number, as StrictNumber reads it ("22,5" is no 22, " 45 " is 45), from
// `least` to `most`; nothing for any other text.
std::optional<double> ReadNumber(std::string_view text, double least, double most);
// The same for a whole number: "500" and "500.0", not "500.5".
std::optional<double> ReadWholeNumber(std::string_view text, double least, double most);

// One option of a command: its name and where its value goes. The table a command reads with names each
// option once; the variables it points at outlive the reading.
struct Option {
    // NAME alone sets `flag`.
    static Option Flag(std::string name, bool& flag);
    // NAME alone sets `flag` and ends the reading: nothing after it is looked at (--help, --version).
    static Option Final(std::string name, bool& flag);
    // NAME VALUE: the next argument, whatever it is. Without one: "NAME needs NEEDS" ("--natal needs a
    // record").
    static Option Text(std::string name, std::optional<std::string>& value, std::string needs);
    // NAME N: a count from `least` to `most`, as ReadCount reads it ("--limit 20"). Without one: "NAME
    // needs a number"; another value: "NAME must be a whole number from LEAST to MOST".
    static Option Count(std::string name, std::size_t& value, std::size_t least, std::size_t most);

    enum class Kind { Flag, Final, Text, Count };
    Kind kind = Kind::Flag;
    std::string name;
    bool* flag = nullptr;
    std::optional<std::string>* text = nullptr;
    std::string needs;
    std::size_t* count = nullptr;
    std::size_t least = 0, most = 0;
};

// What a command makes of an argument that is none of its options: "" when it takes it, the refusal
// otherwise.
using OtherArgument = std::function<std::string(const std::string& argument)>;

// Reads the arguments in order: each option of the table takes its value (a later one overrides an
// earlier one), every other argument goes to `other`. "" when all were read or a final option ended the
// reading, the first refusal otherwise.
std::string ReadArguments(const std::vector<std::string>& args, std::span<const Option> options,
                          const OtherArgument& other);

// Takes the options of the table, with their values, out of the arguments wherever they stand and leaves
// the others in their order, for the command that reads them next (after a final option, all that follows
// it). "" or the first refusal; the arguments are then left as they were.
std::string TakeArguments(std::vector<std::string>& args, std::span<const Option> options);

}  // namespace talvenor::cli
