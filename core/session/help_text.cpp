#include "session/help_text.h"

#include <fstream>
#include <utility>

#include "environment/app_folder.h"
#include "environment/text_files.h"

namespace talvenor {

ShowResult ShowHelpText(Session& session, const std::string& backslashName) {
    session.report.StartReport();
    const std::filesystem::path file = DataFile(session.appFolder, backslashName);
    // A folder, a device or a pipe in the help file's place has no text to show (/dev/zero never ends,
    // and opening a pipe waits for a writer).
    std::ifstream in;
    if (IsPlainFile(file)) in.open(file, std::ios::binary);
    if (!in.is_open()) {
        session.report.AppendLine("  The help text " + file.filename().string() + " could not be found in " +
                                  file.parent_path().string() + ".");
    } else {
        // A help line is read across a window; one of megabytes would only stall the window that shows it.
        constexpr std::size_t kLongestHelpLine = 4096;
        while (auto line = ReadLineHead(in, kLongestHelpLine))
            session.report.AppendLine(std::move(line->text));
    }
    session.report.AppendBlankLine();
    return ShowSessionReport(session);
}

}  // namespace talvenor
