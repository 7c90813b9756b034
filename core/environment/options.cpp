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
    }
    return result;
}

}  // namespace talvenor
