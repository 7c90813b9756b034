// Number and text conversions that every report and data file depends on.
//
// The report layouts were fixed long ago by a BASIC-style runtime, and users compare our pages with
// pages printed years apart, so each conversion here reproduces that runtime's rules exactly rather
// than whatever the C++ library would do by default.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace talvenor {

// The leading-number rule: leading blanks are skipped, then the longest prefix that reads as a number
// (optional sign, digits, one decimal point, an optional exponent "E"/"D" with optional sign and digits)
// is taken. Reading stops at the first character that cannot continue the number; a text that starts
// with no number, or an empty text, reads as 0. "1.2.3" reads as 1.2, "-" and "." as 0. Blanks are
// spaces and tabs. An exponent letter not followed by a digit ends the number ("1e" reads as 1). A
// number too large for a double reads as an infinity of its sign, one too small as zero.
double LeadingNumber(std::string_view text);
// How many characters of the text the leading-number rule reads: the leading blanks, the sign and the
// number with its exponent; 0 when the text starts with no number. "22,5" reads 2 of 4, " 45.5.5" 5.
std::size_t LeadingNumberLength(std::string_view text);
// The value of a text that the leading-number rule reads to its end (blanks after the number allowed):
// what a user typed as a number, all of it. No value for a text with anything else after the number
// ("22,5", "90abc", "45.5.5"), for a text with no number, and for a number beyond the real range.
std::optional<double> WholeNumber(std::string_view text);

// The general number format used wherever a number becomes text without a pattern: the shortest
// decimal form with up to 15 significant digits, preceded by one blank when the value is not negative
// (" 12", "-3.5", " 0", " 8.5", " 0.1"). Negative zero prints as " 0". From 1E+15 up and below 1E-05
// the exponent form is used (" 1E+16", "-1.5E-07": shortest mantissa, at least two exponent digits).
// Non-finite values print as " Inf", "-Inf" and " NaN".
std::string GeneralNumber(double value);
// The same for a value held in single precision: up to 7 significant digits, so that a stored 0.1
// prints as " 0.1" and not as its binary expansion. The exponent form starts at 1E+07.
std::string GeneralNumberSingle(float value);

// Conversion of a real to a 16-bit integer: nearest integer, a half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). No value when the result falls outside -32768..32767 or the
// input is not finite.
std::optional<std::int16_t> ToInt16(double value);

// Int: the largest whole number not above x (Int(-2.5) = -3). Defined here, as Fix and ToSingle are, so
// that the engine's many calls cost no call.
inline double Int(double x) {
    return std::floor(x);
}
// Fix: x with its fraction dropped, towards zero (Fix(-2.5) = -2).
inline double Fix(double x) {
    return std::trunc(x);
}

// The value as it is after being stored in a single-precision variable and read back. On IEEE hardware
// a value beyond the single range becomes an infinity, as it did in the runtime.
inline double ToSingle(double x) {
    return static_cast<double>(static_cast<float>(x));
}

// Formats a value with a numeric pattern. Supported patterns are made of '#' and '0' digit
// placeholders with at most one decimal point: "00", "#0", "0", "0.0", "0.00", "##0", "##0.0",
// "##0.00", "#0.00", "##.#0", "#00#.#0", "#0#.#0".
//   - The number of decimals is the number of placeholders after the point.
//   - The integer part shows at least as many digits as there are placeholders from the first '0'
//     before the point up to the point ("#00#.#0" -> 3 digits, "##.#0" -> none, so 0.5 gives ".50").
//   - Rounding is half away from zero, applied to the value's decimal form (the value written with
//     15 significant digits), so 2.675 with "0.00" gives "2.68" although the binary value lies below.
//   - A negative value gets a leading "-" before any zero padding ("-002.20"), unless it rounds to
//     zero, which prints without sign.
//   - A point in the pattern is always printed; integer digits beyond the placeholders are all shown.
//   - A non-finite value gives its general number text without the leading blank ("Inf", "NaN").
// Patterns are fixed in the code, so a malformed one (another character, two points, no
// placeholder) is a programming error and throws std::invalid_argument.
std::string Format(double value, std::string_view pattern);

// The whole number Format(value, "0") shows, as a number, for a value from 0 up to (not including)
// 10^12: for the reports that build their figures a character at a time.
std::uint64_t RoundedWhole(double value);

// Whether a text is a lower-case word in any case ("Modern", "URANIAN" are "modern", "uranian"): ASCII
// letters only.
bool IsWordInAnyCase(std::string_view text, std::string_view lowerCaseWord);

}  // namespace talvenor
