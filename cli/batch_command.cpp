// talvenor-report --names: one report page, or one table row, for every record of a names file.
#include <cstdio>

#include "datafiles/names_file.h"
#include "exchange_commands.h"
#include "session/batch_reports.h"
#include "standard_output.h"
#include "text/control_characters.h"

namespace talvenor::cli {
namespace {

// A name as an error line names it: a control character of a names file edited by hand is shown as the
// pages show it, never sent to the terminal.
std::string Shown(const std::string& text) {
    return ControlCharactersReplaced(text, '?');
}

}  // namespace

int BatchCommand(Session& session, const std::string& namesFile, const BatchRequest& request) {
    const NumberedNames names = ReadNumberedNames(namesFile);
    if (!names.opened) {
        std::fprintf(stderr, "talvenor-report: the names file %s cannot be read\n", namesFile.c_str());
        return 2;
    }
    // Only the natal chart changes from record to record; a page that reads nothing else needs no more.
    const ChartsWanted wanted =
        request.tsv || ReadsNatalChartOnly(request.report) ? ChartsWanted::NatalOnly : ChartsWanted::Both;
    const char* lineEnd = request.crlf ? "\r\n" : "\n";
    bool failed = false;
    bool first = true;
    if (request.tsv) {
        if (!WriteOut(ChartTableHeader() + lineEnd)) return 1;
    }
    for (const NumberedRecord& numbered : names.records) {
        if (const auto why = ComputeNamesRecord(
                session, numbered.record, request.second,
                "names file " + namesFile + ", line " + std::to_string(numbered.line), wanted)) {
            std::fprintf(stderr, "talvenor-report: %s line %zu, %s: %s\n", namesFile.c_str(), numbered.line,
                         Shown(numbered.record.Field[1]).c_str(), Shown(*why).c_str());
            failed = true;
            continue;
        }
        std::optional<std::string> page =
            request.tsv ? ChartTableRow(session.chart) + lineEnd : request.page(session);
        if (!page) {
            std::fprintf(stderr, "talvenor-report: %s line %zu, %s: no page\n", namesFile.c_str(),
                         numbered.line, Shown(numbered.record.Field[1]).c_str());
            failed = true;
            continue;
        }
        std::string& out = *page;
        if (!request.tsv && !first) out.insert(out.begin(), '\f');
        first = false;
        // Output that cannot be written ends the run: the rest of the file would be computed for nothing.
        if (!WriteOut(out)) return 1;
    }
    if (names.fault) {
        std::fprintf(stderr, "talvenor-report: %s line %zu: %s\n", namesFile.c_str(), names.faultLine,
                     names.fault->c_str());
        failed = true;
    }
    return failed ? 1 : 0;
}

}  // namespace talvenor::cli
