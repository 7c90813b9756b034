#include "environment/window_geometry.h"

#include <cmath>

#include "text/basic_text.h"

namespace talvenor {

void ApplyWindowGeometryLine(std::string_view line, std::string_view prefix, double number,
                             WindowGeometry& geometry) {
    if (!line.starts_with(prefix) || !std::isfinite(number)) return;
    const std::string_view key = line.substr(prefix.size());
    if (key.starts_with("Top")) geometry.Top = number;
    if (key.starts_with("Left")) geometry.Left = number;
    if (key.starts_with("Height") && number > 0) geometry.Height = number;
    if (key.starts_with("Width") && number > 0) geometry.Width = number;
}

std::string WindowGeometryLines(std::string_view prefix, const WindowGeometry& geometry,
                                std::string_view lineEnd) {
    if (!geometry.Known()) return "";
    std::string out;
    const auto add = [&](std::string_view key, double value) {
        out.append(prefix);
        out.append(key);
        out += "=";
        out += GeneralNumber(value);
        out.append(lineEnd);
    };
    add("Top", geometry.Top);
    add("Left", geometry.Left);
    add("Height", geometry.Height);
    add("Width", geometry.Width);
    return out;
}

}  // namespace talvenor
