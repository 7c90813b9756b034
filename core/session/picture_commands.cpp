#include "session/picture_commands.h"

#include "chart/positions.h"
#include "chart/progressions.h"
#include "midpoints/analysis_table.h"
#include "midpoints/direction_aspects.h"
#include "session/compute_charts.h"
#include "session/modulus_questions.h"

namespace talvenor {

namespace {

// A new page with a blank line, the natal heading and a blank line.
void StartHeadedPage(Session& s) {
    s.report.StartReport(EngineHeadingNote(s.natalChart));
    s.report.AppendBlankLine();
    WriteNatalHeaderShort(s.natalChart, s.regional, s.report);
    s.report.AppendBlankLine();
}

ShowResult DirectionsCommand(Session& s, float modulus, DirectionKind kind) {
    const std::optional<double> age = AgeOnDate(s.natalChart.birth, s.secondChart.birth);
    if (!age) {
        s.dialogs->ShowMessage(kBeforeBirthMessage, kBeforeBirthTitle, MessageIcon::Information);
        return ShowResult::NothingToShow;
    }
    ChartResult progressed = ComputeProgressedChart(s.natalChart, s.options, *age);
    if (progressed.fault) {
        s.dialogs->ShowMessage(progressed.fault->Message(), kComputationErrorTitle, MessageIcon::Critical);
        return ShowResult::NothingToShow;
    }
    const DirectionMoment moment{HeadingOf(s.secondChart.birth).date, *age,
                                 SolarArc(s.natalChart, *progressed.chart)};
    const Chart moved = kind == DirectionKind::SolarArc ? SolarArcChart(s.natalChart, s.options, moment.arc)
                                                        : std::move(*progressed.chart);
    s.Modulus = modulus;
    StartHeadedPage(s);
    s.AnalysisMode = kNatalMode;
    WriteDirectionsReport(s.natalChart, moved, s.options, s.regional, kind, moment, modulus, s.report);
    s.AnalysisMode = kTransitMode;
    return ShowSessionReport(s);
}

}  // namespace

std::optional<PictureChoice> AskPictureTarget(UserDialogs& dialogs, FactorSet set) {
    for (;;) {
        const std::optional<std::string> answer =
            dialogs.AskText(PictureTargetPrompt(set), kPictureTargetTitle, "");
        if (!answer) return std::nullopt;
        if (auto choice = ParsePictureChoice(*answer, set)) return choice;
        dialogs.ShowMessage(PictureTargetRefusal(*answer, set), kPictureTargetTitle,
                            MessageIcon::Exclamation);
    }
}

ShowResult PlanetaryPicturesCommand(Session& s) {
    const std::optional<float> modulus = AskModulus(*s.dialogs);
    if (!modulus) return ShowResult::NothingToShow;
    const std::optional<PictureChoice> choice = AskPictureTarget(*s.dialogs, s.natalChart.factors);
    if (!choice) return ShowResult::NothingToShow;
    PictureRequest request;
    request.modulus = *modulus;
    request.orb = s.options.treeOrb();
    request.choice = *choice;
    return PlanetaryPicturesCommand(s, request);
}

ShowResult PlanetaryPicturesCommand(Session& s, const PictureRequest& request) {
    s.Modulus = request.modulus;
    StartHeadedPage(s);
    s.AnalysisMode = kNatalMode;
    WritePicturesReport(s.natalChart, s.secondChart, s.options, s.diurnal, request, s.report);
    s.AnalysisMode = kTransitMode;
    return ShowSessionReport(s);
}

ShowResult SolarArcCommand(Session& s) {
    const std::optional<float> modulus = AskModulus(*s.dialogs);
    if (!modulus) return ShowResult::NothingToShow;
    return SolarArcCommand(s, *modulus);
}

ShowResult SolarArcCommand(Session& s, float modulus) {
    return DirectionsCommand(s, modulus, DirectionKind::SolarArc);
}

ShowResult ProgressionsCommand(Session& s) {
    const std::optional<float> modulus = AskModulus(*s.dialogs);
    if (!modulus) return ShowResult::NothingToShow;
    return ProgressionsCommand(s, *modulus);
}

ShowResult ProgressionsCommand(Session& s, float modulus) {
    return DirectionsCommand(s, modulus, DirectionKind::Progressed);
}

}  // namespace talvenor
