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

QStringList FileTypeFilters(const std::vector<FileType>& types) {
    QStringList filters;
    for (const FileType& type : types) {
        QStringList patterns;
        for (const std::string& ending : type.endings) {
            const QString e = QString::fromStdString(ending);
            patterns << "*." + e.toLower() << "*." + e.toUpper();
        }
        if (patterns.isEmpty()) patterns << "*";
        filters << QString("%1 (%2)").arg(QString::fromStdString(type.label), patterns.join(' '));
    }
    return filters;
}

void SetUpFileDialog(QFileDialog& dialog, const FileRequest& request) {
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setAcceptMode(request.use == FileUse::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, request.use != FileUse::WriteNew);
    dialog.setFileMode(request.use == FileUse::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = FileTypeFilters(request.types);
    dialog.setNameFilters(filters);
    if (filters.isEmpty()) return;
    dialog.selectNameFilter(filters.front());
    if (request.use == FileUse::Open) return;
    // A name typed without an ending gets the one of the kind of file chosen.
    const auto endingOf = [types = request.types, filters](const QString& filter) {
        const qsizetype i = filters.indexOf(filter);
        if (i < 0 || types[static_cast<std::size_t>(i)].endings.empty()) return QString();
        return QString::fromStdString(types[static_cast<std::size_t>(i)].endings.front());
    };
    dialog.setDefaultSuffix(endingOf(filters.front()));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, endingOf](const QString& filter) { dialog.setDefaultSuffix(endingOf(filter)); });
}

FileAnswer ChooseFile(QWidget* fallback, const fs::path& appFolder, const FileRequest& request) {
    const RaisingWindow owner(fallback);
    QFileDialog dialog(owner.window(), QString(), QFile::decodeName(appFolder.string().c_str()));
    dialog.setObjectName("FileWindow");
    SetUpFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const qsizetype type = FileTypeFilters(request.types).indexOf(dialog.selectedNameFilter());
    return {QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString(),
            type < 0 ? 0 : static_cast<std::size_t>(type)};
}

}  // namespace talvenor::gui
