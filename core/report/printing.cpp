#include "report/printing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "environment/app_folder.h"
#include "environment/options.h"
#include "environment/text_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLineEnd = "\r\n";

// Appends one buffer line and its line end; a line break held inside the line becomes CR LF.
void AppendPrintLine(std::string& out, std::string_view line) {
    for (const char ch : line) {
        if (ch == '\n') {
            if (out.empty() || out.back() != '\r') out += '\r';
            out += '\n';
        } else {
            out += ch;
        }
    }
    out += kLineEnd;
}

bool IsContinuationByte(char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

// Drops `count` characters from the end of a UTF-8 text (all of it when it is shorter), never
// splitting a character.
void DropLastCharacters(std::string& text, std::size_t count) {
    std::size_t end = text.size();
    for (std::size_t dropped = 0; dropped < count && end > 0; ++dropped) {
        --end;
        while (end > 0 && IsContinuationByte(text[end])) --end;
    }
    text.resize(end);
}

bool WriteBufferToPrintFile(const fs::path& appFolder, const std::vector<std::string>& lines,
                            std::int32_t lastIndex) {
    return ReplaceFileContents(PrintFilePath(appFolder), PrintFileText(lines, lastIndex));
}

}  // namespace

fs::path PrintFilePath(const fs::path& appFolder) {
    return DataFile(appFolder, kPrintFileName);
}

std::string PrintFileText(const std::vector<std::string>& lines, std::int32_t lastIndex) {
    std::string out;
    const std::int64_t last = std::min<std::int64_t>(lastIndex, static_cast<std::int64_t>(lines.size()) - 1);
    for (std::int64_t i = 0; i <= last; ++i) AppendPrintLine(out, lines[static_cast<std::size_t>(i)]);
    return out;
}

bool WritePageToPrintFile(const fs::path& appFolder, const ReportBuffer& buffer) {
    return WriteBufferToPrintFile(appFolder, buffer.PageLines, buffer.PageLineCount);
}

bool WriteDataToPrintFile(const fs::path& appFolder, const ReportBuffer& buffer) {
    return WriteBufferToPrintFile(appFolder, buffer.DataLines, buffer.DataLineCount);
}

std::string PrintFileNotWrittenMessage(const fs::path& file) {
    return "The text to print could not be written to " + file.string() + ".";
}

std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

bool HasLongLines(const std::vector<std::string>& lines, float longestLine) {
    return std::any_of(lines.begin(), lines.end(), [longestLine](const std::string& line) {
        return static_cast<double>(CharacterCount(line)) > static_cast<double>(longestLine);
    });
}

PrintText LoadPrintText(std::string_view fileText, float longestLine, UserDialogs& dialogs,
                        std::size_t capacity) {
    PrintText result;
    const std::vector<std::string> lines = TextLines(fileText);
    result.LongLines = HasLongLines(lines, longestLine);
    for (const std::string& line : lines) {
        result.text += line;
        result.text += kLineEnd;
    }
    std::size_t characters = CharacterCount(result.text);
    if (characters > capacity) {
        // One message, however many cuts it takes: a text far too large would otherwise ask the user
        // to press OK thousands of times.
        dialogs.ShowMessage(kPrintOutOfMemoryMessage, kPrintOutOfMemoryTitle, kPrintOutOfMemoryIcon);
        const std::size_t excess = characters - capacity;
        const std::size_t cuts = (excess + kPrintCutCharacters - 1) / kPrintCutCharacters;
        DropLastCharacters(result.text, cuts * kPrintCutCharacters);
    }
    return result;
}

PrintText LoadPrintFile(const fs::path& file, float longestLine, UserDialogs& dialogs, std::size_t capacity) {
    const std::optional<std::string> text = ReadTextFile(file);
    return LoadPrintText(text ? *text : std::string(), longestLine, dialogs, capacity);
}

std::string PrintRewriteText(std::string_view windowText) {
    std::string out;
    std::size_t start = 0;
    while (start <= windowText.size()) {
        const std::size_t end = windowText.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            out += windowText.substr(start);
            break;
        }
        out += windowText.substr(start, end - start);
        out += kLineEnd;
        start =
            end +
            (windowText[end] == '\r' && end + 1 < windowText.size() && windowText[end + 1] == '\n' ? 2 : 1);
    }
    out += kLineEnd;
    return out;
}

int PrintFontPointSize(bool longLines) {
    return longLines ? 10 : 12;
}

