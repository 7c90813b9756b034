// Pluto from its table file: Chebyshev segments of the heliocentric rectangular coordinates referred to the
// ecliptic and equinox of J2000.0 (the frame of VSOP87B), in au, over Julian days of TDB. The table spans
// 0 BC to AD 2102; outside it there is no position.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor {

struct PlutoTable {
    double first = 0;              // the Julian day (TDB) on which the first segment begins
    double days = 0;               // the length of every segment in days
    std::size_t coefficients = 0;  // Chebyshev coefficients of each coordinate in a segment
    std::vector<double> values;    // segment by segment: those of x, then of y, then of z, in au

    std::size_t Segments() const { return coefficients == 0 ? 0 : values.size() / (3 * coefficients); }
    // The Julian day (TDB) on which the last segment ends.
    double Last() const { return first + days * static_cast<double>(Segments()); }
};

// The table read from a checked text, or the fault (the line and what is wrong with it).
struct PlutoRead {
    std::optional<PlutoTable> table;
    std::optional<std::string> fault;
};
PlutoRead ParsePlutoTable(std::string_view checkedText);

// Reads the table file; a fault names the path.
PlutoRead LoadPlutoTable(const std::filesystem::path& path);

// Heliocentric rectangular coordinates in au, ecliptic and equinox of J2000.0.
struct PlutoRectangular {
    double x = 0, y = 0, z = 0;
};

// Pluto at a Julian day of TDB; nothing before the table's first day or after its last.
std::optional<PlutoRectangular> PlutoHeliocentricJ2000(const PlutoTable& table, double julianDayTdb);

}  // namespace talvenor
