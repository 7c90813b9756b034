// The Quick*Chart format: one birth a line of fixed columns.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "environment/regional_format.h"
#include "environment/text_files.h"
#include "environment/year_rule.h"
#include "exchange/exchange_format.h"

namespace talvenor {
namespace {

constexpr std::size_t kNameWidth = 23;
constexpr std::size_t kPlaceWidth = 25;
// The line ends with the latitude at the least; the place after it may be left out.
constexpr std::size_t kShortestLine = 74;
constexpr std::size_t kLineWidth = 100;

constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// Where each column of a line begins, as byte offsets: column k at the k-th character, or at byte k. Files
// of the format count their columns in bytes; a line of Windows-1252 (which the reading decodes into
// UTF-8) or one laid out in characters by a program writing UTF-8 has them at its characters.
struct Layout {
    std::vector<std::size_t> at;  // at[k]: the byte column k begins at; one more entry for the line's end

    std::size_t Columns() const { return at.size() - 1; }
    std::string Text(std::string_view line, std::size_t from, std::size_t to) const {
        from = std::min(from, Columns());
        to = std::min(std::max(from, to), Columns());
        return std::string(line.substr(at[from], at[to] - at[from]));
    }
    std::string Trimmed(std::string_view line, std::size_t from, std::size_t to) const {
        return std::string(TrimSpace(Text(line, from, to)));
    }
};

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

Layout ByCharacters(std::string_view line) {
    Layout layout;
    layout.at.reserve(line.size() + 1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!IsContinuationByte(line[i])) layout.at.push_back(i);
    }
    layout.at.push_back(line.size());
    return layout;
}

// Column k at byte k; a column that would begin inside a character begins after it, so that no character
// is split between two columns.
Layout ByBytes(std::string_view line) {
    Layout layout;
    layout.at.reserve(line.size() + 1);
    std::size_t next = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        next = std::max(next, i);
        while (next < line.size() && IsContinuationByte(line[next])) ++next;
        layout.at.push_back(next);
    }
    return layout;
}

// "JAN" as the format writes it; a file from a program that wrote its own language's months ("MÄR",
// "OKT") is read as the names file reads them.
std::optional<int> Month(const std::string& text) {
    const int month = MonthFromWord(text, RegionalFormat{});
    if (month == 0) return std::nullopt;
    return month;
}

std::optional<int> WholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -value : value;
}

// How many of the date, time and position columns read as such in a layout; -1 for a line too short.
int FieldsRead(std::string_view line, const Layout& c) {
    if (c.Columns() < kShortestLine) return -1;
    return static_cast<int>(Month(c.Trimmed(line, 23, 26)).has_value()) +
           static_cast<int>(WholeNumber(c.Trimmed(line, 26, 29)).has_value()) +
           static_cast<int>(WholeNumber(c.Trimmed(line, 30, 35)).has_value()) +
           static_cast<int>(ReadClockTime(c.Trimmed(line, 35, 47)).has_value()) +
           static_cast<int>(ReadPosition(c.Trimmed(line, 56, 66), Axis::Longitude).has_value()) +
           static_cast<int>(ReadPosition(c.Trimmed(line, 66, 75), Axis::Latitude).has_value());
}

// The layout a line was written in: by bytes when its bytes put at least as many of the date, time and
// position columns in their places as its characters do, except that a line of more than 100 bytes in
// 100 characters or fewer was laid out in characters; else by characters, as for a line too short
// either way. A line of ASCII has one layout only.
Layout LayoutOf(std::string_view line) {
    Layout characters = ByCharacters(line);
    if (characters.Columns() == line.size()) return characters;
    Layout bytes = ByBytes(line);
    const int byBytes = FieldsRead(line, bytes), byCharacters = FieldsRead(line, characters);
    if (byBytes < 0 && byCharacters < 0) return characters;  // too short either way
    if (byBytes > byCharacters) return bytes;
    if (byBytes == byCharacters && !(line.size() > kLineWidth && characters.Columns() <= kLineWidth))
        return bytes;
    return characters;
}

