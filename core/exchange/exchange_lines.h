// The lines of an exchange file, read one at a time from a stream, so that importing a file of any size
// costs little memory: the records are converted and written as they are read.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace talvenor {

// How much of a line is held. No record of any exchange format comes near these sizes; they keep the
// endless line of a damaged file (a file of one line, a field of megabytes) from filling the memory.
// A run of bytes between two separators (",", ";", tab or a double quote) keeps its first
// kLongestHeldRun bytes, so that a field of megabytes is still known as far too long while the fields
// after it are read; a line keeps its first kLongestHeldLine bytes, and of the rest only whether it
// holds an odd number of double quotes, so that a quoted CSV field goes on over the next lines as before.
inline constexpr std::size_t kLongestHeldRun = 64 * 1024;
inline constexpr std::size_t kLongestHeldLine = 1024 * 1024;

struct ExchangeLine {
    std::string text;        // decoded on its own: valid UTF-8 as it is, anything else as Windows-1252
    std::size_t number = 0;  // counted from 1
    bool ended = false;      // a line end follows it; the last line of a file has none (and may be empty)
};

// LF, CR LF and a CR alone each end a line (CR CR LF once); a UTF-8 byte-order mark at the start of the
// file is dropped.
// Read so, a file gives the same lines as its whole text decoded and split, line for line.
class ExchangeLines {
  public:
    explicit ExchangeLines(std::istream& in) : in_(in) {}
    // The next line; false after the last one. Every file has at least one line: an empty file one
    // empty line.
    bool Next(ExchangeLine& line);
    // A NUL byte has been read: the file is no text file.
    bool SawNul() const { return sawNul_; }
    // Reading failed before the end of the file.
    bool ReadFailed() const { return failed_; }

  private:
    int Get();
    void Unget(int c);
    void Keep(char c);
    void DropIncompleteCharacter();

    std::istream& in_;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
    std::size_t at_ = 0, filled_ = 0;
    std::vector<int> back_;  // bytes read ahead and given back, the next one last
    std::size_t count_ = 0;
    bool done_ = false, sawNul_ = false, failed_ = false;
    // The line being read.
    std::string raw_;
    std::size_t run_ = 0;
    bool runCut_ = false, lineCut_ = false;
    std::size_t droppedQuotes_ = 0;
};

}  // namespace talvenor
