#include "text/basic_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace talvenor {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A finite, non-zero magnitude written with a given number of significant digits: the digits
// without point or sign (first digit never '0') and the decimal exponent of the first digit, so
// that the magnitude is d.ddd x 10^exponent.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

// to_chars with a precision is correctly rounded, so the digits are the same on every platform we build
// for; they are then handled as text so no binary rounding can creep in afterwards.
DecimalDigits ToDecimalDigits(double magnitude, int significant) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = text.find('e');

    DecimalDigits result;
    for (std::size_t i = 0; i < e; ++i) {
        if (IsDigit(text[i])) result.digits.push_back(text[i]);
    }
    // The exponent is written with a sign and at least two digits; from_chars does not take '+'.
    std::string_view exponent = text.substr(e + 1);
    const bool negative = exponent.front() == '-';
    exponent.remove_prefix(1);
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), result.exponent);
    if (negative) result.exponent = -result.exponent;
    return result;
}

// Shared by the double and single forms; only the number of significant digits differs.
std::string GeneralText(double value, int significant) {
    if (std::isnan(value)) return " NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : " Inf";
    // Negative zero compares equal to zero and must print as " 0", never "-0".
    if (value == 0) return " 0";
    // A whole number of no more digits than the significant ones is written as it is.
    if (std::fabs(value) < std::pow(10.0, significant) && value == std::trunc(value)) {
        const auto whole = static_cast<std::int64_t>(std::fabs(value));
        return (value < 0 ? "-" : " ") + std::to_string(whole);
    }

    DecimalDigits decimal = ToDecimalDigits(std::fabs(value), significant);
    std::string& digits = decimal.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int exponent = decimal.exponent;

    std::string text(1, value < 0 ? '-' : ' ');
    // Plain form while all significant digits fit before the point; small values switch to the
    // exponent form below 1E-5, as the reports always printed them.
    if (exponent >= significant || exponent < -5) {
        text += digits.front();
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1);
        }
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text += buffer;
    } else if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else {
        const auto integer_digits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integer_digits) {
            text += digits;
            text.append(integer_digits - digits.size(), '0');
        } else {
            text.append(digits, 0, integer_digits);
            text += '.';
            text.append(digits, integer_digits);
        }
    }
    return text;
}

// Adds one unit in the last place of a string of decimal digits, carrying as far as needed.
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

struct NumericPattern {
    int decimals = 0;
    int min_integer_digits = 0;
    bool has_point = false;
};

NumericPattern ParsePattern(std::string_view pattern) {
    NumericPattern parsed;
    int placeholders = 0;
    int first_zero = -1;  // index among the integer placeholders of the first '0'
    for (const char c : pattern) {
        if (c == '.') {
            if (parsed.has_point) throw std::invalid_argument("numeric pattern with two decimal points");
            parsed.has_point = true;
        } else if (c == '#' || c == '0') {
            ++placeholders;
            if (parsed.has_point) {
                ++parsed.decimals;
            } else {
                if (c == '0' && first_zero < 0) first_zero = placeholders - 1;
                ++parsed.min_integer_digits;
            }
        } else {
            throw std::invalid_argument("numeric pattern may hold only '#', '0' and '.'");
        }
    }
    if (placeholders == 0) throw std::invalid_argument("numeric pattern without digit placeholders");
    // min_integer_digits counted every integer placeholder; keep those from the first '0' on.
    parsed.min_integer_digits = first_zero < 0 ? 0 : parsed.min_integer_digits - first_zero;
    return parsed;
}

// |value| x 10^decimals rounded as Format rounds it (half away from zero on the 15-digit decimal form),
// found without writing the digits out. The decimal form lies within half a unit of its fifteenth digit
// of the binary value, a relative 5e-15: only where the first dropped digit could sit on the other side of
// a half does the answer depend on it, and there (and beyond 10^12, where whole digits could be cut) no
// value is given and the digits are written after all.
std::optional<std::uint64_t> QuickScaled(double magnitude, int decimals) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    if (decimals < 0 || decimals >= static_cast<int>(std::size(kPowers))) return std::nullopt;
    const double scaled = magnitude * kPowers[decimals];
    if (!(scaled < 1e12)) return std::nullopt;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= scaled * 1e-14) return std::nullopt;
    return static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
}

