// The numeric settings of the options file, one option a line.
#pragma once

#include <array>
#include <filesystem>
#include <string>

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
    bool opened = false;     // the file could be opened
    int linesRead = 0;       // options taken from the file
    bool truncated = false;  // the file went on past line 167 without an empty line; the rest was ignored
};

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
