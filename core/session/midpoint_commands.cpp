#include "session/midpoint_commands.h"

#include "chart/positions.h"
#include "midpoints/analysis_table.h"
#include "midpoints/dial_aspects.h"
#include "midpoints/dial_sorts.h"
#include "midpoints/midpoint_list.h"
#include "midpoints/midpoint_trees.h"
#include "session/modulus_questions.h"

namespace talvenor {

namespace {

// A new page with a blank line, the natal heading and a blank line, and the title in ReportLine.
void StartHeadedPage(Session& s, const std::string& title) {
    s.report.StartReport(EngineHeadingNote(s.natalChart));
    s.report.AppendBlankLine();
    WriteNatalHeaderShort(s.natalChart, s.regional, s.report);
    s.report.AppendBlankLine();
    s.report.ReportLine = title;
}

// A tree page: a new page, a blank line and the title line with the chart's name.
ShowResult TreeCommand(Session& s, float modulus, std::int16_t mode, const char* suffix,
                       ProgressReporter& progress) {
    s.Modulus = modulus;
    s.report.StartReport(EngineHeadingNote(s.natalChart));
    s.report.AppendBlankLine();
    s.report.AppendLine("  " + s.natalChart.birth.name + suffix);
    s.AnalysisMode = mode;
    WriteTreeReport(s.natalChart, s.secondChart, s.options, s.Modulus, mode, s.report, progress);
    s.AnalysisMode = kTransitMode;
    return ShowSessionReport(s);
}

}  // namespace

ShowResult NatalMidpointsCommand(Session& s) {
    WriteNatalMidpointsReport(s.natalChart, s.options, s.regional, s.report);
    return ShowSessionReport(s);
}

ShowResult NatalSortCommand(Session& s, ProgressReporter& progress) {
    const auto modulus = AskModulus(*s.dialogs);
    if (!modulus) return ShowResult::NothingToShow;
    return NatalSortCommand(s, *modulus, progress);
}

ShowResult NatalSortCommand(Session& s, float modulus, ProgressReporter& progress) {
    s.Modulus = modulus;
    StartHeadedPage(s, ModulusSortTitle(modulus));
    s.AnalysisMode = kNatalMode;
    WriteModulusSort(s.natalChart, s.options, s.Modulus, s.report, progress);
    s.AnalysisMode = kTransitMode;
    return ShowSessionReport(s);
}

ShowResult NatalSortByDegreeCommand(Session& s, ProgressReporter& progress) {
    s.Modulus = 360;
    StartHeadedPage(s, "  Natal Data Sort - numerical");
    s.AnalysisMode = kNatalMode;
    WriteDegreeSort(s.natalChart, s.options, s.report, progress);
    s.AnalysisMode = kTransitMode;
    return ShowSessionReport(s);
}

ShowResult NatalMidpointAspectsCommand(Session& s, bool sorted, ProgressReporter& progress) {
    s.report.ClearDataBuffer();
    StartHeadedPage(s, sorted ? "   Sorted Natal To Natal Aspects" : "  Unsorted Natal To Natal Aspects");
    s.AnalysisMode = kNatalMode;
    WriteNatalDialAspects(s.natalChart, s.options, sorted, s.report, progress);
    s.AnalysisMode = kTransitMode;
    return ShowSessionReport(s);
}

ShowResult NatalTreeCommand(Session& s, ProgressReporter& progress) {
    const auto modulus = AskModulus(*s.dialogs);
    if (!modulus) return ShowResult::NothingToShow;
    return NatalTreeCommand(s, *modulus, progress);
}

ShowResult NatalTreeCommand(Session& s, float modulus, ProgressReporter& progress) {
    return TreeCommand(s, modulus, kNatalMode, " - Natal Tree", progress);
}

ShowResult TransitAspectsToNatalMidpointsCommand(Session& s) {
    WriteTransitAspectsToNatalMidpoints(s.natalChart, s.secondChart, s.options, s.regional, s.diurnal,
                                        s.report);
    return ShowSessionReport(s);
}

ShowResult TransitMidpointsToNatalCommand(Session& s) {
    WriteTransitMidpointsToNatal(s.natalChart, s.secondChart, s.options, s.regional, s.diurnal, s.report);
    return ShowSessionReport(s);
}

ShowResult TransitFormulasCommand(Session& s, bool sorted, ProgressReporter& progress) {
    s.report.ClearDataBuffer();
    s.AnalysisMode = kTransitMode;
    StartHeadedPage(s, sorted ? "  Sorted Transit Aspects To Natal" : "  Unsorted Transit Aspects To Natal");
    WriteFormulas(s.natalChart, s.secondChart, s.options, sorted, s.report, progress);
    return ShowSessionReport(s);
}

ShowResult TransitTreeCommand(Session& s, ProgressReporter& progress) {
    const auto modulus = AskModulus(*s.dialogs);
    if (!modulus) return ShowResult::NothingToShow;
    return TransitTreeCommand(s, *modulus, progress);
}

ShowResult TransitTreeCommand(Session& s, float modulus, ProgressReporter& progress) {
    return TreeCommand(s, modulus, kTransitMode, " - Transit Tree", progress);
}

}  // namespace talvenor
