// Small pieces every window uses: the busy pointer, Esc to close, and the conversion of file paths.
#pragma once

#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QShortcut>
#include <QString>
#include <QWidget>
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

// Esc closes the window, as its Close or Quit does: for the windows in which Esc has no other meaning.
inline QShortcut* CloseWithEscape(QWidget& window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    escape->setObjectName("scEscape");
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
    return escape;
}

// File paths keep their bytes whatever the locale.
inline QString FromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}
inline std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

}  // namespace talvenor::gui
