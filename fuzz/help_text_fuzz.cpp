// Help texts: any file shown as a page, and the last-page file written from it.
#include <algorithm>

#include "environment/text_files.h"
#include "fuzz_support.h"
#include "session/help_text.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = AsText(data, size);
    WriteInputFile("FUZZ.HLP", data, size);
    CountingDialogs dialogs;
    Session session(dialogs);
    session.appFolder = FuzzFolder();
    const ShowResult shown = ShowHelpText(session, "\\FUZZ.HLP");
    Require(shown == ShowResult::Shown, "a help text is shown");

    // Every line of the file, then the blank line of the help page and the one that ends every page.
    const auto lines = static_cast<std::int32_t>(std::count(text.begin(), text.end(), '\n')) +
                       (!text.empty() && text.back() != '\n' ? 1 : 0);
    Require(session.report.PageLineCount == lines + 2, "the page holds every line of the help text");
    const auto written = ReadFileBytes(LastPagePath(session.appFolder));
    Require(written && *written == PageText(session.report), "the last-page file holds the page");
    return 0;
}
