#include "report/data_commands.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <system_error>

#include "environment/text_files.h"
#include "text/basic_text.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFormFeedLine = "\f";
constexpr double kDefaultTwipsPerPixel = 15;

double UsableTwipsPerPixel(double twipsPerPixel) {
    return std::isfinite(twipsPerPixel) && twipsPerPixel > 0 ? twipsPerPixel : kDefaultTwipsPerPixel;
}

// Appends one buffer line and its line end; a line break held inside the line (CR LF, or a bare LF)
// becomes CR LF as well.
void AppendDocumentLine(std::string& out, const std::string& line) {
    for (const char ch : line) {
        if (ch == '\n') {
            if (out.empty() || out.back() != '\r') out += '\r';
            out += '\n';
        } else {
            out += ch;
        }
    }
    out += kNewLine;
}

// Number of bytes holding the first `count` UTF-8 characters of text.
std::size_t BytesOfCharacters(const std::string& text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && characters++ == count) return i;
    }
    return text.size();
}

}  // namespace

void ShowDataWindowMessage(UserDialogs& dialogs, const DataWindowMessage& message) {
    dialogs.ShowMessage(std::string(message.text), std::string(message.title), message.icon);
}

std::string DocumentNotWrittenMessage(const fs::path& file) {
    return "The data could not be written to " + file.string() + ".";
}

std::string DataDocumentText(const ReportBuffer& buffer, float linesPerPage) {
    // The count only breaks pages when it can meet the page length; without a usable length the
    // counter would otherwise fire right after a form feed the data holds (a length of 0).
    const bool countPages = std::isfinite(linesPerPage) && linesPerPage > 0;
    std::string out;
    bool dataHeldFormFeed = false;
    std::int64_t counter = 1;
    const std::int64_t last =
        std::min<std::int64_t>(buffer.DataLineCount, static_cast<std::int64_t>(buffer.DataLines.size()) - 1);
    for (std::int64_t i = 0; i <= last; ++i) {
        const std::string& line = buffer.DataLines[static_cast<std::size_t>(i)];
        AppendDocumentLine(out, line);
        if (line == kFormFeedLine) {
            dataHeldFormFeed = true;
            counter = 0;
        }
        if (countPages && static_cast<double>(counter) == static_cast<double>(linesPerPage)) {
            AppendDocumentLine(out, std::string(kFormFeedLine));
            counter = 0;
        }
        ++counter;
    }
    if (!dataHeldFormFeed) AppendDocumentLine(out, std::string(kFormFeedLine));
    return out;
}

bool WriteDataDocument(const fs::path& file, const ReportBuffer& buffer, float linesPerPage) {
    if (file.empty()) return false;
    try {
        return ReplaceFileContents(file, DataDocumentText(buffer, linesPerPage));
    } catch (const std::exception&) {  // memory exhausted while building the text
        return false;
    }
}

bool HasData(const ReportBuffer& buffer, UserDialogs& dialogs, const DataWindowMessage& otherwise) {
    if (buffer.DataLineCount > 0) return true;
    ShowDataWindowMessage(dialogs, otherwise);
    return false;
}

std::string ProposedSaveName(const std::string& chartName) {
    const std::size_t eightCharacters = BytesOfCharacters(chartName, 8);
    const std::size_t blank = chartName.find(' ');
    std::string stem = chartName.substr(0, blank < eightCharacters ? blank : eightCharacters);
    // A separator would name another folder, and a control character of a name (a tab, an escape) has
    // no place in a file name either.
    for (char& ch : stem) {
        if (ch == '/' || ch == '\\' || ch == '\t' || ch == '\0') ch = '_';
    }
    stem = ControlCharactersReplaced(stem, '_');
    if (stem.empty()) stem = "Data";
    return stem + ".DOC";
}

bool FontIncreaseEnabled(const Settings& settings) {
    return settings.DataFontSize < kLargestFontSizeToIncrease;
}

bool FontDecreaseEnabled(const Settings& settings) {
    return settings.DataFontSize > kSmallestFontSizeToDecrease;
}

bool IncreaseFontSize(Settings& settings, double fontStep) {
    if (!FontIncreaseEnabled(settings)) return false;
    settings.DataFontSize += fontStep / 2;
    return true;
}

bool DecreaseFontSize(Settings& settings, double fontStep) {
    if (!FontDecreaseEnabled(settings)) return false;
    settings.DataFontSize -= fontStep / 2;
    return true;
}

bool ToggleFontBold(Settings& settings) {
    settings.DataFontBold = settings.DataFontBold != 0 ? 0 : -1;
    return settings.DataFontBold != 0;
}

bool ToggleFontItalic(Settings& settings) {
    settings.DataFontItalic = settings.DataFontItalic != 0 ? 0 : -1;
    return settings.DataFontItalic != 0;
}

void ClearAllData(ReportBuffer& buffer, UserDialogs& dialogs) {
    buffer.ClearDataBuffer();
    ShowDataWindowMessage(dialogs, kDataClearedMessage);
}

bool CheckDataToPrint(const ReportBuffer& buffer, UserDialogs& dialogs) {
    return HasData(buffer, dialogs, kNoDataToPrintMessage);
}

double TwipsPerPixelForDpi(double dotsPerInch) {
    if (!std::isfinite(dotsPerInch) || dotsPerInch <= 0) return kDefaultTwipsPerPixel;
    return 1440 / dotsPerInch;
}

PixelRect DataWindowPixels(const Settings& settings, double twipsPerPixel) {
    twipsPerPixel = UsableTwipsPerPixel(twipsPerPixel);
    const auto pixels = [twipsPerPixel](std::int16_t twips) {
        // A window never needs more than a million pixels; the bound keeps a tiny ratio from overflowing.
        return static_cast<int>(std::lround(std::clamp(twips / twipsPerPixel, -1e6, 1e6)));
    };
    return {pixels(settings.DataLeft), pixels(settings.DataTop), pixels(settings.DataWidth),
            pixels(settings.DataHeight)};
}

void StoreDataWindowGeometry(Settings& settings, const PixelRect& pixels, double twipsPerPixel) {
    twipsPerPixel = UsableTwipsPerPixel(twipsPerPixel);
    const auto store = [twipsPerPixel](std::int16_t& twips, int value) {
        if (const auto rounded = ToInt16(value * twipsPerPixel)) twips = *rounded;
    };
    store(settings.DataTop, pixels.top);
    store(settings.DataLeft, pixels.left);
    store(settings.DataWidth, pixels.width);
    store(settings.DataHeight, pixels.height);
}

}  // namespace talvenor
