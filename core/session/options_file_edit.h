// The options window's file work: the text it shows, saving the edited text, and restoring the master
// copy.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "environment/options.h"
#include "environment/user_dialogs.h"

namespace talvenor {

inline constexpr std::string_view kOptionsWindowTitle = "Edit: OPTIONS.OPT";

inline constexpr std::string_view kRestoreFailedMessage = "Error in operation. Cannot do what is requested.";
inline constexpr std::string_view kOptionsEmptyTextMessage =
    "The options text is empty, so it was not saved. OPTIONS.OPT and the options in use are unchanged.";
inline constexpr std::string_view kOptionsFileMissingMessage =
    "OPTIONS.OPT cannot be found, so the text was not saved. The options in use are unchanged.";
inline constexpr std::string_view kOptionsNotWrittenMessage =
    "OPTIONS.OPT could not be written, so the text was not saved. The file and the options in use are "
    "unchanged.";
inline constexpr std::string_view kOptionsWarningTitle = "Warning!";
// Esc in the window while the text holds changes not saved (Quit closes without asking).
inline constexpr std::string_view kOptionsUnsavedQuestion =
    "The options are changed but not saved. Close the window and lose the changes?";
inline constexpr std::string_view kOptionsUnsavedTitle = "Options";

// The text the window shows: every line of the file followed by lineEnd. No value when the file cannot
// be read.
std::optional<std::string> ReadOptionsText(const std::filesystem::path& file,
                                           std::string_view lineEnd = "\r\n");

// What Save writes for the window's text: its lines (broken at CR LF or LF) each ended by CR LF. The
// text's own final line break is dropped first, so the file ends with a single line break whether or
// not the text ended with one.
std::string OptionsFileContent(std::string_view text);

enum class OptionsSaveResult { Saved, EmptyText, FileMissing, NotWritten };

// Save: writes the text to the program folder's OPTIONS.OPT (through a temporary file and a rename)
// and reads the options again from it. A text of nothing but blanks and line breaks, a missing file
// or a failed write shows its message ("Warning!") and keeps the file and the options as they were.
OptionsSaveResult SaveOptionsText(const std::filesystem::path& appFolder, std::string_view text,
                                  Options& options, UserDialogs& dialogs);

// Restore Default Settings: copies OPTIONS.MAS over OPTIONS.OPT and returns the restored file's text
// (lines ended by lineEnd). The options in use are not read again. On any failure shows
// kRestoreFailedMessage ("Warning!", information icon) and returns no value.
std::optional<std::string> RestoreDefaultOptions(const std::filesystem::path& appFolder, UserDialogs& dialogs,
                                                 std::string_view lineEnd = "\r\n");

}  // namespace talvenor
