#include "exchange/exchange_fields.h"

#include <cmath>
#include <utility>
#include <vector>

#include "environment/year_rule.h"

namespace talvenor {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperText(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = Upper(c);
    return upper;
}

// Digits only, at most `width` of them, as a number.
std::optional<int> Digits(std::string_view text, std::size_t width) {
    if (text.empty() || text.size() > width) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A number of digits with at most one decimal point and at least one digit ("5", "5.5", ".5").
std::optional<double> Decimal(std::string_view text) {
    if (text.empty() || text.size() > 24) return std::nullopt;
    bool point = false, digit = false;
    double whole = 0, scale = 1;
    for (const char c : text) {
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
        } else if (IsDigit(c)) {
            digit = true;
            if (point) {
                scale /= 10;
                whole += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digit) return std::nullopt;
    return whole;
}

// The numbers of a text (runs of digits, each with at most one point) and the characters between them.
struct Pieces {
    std::vector<std::string> numbers;
    std::vector<std::string> between;  // between[i] stands before numbers[i]; the last one after all
};

Pieces Split(std::string_view text) {
    Pieces pieces;
    std::string gap, number;
    for (const char c : text) {
        if (IsDigit(c) || (c == '.' && !number.empty() && number.find('.') == std::string::npos)) {
            if (number.empty()) {
                pieces.between.push_back(gap);
                gap.clear();
            }
            number += c;
        } else {
            if (!number.empty()) {
                pieces.numbers.push_back(number);
                number.clear();
            }
            gap += c;
        }
    }
    if (!number.empty()) pieces.numbers.push_back(number);
    pieces.between.push_back(gap);
    return pieces;
}

bool IsPositionMark(std::string_view text) {
    // Blanks, ":", the degree, minute and second signs in ASCII and in UTF-8 (°, ′, ″, º).
    static constexpr std::string_view kMarks[] = {
        "\xC2\xB0", "\xE2\x80\xB2", "\xE2\x80\xB3", "\xC2\xBA", " ", ":", "'", "\""};
    while (!text.empty()) {
        bool found = false;
        for (std::string_view mark : kMarks) {
            if (text.starts_with(mark)) {
                text.remove_prefix(mark.size());
                found = true;
                break;
            }
        }
        if (!found) return false;
    }
    return true;
}

struct Suffix {
    bool pm = false;
    bool present = false;
};

// AM or PM at the end of a clock text ("PM", "P", "P.M."), taken off the text.
Suffix TakeHalfOfDay(std::string& upper) {
    Suffix suffix;
    // Work on the end only: "9:05 P.M." -> letters "PM".
    std::size_t end = upper.size();
    std::string letters;
    while (end > 0) {
        const char c = upper[end - 1];
        if (c == 'A' || c == 'P' || c == 'M') {
            letters.insert(letters.begin(), c);
        } else if (c != '.' && c != ' ') {
            break;
        } else if (c == '.' && end >= 2 && IsDigit(upper[end - 2])) {
            break;  // the point of "1.10"
        }
        --end;
    }
    if (letters == "AM" || letters == "A" || letters == "PM" || letters == "P") {
        suffix.present = true;
        suffix.pm = letters.front() == 'P';
        upper.erase(end);
    }
    return suffix;
}

// Minutes and seconds of an offset or a position given as digits, each below 60.
bool BelowSixty(std::optional<int> value) {
    return value && *value < 60;
}

}  // namespace

std::string Quoted(std::string_view field) {
    constexpr std::size_t kShown = 40;
    std::size_t cut = 0, characters = 0;
    while (cut < field.size() && characters < kShown) {
        ++cut;
        while (cut < field.size() && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80) ++cut;
        ++characters;
    }
    std::string shown(field.substr(0, cut));
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';  // a line break would break the message's line
    }
    return "\"" + shown + (cut < field.size() ? "...\"" : "\"");
}

std::string_view TrimSpace(std::string_view text) {
    constexpr std::string_view kSpace = " \t\n\r\f\v";
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::optional<ClockTime> ReadClockTime(std::string_view text) {
    std::string upper = UpperText(TrimSpace(text));
    if (upper.size() > 32) return std::nullopt;
    const Suffix half = TakeHalfOfDay(upper);
    const std::string_view body = TrimSpace(upper);

    // hours, a separator (":" or "."), minutes, and seconds after a second ":".
    const std::size_t first = body.find_first_of(":.");
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t second = body.find(':', first + 1);
    const auto hour = Digits(body.substr(0, first), 2);
    const auto minute =
        Digits(body.substr(first + 1,
                           second == std::string_view::npos ? std::string_view::npos : second - first - 1),
               2);
    std::optional<int> secondValue = 0;
    if (second != std::string_view::npos) {
        if (body[first] != ':') return std::nullopt;  // "1.10:30" is no time
        secondValue = Digits(body.substr(second + 1), 2);
    }
    if (!hour || !BelowSixty(minute) || !BelowSixty(secondValue)) return std::nullopt;
    // "1.1" is 1:10, as a packed hours.minutes number reads.
    int minutes = *minute;
    if (body[first] == '.' && body.size() - first - 1 == 1) minutes *= 10;
    if (minutes > 59) return std::nullopt;

    int h = *hour;
    if (half.present) {
        if (h > 12) return std::nullopt;
        h = h % 12 + (half.pm ? 12 : 0);
    } else if (h > 23) {
        return std::nullopt;
    }
    return ClockTime{h, minutes, *secondValue};
}

std::optional<CivilDate> ReadExchangeDate(std::string_view text, const RegionalFormat& regional) {
    text = TrimSpace(text);
    if (text.empty() || text.size() > 40) return std::nullopt;
    const Pieces pieces = Split(text);
    // Every form names the year with three or four digits: "62" could be 1962 or 2062.
    bool longYear = false;
    for (const std::string& n : pieces.numbers) {
        if (n.find('.') == std::string::npos && n.size() >= 3 && n.size() <= 4) longYear = true;
    }
    if (!longYear) return std::nullopt;

    std::optional<CivilDate> date;
    const bool allNumbers = text.find_first_not_of("0123456789-./ ") == std::string_view::npos;
    if (allNumbers) {
        // Split at the separators, which must be the same twice.
        std::vector<std::string_view> parts;
        char separator = 0;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == '-' || text[i] == '.' || text[i] == '/') {
                if (i < text.size()) {
                    if (separator != 0 && text[i] != separator) return std::nullopt;
                    separator = text[i];
                }
                parts.push_back(TrimSpace(text.substr(start, i - start)));
                start = i + 1;
            }
        }
        if (parts.size() != 3) return std::nullopt;
        const auto a = Digits(parts[0], 4), b = Digits(parts[1], 2), c = Digits(parts[2], 4);
        if (!a || !b || !c) return std::nullopt;
        if (parts[0].size() >= 3) {
            date = CivilDate{*a, *b, *c};  // year first: ISO and its kin
        } else if (separator == '.') {
            if (parts[2].size() < 3) return std::nullopt;
            date = CivilDate{*c, *b, *a};  // day.month.year
        } else {
            date = ParseDate(text, regional);
        }
    } else {
        date = ParseDate(text, regional);
    }
    if (!date || !IsValidDate(*date)) return std::nullopt;
    return date;
}

