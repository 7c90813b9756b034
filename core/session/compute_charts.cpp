#include "session/compute_charts.h"

#include "chart/chart_passes.h"
#include "chart/house_systems.h"
#include "input/window_birth.h"
#include "session/chart_commands.h"

namespace talvenor {

namespace {

// The tables the page writers read, assembled from the computed charts: this is the one place where the
// chart state is filled. The input section holds both births; the working set and the time outputs are
// those of the chart computed last, as the page writers have always found them.
void AssembleChartState(const Chart& natal, const Birth& secondBirth, const Chart* second,
                        ChartState& state) {
    state.ChartName = natal.birth.name;
    state.HouseSystemCode = std::string(CodeOfHouseSystem(natal.houseSystem));
    state.InputErrorFlag = 0;
    TransferNatalBirth(natal.birth, state);
    TransferDiurnalBirth(secondBirth, state);
    // The natal header prints the natal hemisphere words, whichever chart was computed last.
    state.NatalEastWestCopy = state.NatalEastWest;
    state.NatalNorthSouthCopy = state.NatalNorthSouth;
    StoreNatalChart(natal, state);
    if (second) {
        StoreSecondChart(*second, state);
        StoreWorkingSet(*second, state);
        state.ChartSelector = kSelectDiurnal;
        state.NatalNorthSouth = state.DiurnalNorthSouth;
    } else {
        StoreWorkingSet(natal, state);
        state.ChartSelector = kSelectNatal;
    }
}

}  // namespace

std::vector<UserMessage> ComputeReport::Messages() const {
    std::vector<UserMessage> messages;
    for (const InputFault& f : refused) messages.push_back(f.message);
    if (fault) messages.push_back(*fault);
    return messages;
}

Birth NatalWindowBirth(const Session& session) {
    return BirthFromWindow(session.natal, session.regional, kNatalWindowSource);
}

Birth DiurnalWindowBirth(const Session& session) {
    return BirthFromWindow(session.diurnal, session.regional, kDiurnalWindowSource);
}

ComputeReport ComputeChartsFrom(Session& session, const Birth& natal, const Birth& second,
                                ChartsWanted wanted) {
    ComputeReport report;
    ChartState& state = session.chart;
    state.InputErrorFlag = 0;
    report.refused = CheckBirths(natal, second, session.checkedHouse);
    if (!report.refused.empty()) {
        state.InputErrorFlag = 1;
        report.outcome = ComputeOutcome::InputRefused;
        return report;
    }

    // Both charts first: a fault in either keeps the previous ones.
    const HouseSystem houses = session.checkedHouse;
    ChartResult natalChart = ComputeChart(natal, houses, session.options, ChartRole::Natal);
    ChartResult secondChart;
    if (!natalChart.fault && wanted == ChartsWanted::Both) {
        secondChart = ComputeChart(second, houses, session.options, ChartRole::Second);
    }
    if (const EngineResult& fault = natalChart.fault ? natalChart.fault : secondChart.fault) {
        report.fault = UserMessage{fault->Message(), kComputationErrorTitle, MessageIcon::Critical};
        report.outcome = ComputeOutcome::Fault;
        return report;
    }
    session.natalChart = std::move(*natalChart.chart);
    if (secondChart.chart) {
        session.secondChart = std::move(*secondChart.chart);
    } else {
        // A run that reads the natal chart alone keeps the second chart's positions, but its pages name
        // the second birth's date in their headers, as they always have.
        session.secondChart.birth = second;
    }
    AssembleChartState(session.natalChart, second, secondChart.chart ? &session.secondChart : nullptr, state);
    return report;
}

void ShowNatalDataAfterComputing(Session& session) {
    NatalDataCommand(session);
    if (session.options.emptyDataAfterChart()) session.report.ClearDataBuffer();
}

void ShowComputeMessages(Session& session, const ComputeReport& report) {
    for (const UserMessage& m : report.Messages()) session.dialogs->ShowMessage(m.text, m.title, m.icon);
}

ComputeOutcome ComputeCharts(Session& session, ChartsWanted wanted) {
    const ComputeReport report =
        ComputeChartsFrom(session, NatalWindowBirth(session), DiurnalWindowBirth(session), wanted);
    ShowComputeMessages(session, report);
    if (report.outcome == ComputeOutcome::Computed) ShowNatalDataAfterComputing(session);
    return report.outcome;
}

}  // namespace talvenor