std::vector<std::vector<std::string>> PrintPages(const std::vector<std::string>& lines, float linesPerPage) {
    // The line counter is a whole number, so only a positive whole page length can ever be met.
    const double length = linesPerPage;
    const bool breaks = std::isfinite(length) && length >= 1 && std::floor(length) == length;
    std::vector<std::vector<std::string>> pages(1);
    double counter = 1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        pages.back().push_back(lines[i]);
        if (breaks && counter == length) {
            if (i + 1 < lines.size()) pages.emplace_back();
            counter = 0;
        }
        ++counter;
    }
    return pages;
}

PrintJob PreparePrintJob(const fs::path& appFolder, std::string_view windowText, const Options& options) {
    PrintJob job;
    const std::string fileText = PrintRewriteText(windowText);
    job.printFileWritten = ReplaceFileContents(PrintFilePath(appFolder), fileText);
    const std::vector<std::string> lines = TextLines(fileText);
    job.pointSize = PrintFontPointSize(HasLongLines(lines, options.longestNormalLine()));
    job.pages = PrintPages(lines, options.printedPageLines());
    for (const std::string& line : lines) {
        // Blanks at the end of a line put nothing on the paper.
        const std::size_t end = line.find_last_not_of(' ');
        const std::size_t used = end == std::string::npos ? 0 : CharacterCount(line.substr(0, end + 1));
        job.longestLine = std::max(job.longestLine, used);
    }
    for (const auto& page : job.pages) job.tallestPage = std::max(job.tallestPage, page.size());
    return job;
}

PrintFit FitPrintJob(const PrintJob& job, PrintArea portrait, PrintFontShape font) {
    const double nominal = job.pointSize;
    const double columns = static_cast<double>(job.longestLine);
    const double rows = static_cast<double>(job.tallestPage);
    // The largest size, up to the job's own, at which the job fits the area.
    const auto largestSize = [&](PrintArea area) {
        double size = nominal;
        if (columns > 0 && font.advance > 0) size = std::min(size, area.width / (columns * font.advance));
        if (rows > 0 && font.lineSpacing > 0) size = std::min(size, area.height / (rows * font.lineSpacing));
        return std::max(size, 0.0);
    };
    const PrintArea landscape{portrait.height, portrait.width};
    const double upright = largestSize(portrait);
    const double turned = largestSize(landscape);
    if (upright >= nominal) return {false, nominal};
    if (turned >= nominal) return {true, nominal};
    const bool useLandscape = turned > upright;
    const double size = std::floor((useLandscape ? turned : upright) * 100) / 100;
    return {useLandscape, std::max(size, 0.01)};
}

std::string PdfSavedMessage(const fs::path& file) {
    return "The pages were saved as " + file.string() + ".";
}

std::string PdfNotWrittenMessage(const fs::path& file) {
    return "The PDF file " + file.string() + " could not be written. Nothing was printed.";
}

std::string PrinterFailedMessage(std::string_view printerName) {
    return "The printer " + std::string(printerName) + " could not be started. Nothing was printed.";
}

std::optional<std::string> PrinterRefusalMessage(std::string_view printerName,
                                                 const PrinterCondition& condition) {
    const std::string printer = "The printer " + std::string(printerName);
    const std::string reason = condition.stateMessage.empty() ? "" : " (" + condition.stateMessage + ")";
    const char* kept = " Nothing was printed; the text is still in this window.";
    if (!condition.found) return printer + " cannot be found." + kept;
    if (!condition.accepting) return printer + " is not accepting jobs" + reason + "." + kept;
    if (condition.stopped) return printer + " is stopped" + reason + "." + kept;
    return std::nullopt;
}

std::string PrinterLabelText(std::string_view printerName) {
    if (printerName.empty()) return "No printer is set up: Print offers to save the pages as a PDF file.";
    return "Printer: " + std::string(printerName);
}

bool PageInRange(int page, int from, int to) {
    if (from <= 0) return true;
    return page >= from && (to <= 0 || page <= to);
}

fs::path PrintPdfPath(const fs::path& appFolder, const std::tm& when) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", when.tm_year + 1900, when.tm_mon + 1,
                  when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    const fs::path folder = DataFile(appFolder, "\\REPORTS");
    const std::string base = std::string("PRINT-") + stamp;
    fs::path candidate = folder / (base + ".pdf");
    std::error_code ec;
    for (int n = 2; fs::exists(candidate, ec) && n < 1000; ++n) {
        candidate = folder / (base + "-" + std::to_string(n) + ".pdf");
    }
    return candidate;
}

}  // namespace talvenor
