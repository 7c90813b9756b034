#include "datafiles/name_record.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "environment/text_files.h"
#include "environment/year_rule.h"
#include "input/input_fills.h"
#include "input/strict_number.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

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

// The date of field 2 as the system's date rules read it in the regional order, with the year rule of
// every date the program reads: a year given in short is refused, never completed to 19xx or 20xx.
// `fault` says why there is no date.
std::optional<CivilDate> RecordDate(const std::string& field, const RegionalFormat& regional,
                                    std::string& fault) {
    std::string dateText = field;
    if (regional.DateOrder == 2 && dateText.size() >= 5 && dateText[4] != ' ') dateText = YearFirst(dateText);
    return ReadDateByYearRule(dateText, regional, fault);
}

// A record given as one line, decoded as a names file's line is (UTF-8, else Windows-1252), without the
// line end it may have been given with.
std::string RecordText(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    return DecodeLine(line);
}

bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// The fields of one line by the names-file rules. The line end given to the reader ends the last field,
// so that an empty last field ("Ann,,,,,,") is a field too.
std::vector<std::string> RecordFields(const std::string& text) {
    FieldReader reader(text + "\n");
    std::vector<std::string> fields;
    while (auto field = reader.Next()) fields.push_back(std::move(*field));
    return fields;
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

// The format-error message for a date field; a year the program does not take is named after it.
std::string DateFormatError(const std::string& field, const std::string& fault) {
    if (fault == kNotADateFault) return kNameRecordFormatErrorMessage;
    return std::string(kNameRecordFormatErrorMessage) + "\n\nThe date " + field + " " + fault + ".";
}

// Both windows' field sets select their buttons through SelectAM, SelectEast and SelectSouth.
template <typename Fields>
std::optional<std::string> FillFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                          Fields& fields, RecordTexts t) {
    const std::string failed = kNameRecordFormatErrorMessage;

    std::string dateFault;
    const auto date = RecordDate(record.Field[2], regional, dateFault);
    if (!date) return DateFormatError(record.Field[2], dateFault);
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
    const std::string text = RecordText(line);
    if (HoldsLineBreak(text)) return std::nullopt;
    std::vector<std::string> fields = RecordFields(text);
    if (fields.size() != 7 || fields[0].empty()) return std::nullopt;
    NameRecord record;
    for (std::size_t i = 0; i < fields.size(); ++i) record.Field[i + 1] = std::move(fields[i]);
    return record;
}

std::optional<std::string> NameRecordFault(std::string_view line, const RegionalFormat& regional) {
    const std::string text = RecordText(line);
    if (HoldsLineBreak(text)) return "a record is one line, this one holds a line break";
    const std::vector<std::string> fields = RecordFields(text);
    if (fields.size() != 7) {
        return "a record has seven comma-separated fields, this one has " + std::to_string(fields.size()) +
               " (a name holding a comma goes in double quotes)";
    }
    if (fields[0].empty()) return "field 1 (name) is empty";
    std::string dateFault;
    if (!RecordDate(fields[1], regional, dateFault)) {
        if (dateFault == kNotADateFault) return "field 2 (date) is not a date: " + fields[1];
        return "field 2 (date) \"" + fields[1] + "\" " + dateFault;
    }
    const struct {
        std::size_t index;
        const char* name;
    } numbers[] = {{2, "field 3 (clock time)"},
                   {4, "field 5 (time zone)"},
                   {5, "field 6 (longitude)"},
                   {6, "field 7 (latitude)"}};
    for (const auto& n : numbers) {
        if (!StrictNumber(fields[n.index]))
            return std::string(n.name) + " is not a number: " + fields[n.index];
    }
    return std::nullopt;
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
