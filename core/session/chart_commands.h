// The chart report commands of the Data menu: each writes one page over the chart as last computed
// and shows it. None of them recomputes.
#pragma once

#include "report/report_buffer.h"
#include "session/session.h"

namespace talvenor {

// "Natal Data and Aspects": header, house cusps, special points, positions, true node, aspect grid.
ShowResult NatalDataCommand(Session& session);
// "Transit Data and Aspects" (or the second person's natal data): positions page, then the aspect grid
// for a second person or the transit-to-transit list.
ShowResult TransitDataCommand(Session& session);
// "Transit Aspects to Natal" (or the interchart aspects).
ShowResult TransitsToNatalCommand(Session& session);

}  // namespace talvenor
