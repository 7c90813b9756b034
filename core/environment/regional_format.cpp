#include "environment/regional_format.h"

#include <langinfo.h>
#include <locale.h>

#include <vector>

#include "environment/text_files.h"
#include "ephemeris/calendar.h"

namespace talvenor {
namespace {

constexpr std::array<std::string_view, 13> kEnglishAbbrev = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The month words a date may hold whatever the language it was written in: the abbreviations the
// system writes under English, German, French, Spanish, Italian, Dutch and Portuguese (glibc's, and the
// ones Windows wrote, such as the German "Mrz" and the Canadian French "jui"), and the full names. Kept as
// they are compared (MonthWordKey): in lower case, without accents or a final point, so "Mär", "MÄR",
// "mär." and a "Mar" that lost its accent all read as March. No word means one month in one language
// and another in another, which the check below the table keeps so.
struct MonthWord {
    std::string_view key;
    int month;
};
constexpr MonthWord kMonthWords[] = {
    // January
    {"jan", 1},
    {"january", 1},
    {"januar", 1},
    {"janner", 1},
    {"janv", 1},
    {"janvier", 1},
    {"ene", 1},
    {"enero", 1},
    {"gen", 1},
    {"gennaio", 1},
    {"januari", 1},
    {"janeiro", 1},
    // February
    {"feb", 2},
    {"february", 2},
    {"februar", 2},
    {"fevr", 2},
    {"fevrier", 2},
    {"fev", 2},
    {"febrero", 2},
    {"febbraio", 2},
    {"februari", 2},
    {"fevereiro", 2},
    // March
    {"mar", 3},
    {"march", 3},
    {"marz", 3},
    {"mrz", 3},
    {"mars", 3},
    {"marzo", 3},
    {"mrt", 3},
    {"maart", 3},
    {"marco", 3},
    // April
    {"apr", 4},
    {"april", 4},
    {"avr", 4},
    {"avril", 4},
    {"abr", 4},
    {"abril", 4},
    {"aprile", 4},
    // May
    {"may", 5},
    {"mai", 5},
    {"mayo", 5},
    {"mag", 5},
    {"maggio", 5},
    {"mei", 5},
    {"maio", 5},
    // June
    {"jun", 6},
    {"june", 6},
    {"juni", 6},
    {"juin", 6},
    {"junio", 6},
    {"giu", 6},
    {"giugno", 6},
    {"junho", 6},
    // July
    {"jul", 7},
    {"july", 7},
    {"juli", 7},
    {"juil", 7},
    {"jui", 7},
    {"juillet", 7},
    {"julio", 7},
    {"lug", 7},
    {"luglio", 7},
    {"julho", 7},
    // August
    {"aug", 8},
    {"august", 8},
    {"aout", 8},
    {"aou", 8},
    {"ago", 8},
    {"agosto", 8},
    {"augustus", 8},
    // September
    {"sep", 9},
    {"sept", 9},
    {"september", 9},
    {"septembre", 9},
    {"septiembre", 9},
    {"setiembre", 9},
    {"set", 9},
    {"settembre", 9},
    {"setembro", 9},
    // October
    {"oct", 10},
    {"october", 10},
    {"okt", 10},
    {"oktober", 10},
    {"octobre", 10},
    {"octubre", 10},
    {"ott", 10},
    {"ottobre", 10},
    {"out", 10},
    {"outubro", 10},
    // November
    {"nov", 11},
    {"november", 11},
    {"novembre", 11},
    {"noviembre", 11},
    {"novembro", 11},
    // December
    {"dec", 12},
    {"december", 12},
    {"dez", 12},
    {"dezember", 12},
    {"decembre", 12},
    {"dic", 12},
    {"diciembre", 12},
    {"dicembre", 12},
    {"dezembro", 12},
};

consteval bool EachMonthWordOnce() {
    for (std::size_t i = 0; i < std::size(kMonthWords); ++i) {
        for (std::size_t j = i + 1; j < std::size(kMonthWords); ++j) {
            if (kMonthWords[i].key == kMonthWords[j].key) return false;
        }
    }
    return true;
}
static_assert(EachMonthWordOnce(), "a month word may name one month only");

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

// A month word as it is compared: in lower case, the accents of the Latin letters dropped, without the
// blanks around it and a final point. Bytes that are not UTF-8 are read as Windows-1252 first, as the
// files are.
std::string MonthWordKey(std::string_view word) {
    // The accented Latin letters U+00C0 to U+00FF by their place in a block of 32: the letter without
    // its accent, or 0 to keep the letter (Æ, Ð, ×, Þ, ß and their small forms).
    static constexpr std::string_view kBase("aaaaaa\0ceeeeiiii\0nooooo\0ouuuuy\0\0", 32);
    std::string text = DecodeLine(TrimBlanks(word));
    std::string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte == 0xC3 && next >= 0x80 && next <= 0xBF) {
            const unsigned char code = next + 0x40;  // 0xC0..0xFF
            const char base = code == 0xFF ? 'y' : kBase[code & 0x1F];
            if (base != '\0') {
                key += base;
            } else {
                key += text.substr(i, 2);
            }
            ++i;
        } else if ((byte == 0xCC && next >= 0x80) || (byte == 0xCD && next >= 0x80 && next <= 0xAF)) {
            ++i;  // a combining accent (U+0300 to U+036F), as a file in decomposed form has it
        } else {
            key += LowerAscii(text[i]);
        }
    }
    if (!key.empty() && key.back() == '.') key.pop_back();
    return key;
}

}  // namespace

int MonthFromWord(std::string_view word, const RegionalFormat& regional) {
    const std::string key = MonthWordKey(word);
    if (key.empty()) return 0;
    // The user's own language first, whatever it is; then the languages a file may come from.
    for (std::size_t m = 1; m <= 12; ++m) {
        if (!regional.MonthAbbrev[m].empty() && key == MonthWordKey(regional.MonthAbbrev[m]))
            return static_cast<int>(m);
    }
    for (const MonthWord& w : kMonthWords) {
        if (key == w.key) return w.month;
    }
    return 0;
}

namespace {

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

// "14 Mar 1962", "1962 Mar 14", "Mar 14, 1962", "14-Mar-62", "14. März 1962".
std::optional<CivilDate> ParseNamedDate(std::string_view text, const RegionalFormat& regional) {
    std::vector<std::string_view> tokens;
    // A point ends a German day ("14. März 1962") and some abbreviations ("janv."), never a number here.
    const std::string_view separators = " \t,-/.";
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

    if (const int month = MonthFromWord(tokens[0], regional); month != 0) {
        return CheckedDate(YearNumber(tokens[2]), month, SmallNumber(tokens[1]));
    }
    const int month = MonthFromWord(tokens[1], regional);
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
