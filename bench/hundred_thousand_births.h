// A names file of 100 000 births for the benchmarks of runs over a whole names file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace talvenor::bench {

inline constexpr int kHundredThousand = 100000;

// Births spread over the years, hours and places the program takes (latitudes below 66 degrees, zones
// near the longitude's own), as a names file holds them, with its CR LF line ends.
inline std::string HundredThousandBirths() {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::uint64_t state = 1962;
    const auto next = [&state](int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(n));
    };
    std::string text;
    for (int i = 0; i < kHundredThousand; ++i) {
        const int longitude = next(180 * 60);
        const bool east = next(2) == 1;
        const int zone = (east ? -1 : 1) * (longitude / 60 / 15);
        char line[128];
        std::snprintf(line, sizeof line, "Person %d,%02d %s %d,%d.%02d,%c,%d,%s%03d.%02d,%s%02d.%02d\r\n", i,
                      1 + next(28), months[next(12)], 1800 + next(250), 1 + next(12), next(60),
                      next(2) ? 'A' : 'P', zone, east ? "-" : "", longitude / 60, longitude % 60,
                      next(2) ? "-" : "", next(66), next(60));
        text += line;
    }
    return text;
}

}  // namespace talvenor::bench
