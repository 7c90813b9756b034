#include "arguments.h"
#include "chart_exports.h"
#include "input/strict_number.h"

namespace talvenor {

std::string CheckDrawingArguments(const std::string& report, const std::optional<std::string>& output,
                                  const std::optional<std::string>& sizeText,
                                  const std::optional<std::string>& pointerText, DrawingRequest& request) {
    const bool drawing = report == "wheel" || report == "dial" || report == "graphic-ephemeris";
    const bool chart = report == "wheel" || report == "dial";
    const bool dial = report == "dial" || report == "dial-panel";
    request.report = report;
    if (drawing && !output) return report + " needs --output FILE (.svg, .png or .pdf)";
    if (!drawing && output) return "--output belongs to wheel, dial and graphic-ephemeris only";
    if (output && !IsDrawingFileName(*output)) return "--output must end in .svg, .png or .pdf: " + *output;
    if (output) request.output = *output;
    if (sizeText) {
        if (!drawing) return "--size belongs to wheel, dial and graphic-ephemeris only";
        const std::optional<double> size = cli::ReadWholeNumber(*sizeText, 100, 10000);
        if (!size) return "--size must be a whole number of pixels from 100 to 10000: " + *sizeText;
        request.size = static_cast<int>(*size);
    }
    if (pointerText) {
        if (!dial) return "--pointer belongs to dial and dial-panel only";
        const std::optional<double> pointer = StrictNumber(*pointerText);
        if (!pointer) return "--pointer must be a number of degrees: " + *pointerText;
        request.pointer = *pointer;
    } else if (report == "dial-panel") {
        return "dial-panel needs --pointer DEG";
    }
    if (request.withPanel && report != "dial") return "--panel belongs to dial only";
    if (!request.withSecondChart && !chart) return "--natal-only belongs to wheel and dial only";
    return "";
}

}  // namespace talvenor
