#include "session/options_file_edit.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "environment/text_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadBytes(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;  // a folder, /dev/zero
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool HoldsOnlyBlanks(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

void Warn(UserDialogs& dialogs, std::string_view message) {
    dialogs.ShowMessage(std::string(message), std::string(kOptionsWarningTitle), MessageIcon::Exclamation);
}

}  // namespace

std::optional<std::string> ReadOptionsText(const fs::path& file, std::string_view lineEnd) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;  // a folder, /dev/zero
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        text += line;
        text += lineEnd;
    }
    if (in.bad()) return std::nullopt;
    return text;
}

std::string OptionsFileContent(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    std::string content;
    content.reserve(text.size() + 64);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n') {
            content += "\r\n";
        } else {
            content += text[i];
        }
    }
    content += "\r\n";
    return content;
}

OptionsSaveResult SaveOptionsText(const fs::path& appFolder, std::string_view text, Options& options,
                                  UserDialogs& dialogs) {
    // An empty text would leave an options file from which nothing can be read.
    if (HoldsOnlyBlanks(text)) {
        Warn(dialogs, kOptionsEmptyTextMessage);
        return OptionsSaveResult::EmptyText;
    }
    const fs::path file = appFolder / kOptionsFileName;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        Warn(dialogs, kOptionsFileMissingMessage);
        return OptionsSaveResult::FileMissing;
    }
    bool written = false;
    try {
        written = ReplaceFileContents(file, OptionsFileContent(text));
    } catch (const std::exception&) {  // memory exhausted while building the content
        written = false;
    }
    if (!written) {
        Warn(dialogs, kOptionsNotWrittenMessage);
        return OptionsSaveResult::NotWritten;
    }
    ReadOptionsFile(file, options);
    return OptionsSaveResult::Saved;
}

std::optional<std::string> RestoreDefaultOptions(const fs::path& appFolder, UserDialogs& dialogs,
                                                 std::string_view lineEnd) {
    const fs::path file = appFolder / kOptionsFileName;
    std::optional<std::string> text;
    try {
        if (const auto master = ReadBytes(appFolder / kMasterOptionsFileName)) {
            if (ReplaceFileContents(file, *master)) text = ReadOptionsText(file, lineEnd);
        }
    } catch (const std::exception&) {  // memory exhausted
        text.reset();
    }
    if (!text) {
        dialogs.ShowMessage(std::string(kRestoreFailedMessage), std::string(kOptionsWarningTitle),
                            MessageIcon::Information);
    }
    return text;
}

}  // namespace talvenor
