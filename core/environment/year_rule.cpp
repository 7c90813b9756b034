#include "environment/year_rule.h"

#include <algorithm>

namespace talvenor {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string RangeText() {
    return "(" + std::to_string(kFirstComputedYear) + " to " + std::to_string(kLastComputedYear) + ")";
}

}  // namespace

std::string ShortYearFault() {
    return "gives the year in short: write it in full (1962, not 62; the year 62 as 0062), for the years the "
           "program computes " +
           RangeText();
}

namespace {

// Whether the text holds a run of three or more digits whose value is the year.
bool WritesYearInFull(std::string_view text, int year) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (!IsDigit(text[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        std::string_view run = text.substr(start, i - start);
        if (run.size() < 3) continue;
        // Leading zeros count as digits written ("0062"), not as the value.
        const std::size_t first = std::min(run.find_first_not_of('0'), run.size());
        const std::string_view value = run.substr(first);
        if (value.size() <= 4 && std::to_string(year) == (value.empty() ? "0" : value)) return true;
    }
    return false;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

bool IsComputedYear(int year) {
    return year >= kFirstComputedYear && year <= kLastComputedYear;
}

std::optional<std::string> YearRangeFault(int year) {
    if (IsComputedYear(year)) return std::nullopt;
    return "is outside the years the program computes " + RangeText();
}

std::optional<std::string> DateYearFault(std::string_view text, const CivilDate& date) {
    if (auto range = YearRangeFault(date.year)) return range;
    if (!WritesYearInFull(text, date.year)) return ShortYearFault();
    return std::nullopt;
}

std::optional<std::string> YearTextFault(std::string_view yearText, int year) {
    if (auto range = YearRangeFault(year)) return range;
    const std::string_view digits = Trimmed(yearText);
    if (digits.size() < 3 || !std::all_of(digits.begin(), digits.end(), IsDigit)) return ShortYearFault();
    return std::nullopt;
}

std::string WrittenYear(int year) {
    std::string text = std::to_string(year);
    if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
    return text;
}

std::optional<CivilDate> ReadDateByYearRule(std::string_view text, const RegionalFormat& regional,
                                            std::string& fault) {
    const std::optional<CivilDate> date = ParseDate(text, regional);
    if (!date) {
        fault = kNotADateFault;
        return std::nullopt;
    }
    if (auto yearFault = DateYearFault(text, *date)) {
        fault = *yearFault;
        return std::nullopt;
    }
    fault.clear();
    return date;
}

std::string FullYearText(std::string_view yearText) {
    const std::string_view digits = Trimmed(yearText);
    if (digits.empty() || digits.size() > 2 || !std::all_of(digits.begin(), digits.end(), IsDigit))
        return std::string(yearText);
    return std::string(4 - digits.size(), '0') + std::string(digits);
}

}  // namespace talvenor