std::string UnreadDateReason(std::string_view text, const RegionalFormat& regional) {
    const std::string quoted = Quoted(text);
    if (TrimSpace(text).size() > 40) return quoted + " is not a date";  // as ReadExchangeDate reads it
    // A field that reads as a date once a number of one or two digits is written as a year in full gives
    // its year in short.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < text.size();) {
        if (!IsDigit(text[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        if (i - start > 2) return quoted + " is not a date";  // the year is there in full
        runs.emplace_back(start, i - start);
    }
    for (const auto& [start, length] : runs) {
        std::string full(text);
        const int value = std::stoi(full.substr(start, length));
        full.replace(start, length, std::to_string(1900 + value));
        if (ReadExchangeDate(full, regional)) return "the date " + quoted + " " + ShortYearFault();
    }
    return quoted + " is not a date";
}

std::optional<double> ReadPosition(std::string_view text, Axis axis) {
    text = TrimSpace(text);
    if (text.empty() || text.size() > 40) return std::nullopt;
    const std::string upper = UpperText(text);
    const char positive = axis == Axis::Latitude ? 'N' : 'E';
    const char negative = axis == Axis::Latitude ? 'S' : 'W';
    const double limit = axis == Axis::Latitude ? 90 : 180;

    // The one direction letter, wherever it stands.
    int letters = 0;
    int sign = 1;
    std::string rest;
    for (const char c : upper) {
        if (c == positive || c == negative) {
            ++letters;
            sign = c == negative ? -1 : 1;
            rest += ' ';
        } else if (c >= 'A' && c <= 'Z') {
            return std::nullopt;  // a letter of the other axis, or a word
        } else {
            rest += c;
        }
    }
    if (letters > 1) return std::nullopt;

    if (letters == 0) {
        // Decimal degrees with an optional sign.
        std::string_view number = TrimSpace(rest);
        int numberSign = 1;
        if (!number.empty() && (number.front() == '-' || number.front() == '+')) {
            numberSign = number.front() == '-' ? -1 : 1;
            number.remove_prefix(1);
        }
        const auto value = Decimal(number);
        if (!value || *value > limit) return std::nullopt;
        return numberSign * *value;
    }

    const Pieces pieces = Split(rest);
    if (pieces.numbers.empty() || pieces.numbers.size() > 3) return std::nullopt;
    for (const std::string& gap : pieces.between) {
        if (!IsPositionMark(gap)) return std::nullopt;
    }
    double degrees = 0;
    for (std::size_t i = 0; i < pieces.numbers.size(); ++i) {
        const std::string& n = pieces.numbers[i];
        const bool last = i + 1 == pieces.numbers.size();
        // Only the last part may carry decimals ("49N05.5"); minutes and seconds stay below 60.
        if (!last && n.find('.') != std::string::npos) return std::nullopt;
        const auto value = Decimal(n);
        if (!value || (i > 0 && *value >= 60)) return std::nullopt;
        degrees += *value / std::pow(60.0, static_cast<double>(i));
    }
    if (degrees > limit) return std::nullopt;
    return sign * degrees;
}

std::optional<int> ReadOffsetEast(std::string_view text) {
    std::string upper = UpperText(TrimSpace(text));
    if (upper.empty() || upper.size() > 24) return std::nullopt;
    for (const char* none : {"Z", "UTC", "GMT", "UT"}) {
        if (upper == none) return 0;
    }
    for (const char* prefix : {"UTC", "GMT", "UT"}) {
        const std::string p = prefix;
        if (upper.starts_with(p) && upper.size() > p.size() &&
            (upper[p.size()] == '+' || upper[p.size()] == '-')) {
            upper.erase(0, p.size());
            break;
        }
    }
    constexpr int kMostSeconds = 15 * 3600;
    const auto limited = [](int seconds) -> std::optional<int> {
        if (seconds > kMostSeconds || seconds < -kMostSeconds) return std::nullopt;
        return seconds;
    };

    // Hours with a direction: "1he", "5hw30", "0e21:48", "1h", "1he00".
    const std::size_t letter = upper.find_first_of("EW");
    if (letter != std::string::npos) {
        std::string_view hours = std::string_view(upper).substr(0, letter);
        if (!hours.empty() && hours.back() == 'H') hours.remove_suffix(1);
        const auto h = Digits(hours, 2);
        std::string_view tail = std::string_view(upper).substr(letter + 1);
        std::optional<int> m = 0, s = 0;
        if (!tail.empty()) {
            const std::size_t colon = tail.find(':');
            m = Digits(tail.substr(0, colon), 2);
            if (colon != std::string_view::npos) s = Digits(tail.substr(colon + 1), 2);
        }
        if (!h || !BelowSixty(m) || !BelowSixty(s)) return std::nullopt;
        const int seconds = *h * 3600 + *m * 60 + *s;
        return limited(upper[letter] == 'W' ? -seconds : seconds);
    }

    int sign = 1;
    std::string_view body = upper;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        sign = body.front() == '-' ? -1 : 1;
        body.remove_prefix(1);
    }
    if (!body.empty() && body.back() == 'H') body.remove_suffix(1);  // "1h"
    if (body.empty()) return std::nullopt;
    if (body.find(':') != std::string_view::npos) {
        // "01:00", "5:30", "00:21:48"
        const std::size_t first = body.find(':');
        const std::size_t second = body.find(':', first + 1);
        const auto h = Digits(body.substr(0, first), 2);
        const auto m = Digits(body.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                                      : second - first - 1),
                              2);
        std::optional<int> s = 0;
        if (second != std::string_view::npos) s = Digits(body.substr(second + 1), 2);
        if (!h || !BelowSixty(m) || !BelowSixty(s)) return std::nullopt;
        return limited(sign * (*h * 3600 + *m * 60 + *s));
    }
    if (body.size() == 4 && body.find('.') == std::string_view::npos) {
        // "0530"
        const auto h = Digits(body.substr(0, 2), 2);
        const auto m = Digits(body.substr(2), 2);
        if (!h || !BelowSixty(m)) return std::nullopt;
        return limited(sign * (*h * 3600 + *m * 60));
    }
    const auto hours = Decimal(body);
    if (!hours || *hours > 15) return std::nullopt;
    return limited(sign * static_cast<int>(std::lround(*hours * 3600)));
}

std::optional<int> ReadDaylightAmount(std::string_view text) {
    const std::string upper = UpperText(TrimSpace(text));
    if (upper == "YES" || upper == "Y" || upper == "TRUE") return 3600;
    if (upper == "NO" || upper == "N" || upper == "FALSE") return 0;
    const auto hours = Decimal(upper);
    if (!hours || *hours > 3) return std::nullopt;
    return static_cast<int>(std::lround(*hours * 3600));
}

}  // namespace talvenor
