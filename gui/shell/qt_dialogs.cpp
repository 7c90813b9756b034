#include "shell/qt_dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace talvenor::gui {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool QtDialogs::AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) {
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::AskText(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, QString::fromStdString(title), QString::fromStdString(prompt),
                              QLineEdit::Normal, QString::fromStdString(defaultText), &ok);
    if (!ok) return std::nullopt;
    return answer.toStdString();
}

}  // namespace talvenor::gui
