// "Save to disk" of the natal window: the record written for any typed entry, read back from a names file
// as the names window reads it, and filled into the window again.
//
// Input: line 1 the buttons, one character each ('1' or any odd byte is on): A.M., East, South, then the
// regional date order (the byte modulo 3); lines 2 to 12 the texts of txtName, txtMonth, txtDay, txtYear,
// txtBirthHour, txtBirthMinute, txtTZ, txtLongDeg, txtLongMin, txtLatDeg, txtLatMin.
#include <cmath>

#include "chart/chart_state.h"
#include "datafiles/names_file.h"
#include "environment/text_files.h"
#include "fuzz_support.h"
#include "input/input_checks.h"
#include "input/input_fills.h"
#include "input/strict_number.h"
#include "text/basic_text.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

bool On(const std::string& flags, std::size_t k, bool otherwise) {
    return k < flags.size() ? (flags[k] & 1) != 0 : otherwise;
}

// What the window's key filters let through: digits, and for the zone also "-" and ".".
bool Typeable(const std::string& text, bool zone) {
    for (const char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(zone && (c == '-' || c == '.'))) return false;
    }
    return true;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The windows show numbers with 15 significant digits, so digits typed beyond them do not come back.
bool SameNumber(const std::string& a, const std::string& b) {
    const auto x = StrictNumber(a), y = StrictNumber(b);
    return x && y && GeneralNumber(*x) == GeneralNumber(*y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = SplitLines(AsText(data, size));
    lines.resize(12);
    const std::string& flags = lines[0];
    NatalInputFields typed;
    typed.SelectAM(On(flags, 0, true));
    typed.SelectEast(On(flags, 1, false));
    typed.SelectSouth(On(flags, 2, false));
    RegionalFormat regional;
    regional.DateOrder =
        flags.size() > 3 ? static_cast<std::int16_t>(static_cast<unsigned char>(flags[3]) % 3) : 0;
    std::string* texts[] = {&typed.txtName,      &typed.txtMonth,       &typed.txtDay,   &typed.txtYear,
                            &typed.txtBirthHour, &typed.txtBirthMinute, &typed.txtTZ,    &typed.txtLongDeg,
                            &typed.txtLongMin,   &typed.txtLatDeg,      &typed.txtLatMin};
    for (std::size_t k = 0; k < 11; ++k) *texts[k] = lines[k + 1];

    const FormattedRecord formatted = FormatNameRecord(typed, regional);
    Require(formatted.line.has_value() != !formatted.error.empty(), "a record or a reason, never both");
    if (!formatted.line) return 0;

    // The entry as it can be typed (the window's text is UTF-8) and as the checks accept it must come back
    // exactly.
    if (!IsValidUtf8(typed.txtName)) return 0;
    bool pm = !typed.optAM;
    if (ApplyHourRule(typed.txtBirthHour, pm) != HourRuleResult::Accepted) return 0;
    typed.SelectAM(!pm);
    for (std::size_t k = 1; k < 11; ++k) {
        if (!Typeable(*texts[k], k == 6)) return 0;
        // The record keeps 15 significant digits of degrees + minutes / 100, and the windows show a number
        // below 1E-05 or from 1E+15 on in the exponent form, which no field accepts: far from any place
        // or zone, so left out here.
        const auto value = StrictNumber(*texts[k]);
        if (value && (std::fabs(*value) >= 1e9 || GeneralNumber(*value).find('E') != std::string::npos))
            return 0;
    }
    ChartState state;
    CountingDialogs dialogs;
    DiurnalInputFields diurnal;
    CopyNatalToDiurnal(typed, diurnal);
    diurnal.txtDiurnalMonth = typed.txtMonth, diurnal.txtDiurnalDay = typed.txtDay;
    diurnal.txtDiurnalYear = typed.txtYear;
    CheckInputComplete(typed, diurnal, state, dialogs);
    CheckNatalRanges(typed, state, dialogs);
    if (state.InputErrorFlag != 0) return 0;
    const FormattedRecord record = FormatNameRecord(typed, regional);
    if (!record.line) return 0;

    // A new entry goes to the end of the file, after the records kept.
    const auto file = WriteTextFile(
        "SAVED.FIL", "Kept Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n" + *record.line + "\r\n");
    const NamesList list = LoadNamesList(file, FuzzFolder());
    Require(!list.error && list.records.size() == 2, "a saved entry reads back as one record");
    NatalInputFields back;
    Require(!FillNatalFromRecord(list.records[1], regional, back), "a saved entry can be chosen again");
    Require(back.txtName == Trimmed(typed.txtName), "a saved name comes back as typed");
    Require(SameNumber(back.txtMonth, typed.txtMonth) && SameNumber(back.txtDay, typed.txtDay) &&
                SameNumber(back.txtYear, typed.txtYear),
            "a saved date comes back as typed");
    Require(SameNumber(back.txtBirthHour, typed.txtBirthHour) &&
                SameNumber(back.txtBirthMinute, typed.txtBirthMinute) && back.optAM == typed.optAM,
            "a saved time comes back as typed");
    Require(SameNumber(back.txtTZ, typed.txtTZ), "a saved zone comes back as typed");
    const bool noLongitude = *StrictNumber(typed.txtLongDeg) == 0 && *StrictNumber(typed.txtLongMin) == 0;
    const bool noLatitude = *StrictNumber(typed.txtLatDeg) == 0 && *StrictNumber(typed.txtLatMin) == 0;
    Require(SameNumber(back.txtLongDeg, typed.txtLongDeg) && SameNumber(back.txtLongMin, typed.txtLongMin) &&
                (back.optEast == typed.optEast || noLongitude),
            "a saved longitude comes back as typed");
    Require(SameNumber(back.txtLatDeg, typed.txtLatDeg) && SameNumber(back.txtLatMin, typed.txtLatMin) &&
                (back.optSouth == typed.optSouth || noLatitude),
            "a saved latitude comes back as typed");
    return 0;
}
