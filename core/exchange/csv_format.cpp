// Births as CSV with a header row, as spreadsheets read and write them.
#include <array>
#include <cstdlib>
#include <map>
#include <memory>

#include "atlas/zone_ids.h"
#include "environment/text_files.h"
#include "environment/year_rule.h"
#include "exchange/exchange_format.h"
#include "exchange/exchange_lines.h"

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

struct Row {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

// The separator a header line uses most, outside quotes: comma, semicolon or tab.
char Separator(std::string_view line) {
    std::map<char, int> counts;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
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

// Where the separator is no comma, numbers may be written with a decimal comma ("8,7", "-5,5"), as
// spreadsheets of many countries write them: such a field with one comma and no point reads with a point.
std::string DecimalPoint(const std::string& field, char separator) {
    if (separator == ',' || field.find('.') != std::string::npos) return field;
    const std::size_t comma = field.find(',');
    if (comma == std::string::npos || field.find(',', comma + 1) != std::string::npos) return field;
    std::string point = field;
    point[comma] = '.';
    return point;
}

// The rows of the file: fields split at the separator, a field in double quotes running over separators
// and line ends, "" inside it a quote. Each row with the line it begins on; rows of nothing but empty
// fields are spacing. The separator is the one the header, the first line that is not blank, uses most.
class CsvBirthReader : public BirthReader {
  public:
    explicit CsvBirthReader(const RegionalFormat& regional) : regional_(regional) {}

    void Line(std::string_view line, std::size_t number, bool ended, const Sink& give) override {
        if (!fault_.empty()) return;
        if (!separator_) {
            if (TrimSpace(line).empty()) return;
            separator_ = Separator(line);
            rowLine_ = number;
        }
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quoted_) {
                if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    Add('"');
                    ++i;
                } else if (c == '"') {
                    quoted_ = false;
                } else {
                    Add(c);
                }
            } else if (c == '"' && TrimSpace(field_).empty()) {
                field_.clear();
                quoted_ = wasQuoted_ = true;
            } else if (c == separator_) {
                EndField();
            } else if (!wasQuoted_) {
                Add(c);
            }
        }
        if (!ended) return;
        if (quoted_) {
            Add('\n');
            return;
        }
        EndField();
        EndRow(give);
        rowLine_ = number + 1;
    }

    void End(const Sink& give) override {
        if (fault_.empty() && (!field_.empty() || !row_.empty() || wasQuoted_)) {
            EndField();
            EndRow(give);
        }
        if (!fault_.empty()) return;
        if (!header_) {
            fault_ = "it holds no header row";
        } else if (births_ == 0) {
            fault_ = "it holds a header row and no birth";
        }
    }

  private:
    // No field of a birth comes near this length, nor a row near this many fields: beyond them a
    // damaged file's field (a quote left open over the rest of the file) is cut, not held.
    static constexpr std::size_t kLongestField = kLongestHeldRun;
    static constexpr std::size_t kMostFields = 1024;

    void Add(char c) {
        if (field_.size() < kLongestField) field_ += c;
    }

    void EndField() {
        if (row_.size() < kMostFields) row_.push_back(wasQuoted_ ? field_ : std::string(TrimSpace(field_)));
        field_.clear();
        wasQuoted_ = false;
    }

    void EndRow(const Sink& give) {
        Row row{rowLine_, std::move(row_)};
        row_.clear();
        bool empty = true;
        for (const std::string& f : row.fields) empty = empty && f.empty();
        if (empty) return;
        if (!header_) {
            Header(row);
            header_ = true;
            return;
        }
        ++births_;
        give(BirthOf(row));
    }

    void Header(const Row& header) {
        std::vector<std::string> unread;
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const auto column = ColumnOf(header.fields[i]);
            if (column && !at_.count(*column)) {
                at_[*column] = i;
            } else if (!header.fields[i].empty()) {
                unread.push_back(Quoted(header.fields[i]));
            }
        }
        std::vector<std::string> missing;
        if (!at_.count(Column::Name) && !at_.count(Column::FirstName) && !at_.count(Column::LastName))
            missing.push_back("name");
        for (const auto& [column, word] : {std::pair{Column::Date, "date"},
                                           {Column::Time, "time"},
                                           {Column::Longitude, "longitude"},
                                           {Column::Latitude, "latitude"}}) {
            if (!at_.count(column)) missing.push_back(word);
        }
        if (!missing.empty()) {
            std::string list;
            for (const std::string& m : missing) list += (list.empty() ? "" : ", ") + m;
            fault_ = "its header row names no column for " + list + " (the columns are " +
                     std::string(kCsvHeader) + ", in any order)";
            return;
        }
        if (!unread.empty()) {
            std::string list;
            for (const std::string& u : unread) list += (list.empty() ? "" : ", ") + u;
            notes_.push_back("columns not read: " + list);
        }
    }

    SourceBirth BirthOf(const Row& row) const {
        const auto field = [&](Column column) -> std::string {
            const auto found = at_.find(column);
            if (found == at_.end() || found->second >= row.fields.size()) return {};
            return row.fields[found->second];
        };
        const auto number = [&](Column column) { return DecimalPoint(field(column), separator_); };
        SourceBirth birth;
        birth.line = row.line;
        birth.name = field(Column::Name);
        if (birth.name.empty()) {
            const std::string first = field(Column::FirstName), last = field(Column::LastName);
            birth.name = first.empty() ? last : last.empty() ? first : first + " " + last;
        }
        birth.dateText = field(Column::Date);
        if (!birth.dateText.empty()) birth.date = ReadExchangeDate(birth.dateText, regional_);
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
            birth.zoneEast = ReadOffsetEast(number(Column::Zone));
            if (!birth.zoneEast && birth.fault.empty())
                birth.fault =
                    "the zone " + Quoted(zone) + " is neither an offset such as UTC+01:00 nor a zone id";
        }
        const std::string daylight = field(Column::Daylight);
        if (!daylight.empty()) {
            birth.daylight = ReadDaylightAmount(number(Column::Daylight));
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
            p.target = ReadPosition(number(p.column), p.axis);
            if (!p.target && birth.fault.empty())
                birth.fault = std::string("the ") + p.what + " " + Quoted(value) + " is not a " + p.what;
        }
        birth.place = field(Column::Place);
        const std::string country = field(Column::Country);
        if (!country.empty()) birth.place += (birth.place.empty() ? "" : ", ") + country;
        return birth;
    }

    const RegionalFormat& regional_;
    char separator_ = 0;  // none before the header line
    std::map<Column, std::size_t> at_;
    bool header_ = false;
    std::size_t births_ = 0;
    // The row being read.
    std::vector<std::string> row_;
    std::size_t rowLine_ = 1;
    std::string field_;
    bool quoted_ = false, wasQuoted_ = false;
};

}  // namespace

