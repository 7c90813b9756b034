// Choosing a names or cities file with the platform's file dialog: it opens in the program folder,
// shows the files that match the pattern and has the file in use selected.
#pragma once

#include <QStringList>
#include <filesystem>
#include <string>

#include "shell/app_services.h"

class QWidget;

namespace talvenor::gui {

// The dialog's filter for a pattern such as "*.FIL": the pattern as given and in small letters, since
// the files may be named either way.
QStringList FileDialogFilters(const std::string& pattern);

// The name to select in the program folder: the first matching file whose name ends the current path
// (without regard to case); "" when no file matches the pattern.
std::string FileToPreselect(const std::filesystem::path& folder, const std::string& pattern,
                            const std::string& currentPath);

// Shows the dialog over the window that asks (fallback: when no window of the program is active); the
// full path of the chosen file, or "" when the user cancels. A name typed that does not exist yet is
// answered too ("Save to disk" may start a new names file). Its button says "Open" or "Save" by use; a
// file written anew is replaced only after the dialog has asked.
std::string ChooseDataFile(QWidget* fallback, const std::filesystem::path& appFolder,
                           const std::string& pattern, const std::string& currentPath, FileUse use);

}  // namespace talvenor::gui
