#include "session/session.h"

namespace talvenor {

ShowResult ShowSessionReport(Session& session) {
    return ShowReport(session.report, session.appFolder, session.DataWindowMinimized);
}

std::string HouseCodeForOption(float option27) {
    if (option27 == 2) return "R";
    if (option27 == 3) return "K";
    if (option27 == 4) return "C";
    if (option27 == 5) return "O";
    if (option27 == 6) return "EA";
    if (option27 == 7) return "EM";
    if (option27 == 8) return "M";
    if (option27 == 9) return "I";
    return "P";
}

}  // namespace talvenor
