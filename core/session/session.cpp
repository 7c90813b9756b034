#include "session/session.h"

namespace talvenor {

ShowResult ShowSessionReport(Session& session) {
    return ShowReport(session.report, session.appFolder, session.DataWindowMinimized);
}

}  // namespace talvenor
