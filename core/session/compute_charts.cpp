#include "session/compute_charts.h"

#include "chart/chart_passes.h"
#include "input/window_birth.h"
#include "session/chart_commands.h"

namespace talvenor {

std::string HouseCodeFromMenu(const std::string& checkedHouseCode) {
    for (const char* code : {"R", "K", "C", "O", "EA", "EM", "M", "I"}) {
        if (checkedHouseCode == code) return code;
    }
    return "P";
}

namespace {

void TransferBoth(Session& session, const Birth& natal, const Birth& second, ChartState& chart) {
    chart.ChartName = natal.name;
    chart.HouseSystemCode = HouseCodeFromMenu(session.checkedHouseCode);
    TransferNatalBirth(natal, chart);
    TransferDiurnalBirth(second, chart);
    chart.NatalEastWestCopy = chart.NatalEastWest;
    chart.NatalNorthSouthCopy = chart.NatalNorthSouth;
}

EngineResult ComputeNatalChart(Session& session, const Birth& natal, const Birth& second, ChartState& chart) {
    TransferBoth(session, natal, second, chart);
    return ComputeNatalPass(chart, session.options);
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

EngineResult ComputeBothCharts(Session& session, const Birth& natal, const Birth& second, ChartState& chart) {
    TransferBoth(session, natal, second, chart);
    if (auto fault = ComputeNatalPass(chart, session.options)) return fault;
    return ComputeDiurnalPass(chart, session.options);
}

ComputeReport ComputeChartsFrom(Session& session, const Birth& natal, const Birth& second,
                                ChartsWanted wanted) {
    ComputeReport report;
    ChartState& chart = session.chart;
    chart.InputErrorFlag = 0;
    report.refused = CheckBirths(natal, second, session.checkedHouseCode);
    if (!report.refused.empty()) {
        chart.InputErrorFlag = 1;
        report.outcome = ComputeOutcome::InputRefused;
        return report;
    }

    // Computed on a copy: a fault halfway must not leave half a new chart behind.
    ChartState work = chart;
    const EngineResult fault = wanted == ChartsWanted::Both ? ComputeBothCharts(session, natal, second, work)
                                                            : ComputeNatalChart(session, natal, second, work);
    if (fault) {
        report.fault = UserMessage{fault->Message(), kComputationErrorTitle, MessageIcon::Critical};
        report.outcome = ComputeOutcome::Fault;
        return report;
    }
    chart = std::move(work);

    NatalDataCommand(session);
    if (session.options.emptyDataAfterChart()) session.report.ClearDataBuffer();
    return report;
}

void ShowComputeMessages(Session& session, const ComputeReport& report) {
    for (const UserMessage& m : report.Messages()) session.dialogs->ShowMessage(m.text, m.title, m.icon);
}

ComputeOutcome ComputeCharts(Session& session, ChartsWanted wanted) {
    const ComputeReport report =
        ComputeChartsFrom(session, NatalWindowBirth(session), DiurnalWindowBirth(session), wanted);
    ShowComputeMessages(session, report);
    return report.outcome;
}

}  // namespace talvenor
