// Checks on a computed chart and on the pages written from it, shared by the targets that compute.
#pragma once

#include <string>
#include <string_view>

#include "chart/chart_dump.h"
#include "fuzz_support.h"
#include "session/chart_commands.h"
#include "session/midpoint_commands.h"

namespace talvenor::fuzzing {

// True when the dump holds a null outside its texts: the dump writes every non-finite real as null.
inline bool DumpHoldsNonFinite(std::string_view json) {
    bool inText = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inText) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inText = false;
        } else if (c == '"') {
            inText = true;
        } else if (json.substr(i, 4) == "null") {
            return true;
        }
    }
    return false;
}

// The dial moduli every sort and tree runs on: the whole circle, the usual dials and a fine one.
inline constexpr float kModuli[] = {360.0f, 45.0f, 22.5f, 0.5f};

// Every chart page and every midpoint report over the chart as computed.
inline void RunEveryReport(Session& session) {
    ProgressReporter& none = NoProgress();
    Require(TransitDataCommand(session) != ShowResult::NotWritten, "the transit page is written");
    Require(TransitsToNatalCommand(session) != ShowResult::NotWritten,
            "the transits-to-natal page is written");
    NatalMidpointsCommand(session);
    TransitAspectsToNatalMidpointsCommand(session);
    TransitMidpointsToNatalCommand(session);
    NatalSortByDegreeCommand(session, none);
    for (const float modulus : kModuli) {
        NatalSortCommand(session, modulus, none);
        NatalTreeCommand(session, modulus, none);
        TransitTreeCommand(session, modulus, none);
    }
    for (const bool sorted : {false, true}) {
        NatalMidpointAspectsCommand(session, sorted, none);
        TransitFormulasCommand(session, sorted, none);
    }
}

}  // namespace talvenor::fuzzing
