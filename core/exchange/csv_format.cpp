// Births as CSV with a header row, as spreadsheets read and write them.
#include <array>
#include <cstdlib>
#include <map>

#include "atlas/zone_ids.h"
#include "environment/text_files.h"
#include "exchange/exchange_format.h"

namespace talvenor {
namespace {

enum class Column {
    Name,
    FirstName,
    LastName,
    Date,
    Time,
    Zone,
    Daylight,
    Longitude,
    Latitude,
    Place,
    Country
};

// The header words each column answers to, letters and digits only, in small letters.
struct ColumnWords {
    Column column;
    std::array<const char*, 8> words;
};
constexpr ColumnWords kColumnWords[] = {
    {Column::Name, {"name", "fullname", "person", "chartname"}},
    {Column::FirstName, {"firstname", "givenname", "forename", "first"}},
    {Column::LastName, {"lastname", "surname", "familyname", "last"}},
    {Column::Date, {"date", "birthdate", "dateofbirth", "dob", "birthday"}},
    {Column::Time, {"time", "birthtime", "timeofbirth", "clock"}},
    {Column::Zone, {"zone", "timezone", "tz", "utcoffset", "offset", "zoneoffset"}},
    {Column::Daylight, {"dst", "daylightsaving", "daylight", "summertime"}},
    {Column::Longitude, {"longitude", "long", "lon", "lng"}},
    {Column::Latitude, {"latitude", "lat"}},
    {Column::Place, {"place", "city", "location", "birthplace", "town"}},
    {Column::Country, {"country"}},
};

std::string HeaderWord(std::string_view text) {
    std::string word;
    for (const char c : text) {
        if (c >= 'A' && c <= 'Z') word += static_cast<char>(c - 'A' + 'a');
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) word += c;
    }
    return word;
}

std::optional<Column> ColumnOf(std::string_view header) {
    const std::string word = HeaderWord(header);
    for (const ColumnWords& c : kColumnWords) {
        for (const char* w : c.words) {
            if (w && word == w) return c.column;
        }
    }
    return std::nullopt;
}

struct Row {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

// The separator the header uses most, outside quotes: comma, semicolon or tab.
char Separator(std::string_view text) {
    std::map<char, int> counts;
    bool quoted = false;
    for (const char c : text) {
        if (c == '\n' || c == '\r') {
            if (!quoted) break;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ',' || c == ';' || c == '\t')) {
            ++counts[c];
        }
    }
    char best = ',';
    int most = 0;
    for (const char c : {',', ';', '\t'}) {
        if (counts[c] > most) {
            most = counts[c];
            best = c;
        }
    }
    return best;
}

// The rows of the text: fields split at the separator, a field in double quotes running over separators
// and line ends, "" inside it a quote. Each row with the line it begins on.
std::vector<Row> Rows(std::string_view text, char separator) {
    std::vector<Row> rows;
    Row row{1, {}};
    std::string field;
    bool quoted = false, wasQuoted = false;
    std::size_t line = 1;
    const auto endField = [&] {
        row.fields.push_back(wasQuoted ? field : std::string(TrimSpace(field)));
        field.clear();
        wasQuoted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineEnd = c == '\n' || c == '\r';
        if (lineEnd) {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            if (quoted) {
                field += '\n';
                continue;
            }
            endField();
            rows.push_back(std::move(row));
            row = Row{line, {}};
        } else if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && TrimSpace(field).empty()) {
            field.clear();
            quoted = wasQuoted = true;
        } else if (c == separator) {
            endField();
        } else if (!wasQuoted) {
            field += c;
        }
    }
    if (!field.empty() || !row.fields.empty() || wasQuoted) {
        endField();
        rows.push_back(std::move(row));
    }
    // Rows of nothing but empty fields are spacing.
    std::vector<Row> kept;
    for (Row& r : rows) {
        bool empty = true;
        for (const std::string& f : r.fields) empty = empty && f.empty();
        if (!empty) kept.push_back(std::move(r));
    }
    return kept;
}

std::string Two(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n;\t") == std::string::npos && TrimSpace(text) == text) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvPosition(int minutes, int degreeWidth, char positive, char negative) {
    const int magnitude = std::abs(minutes);
    std::string degrees = std::to_string(magnitude / 60);
    if (degrees.size() < static_cast<std::size_t>(degreeWidth))
        degrees.insert(0, static_cast<std::size_t>(degreeWidth) - degrees.size(), '0');
    return degrees + (minutes < 0 ? negative : positive) + Two(magnitude % 60);
}

// "UTC+01:00", "UTC-05:30", "UTC+00:21:48".
std::string CsvZone(int offsetEast) {
    const int magnitude = std::abs(offsetEast);
    std::string text = std::string("UTC") + (offsetEast < 0 ? "-" : "+") + Two(magnitude / 3600) + ":" +
                       Two(magnitude / 60 % 60);
    if (magnitude % 60) text += ":" + Two(magnitude % 60);
    return text;
}

// Any zone id of the time-zone database ("Europe/Berlin", "CET", "Zulu"), unless the text reads as an
// offset ("UTC", "+1").
bool LooksLikeZoneId(const std::string& text) {
    return HasZoneIdShape(text) && (text.find('/') != std::string::npos || !ReadOffsetEast(text));
}

}  // namespace

