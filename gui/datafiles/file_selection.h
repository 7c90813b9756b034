// Choosing a names or cities file with the platform's file dialog: it opens in the program folder,
// shows the files that match the pattern and has the file in use selected.
#pragma once

#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/app_services.h"

class QFileDialog;
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

// The filters of kinds of file: "CSV files (*.csv *.CSV)" (files are named either way), and "All files (*)"
// for a kind without endings.
QStringList FileTypeFilters(const std::vector<FileType>& types);

// A file dialog set up for a request: its title, one filter a kind of file (the first selected), its
// button by use and, for a file to write, the ending of the kind chosen, which it gives a name typed
// without one (before it asks about replacing that file); the ending follows the user's choice of kind.
void SetUpFileDialog(QFileDialog& dialog, const FileRequest& request);

// The file dialog of a request over the window that asks (fallback as above), in the program folder.
FileAnswer ChooseFile(QWidget* fallback, const std::filesystem::path& appFolder, const FileRequest& request);

}  // namespace talvenor::gui
