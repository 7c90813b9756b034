#include "environment/options.h"

#include <fstream>
#include <string_view>

#include "environment/text_files.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

// Option number and value of every option that is not 0 in the shipped master file.
struct DefaultOption {
    int n;
    float value;
};
constexpr DefaultOption kDefaultOptions[] = {
    {1, 8},   {2, 5},  {3, 7},    {4, 7},     {5, 8},     {6, 1},      {7, 2},     {8, 2},
    {9, 2},   {10, 3}, {11, 1},   {12, 1},    {13, 2},    {14, 1},     {15, 2},    {22, 51},
    {23, 29}, {27, 1}, {30, 60},  {33, 1.5f}, {34, 1.5f}, {35, 1},     {40, 1.5f}, {45, 60},
    {60, 1},  {65, 1}, {66, 132}, {67, 2},    {117, 80},  {162, 1.5f}, {163, 16},
};

}  // namespace

Options DefaultOptions() {
    Options options;
    for (const DefaultOption& o : kDefaultOptions) options[o.n] = o.value;
    return options;
}

bool IsOptionLine(std::string_view firstSeven) {
    firstSeven = firstSeven.substr(0, 7);
    const std::size_t length = LeadingNumberLength(firstSeven);
    return length > 0 &&
           (length == firstSeven.size() || firstSeven[length] == ' ' || firstSeven[length] == '\t');
}

std::optional<std::string> OptionsFileRefusal(const std::string& name, const OptionsReadResult& read) {
    if (!read.opened) return "cannot read options file " + name;
    // Every option 0 (no orbs, no page length) gives pages that only look right.
    if (read.linesRead == 0) return "options file " + name + " holds no options";
    if (read.firstOddLine == 0) return std::nullopt;
    const std::string where = "options file " + name + ", line " + std::to_string(read.firstOddLine);
    std::string start = DecodeLine(read.firstOddStart);
    start.erase(0, start.find_first_not_of(" \t"));
    start.erase(start.find_last_not_of(" \t") + 1);
    for (char& c : start) {
        // A stray control byte is not sent to the terminal as it is.
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    if (start.empty()) return where + ": no option value in its first seven characters";
    return where + ": \"" + start + "\" is not an option value";
}

OptionsReadResult ReadOptionsFile(const std::filesystem::path& file, Options& options) {
    OptionsReadResult result;
    // A folder or a device is no options file (and /dev/zero would never end).
    if (!IsPlainFile(file)) return result;
    std::ifstream in(file, std::ios::binary);
    if (!in) return result;
    result.opened = true;
    // A byte-order mark, as some editors put before UTF-8 text, is no part of option 1: read as its
    // leading number it would give 0 and drop every conjunction.
    if (char mark[3]; !in.read(mark, 3) || std::string_view(mark, 3) != "\xEF\xBB\xBF") {
        in.clear();
        in.seekg(0);
    }

    // Only the first seven characters of a line count, so only they are kept, however long the line.
    while (const auto line = ReadLineHead(in, 7)) {
        if (line->text.empty()) break;
        if (result.linesRead == kOptionCount) {
            result.truncated = true;
            break;
        }
        ++result.linesRead;
        options[result.linesRead] = static_cast<float>(LeadingNumber(line->text));
        if (result.firstOddLine == 0 && !IsOptionLine(line->text)) {
            result.firstOddLine = result.linesRead;
            result.firstOddStart = line->text;
        }
    }
    return result;
}

}  // namespace talvenor
