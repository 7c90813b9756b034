#include "session/chart_commands.h"

#include "chart/aspects.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"

namespace talvenor {

ShowResult NatalDataCommand(Session& s) {
    s.report.StartReport(EngineHeadingNote(s.natalChart));
    WriteNatalHeader(s.natalChart, s.secondChart, s.regional, s.report);
    WriteSpecialPoints(s.natalChart, s.options, s.report);
    WriteAspectGrid(s.natalChart, s.options, s.report);
    return ShowSessionReport(s);
}

ShowResult TransitDataCommand(Session& s) {
    s.report.StartReport(EngineHeadingNote(s.natalChart));
    WriteTransitPositionsPage(s.secondChart, s.options, s.regional, s.diurnal, s.report);
    if (s.diurnal.secondPerson) {
        WriteAspectGrid(s.secondChart, s.options, s.report);
    } else {
        WriteTransitToTransit(s.secondChart, s.report);
    }
    return ShowSessionReport(s);
}

ShowResult TransitsToNatalCommand(Session& s) {
    s.report.StartReport(EngineHeadingNote(s.natalChart));
    s.report.AppendBlankLine();
    WriteNatalHeaderShort(s.natalChart, s.regional, s.report);
    WriteTransitToNatal(s.secondChart, s.natalChart, s.diurnal, s.report);
    return ShowSessionReport(s);
}

}  // namespace talvenor
