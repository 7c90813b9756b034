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

// The natal chart in the working arrays, as the natal data page has always left them for the commands
// that read them next.
void LoadNatalWorkingSet(ChartState& chart) {
    LoadIntoWorkingArrays(chart.NatalLon, chart.NatalDecl, chart);
    for (std::size_t h = 1; h <= 13; ++h) chart.HouseCusp[h] = chart.NatalCusp[h];
    chart.PointHouseText = chart.NatalHouseText;
    chart.RetroFlags = chart.NatalRetroFlags;
}

// The same for the second chart, as the transit page leaves them.
void LoadDiurnalWorkingSet(ChartState& chart) {
    LoadIntoWorkingArrays(chart.DiurnalLon, chart.DiurnalDecl, chart);
    for (std::size_t h = 1; h <= 13; ++h) chart.HouseCusp[h] = chart.DiurnalCusp[h];
    chart.PointHouseText = chart.DiurnalHouseText;
    chart.RetroFlags = chart.DiurnalRetroFlags;
}

}  // namespace

ShowResult NatalDataCommand(Session& s) {
    s.report.StartReport();
    WriteNatalHeader(s.natalChart, s.secondChart, s.regional, s.report);
    WriteSpecialPoints(s.natalChart, s.options, s.report);
    WriteAspectGrid(s.natalChart, s.options, s.report);
    LoadNatalWorkingSet(s.chart);
    return ShowSessionReport(s);
}

ShowResult TransitDataCommand(Session& s) {
    s.report.StartReport();
    WriteTransitPositionsPage(s.secondChart, s.options, s.regional, s.diurnal, s.report);
    LoadDiurnalWorkingSet(s.chart);
    if (s.diurnal.secondPerson) {
        WriteAspectGrid(s.secondChart, s.options, s.report);
    } else {
        WriteTransitToTransit(s.secondChart, s.report);
    }
    const ShowResult shown = ShowSessionReport(s);
    s.chart.ChartSelector = kSelectNatal;
    return shown;
}

ShowResult TransitsToNatalCommand(Session& s) {
    s.report.StartReport();
    s.report.AppendBlankLine();
    WriteNatalHeaderShort(s.natalChart, s.regional, s.report);
    WriteTransitToNatal(s.secondChart, s.natalChart, s.diurnal, s.report);
    return ShowSessionReport(s);
}

}  // namespace talvenor
