// The settings file: data-window font and geometry, main-window geometry and the data files in use.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "environment/factor_set.h"
#include "environment/window_geometry.h"
#include "ephemeris/sky_engine.h"

namespace talvenor {

inline constexpr const char* kSettingsFileName = "Talvenor.ini";

struct Settings {
    double DataFontSize = 8.5;
    double DataFontBold = 0;  // 0 off, -1 (any non-zero) on
    double DataFontItalic = 0;
    // Main window geometry, twips.
    double MainTop = 0, MainLeft = 0, MainHeight = 780, MainWidth = 11340;
    // Data window geometry, twips.
    std::int16_t DataTop = 675, DataLeft = 0, DataHeight = 8250, DataWidth = 9600;
    std::string NamesFilePath;   // defaults to the program folder's NAMES.FIL
    std::string CitiesFilePath;  // defaults to the program folder's GA_MA.LL
    std::string AtlasDir;
    // The chart wheel, dial and graphic ephemeris windows, once they have been open.
    WindowGeometry WheelWindow, DialWindow, EphemerisWindow;
    // The engine the charts are computed with ("Ephemeris=theory" or "Ephemeris=modern").
    EphemerisChoice Ephemeris = EphemerisChoice::Theory;
    // The factors of the midpoint work ("Factors=classic" or "Factors=uranian").
    FactorSet Factors = FactorSet::Classic;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The defaults, with the two file paths inside the program folder.
Settings DefaultSettings(const std::filesystem::path& appFolder);

// Reads the settings file over the defaults already in settings. Lines may end with CR LF or LF and
// may come in any order; a line acts for every key its beginning matches, case-sensitively. A missing
// file (or a folder or device in its place) leaves the defaults; a line too long to be a setting (over
// 4108 bytes) is passed over; reading stops quietly at a value that cannot be applied (a data-window
// value beyond the 16-bit range, or a number too large for a double), keeping what was read before.
// Texts are kept byte for byte (the files may be Windows-1252).
void ReadSettings(const std::filesystem::path& file, Settings& settings);

// Writes the settings file in its fixed order through a temporary file in the same folder and a rename,
// so the previous file stays whole on any failure. False when it cannot be written.
bool WriteSettings(const std::filesystem::path& file, const Settings& settings);

// The text written, with CR LF line ends: 15 lines, or 14 when AtlasDir is empty, and one more,
// "Ephemeris=modern", when the modern engine is chosen (the program's theory needs no line), and one more,
// "Factors=uranian", when the Uranian factors are (the classic ones need none). A path holding a line break
// is written empty (the reader then keeps the default).
std::string SettingsText(const Settings& settings);

}  // namespace talvenor
