// The VSOP87B planetary series (Bretagnon and Francou 1988): heliocentric ecliptic longitude, latitude and
// radius of the eight planets, referred to the ecliptic and equinox of J2000.0, read from their table file
// and evaluated term by term.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor {

enum class Vsop87Body { Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune };
inline constexpr std::size_t kVsop87Bodies = 8;
inline constexpr std::size_t kVsop87Powers = 6;

// The table file's name for a body: "mercury" ... "neptune".
std::string_view Vsop87BodyName(Vsop87Body body);

// One term: a cos(b + c t), t in Julian millennia of TDB from J2000.0.
struct Vsop87Term {
    double a = 0, b = 0, c = 0;
};

// One coordinate: t^k times the sum of the terms of power k, k from 0 to 5.
using Vsop87Series = std::array<std::vector<Vsop87Term>, kVsop87Powers>;

struct Vsop87Planet {
    Vsop87Series L, B, R;
};

struct Vsop87Tables {
    std::array<Vsop87Planet, kVsop87Bodies> planets;
    const Vsop87Planet& operator[](Vsop87Body body) const { return planets[static_cast<std::size_t>(body)]; }
};

// The tables read from a checked text, or the fault (the line and what is wrong with it).
struct Vsop87Read {
    std::optional<Vsop87Tables> tables;
    std::optional<std::string> fault;
};
Vsop87Read ParseVsop87(std::string_view checkedText);

// Reads the table file; a fault names the path.
Vsop87Read LoadVsop87(const std::filesystem::path& path);

// Heliocentric longitude and latitude in radians (the longitude in [0, 2 pi)) and radius in au.
struct HeliocentricPosition {
    double longitude = 0, latitude = 0, radius = 0;
};

// The position of a planet at a Julian day of TDB, every term of the series summed.
HeliocentricPosition Vsop87Position(const Vsop87Planet& planet, double julianDayTdb);

// A position with its rates: the longitude, latitude and radius as above (the longitude not reduced to one
// turn), and their derivatives in radians and au per day, differentiated term by term in the same pass.
struct HeliocentricMotion {
    double longitude = 0, latitude = 0, radius = 0;
    double longitudeRate = 0, latitudeRate = 0, radiusRate = 0;
};
HeliocentricMotion Vsop87Motion(const Vsop87Planet& planet, double julianDayTdb);

}  // namespace talvenor
