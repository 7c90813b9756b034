// Names files: the list as the names window reads it, every record as a click on it fills the natal and
// the diurnal window, and the raw lines as the record parser takes them.
#include "datafiles/name_record.h"
#include "datafiles/names_file.h"
#include "fuzz_support.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

// Both windows fill the same texts from a record.
void RequireSameFill(const NatalInputFields& n, const DiurnalInputFields& d) {
    Require(n.txtMonth == d.txtDiurnalMonth && n.txtDay == d.txtDiurnalDay && n.txtYear == d.txtDiurnalYear &&
                n.txtBirthHour == d.txtDiurnalHour && n.txtBirthMinute == d.txtDiurnalMinute &&
                n.txtTZ == d.txtDiurnalTZ && n.txtLongDeg == d.txtDiurnalLongDeg &&
                n.txtLongMin == d.txtDiurnalLongMin && n.txtLatDeg == d.txtDiurnalLatDeg &&
                n.txtLatMin == d.txtDiurnalLatMin && n.optAM == d.optDiurnalAM &&
                n.optEast == d.optDiurnalEast && n.optSouth == d.optDiurnalSouth,
            "a record fills the natal and the diurnal window alike");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = WriteInputFile("NAMES.FIL", data, size);
    const NamesList list = LoadNamesList(file, FuzzFolder());
    Require(list.opened && list.file == file, "an existing names file is the one read");
    Require(!list.error || *list.error == kNamesFileError, "a bad record gives the names-file message");
    Require(!ListLabel(file.string()).empty(), "the list has a label");

    const std::size_t count = list.records.size();
    for (std::size_t k = 0; k < count && k < 64; ++k) {
        const NameRecord& record = list.records[k];
        Require(!record.Field[1].empty(), "an empty name ends the list");
        const auto found = FindName(list, record.Field[1]);
        Require(found && *found <= k, "a click on a name finds the first record of that name");

        for (std::int16_t order : {0, 1, 2}) {
            RegionalFormat regional;
            regional.DateOrder = order;
            NatalInputFields natal;
            DiurnalInputFields diurnal;
            const auto natalError = FillNatalFromRecord(record, regional, natal);
            const auto diurnalError = FillDiurnalFromRecord(record, regional, diurnal);
            Require(natalError == diurnalError, "both windows accept or refuse the same record");
            Require(!natalError || *natalError == kNameRecordFormatErrorMessage,
                    "the refusal is the format error");
            if (!natalError) RequireSameFill(natal, diurnal);
        }
        const auto locked = LockedSelectionFor(static_cast<int>(k), static_cast<int>(count));
        Require(locked && locked->selected == static_cast<int>(k) && locked->top >= 0,
                "the locked entry stays");
    }

    for (const std::string& line : SplitLines(AsText(data, size))) {
        const auto record = ParseNameRecord(line);
        if (!record) continue;
        Require(!record->Field[1].empty(), "a parsed record has a name");
        NatalInputFields natal;
        FillNatalFromRecord(*record, RegionalFormat{}, natal);
    }
    return 0;
}
