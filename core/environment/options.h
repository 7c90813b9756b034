// The numeric settings of the options file, one option a line.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvenor {

inline constexpr int kOptionCount = 167;

// Options 1..167 in single precision, as the reports compare them; element 0 is unused.
class Options {
  public:
    float operator[](int n) const { return values_[static_cast<std::size_t>(n)]; }
    float& operator[](int n) { return values_[static_cast<std::size_t>(n)]; }

  private:
    std::array<float, kOptionCount + 1> values_{};
};

struct OptionsReadResult {
    bool opened = false;        // the file could be opened
    int linesRead = 0;          // options taken from the file
    bool truncated = false;     // the file went on past line 167 without an empty line; the rest was ignored
    int firstOddLine = 0;       // the first line read that is no option line (IsOptionLine); 0 for none
    std::string firstOddStart;  // that line's first seven characters
};

// An option line: its first seven characters, after leading blanks (spaces, tabs), begin with a number
// that ends at a blank or at the end of those seven characters ("  1.5  conjunction", "8", "-2"). The
// program reads every line with the leading-number rule all the same (a line of words gives 0); only a
// file named on the report tool's command line must be made of option lines.
bool IsOptionLine(std::string_view firstSeven);

// Why a file named as an options file cannot serve as one: it cannot be read ("cannot read options file
// X"), it holds no option ("options file X holds no options"), or a line read is no option line
// ("options file X, line 3: "abc" is not an option value"). No value for an options file.
std::optional<std::string> OptionsFileRefusal(const std::string& name, const OptionsReadResult& read);

// Reads the options file: line n gives option n from the leading number of its first seven characters;
// reading stops at the end of the file, at the first empty line or after line 167. A UTF-8 byte-order
// mark at the start is passed over. Options not read keep their values. A folder or device in the file's
// place is not opened.
OptionsReadResult ReadOptionsFile(const std::filesystem::path& file, Options& options);

// The values of the shipped master options file, used when no options file can be read.
Options DefaultOptions();

// Name of the options file and of its master copy inside the program folder.
inline constexpr const char* kOptionsFileName = "OPTIONS.OPT";
inline constexpr const char* kMasterOptionsFileName = "OPTIONS.MAS";

}  // namespace talvenor
