// Names files: the list as the names window reads it, every record as a click on it fills the natal and
// the diurnal window, and the raw lines as the record parser takes them.
#include "datafiles/name_record.h"
#include "datafiles/names_file.h"
#include "environment/text_files.h"
#include "fuzz_support.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

// Both windows fill the same texts from a record.
void RequireSameFill(const InputTexts& n, const SecondInputTexts& d) {
    Require(n.month == d.month && n.day == d.day && n.year == d.year && n.hour == d.hour &&
                n.minute == d.minute && n.zone == d.zone && n.longDeg == d.longDeg &&
                n.longMin == d.longMin && n.latDeg == d.latDeg && n.latMin == d.latMin && n.am == d.am &&
                n.east == d.east && n.south == d.south,
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
            InputTexts natal;
            SecondInputTexts diurnal;
            const auto natalError = FillNatalFromRecord(record, regional, natal);
            const auto diurnalError = FillDiurnalFromRecord(record, regional, diurnal);
            Require(natalError == diurnalError, "both windows accept or refuse the same record");
            // A date whose year breaks the year rule is named after the format error.
            Require(!natalError || natalError->rfind(kNameRecordFormatErrorMessage, 0) == 0,
                    "the refusal is the format error");
            if (!natalError) RequireSameFill(natal, diurnal);
        }
        const auto locked = LockedSelectionFor(static_cast<int>(k), static_cast<int>(count));
        Require(locked && locked->selected == static_cast<int>(k) && locked->top >= 0,
                "the locked entry stays");
    }

    // The numbered reading of the report tool's runs reads the same records as the list, up to where the
    // list stops.
    const auto text = ReadTextFile(file);
    Require(text.has_value(), "the names file reads as text");
    const NumberedNames numbered = ReadNumberedNamesText(*text);
    // It stops, naming the line, at a record that ends inside a line (its fields run on from a line with
    // too few); the list reads on across the lines there, as it always has.
    Require(numbered.records.size() <= list.records.size(),
            "the numbered reading has no record the list lacks");
    Require(numbered.records.size() == list.records.size() || numbered.fault,
            "the numbered reading stops before the list only at a fault");
    for (std::size_t k = 0; k < numbered.records.size() && k < count; ++k) {
        Require(numbered.records[k].record.Field == list.records[k].Field,
                "the same records in the same order");
        // Seven fields make a record whatever the lines: two records may share one.
        Require(numbered.records[k].line >= 1 &&
                    (k == 0 || numbered.records[k].line >= numbered.records[k - 1].line),
                "no record begins on an earlier line than the one before");
    }
    Require(!list.error || numbered.fault, "an error of the list is a fault of the numbered reading");
    Require(numbered.fault.has_value() == (numbered.faultLine > 0), "a fault has its line");

    for (const std::string& line : SplitLines(AsText(data, size))) {
        const auto record = ParseNameRecord(line);
        if (!record) continue;
        Require(!record->Field[1].empty(), "a parsed record has a name");
        InputTexts natal;
        FillNatalFromRecord(*record, RegionalFormat{}, natal);
    }
    return 0;
}
