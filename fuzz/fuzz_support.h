// What the fuzz targets share: a private folder for the files the readers open, the input split into
// lines, and a check that stops the run when a reader breaks a promise of its interface.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "environment/user_dialogs.h"

namespace talvenor::fuzzing {

// One folder per process under the temporary folder (TMPDIR), so that parallel runs never share a file.
inline const std::filesystem::path& FuzzFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("talvenor-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// Writes the input, byte for byte, to a file of that name in the folder and returns its path.
inline std::filesystem::path WriteInputFile(const std::string& name, const std::uint8_t* data,
                                            std::size_t size) {
    const std::filesystem::path file = FuzzFolder() / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file;
}

inline std::filesystem::path WriteTextFile(const std::string& name, std::string_view text) {
    return WriteInputFile(name, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every LF (a CR before it stays on the line).
inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A broken promise is a finding like a crash: say which, and stop so that libFuzzer keeps the input.
inline void Require(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "talvenor fuzz: broken promise: %s\n", promise);
    __builtin_trap();
}

// Shows nothing, answers No and Cancel, and counts the messages.
class CountingDialogs : public UserDialogs {
  public:
    int messages = 0;
    std::vector<std::string> texts;
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
        ++messages;
        texts.push_back(text);
    }
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace talvenor::fuzzing
