#include "session/compute_charts.h"

#include "input/window_birth.h"
#include "session/chart_commands.h"
#include "session/ephemeris_choice.h"

namespace talvenor {

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
    report.refused = CheckBirths(natal, second, session.checkedHouse);
    if (!report.refused.empty()) {
        report.outcome = ComputeOutcome::InputRefused;
        return report;
    }

    // Both charts first: a fault in either keeps the previous ones.
    const HouseSystem houses = session.checkedHouse;
    const SkyEngine engine = EngineForComputing(session);
    ChartResult natalChart =
        ComputeChart(natal, houses, session.options, ChartRole::Natal, engine, session.factors);
    ChartResult secondChart;
    if (!natalChart.fault && wanted == ChartsWanted::Both) {
        secondChart =
            ComputeChart(second, houses, session.options, ChartRole::Second, engine, session.factors);
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
