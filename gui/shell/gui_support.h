// Small pieces every window uses: the busy pointer and the conversion of file paths.
#pragma once

#include <QApplication>
#include <QFile>
#include <QString>
#include <filesystem>

namespace talvenor::gui {

// The hourglass for the length of a command.
class Hourglass {
  public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

// File paths keep their bytes whatever the locale.
inline QString FromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}
inline std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

}  // namespace talvenor::gui
