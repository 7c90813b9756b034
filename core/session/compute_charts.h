// The chart computation: checks the natal and the second birth, transfers them, computes the natal and
// the diurnal chart with their houses, declinations, solstice points and the natal midpoints, and writes
// the natal data page.
#pragma once

#include <optional>
#include <vector>

#include "chart/arithmetic_fault.h"
#include "chart/birth.h"
#include "environment/user_message.h"
#include "input/input_checks.h"
#include "session/session.h"

namespace talvenor {

enum class ComputeOutcome {
    Computed,      // both charts computed
    InputRefused,  // a check failed; nothing changed
    Fault,         // an arithmetic fault; the previous chart kept
};

// Title of the message shown when a computation meets an arithmetic fault.
inline constexpr const char* kComputationErrorTitle = "Error!";

// Which charts a computation makes. NatalOnly is for the report tool's runs over a names file whose
// page reads the natal chart alone: the second birth is still checked and transferred (its date stands
// in the page header), but the diurnal chart keeps whatever it held.
enum class ChartsWanted { Both, NatalOnly };

// What a computation has to tell: the check's faults in the order they were found, or the message of an
// arithmetic fault.
struct ComputeReport {
    ComputeOutcome outcome = ComputeOutcome::Computed;
    std::vector<InputFault> refused;
    std::optional<UserMessage> fault;
    // Every message in the order the windows show them.
    std::vector<UserMessage> Messages() const;
};

// The births of the two input windows, read from the session's texts.
Birth NatalWindowBirth(const Session& session);
Birth DiurnalWindowBirth(const Session& session);

// The computation from two births, with the house system of the house menu: the natal and the second
// chart computed (ComputeChart) and kept in the session. Shows nothing and writes no page: the faults come back in the report. On a fault the previous charts are kept.
ComputeReport ComputeChartsFrom(Session& session, const Birth& natal, const Birth& second,
                                ChartsWanted wanted = ChartsWanted::Both);

// Shows a report's messages in order through the session's dialogs.
void ShowComputeMessages(Session& session, const ComputeReport& report);

// The page that follows a computation: the natal data page, the data buffer emptied after it when
// option 165 asks for that.
void ShowNatalDataAfterComputing(Session& session);

// The whole computation, as the OK button, a double-click on a name and the house menu run it: the two
// windows' births, computed, their faults shown, then the natal data page.
ComputeOutcome ComputeCharts(Session& session, ChartsWanted wanted = ChartsWanted::Both);

}  // namespace talvenor