SourceFile ReadCsvText(std::string_view text, const RegionalFormat& regional) {
    SourceFile file;
    const std::vector<Row> rows = Rows(text, Separator(text));
    if (rows.empty()) {
        file.fault = "it holds no header row";
        return file;
    }
    std::map<Column, std::size_t> at;
    std::vector<std::string> unread;
    const Row& header = rows.front();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const auto column = ColumnOf(header.fields[i]);
        if (column && !at.count(*column)) {
            at[*column] = i;
        } else if (!header.fields[i].empty()) {
            unread.push_back(Quoted(header.fields[i]));
        }
    }
    std::vector<std::string> missing;
    if (!at.count(Column::Name) && !at.count(Column::FirstName) && !at.count(Column::LastName))
        missing.push_back("name");
    for (const auto& [column, word] : {std::pair{Column::Date, "date"},
                                       {Column::Time, "time"},
                                       {Column::Longitude, "longitude"},
                                       {Column::Latitude, "latitude"}}) {
        if (!at.count(column)) missing.push_back(word);
    }
    if (!missing.empty()) {
        std::string list;
        for (const std::string& m : missing) list += (list.empty() ? "" : ", ") + m;
        file.fault = "its header row names no column for " + list + " (the columns are " +
                     std::string(kCsvHeader) + ", in any order)";
        return file;
    }
    if (!unread.empty()) {
        std::string list;
        for (const std::string& u : unread) list += (list.empty() ? "" : ", ") + u;
        file.notes.push_back("columns not read: " + list);
    }

    for (std::size_t r = 1; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const auto field = [&](Column column) -> std::string {
            const auto found = at.find(column);
            if (found == at.end() || found->second >= row.fields.size()) return {};
            return row.fields[found->second];
        };
        SourceBirth birth;
        birth.line = row.line;
        birth.name = field(Column::Name);
        if (birth.name.empty()) {
            const std::string first = field(Column::FirstName), last = field(Column::LastName);
            birth.name = first.empty() ? last : last.empty() ? first : first + " " + last;
        }
        birth.dateText = field(Column::Date);
        if (!birth.dateText.empty()) birth.date = ReadExchangeDate(birth.dateText, regional);
        const std::string time = field(Column::Time);
        if (!time.empty()) {
            birth.clock = ReadClockTime(time);
            if (!birth.clock) birth.fault = "the time " + Quoted(time) + " is not a clock time";
        }
        const std::string zone = field(Column::Zone);
        if (Capitals(zone) == "LMT") {
            birth.meanTime = true;
        } else if (LooksLikeZoneId(zone)) {
            birth.zoneId = zone;
        } else if (!zone.empty()) {
            birth.zoneEast = ReadOffsetEast(zone);
            if (!birth.zoneEast && birth.fault.empty())
                birth.fault =
                    "the zone " + Quoted(zone) + " is neither an offset such as UTC+01:00 nor a zone id";
        }
        const std::string daylight = field(Column::Daylight);
        if (!daylight.empty()) {
            birth.daylight = ReadDaylightAmount(daylight);
            if (!birth.daylight && birth.fault.empty())
                birth.fault = "the daylight-saving time " + Quoted(daylight) + " is not a number of hours";
        } else if (birth.zoneEast) {
            birth.daylight = 0;  // an offset without a dst column is the clock's whole offset
        }
        const struct {
            Column column;
            Axis axis;
            std::optional<double>& target;
            const char* what;
        } positions[] = {{Column::Longitude, Axis::Longitude, birth.longitude, "longitude"},
                         {Column::Latitude, Axis::Latitude, birth.latitude, "latitude"}};
        for (const auto& p : positions) {
            const std::string value = field(p.column);
            if (value.empty()) continue;
            p.target = ReadPosition(value, p.axis);
            if (!p.target && birth.fault.empty())
                birth.fault = std::string("the ") + p.what + " " + Quoted(value) + " is not a " + p.what;
        }
        birth.place = field(Column::Place);
        const std::string country = field(Column::Country);
        if (!country.empty()) birth.place += (birth.place.empty() ? "" : ", ") + country;
        file.births.push_back(std::move(birth));
    }
    if (file.births.empty()) file.fault = "it holds a header row and no birth";
    return file;
}

WrittenBirth CsvRecord(const ExportBirth& birth) {
    WrittenBirth out;
    std::string year = std::to_string(birth.date.year);
    if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
    const bool meanTime = birth.IsMeanTime();
    const int offset = meanTime ? 4 * birth.longitudeEastMinutes : birth.OffsetEastSeconds();
    out.text = CsvField(birth.name) + "," + year + "-" + Two(birth.date.month) + "-" + Two(birth.date.day) +
               "," + Two(birth.hour) + ":" + Two(birth.minute) + "," + (meanTime ? "LMT" : CsvZone(offset)) +
               "," + CsvPosition(birth.longitudeEastMinutes, 3, 'E', 'W') + "," +
               CsvPosition(birth.latitudeNorthMinutes, 2, 'N', 'S') + ",\r\n";
    return out;
}

}  // namespace talvenor
