#include "input/strict_number.h"

#include <cmath>

#include "text/basic_text.h"

namespace talvenor {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> StrictNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;

    // The syntax above is a subset of what the leading-number rule reads in full, so both agree on the
    // value; only a magnitude beyond the real range is refused here.
    const double value = LeadingNumber(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace talvenor
