// The point catalogue and the fixed name tables every report prints from.
#pragma once

#include <array>
#include <string_view>

#include "ephemeris/point_index.h"

namespace talvenor {

// The 15 ten-character point names in point order, each padded with blanks.
inline constexpr std::string_view PointNameTable =
    "SUN       MERCURY   VENUS     MARS      JUPITER   SATURN    URANUS    NEPTUNE   PLUTO     "
    "MOON      N. NODE   S. NODE   P. OF F.  ASC       MC        ";
static_assert(PointNameTable.size() == 150);

// Short point names, elements 1..15 ("MC " keeps its trailing blank).
inline constexpr std::array<std::string_view, 16> PointName = {
    "",        "SUN",   "MERCURY", "VENUS",   "MARS",    "JUPITER", "SATURN", "URANUS",
    "NEPTUNE", "PLUTO", "MOON",    "N. NODE", "S. NODE", "PART F.", "ASC",    "MC "};

// Aries to Pisces, three characters each.
inline constexpr std::string_view SignAbbrev = "ARITAUGEMCANLEOVIRLIBSCOSAGCPRAQUPIS";

// Labels of the house-cusp elements, which run from the 10th house; field 13 is blank.
inline constexpr std::string_view HouseLabel = "10TH11TH12TH 1ST 2ND 3RD 4TH 5TH 6TH 7TH 8TH 9TH    ";
static_assert(HouseLabel.size() == 52);

// Aspect names, twelve characters a field; field 1 (no aspect) is blank.
inline constexpr std::string_view AspectName =
    "            Conjunct    Sextile     Square      Trine       "
    "Opposite    PARALLEL    S.Sextile   S.Square    Ses.Square  "
    "Quincunx    S.Quintile  Nonagen     Quintile    Trecile     "
    "BiQuintile  22.5 deg.   67.5 deg.   112.5 deg.  157.5 deg.  ";
static_assert(AspectName.size() == 240);

// Whole-degree aspect angles for aspects 2..16 (7 is the declination parallel); 17..20 are not
// whole degrees and are used as real constants where needed.
inline constexpr std::array<int, 17> AspectAngle = {0,  0,   0,   60, 90, 120, 180, 0,  30,
                                                    45, 135, 150, 36, 40, 72,  108, 144};

// The labels of the 13 midpoint factors, three characters each.
inline constexpr std::string_view kMidpointFactorNames = "SUNMOOMERVENMARJUPSATURANEPPLUNODASCMC ";

// Field n (1-based) of a fixed-width name table.
constexpr std::string_view TableField(std::string_view table, int width, int n) {
    return table.substr(static_cast<std::size_t>(width) * static_cast<std::size_t>(n - 1),
                        static_cast<std::size_t>(width));
}
constexpr std::string_view PointNameField(int p) {
    return TableField(PointNameTable, 10, p);
}
constexpr std::string_view SignAbbrevField(int s) {
    return TableField(SignAbbrev, 3, s);
}
constexpr std::string_view HouseLabelField(int h) {
    return TableField(HouseLabel, 4, h);
}
constexpr std::string_view AspectNameField(int k) {
    return TableField(AspectName, 12, k);
}
constexpr std::string_view MidpointFactorField(int f) {
    return TableField(kMidpointFactorNames, 3, f);
}

// Element of MidpointLon that holds the midpoint of factors i < j (pairs numbered (1,2), (1,3) ...
// (1,13), (2,3) ... (12,13)).
constexpr int MidpointPairIndex(int i, int j) {
    return (i - 1) * (26 - i) / 2 + (j - i);
}

// Sign of a longitude (1 Aries .. 12 Pisces).
int SignOf(double longitude);

}  // namespace talvenor
