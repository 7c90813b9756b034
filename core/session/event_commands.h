// The Data menu's "Event Search...": the moments at which the chosen moving factors stand on the natal
// targets in a dial, over a range of dates, shown as a page in the data window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "events/event_factors.h"
#include "events/event_page.h"
#include "events/event_search.h"
#include "report/report_buffer.h"
#include "session/session.h"

namespace talvenor {

// What the search window (or the report tool) asks for, as typed.
struct EventSearchChoices {
    std::string from, to;  // dates: "1 Jan 2027", or numbers in the regional order
    std::string modulus = "90";
    std::vector<std::string> movers = DefaultMoverNames();
    TargetChoice targets;
};

// A search ready to run over the chart as last computed.
struct PreparedEventSearch {
    EventSearchRequest request;
    EventSearchHeading heading;
};

// Checks the choices: the message to show when they make no search, the search otherwise.
struct EventSearchPreparation {
    std::optional<PreparedEventSearch> search;
    std::string message;
};
EventSearchPreparation PrepareEventSearch(const Session& session, const EventSearchChoices& choices);

// Runs the search and shows its page (also when cancelled: the events found until then). A choice that
// makes no search, or a position that cannot be computed, is told with its message (title "Event
// Search") and nothing is shown.
ShowResult EventSearchCommand(Session& session, const EventSearchChoices& choices,
                              EventSearchProgress& progress);

}  // namespace talvenor
