#include "ephemeris/series_table.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace talvenor {

std::uint64_t Fnv1a64(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    return h;
}

TableText CheckedTableText(std::string text) {
    TableText result;
    // The check line is the last line: "check " and 16 hex digits, then a line break.
    constexpr std::string_view kCheck = "check ";
    const std::size_t end = text.size();
    if (end < 1 || text[end - 1] != '\n') {
        result.fault = "is cut short (it does not end with its check line)";
        return result;
    }
    const std::size_t start = text.rfind('\n', end - 2);
    const std::size_t lineStart = start == std::string::npos ? 0 : start + 1;
    const std::string_view line(text.data() + lineStart, end - 1 - lineStart);
    std::uint64_t expected = 0;
    const char* digits = line.data() + kCheck.size();
    if (!line.starts_with(kCheck) || line.size() != kCheck.size() + 16 ||
        std::from_chars(digits, line.data() + line.size(), expected, 16).ptr != line.data() + line.size()) {
        result.fault = "is cut short (it does not end with its check line)";
        return result;
    }
    text.resize(lineStart);
    if (Fnv1a64(text) != expected) {
        result.fault = "is damaged (its check value does not match its contents)";
        return result;
    }
    result.text = std::move(text);
    return result;
}

TableText ReadTableFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, "The table file " + path.string() + " cannot be read."};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return {{}, "The table file " + path.string() + " cannot be read."};
    TableText checked = CheckedTableText(std::move(bytes).str());
    if (checked.fault) checked.fault = "The table file " + path.string() + " " + *checked.fault + ".";
    return checked;
}

bool TableLines::Next(std::vector<std::string_view>& words) {
    while (at_ < text_.size()) {
        std::size_t end = text_.find('\n', at_);
        if (end == std::string_view::npos) end = text_.size();
        const std::string_view line = text_.substr(at_, end - at_);
        at_ = end + 1;
        ++line_;
        if (line.empty() || line.front() == '#') continue;
        words.clear();
        for (std::size_t i = 0; i < line.size();) {
            while (i < line.size() && line[i] == ' ') ++i;
            std::size_t j = i;
            while (j < line.size() && line[j] != ' ') ++j;
            if (j > i) words.push_back(line.substr(i, j - i));
            i = j;
        }
        if (!words.empty()) return true;
    }
    return false;
}

std::optional<double> TableNumber(std::string_view word) {
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::size_t> TableCount(std::string_view word) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

}  // namespace talvenor
