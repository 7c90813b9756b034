// The program's icon: the drawing of icons/talvenor.svg among the program's resources, for every window.
#pragma once

#include <QIcon>

namespace talvenor::gui {

// The icon drawn at the sizes title bars, task bars and switchers ask for (16 to 256 pixels). It is made
// from the resource itself, so that it needs no icon plugin of the system; empty only if the resource is
// missing.
QIcon ProgramIcon();

// The name of the program's desktop entry (org.talvenor.Talvenor.desktop), by which desktops find the
// icon of its menu entry for its windows.
inline constexpr const char* kDesktopFileName = "org.talvenor.Talvenor";

}  // namespace talvenor::gui
