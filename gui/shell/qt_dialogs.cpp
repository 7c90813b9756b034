#include "shell/qt_dialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>

#include "environment/window_placement.h"
#include "text/control_characters.h"

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

bool Usable(const QWidget* window) {
    return window && window->isVisible() && window->windowType() != Qt::Popup &&
           window->windowType() != Qt::ToolTip;
}

// A message may quote a name read from a names file edited by hand; a control character in it is shown
// as the pages show it.
QString Shown(const std::string& text) {
    return QString::fromStdString(ControlCharactersReplaced(text, '?'));
}

}  // namespace

RaisingWindow::RaisingWindow(QWidget* fallback, Memory* memory) {
    QWidget* control = QApplication::focusWidget();
    QWidget* window = control ? control->window() : nullptr;
    if (!Usable(window)) window = QApplication::activeWindow();
    if (!Usable(window) && memory && Usable(memory->window)) {
        window = memory->window;
        control = memory->control;
    }
    if (!Usable(window)) window = fallback;
    window_ = window;
    if (control && window && control->window() == window) control_ = control;
    if (memory) *memory = {window_, control_};
}

RaisingWindow::~RaisingWindow() {
    // The window may have been closed meanwhile (by the command that raised the box).
    if (!window_ || !window_->isVisible()) return;
    window_->activateWindow();
    QWidget* control =
        control_ && control_->isVisible() && control_->isEnabled() ? control_.data() : window_->focusWidget();
    if (control) control->setFocus(Qt::OtherFocusReason);
}

void MakeRoomForTitle(QDialog& box, const QWidget* raisingWindow) {
    // Window managers draw titles in a bold font, at most as large as the program's.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    int titleBar = metrics.height() + 8;
    if (raisingWindow && raisingWindow->isVisible())
        titleBar = std::max(titleBar, raisingWindow->geometry().top() - raisingWindow->frameGeometry().top());
    const int width = BoxWidthForTitle(metrics.horizontalAdvance(box.windowTitle()), titleBar);

    // A message box sets its own fixed size from its layout: a spacer across the layout widens it.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (qobject_cast<QMessageBox*>(&box) && grid) {
        const QMargins margins = grid->contentsMargins();
        grid->addItem(new QSpacerItem(width - margins.left() - margins.right(), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    } else {
        box.setMinimumWidth(std::max(box.minimumWidth(), width));
    }
}

void QtDialogs::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    const RaisingWindow owner(parent_, &lastOwner_);
    QMessageBox box(ToQt(icon), Shown(title), Shown(text), QMessageBox::Ok, owner.window());
    MakeRoomForTitle(box, owner.window());
    box.exec();
}

bool QtDialogs::AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) {
    const RaisingWindow owner(parent_, &lastOwner_);
    QMessageBox box(ToQt(icon), Shown(title), Shown(text), QMessageBox::Yes | QMessageBox::No,
                    owner.window());
    MakeRoomForTitle(box, owner.window());
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::AskText(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) {
    const RaisingWindow owner(parent_, &lastOwner_);
    QInputDialog box(owner.window());
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(QString::fromStdString(title));
    box.setLabelText(QString::fromStdString(prompt));
    box.setTextValue(QString::fromStdString(defaultText));
    MakeRoomForTitle(box, owner.window());
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue().toStdString();
}

}  // namespace talvenor::gui