SourceBirth ReadLine(std::string_view line, std::size_t number) {
    SourceBirth birth;
    birth.line = number;
    const Layout c = LayoutOf(line);
    birth.name = c.Trimmed(line, 0, kNameWidth);
    if (c.Columns() < kShortestLine) {
        birth.fault = "the line has " + std::to_string(CharacterCount(line)) +
                      " characters; a Quick*Chart record has " + std::to_string(kShortestLine) +
                      " up to the latitude";
        return birth;
    }
    const std::string monthText = c.Trimmed(line, 23, 26);
    const std::string dayText = c.Trimmed(line, 26, 29);
    const std::string yearText = c.Trimmed(line, 30, 35);
    birth.dateText = c.Text(line, 23, 35);
    const auto month = Month(monthText);
    const auto day = WholeNumber(dayText);
    const auto year = WholeNumber(yearText);
    if (!month || !day || !year) {
        birth.fault = "the date " + Quoted(TrimSpace(birth.dateText)) + " is not a date";
        return birth;
    }
    if (*year < kFirstYear || *year > kLastYear) {
        birth.fault = "the year " + yearText + " is outside the years the program computes (" +
                      std::to_string(kFirstYear) + " to " + std::to_string(kLastYear) + ")";
        return birth;
    }
    if (const auto fault = YearTextFault(yearText, *year)) {
        birth.fault = "the date " + Quoted(TrimSpace(birth.dateText)) + " " + *fault;
        return birth;
    }
    const CivilDate date{*year, *month, *day};
    if (IsValidDate(date)) birth.date = date;

    const std::string timeText = c.Trimmed(line, 35, 47);
    birth.clock = ReadClockTime(timeText);
    if (!birth.clock) {
        birth.fault = "the time " + Quoted(timeText) + " is not a clock time";
        return birth;
    }
    birth.abbreviation = Capitals(c.Trimmed(line, 47, 50));
    const std::string correction = c.Trimmed(line, 50, 56);
    if (birth.abbreviation == "LMT") {
        birth.meanTime = true;
    } else if (!correction.empty()) {
        // UT = local time + correction: the correction is the zone west of UT, daylight saving included.
        const auto west = ReadOffsetEast(correction);
        if (!west) {
            birth.fault = "the correction " + Quoted(correction) + " is not an offset such as +05:00";
            return birth;
        }
        birth.zoneEast = -*west;
        birth.daylight = 0;
    }
    const std::string longitude = c.Trimmed(line, 56, 66);
    const std::string latitude = c.Trimmed(line, 66, 75);
    birth.longitude = ReadPosition(longitude, Axis::Longitude);
    if (!birth.longitude) {
        birth.fault = "the longitude " + Quoted(longitude) + " is not a longitude such as 006E54'00";
        return birth;
    }
    birth.latitude = ReadPosition(latitude, Axis::Latitude);
    if (!birth.latitude) {
        birth.fault = "the latitude " + Quoted(latitude) + " is not a latitude such as 52N13'00";
        return birth;
    }
    birth.place = c.Trimmed(line, 75, 75 + kPlaceWidth);
    return birth;
}

std::string Padded(std::string text, std::size_t width, bool right = false) {
    const std::size_t count = CharacterCount(text);
    if (count >= width) return text;
    const std::string blanks(width - count, ' ');
    return right ? blanks + text : text + blanks;
}

// The longest beginning of a UTF-8 text that has at most `width` characters, or bytes.
std::string FirstColumns(std::string_view text, std::size_t width, bool bytes) {
    const Layout layout = bytes ? ByBytes(text) : ByCharacters(text);
    std::size_t end = layout.at[std::min(width, layout.Columns())];
    if (bytes && end > width) {
        // Column `width` begins after a character that runs over it: that character does not fit.
        end = width;
        while (end > 0 && IsContinuationByte(text[end])) --end;
    }
    return std::string(text.substr(0, end));
}

