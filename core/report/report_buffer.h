// The report buffer: the lines of the page being written and every line appended since the data
// buffer was last emptied.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor {

class UserDialogs;

// A line break inside one report line (the aspect list under the grid is one such line).
inline constexpr std::string_view kNewLine = "\r\n";

struct ReportBuffer {
    ReportBuffer();

    std::string ReportLine;
    // Lines 0..DataLineCount-1, plus one spare empty element at DataLineCount.
    std::vector<std::string> DataLines;
    std::int32_t DataLineCount = 0;
    // Lines 0..PageLineCount-1 of the current page, plus the same spare empty element.
    std::vector<std::string> PageLines;
    std::int32_t PageLineCount = 0;

    // Where a full buffer is reported; may stay null (the line is then dropped silently).
    UserDialogs* dialogs = nullptr;

    // Lines of emptied buffers kept for their storage (their text is of no meaning), so that page after
    // page does not allocate every line anew; a few thousand at most.
    std::vector<std::string> SpareLines;

    // Begins a new page: empties the page buffer; the data buffer keeps its lines. A heading note (the
    // engine a chart page was computed with) is added to the end of the page's first line that is not
    // blank; an empty note adds nothing.
    void StartReport(std::string headingNote = {});
    // Appends ReportLine to the data buffer and to the page, a control character in it (see
    // ControlCharactersReplaced) written as "?", a tab as a blank. False when the line could not be stored.
    bool AppendLine();
    // Sets ReportLine to "" and appends it.
    bool AppendBlankLine();
    // Sets ReportLine and appends it.
    bool AppendLine(std::string line);

    // Emptying a buffer of many lines gives their memory back to the system.
    void ClearDataBuffer();
    void ClearPageBuffer();
    void ClearAll() {
        ClearDataBuffer();
        ClearPageBuffer();
    }

  private:
    std::string headingNote_;
    // Gives the memory of lines just freed back to the system, with the lines of the other buffer kept.
    void GiveBackMemory(std::vector<std::string>& kept);
};

// Message shown when a line cannot be stored.
inline constexpr std::string_view kBufferFullMessage =
    "Buffer cannot hold any more data. Please print and/or clear data buffer before displaying any "
    "more data. This message may appear up to 35 times depending on how full the buffer is and how "
    "much the program wants to write to it.";

// The last-page file inside the program folder.
std::filesystem::path LastPagePath(const std::filesystem::path& appFolder);

// The page as the last-page file holds it: every page line and the spare empty element, each followed
// by lineEnd. Line breaks inside a line are written with lineEnd too.
std::string PageText(const ReportBuffer& buffer, std::string_view lineEnd = kNewLine);

enum class ShowResult { Shown, NothingToShow, NotWritten };

// Finishes the page: appends one blank line and writes the page to the last-page file with CR LF line
// ends (through a temporary file, so a failed write never leaves half a page). Does nothing when the
// data window is minimized or the data buffer is empty. An empty appFolder writes no file. NotWritten when
// the file could not be written; the page is still complete in the buffer.
ShowResult ShowReport(ReportBuffer& buffer, const std::filesystem::path& appFolder,
                      bool windowMinimized = false);

}  // namespace talvenor
