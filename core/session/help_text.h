// Help texts: plain text files in the data folder, shown as reports.
#pragma once

#include <string>

#include "report/report_buffer.h"
#include "session/session.h"

namespace talvenor {

// Starts a page with the lines of the help file ("\DATA.HLP") and a blank line, and shows it. A missing
// or unreadable file (or a folder in its place) gives a page that says so instead. Lines are cut after
// 4096 bytes.
ShowResult ShowHelpText(Session& session, const std::string& backslashName);

}  // namespace talvenor
