// The input checks and the chart computation over any texts and button states of the two input windows,
// and every report over each chart that computes.
//
// Input: line 1 the house system checked in the menu; line 2 the buttons, one character each ('1' or any
// odd byte is on): natal A.M., East, South, diurnal A.M., East, South, "Use natal data", second person,
// true node (option 161), then the regional date order (the byte modulo 3); lines 3 to 24 the texts of
// txtName, txtMonth, txtDay, txtYear, txtBirthHour, txtBirthMinute, txtTZ, txtLongDeg, txtLongMin,
// txtLatDeg, txtLatMin, the second person's caption, txtDiurnalMonth, txtDiurnalDay, txtDiurnalYear,
// txtDiurnalHour, txtDiurnalMinute, txtDiurnalTZ, txtDiurnalLongDeg, txtDiurnalLongMin,
// txtDiurnalLatDeg, txtDiurnalLatMin. Missing lines are empty texts.
#include "chart/house_systems.h"
#include "chart_checks.h"
#include "input/input_checks.h"
#include "session/compute_charts.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

bool On(const std::string& flags, std::size_t k, bool otherwise) {
    return k < flags.size() ? (flags[k] & 1) != 0 : otherwise;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = SplitLines(AsText(data, size));
    lines.resize(24);
    CountingDialogs dialogs;
    Session session(dialogs);
    session.options = DefaultOptions();
    session.checkedHouse = HouseSystemOfMenuCode(lines[0]);

    const std::string& flags = lines[1];
    InputTexts& n = session.natal;
    SecondInputTexts& d = session.diurnal;
    n.SelectAM(On(flags, 0, true));
    n.SelectEast(On(flags, 1, false));
    n.SelectSouth(On(flags, 2, false));
    d.SelectAM(On(flags, 3, true));
    d.SelectEast(On(flags, 4, false));
    d.SelectSouth(On(flags, 5, false));
    d.useNatal = On(flags, 6, true);
    d.secondPerson = On(flags, 7, false);
    session.options[161] = On(flags, 8, false) ? 1 : 0;
    session.regional.DateOrder =
        flags.size() > 9 ? static_cast<std::int16_t>(static_cast<unsigned char>(flags[9]) % 3) : 0;

    std::string* texts[] = {&n.name,    &n.month,   &n.day,     &n.year,   &n.hour,   &n.minute,
                            &n.zone,    &n.longDeg, &n.longMin, &n.latDeg, &n.latMin, &d.secondPersonName,
                            &d.month,   &d.day,     &d.year,    &d.hour,   &d.minute, &d.zone,
                            &d.longDeg, &d.longMin, &d.latDeg,  &d.latMin};
    for (std::size_t k = 0; k < 22; ++k) *texts[k] = lines[k + 2];

    const Chart natalBefore = session.natalChart, secondBefore = session.secondChart;
    const ComputeOutcome outcome = ComputeCharts(session);
    if (outcome != ComputeOutcome::Computed) {
        Require(dialogs.messages > 0, "a computation that does not happen says why");
        if (outcome == ComputeOutcome::Fault) {
            Require(dialogs.messages == 1, "a fault shows one message");
        }
        Require(session.natalChart == natalBefore && session.secondChart == secondBefore,
                "a refused or failed computation keeps the previous charts");
        return 0;
    }
    Require(dialogs.messages == 0, "a chart that computes shows no message");
    Require(session.natalChart.MidpointCount == 78, "every chart has its 78 midpoints");
    Require(!DumpHoldsNonFinite(ChartDumpJson(session.natalChart, session.secondChart)),
            "a computed chart holds finite values only");
    RunEveryReport(session);
    return 0;
}
