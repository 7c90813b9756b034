#include "shell/program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources live in a static library: nothing would pull them into the program unless they are
// registered by name. (The registration cannot stand inside a namespace.)
static void RegisterProgramResources() {
    Q_INIT_RESOURCE(talvenor);
}

namespace talvenor::gui {

QIcon ProgramIcon() {
    RegisterProgramResources();
    QSvgRenderer drawing(QStringLiteral(":/icons/talvenor.svg"));
    QIcon icon;
    if (!drawing.isValid()) return icon;
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawing.render(&painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace talvenor::gui
