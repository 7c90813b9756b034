#include "environment/regional_format.h"

#include <langinfo.h>
#include <locale.h>

#include <vector>

#include "ephemeris/calendar.h"

namespace talvenor {
namespace {

constexpr std::array<std::string_view, 13> kEnglishAbbrev = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 13> kEnglishNames = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The conversion letters of a strftime pattern, in order, with glibc's flags ("%-d", "%_H"), field
// widths ("%10Y") and the E and O modifiers ("%Ey", "%OH") skipped; "%%" is literal text.
std::vector<char> Conversions(std::string_view pattern) {
    std::vector<char> letters;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        ++i;
        while (i < pattern.size() && std::string_view("_-0^#").find(pattern[i]) != std::string_view::npos)
            ++i;
        while (i < pattern.size() && IsDigit(pattern[i])) ++i;
        if (i < pattern.size() && (pattern[i] == 'E' || pattern[i] == 'O')) ++i;
        if (i >= pattern.size()) break;
        if (pattern[i] != '%') letters.push_back(pattern[i]);
    }
    return letters;
}

std::int16_t DateOrderOf(std::string_view datePattern) {
    // Day, month and year in the order the pattern first names them; the composite conversions
    // stand for their parts.
    std::string parts;
    for (const char letter : Conversions(datePattern)) {
        switch (letter) {
            case 'd':
            case 'e':
                parts += 'd';
                break;
            case 'm':
            case 'b':
            case 'B':
            case 'h':
                parts += 'm';
                break;
            case 'y':
            case 'Y':
            case 'C':
            case 'g':
            case 'G':
                parts += 'y';
                break;
            case 'D':
                parts += "mdy";
                break;
            case 'F':
                parts += "ymd";
                break;
            default:
                break;
        }
    }
    const std::size_t day = parts.find('d');
    const std::size_t month = parts.find('m');
    const std::size_t year = parts.find('y');
    if (day == std::string::npos || month == std::string::npos) return 0;
    if (year != std::string::npos && year < day && year < month) return 2;
    return day < month ? 1 : 0;
}

std::int16_t Clock24Of(std::string_view timePattern) {
    // The first hour conversion decides.
    for (const char letter : Conversions(timePattern)) {
        switch (letter) {
            case 'H':
            case 'k':
            case 'T':
            case 'R':
                return 1;
            case 'I':
            case 'l':
            case 'r':
                return 0;
            default:
                break;
        }
    }
    return 0;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

// Month names are kept in UTF-8. A locale with a legacy character set (de_DE rather than
// de_DE.UTF-8) gives its names in ISO 8859-1, whose letters map directly onto code points.
std::string ToUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

// Case-insensitive for ASCII letters; other bytes must match exactly. A final "." on either side is
// not significant ("janv." and "janv"), nor are blanks some locales pad their names with (" 3月").
bool SameMonthName(std::string_view typed, std::string_view name) {
    name = TrimBlanks(name);
    if (!typed.empty() && typed.back() == '.') typed.remove_suffix(1);
    if (!name.empty() && name.back() == '.') name.remove_suffix(1);
    if (typed.empty() || typed.size() != name.size()) return false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (LowerAscii(typed[i]) != LowerAscii(name[i])) return false;
    }
    return true;
}

// 1..12 for a month name of the user's language or of English (abbreviated or full), else 0.
int MonthFromName(std::string_view token, const RegionalFormat& regional) {
    for (int m = 1; m <= 12; ++m) {
        const auto index = static_cast<std::size_t>(m);
        if (SameMonthName(token, regional.MonthAbbrev[index]) ||
            SameMonthName(token, kEnglishAbbrev[index]) || SameMonthName(token, kEnglishNames[index])) {
            return m;
        }
    }
    return 0;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

// Up to four digits; longer runs are no part of a date and could overflow.
std::optional<int> SmallNumber(std::string_view text) {
    if (!AllDigits(text) || text.size() > 4) return std::nullopt;
    int value = 0;
    for (const char c : text) value = value * 10 + (c - '0');
    return value;
}

// A year of one or two digits is taken in a hundred-year window: 00-29 are 2000-2029, 30-99 are
// 1930-1999. Three and four digits are the year itself.
std::optional<int> YearNumber(std::string_view text) {
    const std::optional<int> value = SmallNumber(text);
    if (!value) return std::nullopt;
    if (text.size() <= 2) return *value < 30 ? 2000 + *value : 1900 + *value;
    return value;
}

std::optional<CivilDate> CheckedDate(std::optional<int> year, std::optional<int> month,
                                     std::optional<int> day) {
    if (!year || !month || !day) return std::nullopt;
    const CivilDate date{*year, *month, *day};
    if (!IsValidDate(date)) return std::nullopt;
    return date;
}

bool HasLetter(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || byte >= 0x80) return true;
    }
    return false;
}

