// The ELP/MPP02 lunar series (Chapront and Francou 2002) with their constants fitted to DE405, read from
// their table file and evaluated term by term: the Moon's geocentric longitude, latitude and distance on
// the mean ecliptic of date, and its rectangular coordinates on the ecliptic and equinox of J2000.0.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor {

inline constexpr std::size_t kElpPowers = 4;

// One term: a sin(f0 + f1 T + f2 T^2 + f3 T^3 + f4 T^4), T in Julian centuries of TDB from J2000.0.
struct ElpTerm {
    double a = 0;
    std::array<double, 5> f{};
};

// One coordinate: T^k times the sum of the terms of power k, k from 0 to 3.
using ElpSeries = std::array<std::vector<ElpTerm>, kElpPowers>;

struct ElpTables {
    std::array<double, 5> w1{};  // the mean longitude in radians, a polynomial in T
    ElpSeries L, B, R;           // arc seconds, arc seconds, kilometres
};

struct ElpRead {
    std::optional<ElpTables> tables;
    std::optional<std::string> fault;
};
ElpRead ParseElpMpp02(std::string_view checkedText);

// Reads the table file; a fault names the path.
ElpRead LoadElpMpp02(const std::filesystem::path& path);

// Geocentric longitude and latitude in radians (the longitude in [0, 2 pi)) on the mean ecliptic of date,
// the longitude counted from the departure point of J2000 (no precession added), and the distance in km.
struct MoonSeriesPosition {
    double longitude = 0, latitude = 0, distance = 0;
};
MoonSeriesPosition ElpMpp02Position(const ElpTables& tables, double julianDayTdb);

// Rectangular coordinates in km on the ecliptic and equinox of J2000.0 (Laskar's P and Q rotation).
struct MoonRectangular {
    double x = 0, y = 0, z = 0;
};
MoonRectangular ElpMpp02J2000(const ElpTables& tables, double julianDayTdb);

// The position on the mean ecliptic of date as ElpMpp02Position gives it (the longitude not reduced to one
// turn), with the rates of the three coordinates in radians and km per day, differentiated term by term in
// the same pass.
struct MoonSeriesMotion {
    double longitude = 0, latitude = 0, distance = 0;
    double longitudeRate = 0, latitudeRate = 0, distanceRate = 0;
};
MoonSeriesMotion ElpMpp02Motion(const ElpTables& tables, double julianDayTdb);

// Rectangular coordinates in km on the ecliptic and equinox of J2000.0 of a position on the mean ecliptic
// of date at a Julian day of TDB (the rotation of ElpMpp02J2000).
MoonRectangular ElpMpp02ToJ2000(double longitude, double latitude, double distance, double julianDayTdb);

}  // namespace talvenor
