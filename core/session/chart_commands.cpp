#include "session/chart_commands.h"

#include "chart/aspects.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"

namespace talvenor {

namespace {

void LoadIntoWorkingArrays(const PointArray& lon, const PointArray& decl, ChartState& chart) {
    for (std::size_t p = 1; p <= kPointCount; ++p) {
        chart.PointLon[p] = lon[p];
        chart.PointDecl[p] = decl[p];
    }
}

}  // namespace

ShowResult NatalDataCommand(Session& s) {
    s.report.StartReport();
    WriteNatalHeader(s.chart, s.regional, s.report);
    WriteSpecialPoints(s.chart, s.options, s.report);
    LoadIntoWorkingArrays(s.chart.NatalLon, s.chart.NatalDecl, s.chart);
    WriteAspectGrid(s.chart, s.options, s.report);
    return ShowSessionReport(s);
}

ShowResult TransitDataCommand(Session& s) {
    s.report.StartReport();
    WriteTransitPositionsPage(s.chart, s.options, s.regional, s.diurnal, s.report);
    LoadIntoWorkingArrays(s.chart.DiurnalLon, s.chart.DiurnalDecl, s.chart);
    if (s.diurnal.secondPerson) {
        WriteAspectGrid(s.chart, s.options, s.report);
    } else {
        WriteTransitToTransit(s.chart, s.report);
    }
    const ShowResult shown = ShowSessionReport(s);
    s.chart.ChartSelector = kSelectNatal;
    return shown;
}

ShowResult TransitsToNatalCommand(Session& s) {
    s.report.StartReport();
    s.report.AppendBlankLine();
    WriteNatalHeaderShort(s.chart, s.regional, s.report);
    WriteTransitToNatal(s.chart, s.diurnal, s.report);
    return ShowSessionReport(s);
}

}  // namespace talvenor