// The text of a pattern for |value| x 10^decimals already rounded to a whole number: the same as the
// digit-string assembly of Format gives, written in one go.
std::string PatternText(std::uint64_t scaled, bool negative, const NumericPattern& parsed) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, scaled);
    const auto count = static_cast<std::size_t>(written.ptr - digits);
    const auto decimals = static_cast<std::size_t>(parsed.decimals);
    std::size_t integerDigits = count > decimals ? count - decimals : 0;
    std::size_t first = 0;
    while (first < integerDigits && digits[first] == '0') ++first;  // only a scaled value of 0 has one
    const std::size_t shown = integerDigits - first;
    const auto least = static_cast<std::size_t>(parsed.min_integer_digits);

    std::string text;
    text.reserve(2 + std::max(shown, least) + decimals);
    if (negative && scaled != 0) text += '-';
    if (shown < least) text.append(least - shown, '0');
    text.append(digits + first, shown);
    if (parsed.has_point) {
        text += '.';
        if (count < decimals) text.append(decimals - count, '0');
        text.append(digits + integerDigits, count - integerDigits);
    }
    return text;
}

// Where the leading-number rule finds its number in a text.
struct NumberScan {
    std::size_t end = 0;  // characters read, leading blanks included; 0 when no number starts the text
    bool negative = false;
    std::string_view integer_digits, fraction_digits, exponent_digits;
    bool exponent_negative = false;
};

NumberScan ScanLeadingNumber(std::string_view text) {
    NumberScan scan;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;

    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        scan.negative = text[i] == '-';
        ++i;
    }
    const std::size_t integer_start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    scan.integer_digits = text.substr(integer_start, i - integer_start);

    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction_start = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        scan.fraction_digits = text.substr(fraction_start, i - fraction_start);
    }
    // A sign or a point alone is not a number.
    if (scan.integer_digits.empty() && scan.fraction_digits.empty()) return {};

    // The exponent counts only when its letter is followed by at least one digit; "1e" and "1e+"
    // read as 1, the letter simply ending the number.
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        bool exponent_negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent_negative = text[j] == '-';
            ++j;
        }
        const std::size_t exponent_start = j;
        while (j < text.size() && IsDigit(text[j])) ++j;
        if (j > exponent_start) {
            scan.exponent_digits = text.substr(exponent_start, j - exponent_start);
            scan.exponent_negative = exponent_negative;
            i = j;
        }
    }
    scan.end = i;
    return scan;
}

}  // namespace

std::size_t LeadingNumberLength(std::string_view text) {
    return ScanLeadingNumber(text).end;
}

