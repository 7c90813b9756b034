// TALVENOR, the desktop program.
#include <QApplication>
#include <QIcon>

#include "environment/app_folder.h"
#include "shell/talvenor_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("TALVENOR");
    QApplication::setWindowIcon(QIcon(":/icons/talvenor.svg"));
    // The last window to close is the main window; closing it ends the program.
    QApplication::setQuitOnLastWindowClosed(true);

    const std::filesystem::path exeDir = talvenor::ExecutableDir();
    talvenor::gui::TalvenorApp app;
    app.start(talvenor::FindAppFolder(exeDir, talvenor::InstalledDataDir(exeDir)));
    return application.exec();
}
