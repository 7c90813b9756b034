// The drawing commands of talvenor-report: the chart wheel and the dial as SVG, PNG or PDF files.
// Declared without Qt, so that the report pages never start it.
#pragma once

#include <optional>
#include <string>

namespace talvenor {

struct Session;
struct EphemerisGraph;

struct DrawingRequest {
    std::string report;  // "wheel", "dial" or "graphic-ephemeris"
    std::string output;  // the file; its extension (.svg, .png, .pdf) gives the format
    int size = 1000;     // pixels: the height (the wheel and the dial alone are square)
    float modulus = 90;
    double pointer = 0;
    bool withSecondChart = true;
    bool withPanel = false;  // the dial's panel beside it; the file is then half as wide again
};

// Whether the tool was built with the drawing module.
bool DrawingAvailable();

// Writes the file: 0 when written, 1 (with a message on stderr) when it could not be.
int WriteDrawing(const Session& session, const DrawingRequest& request, int argc, char** argv);

// Writes the graphic ephemeris to the request's file, size pixels high and half as wide again; the exit
// status as for WriteDrawing.
int WriteGraph(const EphemerisGraph& graph, const DrawingRequest& request, int argc, char** argv);

// The shape of a graphic ephemeris file: this much wider than high.
inline constexpr double kGraphAspect = 1.5;

// Checks the drawing options for a report and puts them into the request: "" when they are right, the
// complaint otherwise (--output only with wheel, dial and graphic-ephemeris, and required there; --size a
// whole number from 100 to 10000; --pointer a number, with dial and dial-panel only, and required for
// dial-panel).
std::string CheckDrawingArguments(const std::string& report, const std::optional<std::string>& output,
                                  const std::optional<std::string>& sizeText,
                                  const std::optional<std::string>& pointerText, DrawingRequest& request);

// Whether a file name ends with an extension the drawings are written in.
bool IsDrawingFileName(const std::string& path);

}  // namespace talvenor
