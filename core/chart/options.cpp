#include "chart/options.h"

#include <fstream>

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
    std::ifstream in(file, std::ios::binary);
    if (!in) return result;
    result.opened = true;

    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) break;
        if (result.linesRead == kOptionCount) {
            result.truncated = true;
            break;
        }
        ++result.linesRead;
        options[result.linesRead] = static_cast<float>(LeadingNumber(std::string_view(line).substr(0, 7)));
    }
    return result;
}

}  // namespace talvenor