// "3/14/1962", "14.3.62", "1962-03-14": three numbers in the regional order.
std::optional<CivilDate> ParseNumericDate(std::string_view text, std::int16_t dateOrder) {
    std::array<std::string_view, 3> parts;
    std::size_t count = 0;
    while (true) {
        const std::size_t cut = text.find_first_of("/-.");
        if (count == parts.size()) return std::nullopt;
        parts[count++] = TrimBlanks(text.substr(0, cut));
        if (cut == std::string_view::npos) break;
        text.remove_prefix(cut + 1);
    }
    if (count != 3) return std::nullopt;
    switch (dateOrder) {
        case 1:
            return CheckedDate(YearNumber(parts[2]), SmallNumber(parts[1]), SmallNumber(parts[0]));
        case 2:
            return CheckedDate(YearNumber(parts[0]), SmallNumber(parts[1]), SmallNumber(parts[2]));
        default:
            return CheckedDate(YearNumber(parts[2]), SmallNumber(parts[0]), SmallNumber(parts[1]));
    }
}

// "14 Mar 1962", "1962 Mar 14", "Mar 14, 1962", "14-Mar-62".
std::optional<CivilDate> ParseNamedDate(std::string_view text, const RegionalFormat& regional) {
    std::vector<std::string_view> tokens;
    const std::string_view separators = " \t,-/";
    // A "-" joins the parts of "14-Mar-62"; one that stands before a number where a part begins is a
    // minus sign, and a year or day below zero is no date: "01 Jan -5" must not read as 2005.
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '-' && IsDigit(text[i + 1]) &&
            (i == 0 || separators.find(text[i - 1]) != std::string_view::npos)) {
            return std::nullopt;
        }
    }
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(separators);
        if (start == std::string_view::npos) break;
        text.remove_prefix(start);
        const std::size_t end = text.find_first_of(separators);
        tokens.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end);
    }
    if (tokens.size() != 3) return std::nullopt;

    if (const int month = MonthFromName(tokens[0], regional); month != 0) {
        return CheckedDate(YearNumber(tokens[2]), month, SmallNumber(tokens[1]));
    }
    const int month = MonthFromName(tokens[1], regional);
    if (month == 0 || !AllDigits(tokens[0]) || !AllDigits(tokens[2])) return std::nullopt;
    // The month name in the middle: a number of three or more digits can only be the year; between
    // two short numbers the regional order decides.
    const bool longFirst = tokens[0].size() > 2;
    const bool longLast = tokens[2].size() > 2;
    if (longFirst && longLast) return std::nullopt;
    const bool yearFirst = longFirst || (!longLast && regional.DateOrder == 2);
    if (yearFirst) return CheckedDate(YearNumber(tokens[0]), month, SmallNumber(tokens[2]));
    return CheckedDate(YearNumber(tokens[2]), month, SmallNumber(tokens[0]));
}

}  // namespace

RegionalFormat RegionalFormatFromPatterns(std::string_view datePattern, std::string_view timePattern) {
    RegionalFormat format;
    format.DateOrder = DateOrderOf(datePattern);
    format.Clock24 = Clock24Of(timePattern);
    return format;
}

RegionalFormat ReadRegionalFormat() {
    // A locale object of its own, so the process locale (and with it number reading) is never touched.
    const locale_t timeLocale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (timeLocale == static_cast<locale_t>(nullptr)) return RegionalFormat{};

    const auto text = [timeLocale](nl_item item) {
        const char* value = nl_langinfo_l(item, timeLocale);
        return std::string(value == nullptr ? "" : value);
    };
    RegionalFormat format = RegionalFormatFromPatterns(text(D_FMT), text(T_FMT));
    static constexpr std::array<nl_item, 12> kAbbrevItems = {ABMON_1, ABMON_2,  ABMON_3,  ABMON_4,
                                                             ABMON_5, ABMON_6,  ABMON_7,  ABMON_8,
                                                             ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    for (std::size_t m = 1; m <= 12; ++m) {
        const std::string name = ToUtf8(text(kAbbrevItems[m - 1]));
        if (!name.empty()) format.MonthAbbrev[m] = name;
    }
    freelocale(timeLocale);
    return format;
}

bool IsValidDate(const CivilDate& date) {
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1) return false;
    // The months are as long in both calendars; only the leap years differ.
    static constexpr std::array<int, 13> kDays = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int length =
        date.month == 2 && IsLeapYear(date.year) ? 29 : kDays[static_cast<std::size_t>(date.month)];
    return date.day <= length;
}

std::optional<CivilDate> ParseDate(std::string_view text, const RegionalFormat& regional) {
    text = TrimBlanks(text);
    if (text.empty()) return std::nullopt;
    if (HasLetter(text)) return ParseNamedDate(text, regional);
    return ParseNumericDate(text, regional.DateOrder);
}

std::string FormatDateDdMmmYyyy(const CivilDate& date, const RegionalFormat& regional) {
    const auto padded = [](int value, std::size_t width) {
        std::string digits = std::to_string(value < 0 ? -value : value);
        if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
        return value < 0 ? "-" + digits : digits;
    };
    std::string month;
    if (date.month >= 1 && date.month <= 12) {
        const auto index = static_cast<std::size_t>(date.month);
        month = regional.MonthAbbrev[index].empty() ? std::string(kEnglishAbbrev[index])
                                                    : regional.MonthAbbrev[index];
    }
    return padded(date.day, 2) + " " + month + " " + padded(date.year, 4);
}

std::string JoinDateFields(const std::string& day, const std::string& month, const std::string& year,
                           std::int16_t dateOrder) {
    switch (dateOrder) {
        case 1:
            return day + "/" + month + "/" + year;
        case 2:
            return year + "/" + month + "/" + day;
        default:
            return month + "/" + day + "/" + year;
    }
}

}  // namespace talvenor
