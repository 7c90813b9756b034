#include "session/compute_charts.h"

#include "chart/chart_passes.h"
#include "chart/house_systems.h"
#include "input/input_checks.h"
#include "session/chart_commands.h"

namespace talvenor {

std::string HouseCodeFromMenu(const std::string& checkedHouseCode) {
    for (const char* code : {"R", "K", "C", "O", "EA", "EM", "M", "I"}) {
        if (checkedHouseCode == code) return code;
    }
    return "P";
}

namespace {

void TransferBoth(Session& session, ChartState& chart) {
    chart.ChartName = session.natal.txtName;
    chart.HouseSystemCode = HouseCodeFromMenu(session.checkedHouseCode);
    TransferNatalInput(session.natal, session.regional, chart);
    TransferDiurnalInput(session.diurnal, session.regional, chart);
    chart.NatalEastWestCopy = chart.NatalEastWest;
    chart.NatalNorthSouthCopy = chart.NatalNorthSouth;
}

EngineResult ComputeNatalChart(Session& session, ChartState& chart) {
    TransferBoth(session, chart);
    return ComputeNatalPass(chart, session.options);
}

}  // namespace

EngineResult ComputeBothCharts(Session& session, ChartState& chart) {
    TransferBoth(session, chart);
    if (auto fault = ComputeNatalPass(chart, session.options)) return fault;
    return ComputeDiurnalPass(chart, session.options);
}

ComputeOutcome ComputeCharts(Session& session, ChartsWanted wanted) {
    ChartState& chart = session.chart;
    UserDialogs& dialogs = *session.dialogs;
    chart.InputErrorFlag = 0;
    CheckInputComplete(session.natal, session.diurnal, chart, dialogs);
    CheckHouseLatitude(session.natal, session.diurnal, session.checkedHouseCode, chart, dialogs);
    CheckNatalRanges(session.natal, chart, dialogs);
    CheckDiurnalRanges(session.diurnal, chart, dialogs);
    if (chart.InputErrorFlag == 1) return ComputeOutcome::InputRefused;

    // Computed on a copy: a fault halfway must not leave half a new chart behind.
    ChartState work = chart;
    const EngineResult fault =
        wanted == ChartsWanted::Both ? ComputeBothCharts(session, work) : ComputeNatalChart(session, work);
    if (fault) {
        dialogs.ShowMessage(fault->Message(), kComputationErrorTitle, MessageIcon::Critical);
        return ComputeOutcome::Fault;
    }
    chart = std::move(work);

    NatalDataCommand(session);
    if (session.options[165] != 0) session.report.ClearDataBuffer();
    return ComputeOutcome::Computed;
}

}  // namespace talvenor
