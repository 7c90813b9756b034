#include "environment/settings.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#include "environment/app_folder.h"
#include "environment/text_files.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

constexpr const char* kHeaderLine = "[Talvenor] - Do NOT change the order of these variables.";
constexpr const char* kLineEnd = "\r\n";

enum class Applied { Done, Stop };

// The longest key ("GeoDataFile=") and the longest path the system opens.
constexpr std::size_t kLongestSettingsLine = 12 + 4096;

// A window value kept in 16 bits: positive-only keys ignore 0 and below, and a value that does not
// fit stops the reading, as the window would refuse it.
Applied ApplyInt16(double number, bool positiveOnly, std::int16_t& target) {
    if (positiveOnly && !(number > 0)) return Applied::Done;
    const std::optional<std::int16_t> rounded = ToInt16(number);
    if (!rounded) return Applied::Stop;
    target = *rounded;
    return Applied::Done;
}

// An overflowing number in the file ("1E999") reads as an infinity, which no font or window takes.
Applied ApplyDouble(double number, double& target) {
    if (!std::isfinite(number)) return Applied::Stop;
    target = number;
    return Applied::Done;
}

// A value with the blanks and tabs around it dropped.
std::string_view WithoutBlanks(std::string_view value) {
    const std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

void ApplyText(std::string_view value, std::string& target) {
    if (!value.empty()) target = std::string(value);
}

// Acts on one line; every key whose name the line begins with takes the value.
Applied ApplyLine(std::string_view line, Settings& settings) {
    const std::size_t equals = line.find('=');
    const std::string_view value = equals == std::string_view::npos ? line : line.substr(equals + 1);
    const double number = LeadingNumber(value);
    const auto key = [line](std::string_view name) { return line.starts_with(name); };

    if (key("FontSize") && number >= 7.75) {
        if (ApplyDouble(number, settings.DataFontSize) == Applied::Stop) return Applied::Stop;
    }
    if (key("FontBold") && ApplyDouble(number, settings.DataFontBold) == Applied::Stop) return Applied::Stop;
    if (key("FontItalic") && ApplyDouble(number, settings.DataFontItalic) == Applied::Stop) {
        return Applied::Stop;
    }
    if (key("TalvenorTop") && ApplyDouble(number, settings.MainTop) == Applied::Stop) return Applied::Stop;
    if (key("TalvenorLeft") && ApplyDouble(number, settings.MainLeft) == Applied::Stop) return Applied::Stop;
    if (key("TalvenorHeight") && number > 0) {
        if (ApplyDouble(number, settings.MainHeight) == Applied::Stop) return Applied::Stop;
    }
    if (key("TalvenorWidth") && number > 0) {
        if (ApplyDouble(number, settings.MainWidth) == Applied::Stop) return Applied::Stop;
    }
    if (key("DataTop") && ApplyInt16(number, true, settings.DataTop) == Applied::Stop) return Applied::Stop;
    if (key("DataLeft") && ApplyInt16(number, false, settings.DataLeft) == Applied::Stop)
        return Applied::Stop;
    if (key("DataHeight") && ApplyInt16(number, true, settings.DataHeight) == Applied::Stop) {
        return Applied::Stop;
    }
    if (key("DataWidth") && ApplyInt16(number, true, settings.DataWidth) == Applied::Stop) {
        return Applied::Stop;
    }
    if (key("DataFile")) ApplyText(value, settings.NamesFilePath);
    if (key("GeoDataFile")) ApplyText(value, settings.CitiesFilePath);
    if (key("AtlasDir")) ApplyText(value, settings.AtlasDir);
    // An engine word the program does not know leaves the choice as it was.
    if (key("Ephemeris=")) {
        if (const auto choice = EphemerisChoiceOfWord(WithoutBlanks(value))) settings.Ephemeris = *choice;
    }
    // Likewise a factor set.
    if (key("Factors=")) {
        if (const auto set = FactorSetOfWord(WithoutBlanks(value))) settings.Factors = *set;
    }
    ApplyWindowGeometryLine(line, kWheelWindowKey, number, settings.WheelWindow);
    ApplyWindowGeometryLine(line, kDialWindowKey, number, settings.DialWindow);
    ApplyWindowGeometryLine(line, kEphemerisWindowKey, number, settings.EphemerisWindow);
    return Applied::Done;
}

// A path holding a line break cannot be kept in a line-per-setting file: written as it is, its tail
// would be read back as a line of its own (even as another setting). Such a path is left out, so
// the next start falls back to the default file instead of a cut-off name.
std::string_view StorableText(const std::string& text) {
    return text.find_first_of("\r\n") == std::string::npos ? std::string_view(text) : std::string_view();
}

void AddLine(std::string& out, std::string_view key, std::string_view value) {
    out.append(key);
    out.append(value);
    out.append(kLineEnd);
}

}  // namespace

