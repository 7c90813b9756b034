// The Quick*Chart format: one birth a line of fixed columns.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "environment/text_files.h"
#include "exchange/exchange_format.h"

namespace talvenor {
namespace {

constexpr std::size_t kNameWidth = 23;
constexpr std::size_t kPlaceWidth = 25;
// The line ends with the latitude at the least; the place after it may be left out.
constexpr std::size_t kShortestLine = 74;

constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// The characters of a line, each as its UTF-8 bytes, so that columns count characters.
std::vector<std::string_view> Characters(std::string_view line) {
    std::vector<std::string_view> characters;
    characters.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead >= 0xF0) {
            length = 4;
        } else if (lead >= 0xE0) {
            length = 3;
        } else if (lead >= 0xC0) {
            length = 2;
        }
        length = std::min(length, line.size() - i);
        characters.push_back(line.substr(i, length));
        i += length;
    }
    return characters;
}

std::string Columns(const std::vector<std::string_view>& characters, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to && i < characters.size(); ++i) text += characters[i];
    return text;
}

std::string Trimmed(const std::vector<std::string_view>& characters, std::size_t from, std::size_t to) {
    return std::string(TrimSpace(Columns(characters, from, to)));
}

std::optional<int> Month(const std::string& text) {
    const std::string upper = Capitals(text);
    for (int m = 0; m < 12; ++m) {
        if (upper == kMonths[m]) return m + 1;
    }
    return std::nullopt;
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

SourceBirth ReadLine(std::string_view line, std::size_t number) {
    SourceBirth birth;
    birth.line = number;
    const std::vector<std::string_view> c = Characters(line);
    if (c.size() < kShortestLine) {
        birth.name = Trimmed(c, 0, kNameWidth);
        birth.fault = "the line has " + std::to_string(c.size()) + " characters; a Quick*Chart record has " +
                      std::to_string(kShortestLine) + " up to the latitude";
        return birth;
    }
    birth.name = Trimmed(c, 0, kNameWidth);
    const std::string monthText = Trimmed(c, 23, 26);
    const std::string dayText = Trimmed(c, 26, 29);
    const std::string yearText = Trimmed(c, 30, 35);
    birth.dateText = Columns(c, 23, 35);
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

    const std::string timeText = Trimmed(c, 35, 47);
    birth.clock = ReadClockTime(timeText);
    if (!birth.clock) {
        birth.fault = "the time " + Quoted(timeText) + " is not a clock time";
        return birth;
    }
    birth.abbreviation = Capitals(Trimmed(c, 47, 50));
    const std::string correction = Trimmed(c, 50, 56);
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
    const std::string longitude = Trimmed(c, 56, 66);
    const std::string latitude = Trimmed(c, 66, 75);
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
    birth.place = Trimmed(c, 75, 75 + kPlaceWidth);
    return birth;
}

std::string Padded(std::string text, std::size_t width, bool right = false) {
    const std::size_t count = CharacterCount(text);
    if (count >= width) return text;
    const std::string blanks(width - count, ' ');
    return right ? blanks + text : text + blanks;
}

// The first `width` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t width) {
    const std::vector<std::string_view> c = Characters(text);
    return Columns(c, 0, width);
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

}  // namespace

SourceFile ReadQuickChartText(std::string_view text) {
    SourceFile file;
    const std::vector<std::string_view> lines = TextLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (TrimSpace(lines[i]).empty()) continue;
        file.births.push_back(ReadLine(lines[i], i + 1));
    }
    if (file.births.empty()) file.fault = "it holds no line of birth data";
    return file;
}

WrittenBirth QuickChartRecord(const ExportBirth& birth) {
    WrittenBirth out;
    std::string name = birth.name;
    if (CharacterCount(name) > kNameWidth) {
        name = FirstCharacters(name, kNameWidth);
        out.notes.push_back("names cut to the 23 characters of the name column");
    }
    const int hour12 = birth.hour % 12 == 0 ? 12 : birth.hour % 12;
    std::string line = Padded(name, kNameWidth);
    line += kMonths[birth.date.month - 1];
    line += Padded(std::to_string(birth.date.day), 3, true) + ",";
    line += Padded(std::to_string(birth.date.year), 5, true);
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
    return out;
}

}  // namespace talvenor
