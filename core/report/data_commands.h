// The data window's own commands: saving the data buffer as a document, the font size and style of
// the shown text, emptying the data buffer and the checks before printing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "environment/settings.h"
#include "environment/user_dialogs.h"
#include "report/report_buffer.h"
#include "environment/window_placement.h"

namespace talvenor {

// A message box of the data window: its text, title and icon.
struct DataWindowMessage {
    std::string_view text;
    std::string_view title;
    MessageIcon icon;
};

inline constexpr DataWindowMessage kNoDataToWriteMessage{"No data to write to file.", "Information",
                                                         MessageIcon::Exclamation};
inline constexpr DataWindowMessage kDataClearedMessage{"All data cleared from buffer.", "Information!",
                                                       MessageIcon::Exclamation};
inline constexpr DataWindowMessage kNoDataToPrintMessage{"No data to print.", "Information",
                                                         MessageIcon::Exclamation};
inline constexpr DataWindowMessage kFontMissingMessage{
    "You must have the COURIER NEW font installed in Windows. Please add this font through CONTROL "
    "PANEL - FONTS.",
    "Information!", MessageIcon::Exclamation};

void ShowDataWindowMessage(UserDialogs& dialogs, const DataWindowMessage& message);

// The message shown when a document cannot be written (a full disk, a folder without write access).
std::string DocumentNotWrittenMessage(const std::filesystem::path& file);
inline constexpr std::string_view kDocumentNotWrittenTitle = "Warning!";

// The data window's caption once a report is shown: the title prefix and "Data".
inline constexpr std::string_view kDataWindowTitle = "TALVENOR (Tropical zodiac) - Data";
inline constexpr std::string_view kDataWindowFontName = "Courier New";
inline constexpr std::string_view kDataWindowHelpFile = "\\OUTPUTD1.HLP";

// ---- Saving the data buffer ----

// The document as it is written: the data buffer's lines 0..DataLineCount (the spare empty element
// too), each ended by CR LF, with a form-feed line after every linesPerPage lines counted since the
// start or since the last form-feed line the data itself holds, and a final form-feed line unless the
// data held one. A line break inside a buffer line is written as CR LF. A linesPerPage that is not a
// positive finite number adds no form feeds from the count (only the final one).
std::string DataDocumentText(const ReportBuffer& buffer, float linesPerPage);

// Writes DataDocumentText to the file through a temporary file in the same folder and a rename, so a
// failed write leaves any previous file whole. False on failure.
bool WriteDataDocument(const std::filesystem::path& file, const ReportBuffer& buffer, float linesPerPage);

// The file name proposed by Save As: the chart name up to its first blank when that blank is one of
// the first eight characters, otherwise its first eight characters, then ".DOC" ("John Smith" ->
// "John.DOC", "Alexandra Q" -> "Alexandr.DOC"). Characters are counted in UTF-8; a path separator or
// a control character becomes "_", and a name that leaves nothing proposes "Data.DOC".
std::string ProposedSaveName(const std::string& chartName);

// Asks the user for the document to write, given the proposed path; no value when cancelled.
using SaveFileChooser =
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& proposedPath)>;

enum class SaveOutcome { NoData, Cancelled, Written, NotWritten };

// True when the data buffer holds lines; otherwise shows the message.
bool HasData(const ReportBuffer& buffer, UserDialogs& dialogs, const DataWindowMessage& otherwise);

// ---- Font of the shown text ----

// The size limits: Increase works below the upper one, Decrease above the lower one. They stop further
// steps rather than clamp, so with a step of 0.75 a size of 11.5 still goes up to 12.25.
inline constexpr double kLargestFontSizeToIncrease = 12;
inline constexpr double kSmallestFontSizeToDecrease = 8;

bool FontIncreaseEnabled(const Settings& settings);
bool FontDecreaseEnabled(const Settings& settings);
// Adds (or subtracts) half the font step when the size allows it; true when the size changed.
bool IncreaseFontSize(Settings& settings, double fontStep);
bool DecreaseFontSize(Settings& settings, double fontStep);
// Turn bold or italic over: -1 when it is now on, 0 when off. The new state is returned.
bool ToggleFontBold(Settings& settings);
bool ToggleFontItalic(Settings& settings);

// ---- Emptying and printing ----

// Clear all data: empties the data buffer (the page stays) and says so.
void ClearAllData(ReportBuffer& buffer, UserDialogs& dialogs);
// Print data: true when there is data to print; otherwise shows kNoDataToPrintMessage.
bool CheckDataToPrint(const ReportBuffer& buffer, UserDialogs& dialogs);

// ---- Window geometry ----

// Twips per pixel for a screen resolution in dots per inch; 15 (96 dpi) when the resolution is unusable.
double TwipsPerPixelForDpi(double dotsPerInch);
// The stored geometry (twips, the outer rectangle, frame included) in pixels, each value rounded.
PixelRect DataWindowPixels(const Settings& settings, double twipsPerPixel);
// Stores the window's geometry in twips, each value rounded to a 16-bit integer; a value beyond that
// range keeps the one stored before.
void StoreDataWindowGeometry(Settings& settings, const PixelRect& pixels, double twipsPerPixel);

}  // namespace talvenor
