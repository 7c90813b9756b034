// A names-file record as talvenor-report takes it from its command line: parsed, filled into the natal and
// the diurnal window, named field by field when it cannot be read, and computed when it can.
#include "chart_checks.h"
#include "datafiles/name_record.h"
#include "input/strict_number.h"
#include "session/compute_charts.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

// The field the command line names for a record that cannot be read; empty when it names none.
std::string BadField(const std::string& line, const RegionalFormat& regional) {
    int fields = 1;
    for (char c : line) fields += c == ',';
    if (fields != 7) return "field count";
    const auto record = ParseNameRecord(line);
    if (!record) return "field 1";
    if (!ParseDate(record->Field[2], regional)) return "field 2";
    for (std::size_t f : {3, 5, 6, 7}) {
        if (!StrictNumber(record->Field[f])) return "field " + std::to_string(f);
    }
    return "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(AsText(data, size));
    CountingDialogs dialogs;
    Session session(dialogs);
    session.options = DefaultOptions();

    const auto record = ParseNameRecord(line);
    const bool natalFilled = record && !FillNatalFromRecord(*record, session.regional, session.natal);
    const bool diurnalFilled = record && !FillDiurnalFromRecord(*record, session.regional, session.diurnal);
    Require(natalFilled == diurnalFilled, "a record fills both windows or neither");
    if (!natalFilled) {
        Require(!BadField(line, session.regional).empty(),
                "a record that cannot be read is refused by field");
        return 0;
    }
    Require(BadField(line, session.regional).empty(), "a record that fills is named as faulty by no field");

    session.diurnal.chk2ndPerson = true;
    session.diurnal.chk2ndPersonCaption = record->Field[1];
    if (ComputeCharts(session) != ComputeOutcome::Computed) return 0;
    Require(!DumpHoldsNonFinite(ChartStateJson(session.chart)), "a computed chart holds finite values only");
    TransitDataCommand(session);
    TransitsToNatalCommand(session);
    NatalMidpointsCommand(session);
    return 0;
}
