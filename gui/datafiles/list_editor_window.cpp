#include "datafiles/list_editor_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "datafiles/list_window_support.h"
#include "environment/text_files.h"
#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {

ListEditorWindow::ListEditorWindow(AppServices& app, const char* name, std::string file, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), file_(std::move(file)) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString("Edit: " + file_));

    txtContent_ = new QPlainTextEdit(this);
    txtContent_->setObjectName("txtContent");
    txtContent_->setFont(FixedPitchFont());
    txtContent_->setLineWrapMode(QPlainTextEdit::NoWrap);
    btnSave_ = new QPushButton("&Save", this);
    btnSave_->setObjectName("btnSave");
    btnQuit_ = new QPushButton("&Quit", this);
    btnQuit_->setObjectName("btnQuit");
    label1_ = new QLabel("Ctrl-C to copy. Ctrl-X to cut. Ctrl-V to paste.", this);
    label1_->setObjectName("Label1");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtContent_);
    auto* row = new QHBoxLayout;
    row->addWidget(btnSave_);
    row->addWidget(btnQuit_);
    row->addStretch();
    row->addWidget(label1_);
    layout->addLayout(row);
    resize(640, 420);

    connect(btnSave_, &QPushButton::clicked, this, &ListEditorWindow::save);
    connect(btnQuit_, &QPushButton::clicked, this, [this] {
        close();
        quit();
    });
    load();
}

void ListEditorWindow::load() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A file that does not exist yet opens empty; Save creates it.
    std::string text = ReadTextFile(file_).value_or(std::string());
    if (!text.empty() && text.back() != '\n') text += '\n';
    txtContent_->setPlainText(QString::fromStdString(text));
    QApplication::restoreOverrideCursor();
}

void ListEditorWindow::save() {
    // Through a temporary file: a failed write leaves the previous list whole.
    if (!ReplaceFileContents(file_, EditorFileBytes(txtContent_->toPlainText().toStdString()))) {
        app_.session().dialogs->ShowMessage(
            "The file " + file_ + " could not be written. Your changes are still in the editor.", "Error!",
            MessageIcon::Critical);
        return;
    }
    saved();
}

}  // namespace talvenor::gui
