// The midpoint commands of the Data menu: each writes one page over the chart as last computed, exactly
// as its menu item does (titles, analysis mode, which buffers are emptied), and shows it.
#pragma once

#include "midpoints/progress.h"
#include "report/report_buffer.h"
#include "session/session.h"

namespace talvenor {

// "Natal Midpoints and MWA".
ShowResult NatalMidpointsCommand(Session& session);
// "Natal Planet and Midpoint Sort": asks for the modulus; NothingToShow when the prompt ends the command.
ShowResult NatalSortCommand(Session& session, ProgressReporter& progress);
ShowResult NatalSortCommand(Session& session, float modulus, ProgressReporter& progress);
// "Natal MP Sort by Degree".
ShowResult NatalSortByDegreeCommand(Session& session, ProgressReporter& progress);
// "Unsorted / Sorted Natal Planet and Midpoint Aspects" (empty the data buffer first).
ShowResult NatalMidpointAspectsCommand(Session& session, bool sorted, ProgressReporter& progress);
// "Natal Tree": asks for the modulus.
ShowResult NatalTreeCommand(Session& session, ProgressReporter& progress);
ShowResult NatalTreeCommand(Session& session, float modulus, ProgressReporter& progress);
// "Transit Aspects to Natal Midpoints" (or the second person's).
ShowResult TransitAspectsToNatalMidpointsCommand(Session& session);
// "Transit Midpoint Aspects to Natal" (or the second person's).
ShowResult TransitMidpointsToNatalCommand(Session& session);
// "Unsorted / Sorted Transit Formulas" (empty the data buffer first).
ShowResult TransitFormulasCommand(Session& session, bool sorted, ProgressReporter& progress);
// "Transit Tree": asks for the modulus.
ShowResult TransitTreeCommand(Session& session, ProgressReporter& progress);
ShowResult TransitTreeCommand(Session& session, float modulus, ProgressReporter& progress);

}  // namespace talvenor
