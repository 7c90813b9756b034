// Shared helpers for the engine tests: exact decimal checks.
#pragma once

#include <string>

#include "text/basic_text.h"

namespace talvenor::testing_support {

// The value written with as many decimals as the expected text has, rounding half away from zero.
inline std::string Decimals(double value, const std::string& expected) {
    const auto point = expected.find('.');
    const std::size_t places = point == std::string::npos ? 0 : expected.size() - point - 1;
    return Format(value, places == 0 ? "0" : "0." + std::string(places, '0'));
}

}  // namespace talvenor::testing_support