bool NamesCsvColumns(std::string_view line) {
    const RegionalFormat regional;
    CsvBirthReader reader(regional);
    reader.Line(line, 1, true, [](SourceBirth&&) {});
    return reader.Fault().empty();
}

std::unique_ptr<BirthReader> CsvReader(const RegionalFormat& regional) {
    return std::make_unique<CsvBirthReader>(regional);
}

SourceFile ReadCsvText(std::string_view text, const RegionalFormat& regional) {
    const auto reader = CsvReader(regional);
    return ReadWith(*reader, text);
}

WrittenBirth CsvRecord(const ExportBirth& birth) {
    WrittenBirth out;
    const std::string year = WrittenYear(birth.date.year);
    const bool meanTime = birth.IsMeanTime();
    const int offset = meanTime ? 4 * birth.longitudeEastMinutes : birth.OffsetEastSeconds();
    out.text = CsvField(birth.name) + "," + year + "-" + Two(birth.date.month) + "-" + Two(birth.date.day) +
               "," + Two(birth.hour) + ":" + Two(birth.minute) + "," + (meanTime ? "LMT" : CsvZone(offset)) +
               "," + CsvPosition(birth.longitudeEastMinutes, 3, 'E', 'W') + "," +
               CsvPosition(birth.latitudeNorthMinutes, 2, 'N', 'S') + ",\r\n";
    return out;
}

}  // namespace talvenor
