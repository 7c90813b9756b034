#include "chart/factor_catalogue.h"

#include <array>

namespace talvenor {

namespace {

constexpr std::array<FactorInfo, kUranianFactorCount + 1> kFactors = {{
    {"", "", 0},
    {"SUN      ", "Sun", 1},
    {"MOON     ", "Moon", 10},
    {"MERCURY  ", "Mercury", 2},
    {"VENUS    ", "Venus", 3},
    {"MARS     ", "Mars", 4},
    {"JUPITER  ", "Jupiter", 5},
    {"SATURN   ", "Saturn", 6},
    {"URANUS   ", "Uranus", 7},
    {"NEPTUNE  ", "Neptune", 8},
    {"PLUTO    ", "Pluto", 9},
    {"NN       ", "North Node", 11},
    {"ASC      ", "Ascendant", 14},
    {"MC       ", "Midheaven", 15},
    {"ARIES PT ", "Aries point", 0},
    {"CUPIDO   ", "Cupido", 0},
    {"HADES    ", "Hades", 0},
    {"ZEUS     ", "Zeus", 0},
    {"KRONOS   ", "Kronos", 0},
    {"APOLLON  ", "Apollon", 0},
    {"ADMETOS  ", "Admetos", 0},
    {"VULKANUS ", "Vulkanus", 0},
    {"POSEIDON ", "Poseidon", 0},
}};

}  // namespace

const FactorInfo& FactorOf(int f) {
    return kFactors[f >= 1 && f <= kUranianFactorCount ? static_cast<std::size_t>(f) : 0];
}

std::string FactorName(int f) {
    std::string name(FactorOf(f).analysisName.substr(0, 3));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

}  // namespace talvenor
