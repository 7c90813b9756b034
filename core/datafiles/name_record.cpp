#include "datafiles/name_record.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "environment/text_files.h"
#include "environment/year_rule.h"
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

// The format-error message for a date field; a year the program does not take is named after it.
std::string DateFormatError(const std::string& field, const std::string& fault) {
    if (fault == kNotADateFault) return kNameRecordFormatErrorMessage;
    return std::string(kNameRecordFormatErrorMessage) + "\n\nThe date " + field + " " + fault + ".";
}

// Whole minutes of a packed value, as the window's "#0" shows them. The fraction of 10.15 is
// 0.1499999..., so the product lies a hair below 15; the rounding brings it back.
double RoundedMinutes(double minutes) {
    const double whole = static_cast<double>(RoundedWhole(std::fabs(minutes)));
    return minutes < 0 ? -whole : whole;
}

// The hour of a packed clock time as the window's hour rule leaves it: 0 becomes 12 and an hour above 12
// loses 12 until it is 12 or less. The record's own A or P decides the half of the day. An hour the
// general format writes with an exponent is left as it is, for the check to refuse.
BirthNumber RecordHour(double time) {
    BirthNumber hour = ShownNumber(Fix(time));
    if (!hour.whole) return hour;
    if (hour.value == 0) return ShownNumber(12);
    if (hour.value > 12) {
        double folded = std::fmod(hour.value, 12.0);
        if (folded == 0) folded = 12;
        return ShownNumber(folded);
    }
    return hour;
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

RecordBirth ReadRecordBirth(const NameRecord& record, const RegionalFormat& regional, std::string source) {
    RecordBirth read;
    Birth& b = read.birth;
    b.name = record.Field[1];
    b.source = std::move(source);
    const auto stop = [&read](BirthPart part, std::string fault) {
        read.reached = part;
        read.fault = std::move(fault);
        return read;
    };

    std::string dateFault;
    const auto date = RecordDate(record.Field[2], regional, dateFault);
    if (!date) return stop(BirthPart::Date, DateFormatError(record.Field[2], dateFault));
    b.month = GivenNumber(date->month);
    b.day = GivenNumber(date->day);
    b.year = GivenNumber(date->year);
    // The date rules read a record's date as a day of a year the program computes, which its numbers,
    // written out, give back.
    b.dateText = JoinDateFields(std::to_string(date->day), std::to_string(date->month),
                                FullYearText(std::to_string(date->year)), regional.DateOrder);
    b.dateReadsBack = true;

    const std::string failed = kNameRecordFormatErrorMessage;
    const auto time = StrictNumber(record.Field[3]);
    if (!time) return stop(BirthPart::Time, failed);
    b.hour = RecordHour(*time);
    b.minute = GivenNumber(RoundedMinutes((*time - Fix(*time)) * 100));
    std::string half = record.Field[4];
    for (char& c : half) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    b.pm = half != "A";

    const auto zone = StrictNumber(record.Field[5]);
    if (!zone) return stop(BirthPart::Zone, failed);
    // Kept with its stored sign: the zone was saved together with the longitude's direction.
    b.zone = ShownNumber(*zone);

    const auto longitude = StrictNumber(record.Field[6]);
    if (!longitude) return stop(BirthPart::Longitude, failed);
    b.longitudeDegrees = ShownNumber(std::fabs(Fix(*longitude)));
    b.east = *longitude < 0;
    b.longitudeMinutes = GivenNumber(RoundedMinutes(std::fabs(*longitude - Fix(*longitude)) * 100));

    const auto latitude = StrictNumber(record.Field[7]);
    if (!latitude) return stop(BirthPart::Latitude, failed);
    b.latitudeDegrees = ShownNumber(std::fabs(Fix(*latitude)));
    b.south = *latitude < 0;
    b.latitudeMinutes = GivenNumber(RoundedMinutes(std::fabs(*latitude - Fix(*latitude)) * 100));
    return read;
}

RecordBirth ReadRecordLineBirth(std::string_view line, const RegionalFormat& regional, std::string source) {
    const auto record = ParseNameRecord(line);
    if (!record) {
        RecordBirth read;
        read.reached = BirthPart::Name;
        read.fault = NameRecordFault(line, regional).value_or("the record cannot be read");
        return read;
    }
    RecordBirth read = ReadRecordBirth(*record, regional, std::move(source));
    if (read.fault) read.fault = NameRecordFault(line, regional).value_or("the record cannot be read");
    return read;
}

std::optional<std::string> FillNatalFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                               InputTexts& natal) {
    natal.name = record.Field[1];
    const RecordBirth read = ReadRecordBirth(record, regional, {});
    FillWindowFromBirth(read.birth, natal, read.reached);
    return read.fault;
}

std::optional<std::string> FillDiurnalFromRecord(const NameRecord& record, const RegionalFormat& regional,
                                                 SecondInputTexts& diurnal) {
    diurnal.secondPersonName = record.Field[1];
    const RecordBirth read = ReadRecordBirth(record, regional, {});
    FillWindowFromBirth(read.birth, diurnal, read.reached);
    return read.fault;
}

}  // namespace talvenor
