#include "datafiles/list_window_support.h"

#include <QKeyEvent>
#include <filesystem>

#include "session/session.h"

namespace talvenor::gui {

ChoiceList::ChoiceList(const char* name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (onChoose) onChoose(row(item));
    });
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && onEnter && currentRow() >= 0 && event->modifiers() == Qt::NoModifier) {
        onEnter(currentRow());
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0 && onChoose) onChoose(currentRow());
}

std::string NamesFileInUse(const Session& session) {
    const std::string& path = session.settings.NamesFilePath;
    return path.empty() ? (session.appFolder / "NAMES.FIL").string() : path;
}

std::string CitiesFileInUse(const Session& session) {
    const std::string& path = session.settings.CitiesFilePath;
    return path.empty() ? (session.appFolder / "GA_MA.LL").string() : path;
}

QFont FixedPitchFont() {
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

}  // namespace talvenor::gui
