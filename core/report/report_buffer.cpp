#include "report/report_buffer.h"

#include <fstream>
#include <limits>
#include <new>
#include <system_error>
#include <utility>

#include "environment/memory.h"
#include "environment/text_files.h"
#include "environment/user_dialogs.h"
#include "text/control_characters.h"

namespace talvenor {

ReportBuffer::ReportBuffer() {
    ClearDataBuffer();
    ClearPageBuffer();
}

namespace {

constexpr std::size_t kMostSpareLines = 4096;

// Emptying a buffer of more lines than this gives their memory back to the system (a page of a million
// events holds a few hundred megabytes); smaller ones keep it for the next pages.
constexpr std::size_t kLinesToGiveBack = 65536;

// Keeps the storage of the lines of a buffer about to be emptied.
void KeepStorage(std::vector<std::string>& lines, std::vector<std::string>& spare) {
    for (std::string& line : lines) {
        if (spare.size() >= kMostSpareLines) return;
        if (line.capacity() > std::string().capacity()) spare.push_back(std::move(line));
    }
}

// Sets an empty element to the text, in storage kept from an emptied buffer where there is some.
void StoreLine(std::string& element, const std::string& text, std::vector<std::string>& spare) {
    if (!spare.empty() && text.size() > element.capacity()) {
        element = std::move(spare.back());
        spare.pop_back();
    }
    element.assign(text);
}

}  // namespace

void ReportBuffer::ClearDataBuffer() {
    DataLineCount = 0;
    if (DataLines.size() > kLinesToGiveBack) {
        std::vector<std::string>(2).swap(DataLines);
        GiveBackMemory(PageLines);
        return;
    }
    KeepStorage(DataLines, SpareLines);
    DataLines.assign(2, std::string());
}

void ReportBuffer::ClearPageBuffer() {
    PageLineCount = 0;
    if (PageLines.size() > kLinesToGiveBack) {
        std::vector<std::string>(2).swap(PageLines);
        GiveBackMemory(DataLines);
        return;
    }
    KeepStorage(PageLines, SpareLines);
    PageLines.assign(2, std::string());
}

void ReportBuffer::GiveBackMemory(std::vector<std::string>& kept) {
    // The lines of the two buffers were stored in turn, so the freed lines lie between the kept ones and
    // no page of memory is wholly free. The kept lines move out into one block of their own while every
    // line is freed, the freed memory goes back, and they are stored anew side by side.
    std::vector<std::string>().swap(SpareLines);
    std::size_t size = 0;
    for (const std::string& line : kept) size += line.size();
    std::string block;
    block.reserve(size);
    std::vector<std::size_t> lengths;
    lengths.reserve(kept.size());
    for (const std::string& line : kept) {
        block += line;
        lengths.push_back(line.size());
    }
    const std::size_t count = kept.size();
    std::vector<std::string>().swap(kept);
    ReturnFreedMemory();
    kept.resize(count);
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        kept[i].assign(block, at, lengths[i]);
        at += lengths[i];
    }
}

void ReportBuffer::StartReport(std::string headingNote) {
    ClearPageBuffer();
    headingNote_ = std::move(headingNote);
}

bool ReportBuffer::AppendLine() {
    if (!headingNote_.empty() && !ReportLine.empty()) {
        ReportLine += headingNote_;
        headingNote_.clear();
    }
    // A name edited into a names file by hand may hold an escape or a bell, which would reach the
    // terminal, the saved document and the printer: the page shows a "?" in its place (a tab is a
    // blank). A line that is a form feed alone is a page break of the data, and stays one.
    if (ReportLine != "\f" && HoldsControlCharacter(ReportLine))
        ReportLine = ControlCharactersReplaced(ReportLine, '?');
    constexpr std::int32_t kLimit = std::numeric_limits<std::int32_t>::max();
    try {
        if (DataLineCount >= kLimit || PageLineCount >= kLimit) throw std::bad_alloc();
        DataLines.resize(static_cast<std::size_t>(DataLineCount) + 2);
        StoreLine(DataLines[static_cast<std::size_t>(DataLineCount)], ReportLine, SpareLines);
        ++DataLineCount;
        StoreLine(PageLines[static_cast<std::size_t>(PageLineCount)], ReportLine, SpareLines);
        ++PageLineCount;
        PageLines.resize(static_cast<std::size_t>(PageLineCount) + 1);
    } catch (const std::bad_alloc&) {
        if (dialogs) dialogs->ShowMessage(std::string(kBufferFullMessage), "Warning!", MessageIcon::Critical);
        return false;
    }
    return true;
}

bool ReportBuffer::AppendBlankLine() {
    ReportLine.clear();
    return AppendLine();
}

bool ReportBuffer::AppendLine(std::string line) {
    ReportLine = std::move(line);
    return AppendLine();
}

std::filesystem::path LastPagePath(const std::filesystem::path& appFolder) {
    return appFolder / "REPORTS" / "LASTPAGE.TXT";
}

std::string PageText(const ReportBuffer& buffer, std::string_view lineEnd) {
    std::string text;
    std::size_t size = 0;
    for (std::int32_t i = 0; i <= buffer.PageLineCount; ++i)
        size += buffer.PageLines[static_cast<std::size_t>(i)].size() + lineEnd.size();
    text.reserve(size + size / 8);
    for (std::int32_t i = 0; i <= buffer.PageLineCount; ++i) {
        const std::string& line = buffer.PageLines[static_cast<std::size_t>(i)];
        std::size_t start = 0;
        for (std::size_t pos; (pos = line.find(kNewLine, start)) != std::string::npos;
             start = pos + kNewLine.size()) {
            text.append(line, start, pos - start);
            text += lineEnd;
        }
        text.append(line, start);
        text += lineEnd;
    }
    return text;
}

ShowResult ShowReport(ReportBuffer& buffer, const std::filesystem::path& appFolder, bool windowMinimized) {
    if (windowMinimized || buffer.DataLineCount == 0) return ShowResult::NothingToShow;
    buffer.AppendBlankLine();
    // Without a program folder (the command line prints the page instead) there is no file to write.
    if (appFolder.empty()) return ShowResult::Shown;

    const std::filesystem::path target = LastPagePath(appFolder);
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    if (!ReplaceFileContents(target, PageText(buffer, kNewLine))) return ShowResult::NotWritten;
    return ShowResult::Shown;
}

}  // namespace talvenor