std::string Two(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string QckPosition(int minutes, int degreeWidth, char positive, char negative) {
    const int magnitude = std::abs(minutes);
    std::string degrees = std::to_string(magnitude / 60);
    degrees.insert(
        0, static_cast<std::size_t>(degreeWidth) - std::min<std::size_t>(degrees.size(), degreeWidth), '0');
    return degrees + (minutes < 0 ? negative : positive) + Two(magnitude % 60) + "'00";
}

// One record a line; blank lines are no records.
class QuickChartBirthReader : public BirthReader {
  public:
    void Line(std::string_view line, std::size_t number, bool, const Sink& give) override {
        if (TrimSpace(line).empty()) return;
        ++lines_;
        give(ReadLine(line, number));
    }
    void End(const Sink&) override {
        if (lines_ == 0) fault_ = "it holds no line of birth data";
    }

  private:
    std::size_t lines_ = 0;
};

}  // namespace

std::unique_ptr<BirthReader> QuickChartReader() {
    return std::make_unique<QuickChartBirthReader>();
}

SourceFile ReadQuickChartText(std::string_view text) {
    const auto reader = QuickChartReader();
    return ReadWith(*reader, text);
}

WrittenBirth QuickChartRecord(const ExportBirth& birth, bool firstLine) {
    WrittenBirth out;
    // Windows-1252 where the name's characters allow it. But Windows-1252 bytes that happen to form
    // UTF-8 ("ß¾" are the bytes of one character there) would be read as UTF-8 and come back as another
    // name, and a first line beginning with the bytes of a UTF-8 byte-order mark ("ï»¿") would lose them
    // to a reader: such names, and those the code page cannot hold, are written in UTF-8, whose columns
    // count bytes too.
    const bool longName = CharacterCount(birth.name) > kNameWidth;
    std::string name = longName ? FirstColumns(birth.name, kNameWidth, false) : birth.name;
    const auto narrow = EncodeWindows1252(name);
    const bool readAsMark = firstLine && narrow && narrow->starts_with("\xEF\xBB\xBF");
    const bool utf8 = !narrow || readAsMark || (*narrow != name && IsValidUtf8(*narrow));
    if (!utf8) {
        name = *narrow;
        if (longName) out.notes.push_back("names cut to the 23 characters of the name column");
    } else {
        name = FirstColumns(birth.name, kNameWidth, true);
        if (name != birth.name) out.notes.push_back("names in UTF-8 cut to the 23 bytes of the name column");
    }
    const int hour12 = birth.hour % 12 == 0 ? 12 : birth.hour % 12;
    std::string line = name + std::string(kNameWidth - name.size(), ' ');
    line += kMonths[birth.date.month - 1];
    line += Padded(std::to_string(birth.date.day), 3, true) + ",";
    line += Padded(WrittenYear(birth.date.year), 5, true);
    line += Two(hour12) + ":" + Two(birth.minute) + ":00 " + (birth.hour < 12 ? "AM" : "PM") + " ";

    // The correction is the zone west of UT to the minute: UT = local time + correction.
    const bool meanTime = birth.IsMeanTime();
    const double westSeconds = meanTime ? -4.0 * birth.longitudeEastMinutes : birth.zoneHours * 3600;
    const long westMinutes = std::lround(westSeconds / 60);
    if (!meanTime && std::fabs(westSeconds - westMinutes * 60.0) > 0.5)
        out.notes.push_back("zones cut to the minute of the correction column");
    line += meanTime ? "LMT" : "   ";
    line += std::string(westMinutes < 0 ? "-" : "+") + Two(static_cast<int>(std::labs(westMinutes) / 60)) +
            ":" + Two(static_cast<int>(std::labs(westMinutes) % 60));
    line += QckPosition(birth.longitudeEastMinutes, 3, 'E', 'W') + " ";
    line += QckPosition(birth.latitudeNorthMinutes, 2, 'N', 'S') + " ";
    line += std::string(kPlaceWidth, ' ');
    out.text = line + "\r\n";
    if (utf8)
        out.notes.push_back(
            "lines written in UTF-8, since their characters are not all in Windows-1252 or their "
            "Windows-1252 bytes would read as UTF-8");
    return out;
}

}  // namespace talvenor
