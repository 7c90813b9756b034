#include "datafiles/file_selection.h"

#include <QFile>
#include <QFileDialog>
#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "datafiles/file_choice.h"
#include "shell/qt_dialogs.h"

namespace talvenor::gui {

namespace fs = std::filesystem;

QStringList FileDialogFilters(const std::string& pattern) {
    const QString given = QString::fromStdString(pattern);
    QString patterns = given;
    if (given.toLower() != given) patterns += " " + given.toLower();
    return {QString("Data files (%1)").arg(patterns), QString("All files (*)")};
}

std::string FileToPreselect(const fs::path& folder, const std::string& pattern,
                            const std::string& currentPath) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(error) && MatchesPattern(name, pattern)) names.push_back(name);
    }
    // The order of a file list: by name, without regard to case.
    const auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    std::sort(names.begin(), names.end(),
              [&lower](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
    const int index = PreselectedFileIndex(names, currentPath);
    return index < 0 ? std::string() : names[static_cast<std::size_t>(index)];
}

std::string ChooseDataFile(QWidget* fallback, const fs::path& appFolder, const std::string& pattern,
                           const std::string& currentPath, FileUse use) {
    const QString folder = QFile::decodeName(appFolder.string().c_str());
    const RaisingWindow owner(fallback);
    QFileDialog dialog(owner.window(), "Select a File", folder);
    dialog.setObjectName("SelectFIle");
    // An entry is added to the file chosen, or replaces its namesake after a question of its own: the
    // dialog asks nothing about replacing the file. A file written anew is replaced only after the
    // dialog's own question.
    dialog.setAcceptMode(use == FileUse::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, use != FileUse::WriteNew);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(FileDialogFilters(pattern));
    // A file written anew starts with no name: a file already there is chosen only on purpose.
    const std::string preselected =
        use == FileUse::WriteNew ? std::string() : FileToPreselect(appFolder, pattern, currentPath);
    if (!preselected.empty()) dialog.selectFile(QFile::decodeName(preselected.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace talvenor::gui
