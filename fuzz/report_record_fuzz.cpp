// A names-file record as talvenor-report takes it from its command line: parsed, filled into the natal and
// the diurnal window, named field by field when it cannot be read, and computed when it can.
#include "chart_checks.h"
#include "datafiles/name_record.h"
#include "environment/text_files.h"
#include "input/strict_number.h"
#include "session/compute_charts.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(AsText(data, size));
    CountingDialogs dialogs;
    Session session(dialogs);
    session.options = DefaultOptions();

    const auto record = ParseNameRecord(line);
    const bool natalFilled = record && !FillNatalFromRecord(*record, session.regional, session.natal);
    const bool diurnalFilled = record && !FillDiurnalFromRecord(*record, session.regional, session.diurnal);
    Require(natalFilled == diurnalFilled, "a record fills both windows or neither");
    const auto fault = NameRecordFault(line, session.regional);
    if (!natalFilled) {
        Require(fault.has_value(), "a record that cannot be read is refused by field");
        Require(fault->find_first_of("\r\n") == std::string::npos, "the refusal is one line");
        return 0;
    }
    Require(!fault.has_value(), "a record that fills is named as faulty by no field");
    Require(IsValidUtf8(record->Field[1]), "the name is UTF-8 text");

    session.diurnal.secondPerson = true;
    session.diurnal.secondPersonName = record->Field[1];
    if (ComputeCharts(session) != ComputeOutcome::Computed) return 0;
    Require(!DumpHoldsNonFinite(ChartDumpJson(session.natalChart, session.secondChart)),
            "a computed chart holds finite values only");
    TransitDataCommand(session);
    TransitsToNatalCommand(session);
    NatalMidpointsCommand(session);
    return 0;
}
