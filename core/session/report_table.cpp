#include "session/report_table.h"

#include <array>

#include "midpoints/dial_panel.h"
#include "session/chart_commands.h"
#include "session/midpoint_commands.h"
#include "session/picture_commands.h"

namespace talvenor {
namespace {

// The writers: each calls the page's command, with the modulus given or asked for.
ShowResult NatalData(Session& s, const ReportRun&) {
    return NatalDataCommand(s);
}
ShowResult NatalMidpoints(Session& s, const ReportRun&) {
    return NatalMidpointsCommand(s);
}
ShowResult NatalSort(Session& s, const ReportRun& r) {
    return r.modulus ? NatalSortCommand(s, *r.modulus, *r.progress) : NatalSortCommand(s, *r.progress);
}
ShowResult NatalSortByDegree(Session& s, const ReportRun& r) {
    return NatalSortByDegreeCommand(s, *r.progress);
}
ShowResult NatalAspectsUnsorted(Session& s, const ReportRun& r) {
    return NatalMidpointAspectsCommand(s, false, *r.progress);
}
ShowResult NatalAspectsSorted(Session& s, const ReportRun& r) {
    return NatalMidpointAspectsCommand(s, true, *r.progress);
}
ShowResult NatalTree(Session& s, const ReportRun& r) {
    return r.modulus ? NatalTreeCommand(s, *r.modulus, *r.progress) : NatalTreeCommand(s, *r.progress);
}
ShowResult TransitData(Session& s, const ReportRun&) {
    return TransitDataCommand(s);
}
ShowResult TransitsToNatal(Session& s, const ReportRun&) {
    return TransitsToNatalCommand(s);
}
ShowResult TransitsToNatalMidpoints(Session& s, const ReportRun&) {
    return TransitAspectsToNatalMidpointsCommand(s);
}
ShowResult TransitMidpointsToNatal(Session& s, const ReportRun&) {
    return TransitMidpointsToNatalCommand(s);
}
ShowResult FormulasUnsorted(Session& s, const ReportRun& r) {
    return TransitFormulasCommand(s, false, *r.progress);
}
ShowResult FormulasSorted(Session& s, const ReportRun& r) {
    return TransitFormulasCommand(s, true, *r.progress);
}
ShowResult TransitTree(Session& s, const ReportRun& r) {
    return r.modulus ? TransitTreeCommand(s, *r.modulus, *r.progress) : TransitTreeCommand(s, *r.progress);
}
ShowResult Pictures(Session& s, const ReportRun& r) {
    return r.pictures ? PlanetaryPicturesCommand(s, *r.pictures) : PlanetaryPicturesCommand(s);
}
ShowResult SolarArc(Session& s, const ReportRun& r) {
    return r.modulus ? SolarArcCommand(s, *r.modulus) : SolarArcCommand(s);
}
ShowResult Progressions(Session& s, const ReportRun& r) {
    return r.modulus ? ProgressionsCommand(s, *r.modulus) : ProgressionsCommand(s);
}

using enum ModulusQuestion;
using enum ReportOutput;
constexpr ChartsWanted kNatal = ChartsWanted::NatalOnly;
constexpr ChartsWanted kBoth = ChartsWanted::Both;

// clang-format off
constexpr std::array kReports = {
    ReportEntry{"natal-data", "mnuDataNatalData", "Natal &Data and Aspects", nullptr, "F2", nullptr,
                None, 0, kNatal, Page, NatalData},
    ReportEntry{"natal-midpoints", "mnuDataNatalMidpoints", "Natal &Midpoints and MWA", nullptr, "F3", nullptr,
                None, 0, kBoth, Page, NatalMidpoints},
    ReportEntry{"sort", "mnuDataNatalSort", "Natal Pla&net and Midpoint Sort", nullptr, "F4", nullptr,
                Asked, 0, kBoth, Page, NatalSort},
    ReportEntry{"sort-degree", "mnuDataNatalSortNumerical", "Natal MP Sort by Degree", nullptr, "Ctrl+F4",
                nullptr, None, 0, kBoth, Page, NatalSortByDegree},
    ReportEntry{"natal-mp-unsorted", "mnuDataNatalMPAspects_Unsort", "&Unsorted Natal Planet and Midpoint Aspects",
                nullptr, "F5", nullptr, None, 0, kBoth, Page, NatalAspectsUnsorted},
    ReportEntry{"natal-mp-sorted", "mnuDataNatalMPAspects_Sorted", "Sorted Natal Planet and Mid&point Aspects",
                nullptr, "Ctrl+F5", nullptr, None, 0, kBoth, Page, NatalAspectsSorted},
    ReportEntry{"natal-tree", "mnuDataNatalTree", "Natal Tree", nullptr, "Ctrl+F1", nullptr,
                Asked, 0, kBoth, Page, NatalTree},
    ReportEntry{"transit-data", "mnuDataTransitData", "&Transit Data and Aspects",
                "&2nd Person Natal Data and Aspects", "F6", "mnuSplit34", None, 0, kBoth, Page, TransitData},
    ReportEntry{"transits-to-natal", "mnuDataTransitsAspectstoNatal", "Transit A&spects to Natal",
                "&Interchart Aspects", "F7", nullptr, None, 0, kBoth, Page, TransitsToNatal},
    ReportEntry{"transits-to-natal-midpoints", "mnuDataTranAspectsNatalMidpoints",
                "Transit Aspects to Nata&l Midpoints", "2nd Person Aspects to Nata&l Midpoints", "F8", nullptr,
                None, 0, kBoth, Page, TransitsToNatalMidpoints},
    ReportEntry{"transit-midpoints-to-natal", "mnuDataTranMPAspectsNatal", "Transit Midp&oint Aspects to Natal",
                "2nd Person Midp&oint Aspects to Natal", "F9", nullptr, None, 0, kBoth, Page,
                TransitMidpointsToNatal},
    ReportEntry{"formulas-unsorted", "mnuDataNatalTRFactorAspects_Unsort", "Unsorted Transit &Formulas",
                "Unsorted 2nd Person &Formulas", "F11", nullptr, None, 0, kBoth, Page, FormulasUnsorted},
    ReportEntry{"formulas-sorted", "mnuDataNatalTRFactorAspects_Sorted", "S&orted Transit Formulas",
                "S&orted 2nd Person Formulas", "Ctrl+F11", nullptr, None, 0, kBoth, Page, FormulasSorted},
    ReportEntry{"transit-tree", "mnuDataTransitTree", "Transit Tree", nullptr, "Ctrl+F2", nullptr,
                Asked, 0, kBoth, Page, TransitTree},
    ReportEntry{"pictures", "mnuDataPlanetaryPictures", "Planetary Pi&ctures", nullptr, nullptr,
                "mnuSplitPictures", Asked, 0, kBoth, Page, Pictures},
    ReportEntry{"solar-arc", "mnuDataSolarArc", "Solar &Arc Directions", nullptr, nullptr, nullptr,
                Asked, 0, kBoth, Page, SolarArc},
    ReportEntry{"progressed", "mnuDataProgressions", "Secondary P&rogressions", nullptr, nullptr, nullptr,
                Asked, 0, kBoth, Page, Progressions},
    ReportEntry{"events", "mnuDataEventSearch", "&Event Search...", nullptr, nullptr, nullptr,
                OfItsOwn, 90, kBoth, Events, nullptr},
    ReportEntry{"dump", nullptr, nullptr, nullptr, nullptr, nullptr, None, 0, kBoth, ChartDump, nullptr},
    ReportEntry{"wheel", nullptr, nullptr, nullptr, nullptr, nullptr, None, 0, kBoth, Drawing, nullptr},
    ReportEntry{"dial", nullptr, nullptr, nullptr, nullptr, nullptr, OfItsOwn, kDefaultDialModulus, kBoth, Drawing, nullptr},
    ReportEntry{"dial-panel", nullptr, nullptr, nullptr, nullptr, nullptr, OfItsOwn, kDefaultDialModulus, kBoth, DialPanel, nullptr},
    ReportEntry{"graphic-ephemeris", nullptr, nullptr, nullptr, nullptr, nullptr, OfItsOwn, 45, kBoth, Events,
                nullptr},
};
// clang-format on

}  // namespace

std::span<const ReportEntry> Reports() {
    return kReports;
}

const ReportEntry* ReportNamed(const std::string& toolName) {
    for (const ReportEntry& r : kReports) {
        if (toolName == r.toolName) return &r;
    }
    return nullptr;
}

const ReportEntry* ReportOfMenuItem(const std::string& menuItem) {
    for (const ReportEntry& r : kReports) {
        if (r.menuItem && menuItem == r.menuItem) return &r;
    }
    return nullptr;
}

ShowResult WriteReport(Session& session, const ReportEntry& entry, const ReportRun& run) {
    if (!entry.write) return ShowResult::NothingToShow;
    return entry.write(session, run);
}

}  // namespace talvenor
