// TALVENOR, the desktop program.
#include <QApplication>
#include <cstdio>
#include <string_view>

#include "environment/app_folder.h"
#include "shell/talvenor_app.h"

namespace {

constexpr const char* kUsage =
    "Usage: talvenor [--version] [--help] [Qt options such as -platform offscreen]\n"
    "\n"
    "Starts the desktop program: the main window, the natal and diurnal input windows and the names\n"
    "window. The data folder is TALVENOR_DATA_DIR when it is set, else the program's own folder when it\n"
    "holds OPTIONS.OPT, else ~/.local/share/talvenor. The reports are also written from the shell by\n"
    "talvenor-report; see talvenor(1) and talvenor-report(1).\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed.
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--version") {
            std::printf("talvenor %s\n", TALVENOR_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("TALVENOR");
    // The last window to close is the main window; closing it ends the program.
    QApplication::setQuitOnLastWindowClosed(true);

    const std::filesystem::path exeDir = talvenor::ExecutableDir();
    talvenor::gui::TalvenorApp app;
    app.start(talvenor::FindAppFolder(exeDir, talvenor::InstalledDataDir(exeDir)));
    return application.exec();
}
