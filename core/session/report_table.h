// The one table of reports: every page the Data menu runs and every report the report tool prints, with
// its report-tool name, its Data menu item, the modulus it asks for, the charts it reads and its writer.
// The Data menu is built from it in its order, and the report tool checks and runs its reports through it.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "midpoints/planetary_pictures.h"
#include "midpoints/progress.h"
#include "report/report_buffer.h"
#include "session/compute_charts.h"
#include "session/session.h"

namespace talvenor {

// Whether a report asks for a modulus, and how.
enum class ModulusQuestion {
    None,     // no modulus: the report tool refuses --modulus
    Asked,    // the modulus prompt (AskModulus) in the Data menu; the report tool needs --modulus M
    OfItsOwn  // a dial with a modulus of its own: --modulus may change it from the report's default
};

// What the report tool prints for the report.
enum class ReportOutput {
    Page,        // a page of the report buffer, written by the entry's writer
    ChartDump,  // the two computed charts as one JSON object
    Drawing,     // a wheel or a dial drawn into a file
    DialPanel,   // the factors and midpoints under the dial's pointer, one a line
    Events       // exact moments, as a list or the graphic ephemeris; in the Data menu the event search
};

// What a writer is given besides the session. Without a modulus a report that asks for one asks through
// the session's dialogs, as the Data menu runs it; with one (the report tool's --modulus) it asks nothing.
struct ReportRun {
    std::optional<float> modulus;
    ProgressReporter* progress = &NoProgress();
    // The pictures' modulus, orb and target as the report tool read them; the Data menu asks for them.
    std::optional<PictureRequest> pictures;
};

// Writes the report's page into the session's report buffer and shows it (ShowSessionReport);
// NothingToShow when a prompt ends the command.
using ReportWriter = ShowResult (*)(Session&, const ReportRun&);

struct ReportEntry {
    const char* toolName;     // the report tool's name ("natal-tree"); every entry has one
    const char* menuItem;     // the Data menu item ("mnuDataNatalTree"); nullptr: the report tool only
    const char* menuCaption;  // the item's text, with its access key
    const char* secondPersonCaption;  // the item's text while the second chart is a second person; nullptr:
                                      // the same text
    const char* shortcut;             // the item's key ("F4", "Ctrl+F4"); nullptr: none
    const char* separatorBefore;      // the name of a separator line above the item; nullptr: none
    ModulusQuestion modulus;
    float defaultModulus;  // the modulus of a report with a dial of its own
    ChartsWanted charts;   // NatalOnly: the report reads the natal chart alone
    ReportOutput output;
    ReportWriter write;  // nullptr for the reports that are not pages
};

// Every report, in the order of the Data menu, followed by the report tool's own.
std::span<const ReportEntry> Reports();

// The entry of a report-tool name, or of a Data menu item; nullptr when there is none.
const ReportEntry* ReportNamed(const std::string& toolName);
const ReportEntry* ReportOfMenuItem(const std::string& menuItem);

// Runs the entry's writer; NothingToShow for an entry without one.
ShowResult WriteReport(Session& session, const ReportEntry& entry, const ReportRun& run = {});

}  // namespace talvenor
