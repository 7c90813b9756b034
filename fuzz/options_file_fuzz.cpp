// The options file: OPTIONS.OPT as the user may have edited it, read at start and then used by the
// present-moment fill, the computation and every report.
#include <ctime>

#include "chart/house_systems.h"
#include "datafiles/name_record.h"
#include "environment/options.h"
#include "fuzz_support.h"
#include "input/input_fills.h"
#include "report/data_commands.h"
#include "session/chart_commands.h"
#include "session/compute_charts.h"
#include "session/midpoint_commands.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = WriteInputFile("OPTIONS.OPT", data, size);
    const Options defaults = DefaultOptions();
    Options options = defaults;
    const OptionsReadResult read = ReadOptionsFile(file, options);
    Require(read.opened, "an existing options file opens");
    Require(read.linesRead >= 0 && read.linesRead <= kOptionCount, "at most 167 options are read");
    for (int n = read.linesRead + 1; n <= kOptionCount; ++n) {
        Require(options[n] == defaults[n], "options past the last line read keep their values");
    }

    // The options decide the home place, the house system, the orbs and the page length.
    CountingDialogs dialogs;
    Session session(dialogs);
    session.options = options;
    session.checkedHouse = HouseSystemForOption(options[27]);
    std::tm moment{};
    moment.tm_year = 2026 - 1900, moment.tm_mon = 11, moment.tm_mday = 7, moment.tm_hour = 9,
    moment.tm_min = 30;
    FillNatalNow(session.natal, options, session.regional, moment);
    FillDiurnalNow(session.diurnal, options, session.regional, moment);
    if (ComputeCharts(session) != ComputeOutcome::Computed) {
        // The home place may be refused; a birth elsewhere must still compute with these options.
        const auto record = ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52");
        Require(record && !FillNatalFromRecord(*record, session.regional, session.natal),
                "sample record fills");
        CopyNatalToDiurnal(session.natal, session.diurnal);
        session.diurnal.month = "12", session.diurnal.day = "7";
        session.diurnal.year = "2026";
        session.checkedHouse = HouseSystemOfMenuCode("P");
        if (ComputeCharts(session) != ComputeOutcome::Computed) return 0;
    }
    // The reports that read options: the aspect lists (orbs), the midpoint list (33 to 35), the trees
    // (40, 60, 65 to 67) and the dial aspects (162, 163).
    ProgressReporter& none = NoProgress();
    TransitDataCommand(session);
    TransitsToNatalCommand(session);
    NatalMidpointsCommand(session);
    TransitAspectsToNatalMidpointsCommand(session);
    NatalTreeCommand(session, 45, none);
    TransitTreeCommand(session, 90, none);
    NatalMidpointAspectsCommand(session, false, none);
    DataDocumentText(session.report, options[45]);
    return 0;
}
