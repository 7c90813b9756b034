// The place and size of the chart windows (wheel, dial and graphic ephemeris) in the settings file: four
// lines a window, "WheelTop=", "WheelLeft=", "WheelHeight=", "WheelWidth=" (and the same with "Dial" and
// "Ephemeris"), in twips like the main window's: the outer rectangle, frame and title bar included (a file
// of an earlier version kept the contents' rectangle; read as the outer one, its window opens a title bar
// lower once and stays there). They follow the fixed lines and are written only once the window has been
// open, so a file of a run that never opened them keeps its fourteen or fifteen lines.
#pragma once

#include <string>
#include <string_view>

namespace talvenor {

struct WindowGeometry {
    double Top = 0, Left = 0, Height = 0, Width = 0;  // twips, outer; a height or width of 0: never placed

    bool Known() const { return Height > 0 && Width > 0; }
    friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

inline constexpr std::string_view kWheelWindowKey = "Wheel";
inline constexpr std::string_view kDialWindowKey = "Dial";
inline constexpr std::string_view kEphemerisWindowKey = "Ephemeris";

// Applies a settings line when it begins with prefix + "Top", "Left", "Height" or "Width" (number is the
// value read from it). Heights and widths of 0 or below and values that are not finite are ignored.
void ApplyWindowGeometryLine(std::string_view line, std::string_view prefix, double number,
                             WindowGeometry& geometry);

// The four lines of a window whose geometry is known, each ended by lineEnd; nothing otherwise.
std::string WindowGeometryLines(std::string_view prefix, const WindowGeometry& geometry,
                                std::string_view lineEnd);

}  // namespace talvenor
