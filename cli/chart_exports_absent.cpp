// talvenor-report built without the desktop program: the drawing commands are refused.
#include <cstdio>

#include "chart_exports.h"

namespace talvenor {

bool DrawingAvailable() {
    return false;
}

bool IsDrawingFileName(const std::string& path) {
    for (const char* ext : {".svg", ".png", ".pdf"}) {
        const std::string e = ext;
        if (path.size() >= e.size() && path.compare(path.size() - e.size(), e.size(), e) == 0) return true;
    }
    return false;
}

int WriteDrawing(const Session&, const DrawingRequest&, int, char**) {
    std::fprintf(stderr, "talvenor-report: this build draws no wheels or dials (built without Qt)\n");
    return 1;
}

int WriteGraph(const EphemerisGraph&, const DrawingRequest&, int, char**) {
    std::fprintf(stderr, "talvenor-report: this build draws no graphic ephemeris (built without Qt)\n");
    return 1;
}

}  // namespace talvenor
