// talvenor-report --names: one report page, or one table row, for every record of a names file.
#include <cstdio>

#include "arguments.h"
#include "datafiles/names_file.h"
#include "exchange_commands.h"
#include "session/batch_reports.h"
#include "standard_output.h"

namespace talvenor::cli {

int BatchCommand(Session& session, const std::string& namesFile, const BatchRequest& request) {
    const NumberedNames names = ReadNumberedNames(namesFile);
    if (!names.opened) {
        Tell("the names file " + namesFile + " cannot be read");
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
            Tell(namesFile + " line " + std::to_string(numbered.line) + ", " + numbered.record.Field[1] +
                 ": " + *why);
            failed = true;
            continue;
        }
        std::optional<std::string> page =
            request.tsv ? ChartTableRow(session.natalChart) + lineEnd : request.page(session);
        if (!page) {
            Tell(namesFile + " line " + std::to_string(numbered.line) + ", " + numbered.record.Field[1] +
                 ": no page");
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
        Tell(namesFile + " line " + std::to_string(names.faultLine) + ": " + *names.fault);
        failed = true;
    }
    return failed ? 1 : 0;
}

}  // namespace talvenor::cli
