// Apparent places from the modern series: the planets from VSOP87B, Pluto from its Chebyshev table, the Moon
// from ELP/MPP02, brought to the observer with the light time iterated, the Sun's light deflection and the
// annual aberration, and to the true equator, equinox and ecliptic of date with the IAU 2006/2000A
// precession and nutation (ERFA).
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "ephemeris/delta_t.h"
#include "ephemeris/elp_mpp02.h"
#include "ephemeris/pluto_table.h"
#include "ephemeris/series_truncation.h"
#include "ephemeris/vsop87.h"

namespace talvenor {

// The table files of the modern series, read together.
struct ModernTables {
    Vsop87Tables vsop;
    ElpTables elp;
    DeltaTTables deltaT;
    PlutoTable pluto;
    // The planetary and lunar series shortened within their stated budgets, for everyday use
    // (ApparentSkyAt); the full ones above stay for ApparentPlaceAt and the comparisons.
    ShortenedSeries shortened;
};

struct ModernTablesRead {
    std::shared_ptr<const ModernTables> tables;
    std::optional<std::string> fault;  // the first table that cannot be used, with its path
};

// Reads vsop87b.txt, elpmpp02.txt, deltat.txt and pluto.txt from a folder.
ModernTablesRead LoadModernTables(const std::filesystem::path& folder);

enum class ModernBody { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto };

// Whether the tables give a body at a Julian day of TT: every body at every instant but Pluto, which only
// within its table's span (0 BC to AD 2102), the light time included.
bool ModernBodyCovered(const ModernTables& tables, ModernBody body, double julianDayTt);

// An apparent geocentric place: ecliptic longitude and latitude of date (the longitude in [0, 360)), the
// declination on the true equator of date, all in degrees, and the distance in au.
struct ApparentPlace {
    double longitude = 0, latitude = 0, declination = 0, distance = 0;
};

// The place of a direction on the true equator and equinox of date (any length; `distance` is copied), with
// the cosine and sine of the true obliquity that turn it to the ecliptic of date.
ApparentPlace PlaceOfDate(const double trueOfDate[3], double cosEps, double sinEps, double distance);

// The apparent place of a body at a Julian day of TT; every field a quiet NaN where ModernBodyCovered is
// false.
ApparentPlace ApparentPlaceAt(const ModernTables& tables, ModernBody body, double julianDayTt);

// The Julian day of TT for a Julian day of UT, Delta T from the tables.
double TerrestrialTime(const ModernTables& tables, double julianDayUt);

}  // namespace talvenor
