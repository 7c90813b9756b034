// Printing: the hand-over file between the data window and the print window, the text the print window
// loads, and how the printed lines fall onto pages.
//
// The print window only shows the text and paints the pages this module lays out; the file, the
// long-line rule, the page breaks and the messages all live here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "environment/user_dialogs.h"
#include "report/report_buffer.h"

namespace talvenor {

class Options;

inline constexpr const char* kPrintFileName = "\\PRNTFILE.XXX";
inline constexpr const char* kPrintWindowCaption = "Data To Be Printed";
inline constexpr const char* kPrintWindowHint = "Ctrl-C to copy. Ctrl-X to cut. Ctrl-V to paste.";
inline constexpr const char* kPrintFontName = "Courier New";

inline constexpr const char* kPrintOutOfMemoryMessage =
    "Out of memory. I will print what I can. The remainder will be lost.";
inline constexpr const char* kPrintOutOfMemoryTitle = "Warning!";
inline constexpr MessageIcon kPrintOutOfMemoryIcon = MessageIcon::Critical;

// The most characters the print window holds; a longer text is cut (see LoadPrintText).
inline constexpr std::size_t kPrintTextCapacity = 16 * 1024 * 1024;
// A text that does not fit loses this many characters at a time from its end.
inline constexpr std::size_t kPrintCutCharacters = 50;

// The hand-over file inside the program folder.
std::filesystem::path PrintFilePath(const std::filesystem::path& appFolder);

// The hand-over file's bytes: buffer lines 0..lastIndex (the spare empty element too), each ended by
// CR LF; a line break held inside a line becomes CR LF as well. Indices past the buffer are not written.
std::string PrintFileText(const std::vector<std::string>& lines, std::int32_t lastIndex);

// Print page and Print data: write the page buffer (0..PageLineCount) or the data buffer
// (0..DataLineCount) to the hand-over file, replacing it through a temporary file. False on failure.
bool WritePageToPrintFile(const std::filesystem::path& appFolder, const ReportBuffer& buffer);
bool WriteDataToPrintFile(const std::filesystem::path& appFolder, const ReportBuffer& buffer);

// The message shown when the hand-over file cannot be written.
std::string PrintFileNotWrittenMessage(const std::filesystem::path& file);
inline constexpr const char* kPrintFileNotWrittenTitle = "Warning!";

// The lines of a text: a line ends at LF, CR LF or a lone CR; a final line end opens no further line
// ("a\r\nb\r\n\r\n" is "a", "b", "").
std::vector<std::string> TextLines(std::string_view text);

// LongLines: some line is longer than longestLine characters (option 117). Characters are counted,
// not bytes, so an accented name does not tip a report into the small size.
bool HasLongLines(const std::vector<std::string>& lines, float longestLine);

// The print window's text as loaded from the hand-over file.
struct PrintText {
    std::string text;  // every line followed by CR LF
    bool LongLines = false;
};

// Loads the hand-over file's text: each line and CR LF. A text longer than `capacity` characters
// shows kPrintOutOfMemoryMessage once and loses kPrintCutCharacters characters from its end, as often
// as it takes to fit (all of it when it is shorter). LongLines is judged on the whole file.
PrintText LoadPrintText(std::string_view fileText, float longestLine, UserDialogs& dialogs,
                        std::size_t capacity = kPrintTextCapacity);
// The same from the file; a missing file gives an empty text.
PrintText LoadPrintFile(const std::filesystem::path& file, float longestLine, UserDialogs& dialogs,
                        std::size_t capacity = kPrintTextCapacity);

// What Print writes back to the hand-over file: the window's text (LF or CR LF line ends) with CR LF
// line ends and one CR LF more, so the file ends with one more empty line than the text.
std::string PrintRewriteText(std::string_view windowText);

// The printer font's size in points: 10 when some line is long, otherwise 12.
int PrintFontPointSize(bool longLines);

// The lines on each printed page: a new page after every linesPerPage lines (option 30), counted from
// the start of the document. Without a usable page length (not a positive whole number) the lines stay
// on one page as far as this rule goes. A break after the very last line opens no empty page.
std::vector<std::vector<std::string>> PrintPages(const std::vector<std::string>& lines, float linesPerPage);

// Everything Print needs once the window's text is final.
struct PrintJob {
    std::vector<std::vector<std::string>> pages;
    int pointSize = 12;
    bool printFileWritten = false;
    std::size_t longestLine = 0;  // in characters
    std::size_t tallestPage = 0;  // in lines
};

// The paper's printable area in points, as the printer gives it for portrait.
struct PrintArea {
    double width = 0;
    double height = 0;
};

// The font's character advance and line spacing, each as a fraction of its size in points (a fixed-pitch
// font's characters are all equally wide).
struct PrintFontShape {
    double advance = 0.6;
    double lineSpacing = 1.2;
};

// How the pages go onto the paper.
struct PrintFit {
    bool landscape = false;
    double pointSize = 12;
};

// No line is ever cut off at the paper's edge and every page of the job stays on one sheet, so the page
// breaks are the ones the user asked for: the job's size in portrait when the longest line and the
// tallest page fit; otherwise the same size in landscape when they fit there; otherwise a smaller size,
// in whichever orientation allows the larger one (portrait when both allow the same), rounded down to a
// hundredth of a point.
PrintFit FitPrintJob(const PrintJob& job, PrintArea portrait, PrintFontShape font);

// Print, steps 2 to 4: rewrites the hand-over file with the window's text and one more line end, and
// lays out the lines of that file. The font size follows the text that is printed: a line made longer
// than option 117 in the window also gets the small size, so that it is not cut off at the page edge.
// The job is laid out from the text even when the file could not be written.
PrintJob PreparePrintJob(const std::filesystem::path& appFolder, std::string_view windowText,
                         const Options& options);

// ---- No printer: the pages go to a PDF file in the REPORTS folder ----

inline constexpr const char* kNoPrinterQuestion =
    "No printer is set up. Save the pages as a PDF file in the REPORTS folder instead?";
inline constexpr const char* kNoPrinterTitle = "Print";
std::string PdfSavedMessage(const std::filesystem::path& file);
inline constexpr const char* kPdfSavedTitle = "Information";
std::string PdfNotWrittenMessage(const std::filesystem::path& file);
std::string PrinterFailedMessage(std::string_view printerName);
inline constexpr const char* kPrintFailedTitle = "Warning!";

// What the print spooler says of a printer before a job is sent to it.
struct PrinterCondition {
    bool found = true;         // the spooler knows the printer
    bool accepting = true;     // the queue takes new jobs
    bool stopped = false;      // the printer is disabled: jobs would wait in the queue
    std::string stateMessage;  // the spooler's own words on the state, if any
};

// The message for a printer that would not print the job now (naming it, and saying that nothing was
// printed); no value when the printer is ready.
std::optional<std::string> PrinterRefusalMessage(std::string_view printerName,
                                                 const PrinterCondition& condition);
inline constexpr const char* kPrinterRefusedTitle = "Warning!";

// The line of the print window that says where Print sends the pages.
std::string PrinterLabelText(std::string_view printerName);

// Pages of a job that a page range leaves out (1-based, inclusive; from = 0 prints every page).
bool PageInRange(int page, int from, int to);

// A PDF file for the pages printed at `when`: REPORTS/PRINT-yyyymmdd-hhmmss.pdf in the program folder,
// with "-2", "-3" … added when that name is taken.
std::filesystem::path PrintPdfPath(const std::filesystem::path& appFolder, const std::tm& when);

}  // namespace talvenor
