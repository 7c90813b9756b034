// "Save to disk" of the natal window: the record written for any typed entry, read back from a names file
// as the names window reads it, and filled into the window again.
//
// Input: line 1 the buttons, one character each ('1' or any odd byte is on): A.M., East, South, then the
// regional date order (the byte modulo 3); lines 2 to 12 the texts of txtName, txtMonth, txtDay, txtYear,
// txtBirthHour, txtBirthMinute, txtTZ, txtLongDeg, txtLongMin, txtLatDeg, txtLatMin.
#include <cmath>

#include "datafiles/names_file.h"
#include "environment/text_files.h"
#include "fuzz_support.h"
#include "input/input_checks.h"
#include "input/input_fills.h"
#include "input/strict_number.h"
#include "input/window_birth.h"
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
    InputTexts typed;
    typed.SelectAM(On(flags, 0, true));
    typed.SelectEast(On(flags, 1, false));
    typed.SelectSouth(On(flags, 2, false));
    RegionalFormat regional;
    regional.DateOrder =
        flags.size() > 3 ? static_cast<std::int16_t>(static_cast<unsigned char>(flags[3]) % 3) : 0;
    std::string* texts[] = {&typed.name,    &typed.month,  &typed.day,   &typed.year,
                            &typed.hour,    &typed.minute, &typed.zone,  &typed.longDeg,
                            &typed.longMin, &typed.latDeg, &typed.latMin};
    for (std::size_t k = 0; k < 11; ++k) *texts[k] = lines[k + 1];

    const FormattedRecord formatted = FormatNameRecord(typed, regional);
    Require(formatted.line.has_value() != !formatted.error.empty(), "a record or a reason, never both");
    if (!formatted.line) return 0;

    // The entry as it can be typed (the window's text is UTF-8) and as the checks accept it must come back
    // exactly.
    if (!IsValidUtf8(typed.name)) return 0;
    bool pm = !typed.am;
    if (ApplyHourRule(typed.hour, pm) != HourRuleResult::Accepted) return 0;
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
    SecondInputTexts diurnal;
    CopyNatalToDiurnal(typed, diurnal);
    diurnal.month = typed.month, diurnal.day = typed.day;
    diurnal.year = typed.year;
    const Birth typedBirth = BirthFromWindow(typed, regional, kNatalWindowSource);
    if (!CheckComplete(typedBirth, BirthWindow::Natal).empty() ||
        !CheckComplete(BirthFromWindow(diurnal, regional, kDiurnalWindowSource), BirthWindow::Diurnal)
             .empty() ||
        !CheckRanges(typedBirth, BirthWindow::Natal).empty())
        return 0;
    const FormattedRecord record = FormatNameRecord(typed, regional);
    if (!record.line) return 0;

    // A new entry goes to the end of the file, after the records kept.
    const auto file = WriteTextFile(
        "SAVED.FIL", "Kept Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n" + *record.line + "\r\n");
    const NamesList list = LoadNamesList(file, FuzzFolder());
    Require(!list.error && list.records.size() == 2, "a saved entry reads back as one record");
    InputTexts back;
    Require(!FillNatalFromRecord(list.records[1], regional, back), "a saved entry can be chosen again");
    Require(back.name == Trimmed(typed.name), "a saved name comes back as typed");
    Require(SameNumber(back.month, typed.month) && SameNumber(back.day, typed.day) &&
                SameNumber(back.year, typed.year),
            "a saved date comes back as typed");
    Require(SameNumber(back.hour, typed.hour) && SameNumber(back.minute, typed.minute) && back.am == typed.am,
            "a saved time comes back as typed");
    Require(SameNumber(back.zone, typed.zone), "a saved zone comes back as typed");
    const bool noLongitude = *StrictNumber(typed.longDeg) == 0 && *StrictNumber(typed.longMin) == 0;
    const bool noLatitude = *StrictNumber(typed.latDeg) == 0 && *StrictNumber(typed.latMin) == 0;
    Require(SameNumber(back.longDeg, typed.longDeg) && SameNumber(back.longMin, typed.longMin) &&
                (back.east == typed.east || noLongitude),
            "a saved longitude comes back as typed");
    Require(SameNumber(back.latDeg, typed.latDeg) && SameNumber(back.latMin, typed.latMin) &&
                (back.south == typed.south || noLatitude),
            "a saved latitude comes back as typed");
    return 0;
}
