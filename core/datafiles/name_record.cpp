#include "datafiles/name_record.h"

#include <cctype>
#include <cmath>

#include "input/input_fills.h"
#include "input/strict_number.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// "14 Mar 1962" -> "1962 Mar 14": the stored order, day first, does not read as a date where dates are
// written year first. A text without the two blanks is left for the date reader to refuse.
std::string YearFirst(const std::string& date) {
    const std::size_t first = date.find(' ');
    if (first == std::string::npos) return date;
    const std::size_t second = date.find(' ', first + 1);
    if (second == std::string::npos) return date;
    std::string day = date.substr(0, first);
    if (AllDigits(day)) day = Format(LeadingNumber(day), "00");
    // The whole month word, not just three letters: a regional abbreviation may be longer.
    return date.substr(second + 1) + " " + date.substr(first + 1, second - first - 1) + " " + day;
}

// The texts a record fills, the same in both windows.
struct RecordTexts {
    std::string& month;
    std::string& day;
    std::string& year;
    std::string& hour;
    std::string& minute;
    std::string& zone;
    std::string& longDeg;
    std::string& longMin;
    std::string& latDeg;
    std::string& latMin;
};

// Whole minutes of a packed value. The fraction of 10.15 is 0.1499999..., so the product lies a hair
// below 15; the format's rounding brings it back.
std::string PackedMinutes(double packed) {
    return Format(std::fabs(packed - Fix(packed)) * 100, "#0");
}

// Both windows' field sets select their buttons through SelectAM, SelectEast and SelectSouth.
template <typename Fields>
std::optional<std::string> FillFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                          Fields& fields, RecordTexts t) {
    const std::string failed = kNameRecordFormatErrorMessage;

    std::string dateText = record.Field[2];
    if (regional.DateOrder == 2 && dateText.size() >= 5 && dateText[4] != ' ') dateText = YearFirst(dateText);
    const auto date = ParseDate(dateText, regional);
    if (!date) return failed;
    t.month = std::to_string(date->month);
    t.day = std::to_string(date->day);
    t.year = std::to_string(date->year);

    const auto time = StrictNumber(record.Field[3]);
    if (!time) return failed;
    t.hour = GeneralNumber(Fix(*time));
    // The window folds the hour into the 12-hour clock as soon as it is set; the record's own A or P
    // below decides the half of the day.
    bool pm = false;
    ApplyHourRule(t.hour, pm);
    t.minute = Format((*time - Fix(*time)) * 100, "#0");

    std::string half = record.Field[4];
    for (char& c : half) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    fields.SelectAM(half == "A");

    const auto zone = StrictNumber(record.Field[5]);
    if (!zone) return failed;
    // Kept with its stored sign: the zone was saved together with the longitude's direction, and the
    // direction selected next must not turn it.
    t.zone = GeneralNumber(*zone);

    const auto longitude = StrictNumber(record.Field[6]);
    if (!longitude) return failed;
    t.longDeg = GeneralNumber(std::fabs(Fix(*longitude)));
    fields.SelectEast(*longitude < 0);
    t.longMin = PackedMinutes(*longitude);

    const auto latitude = StrictNumber(record.Field[7]);
    if (!latitude) return failed;
    t.latDeg = GeneralNumber(std::fabs(Fix(*latitude)));
    fields.SelectSouth(*latitude < 0);
    t.latMin = PackedMinutes(*latitude);
    return std::nullopt;
}

}  // namespace

std::optional<NameRecord> ParseNameRecord(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);

    NameRecord record;
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
        if (++count > 7) return std::nullopt;
        std::string_view field = TrimBlanks(line.substr(start, end - start));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
            field = field.substr(1, field.size() - 2);
        }
        record.Field[count] = std::string(field);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (count != 7 || record.Field[1].empty()) return std::nullopt;
    return record;
}

std::optional<std::string> FillNatalFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                               NatalInputFields& natal) {
    natal.txtName = record.Field[1];
    return FillFromRecord(
        record, regional, natal,
        {natal.txtMonth, natal.txtDay, natal.txtYear, natal.txtBirthHour, natal.txtBirthMinute, natal.txtTZ,
         natal.txtLongDeg, natal.txtLongMin, natal.txtLatDeg, natal.txtLatMin});
}

std::optional<std::string> FillDiurnalFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                                 DiurnalInputFields& diurnal) {
    diurnal.chk2ndPersonCaption = record.Field[1];
    return FillFromRecord(
        record, regional, diurnal,
        {diurnal.txtDiurnalMonth, diurnal.txtDiurnalDay, diurnal.txtDiurnalYear, diurnal.txtDiurnalHour,
         diurnal.txtDiurnalMinute, diurnal.txtDiurnalTZ, diurnal.txtDiurnalLongDeg, diurnal.txtDiurnalLongMin,
         diurnal.txtDiurnalLatDeg, diurnal.txtDiurnalLatMin});
}

}  // namespace talvenor
