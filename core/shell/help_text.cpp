#include "shell/help_text.h"

#include <fstream>

#include "shell/app_folder.h"

namespace talvenor {

ShowResult ShowHelpText(Session& session, const std::string& backslashName) {
    session.report.StartReport();
    const std::filesystem::path file = DataFile(session.appFolder, backslashName);
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        session.report.AppendLine("  The help text " + file.filename().string() + " could not be found in " +
                                  file.parent_path().string() + ".");
    } else {
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            session.report.AppendLine(line);
        }
    }
    session.report.AppendBlankLine();
    return ShowSessionReport(session);
}

}  // namespace talvenor
