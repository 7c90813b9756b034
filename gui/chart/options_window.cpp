#include "chart/options_window.h"

#include <QByteArray>
#include <QFont>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "session/options_file_edit.h"
#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {

namespace {

// The file's bytes map one to one onto Latin-1 characters, so any byte of the file survives an edit
// and a save unchanged.
QString FromFileText(const std::string& text) {
    return QString::fromLatin1(QByteArray::fromStdString(text));
}

std::string ToFileText(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace

OptionsWindow::OptionsWindow(AppServices& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("Options");
    setWindowTitle(
        QString::fromUtf8(kOptionsWindowTitle.data(), static_cast<int>(kOptionsWindowTitle.size())));

    txtContent_ = new QPlainTextEdit(this);
    txtContent_->setObjectName("txtContent");
    txtContent_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    txtContent_->setFont(font);

    btnSave_ = new QPushButton("&Save", this);
    btnSave_->setObjectName("btnSave");
    btnQuit_ = new QPushButton("&Quit", this);
    btnQuit_->setObjectName("btnQuit");
    cmdRestoreDefault_ = new QPushButton("&Restore Default Settings", this);
    cmdRestoreDefault_->setObjectName("cmdRestoreDefault");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSave_);
    buttons->addWidget(btnQuit_);
    buttons->addStretch();
    buttons->addWidget(cmdRestoreDefault_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtContent_);
    layout->addLayout(buttons);

    connect(btnSave_, &QPushButton::clicked, this, &OptionsWindow::save);
    connect(btnQuit_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdRestoreDefault_, &QPushButton::clicked, this, &OptionsWindow::restoreDefaults);
    // Esc closes as Quit does, but asks first when the text holds changes not saved: a key is pressed by
    // mistake more easily than a button.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName("scEscape");
    connect(escape, &QShortcut::activated, this, &OptionsWindow::escape);

    resize(640, 480);
    loadText();
}

void OptionsWindow::loadText() {
    const auto text = ReadOptionsText(app_.session().appFolder / kOptionsFileName, "\n");
    txtContent_->setPlainText(text ? FromFileText(*text) : QString());
    txtContent_->document()->setModified(false);
}

void OptionsWindow::escape() {
    if (txtContent_->document()->isModified() &&
        !app_.session().dialogs->AskYesNo(std::string(kOptionsUnsavedQuestion),
                                          std::string(kOptionsUnsavedTitle), MessageIcon::Question))
        return;
    close();
}

void OptionsWindow::save() {
    Session& session = app_.session();
    const OptionsSaveResult result = SaveOptionsText(
        session.appFolder, ToFileText(txtContent_->toPlainText()), session.options, *session.dialogs);
    if (result != OptionsSaveResult::Saved) return;
    txtContent_->document()->setModified(false);
    app_.optionsSaved();
}

void OptionsWindow::restoreDefaults() {
    Session& session = app_.session();
    // The options in use stay as they are until the next Save or the next start.
    if (const auto text = RestoreDefaultOptions(session.appFolder, *session.dialogs, "\n")) {
        txtContent_->setPlainText(FromFileText(*text));
        txtContent_->document()->setModified(false);
    }
}

}  // namespace talvenor::gui
