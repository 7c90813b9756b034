// Reading a field's whole text as a number.
//
// The leading-number rule forgives trailing rubbish ("1.2.3" reads as 1.2, "-" as 0), which is right for
// the range checks but not for the values a chart is computed from: a text that is not a number must be
// refused rather than quietly read as part of itself.
#pragma once

#include <optional>
#include <string_view>

namespace talvenor {

// The value of a text that is exactly one number: blanks (spaces, tabs) around it, an optional sign,
// digits with at most one decimal point and at least one digit ("5", "-2.5", " .5 ", "+3."). No value
// for anything else: an empty or blank text, a sign or point alone, a second point, a sign after the
// digits, an exponent, letters, a comma, or digits too many for a finite real.
std::optional<double> StrictNumber(std::string_view text);

}  // namespace talvenor