Settings DefaultSettings(const std::filesystem::path& appFolder) {
    Settings settings;
    settings.NamesFilePath = DataFile(appFolder, "\\NAMES.FIL").string();
    settings.CitiesFilePath = DataFile(appFolder, "\\GA_MA.LL").string();
    return settings;
}

void ReadSettings(const std::filesystem::path& file, Settings& settings) {
    // A folder or a device is no settings file (and /dev/zero would never end).
    if (!IsPlainFile(file)) return;
    std::ifstream in(file, std::ios::binary);
    if (!in) return;
    // Lines end with CR LF as written, or LF when the file was edited on this system. A line longer than
    // any key with the longest path cannot be a setting; it is passed over without being held.
    while (const auto line = ReadLineHead(in, kLongestSettingsLine)) {
        if (line->cut) continue;
        if (ApplyLine(line->text, settings) == Applied::Stop) return;
    }
}

std::string SettingsText(const Settings& settings) {
    std::string out;
    out.append(kHeaderLine);
    out.append(kLineEnd);
    AddLine(out, "FontSize=", GeneralNumber(settings.DataFontSize));
    AddLine(out, "FontBold=", GeneralNumber(settings.DataFontBold));
    AddLine(out, "FontItalic=", GeneralNumber(settings.DataFontItalic));
    AddLine(out, "TalvenorTop=", GeneralNumber(settings.MainTop));
    AddLine(out, "TalvenorLeft=", GeneralNumber(settings.MainLeft));
    AddLine(out, "TalvenorHeight=", GeneralNumber(settings.MainHeight));
    AddLine(out, "TalvenorWidth=", GeneralNumber(settings.MainWidth));
    AddLine(out, "DataTop=", GeneralNumber(settings.DataTop));
    AddLine(out, "DataLeft=", GeneralNumber(settings.DataLeft));
    AddLine(out, "DataHeight=", GeneralNumber(settings.DataHeight));
    AddLine(out, "DataWidth=", GeneralNumber(settings.DataWidth));
    AddLine(out, "DataFile=", StorableText(settings.NamesFilePath));
    AddLine(out, "GeoDataFile=", StorableText(settings.CitiesFilePath));
    const std::string_view atlas = StorableText(settings.AtlasDir);
    if (!atlas.empty()) AddLine(out, "AtlasDir=", atlas);
    if (settings.Ephemeris != EphemerisChoice::Theory)
        AddLine(out, "Ephemeris=", EphemerisChoiceWord(settings.Ephemeris));
    if (settings.Factors != FactorSet::Classic) AddLine(out, "Factors=", FactorSetWord(settings.Factors));
    out += WindowGeometryLines(kWheelWindowKey, settings.WheelWindow, kLineEnd);
    out += WindowGeometryLines(kDialWindowKey, settings.DialWindow, kLineEnd);
    out += WindowGeometryLines(kEphemerisWindowKey, settings.EphemerisWindow, kLineEnd);
    return out;
}

bool WriteSettings(const std::filesystem::path& file, const Settings& settings) {
    // The old file stays whole until the new one is complete beside it in the same folder.
    return ReplaceFileContents(file, SettingsText(settings));
}

}  // namespace talvenor
