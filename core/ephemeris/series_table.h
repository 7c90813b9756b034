// The text files that carry the modern engine's series: comment lines beginning with "#", the data, and a
// last line "check <16 hex digits>" holding the FNV-1a 64-bit hash of every byte before it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talvenor {

// The FNV-1a 64-bit hash of some bytes.
std::uint64_t Fnv1a64(std::string_view bytes);

// A table file's text, its check line confirmed, or what is wrong with it ("is cut short", "is damaged").
struct TableText {
    std::string text;                  // everything before the check line
    std::optional<std::string> fault;  // set when the text is not to be used
};

// Confirms the check line of a table file's whole text.
TableText CheckedTableText(std::string text);

// Reads a table file and confirms its check line; the fault names the path.
TableText ReadTableFile(const std::filesystem::path& path);

// Reads a table file with its parser: the read of a parser (a struct with an optional `fault`), whose fault
// names the file and says it is damaged, or the file's own fault when it cannot be read or checked.
template <class Read, class Parse>
Read LoadTableFile(const std::filesystem::path& path, Parse parse) {
    TableText text = ReadTableFile(path);
    if (text.fault) {
        Read read{};
        read.fault = std::move(text.fault);
        return read;
    }
    Read read = parse(text.text);
    if (read.fault) read.fault = "The table file " + path.string() + " is damaged (" + *read.fault + ").";
    return read;
}

// The data lines of a checked text, comments and blank lines left out, each split at blanks into words.
class TableLines {
  public:
    explicit TableLines(std::string_view text) : text_(text) {}
    // The next data line's words; false at the end.
    bool Next(std::vector<std::string_view>& words);
    // The number of the line last returned, counted from 1 in the whole file.
    int LineNumber() const { return line_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 0;
};

// A whole word read as a finite double or a count; nothing for any other text.
std::optional<double> TableNumber(std::string_view word);
std::optional<std::size_t> TableCount(std::string_view word);

}  // namespace talvenor