std::optional<double> WholeNumber(std::string_view text) {
    const std::size_t length = LeadingNumberLength(text);
    if (length == 0) return std::nullopt;
    for (const char c : text.substr(length)) {
        if (!IsBlank(c)) return std::nullopt;
    }
    const double value = LeadingNumber(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

double LeadingNumber(std::string_view text) {
    const NumberScan scan = ScanLeadingNumber(text);
    if (scan.end == 0) return 0;
    const bool negative = scan.negative;
    const std::string_view integer_digits = scan.integer_digits;
    const std::string_view fraction_digits = scan.fraction_digits;
    const bool exponent_negative = scan.exponent_negative;
    std::string_view exponent_digits = scan.exponent_digits;
    // A whole number of up to 15 digits is exact in a double: no need to write it out for from_chars.
    if (fraction_digits.empty() && exponent_digits.empty() && integer_digits.size() <= 15) {
        double whole = 0;
        for (const char c : integer_digits) whole = whole * 10 + (c - '0');
        return negative ? -whole : whole;
    }
    while (exponent_digits.size() > 1 && exponent_digits.front() == '0') exponent_digits.remove_prefix(1);
    // Any exponent this long is out of range either way; capping it keeps the parse bounded.
    if (exponent_digits.size() > 6) exponent_digits = "999999";

    // A cleaned copy in the form from_chars reads, independent of the C locale's decimal separator.
    std::string clean;
    if (negative) clean += '-';
    clean += integer_digits.empty() ? std::string_view("0") : integer_digits;
    clean += '.';
    clean += fraction_digits.empty() ? std::string_view("0") : fraction_digits;
    if (!exponent_digits.empty()) {
        clean += 'e';
        if (exponent_negative) clean += '-';
        clean += exponent_digits;
    }

    double value = 0;
    const auto [end, error] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large reads as infinity and too small as zero, as strtod would give them.
        long order = 0;  // decimal exponent of the first significant digit, plus one
        const std::string mantissa = std::string(integer_digits) + std::string(fraction_digits);
        const std::size_t first = mantissa.find_first_not_of('0');
        if (first == std::string::npos) return negative ? -0.0 : 0.0;
        order = static_cast<long>(integer_digits.size()) - static_cast<long>(first);
        if (!exponent_digits.empty()) {
            const long exponent = std::stol(std::string(exponent_digits));
            order += exponent_negative ? -exponent : exponent;
        }
        const double magnitude = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -magnitude : magnitude;
    }
    return value;
}

std::string GeneralNumber(double value) {
    return GeneralText(value, 15);
}

std::string GeneralNumberSingle(float value) {
    return GeneralText(static_cast<double>(value), 7);
}

std::optional<std::int16_t> ToInt16(double value) {
    // Checked first so that NaN, infinities and huge values never reach the rounding below.
    if (!(value >= -32768.5 && value <= 32767.5)) return std::nullopt;
    // Explicit half-to-even rule rather than nearbyint, so a changed floating-point rounding mode
    // elsewhere in the process cannot alter the result. x - floor(x) is exact in this range.
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below + 1;
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) == 0)) rounded = below;
    if (rounded < -32768 || rounded > 32767) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::string Format(double value, std::string_view pattern) {
    const NumericPattern parsed = ParsePattern(pattern);
    if (!std::isfinite(value)) return GeneralNumber(value).substr(value < 0 ? 0 : 1);
    // A whole number without decimals to show, the commonest case of the reports: its digits as they are.
    if (parsed.decimals == 0 && !parsed.has_point && value >= 0 && value < 1e12 && value == std::trunc(value))
        return PatternText(static_cast<std::uint64_t>(value), false, parsed);
    if (const auto quick = QuickScaled(std::fabs(value), parsed.decimals)) {
        return PatternText(*quick, value < 0, parsed);
    }

    std::string scaled = "0";
    if (value != 0) {
        const DecimalDigits decimal = ToDecimalDigits(std::fabs(value), 15);
        // Number of leading digits that lie before the cut at the wanted decimals.
        const long kept = static_cast<long>(decimal.exponent) + 1 + parsed.decimals;
        const auto available = static_cast<long>(decimal.digits.size());
        if (kept >= available) {
            scaled = decimal.digits;
            scaled.append(static_cast<std::size_t>(kept - available), '0');
        } else if (kept >= 0) {
            // Half away from zero: the first dropped digit decides, a '5' going up whatever
            // follows, because the reports were laid out with this rounding.
            scaled = kept == 0 ? "0" : decimal.digits.substr(0, static_cast<std::size_t>(kept));
            if (decimal.digits[static_cast<std::size_t>(kept)] >= '5') IncrementDigits(scaled);
        }
        // kept < 0: the first dropped digit is a leading zero, so the value rounds to zero.
    }
    const bool is_zero = scaled.find_first_not_of('0') == std::string::npos;

    const auto decimals = static_cast<std::size_t>(parsed.decimals);
    if (scaled.size() < decimals) scaled.insert(0, decimals - scaled.size(), '0');
    std::string integer_part = scaled.substr(0, scaled.size() - decimals);
    const std::string fraction_part = scaled.substr(scaled.size() - decimals);

    integer_part.erase(0, integer_part.find_first_not_of('0'));
    const auto min_digits = static_cast<std::size_t>(parsed.min_integer_digits);
    if (integer_part.size() < min_digits) integer_part.insert(0, min_digits - integer_part.size(), '0');

    std::string text;
    if (value < 0 && !is_zero) text += '-';
    text += integer_part;
    if (parsed.has_point) {
        text += '.';
        text += fraction_part;
    }
    return text;
}

std::uint64_t RoundedWhole(double value) {
    if (value == std::trunc(value)) return static_cast<std::uint64_t>(value);
    if (const auto quick = QuickScaled(value, 0)) return *quick;
    const std::string text = Format(value, "0");
    std::uint64_t whole = 0;
    std::from_chars(text.data(), text.data() + text.size(), whole);
    return whole;
}

bool IsWordInAnyCase(std::string_view text, std::string_view lowerCaseWord) {
    if (text.size() != lowerCaseWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lowerCaseWord[i]) return false;
    }
    return true;
}

}  // namespace talvenor
