// The engine's longitudes against the reference ephemeris, body by body.
#pragma once

#include <string>
#include <vector>

#include "arc_statistics.h"

namespace talvenor {

struct BodyComparison {
    std::string Name;
    std::string ComparedAs;     // the quantity both sides give, in a few words
    ArcStatistics AtCivilTime;  // the reference at the same Universal Time: what a chart shows
    ArcStatistics TheoryAlone;  // the reference at the engine's time argument read as Terrestrial Time
};

// Sun, Mercury to Pluto, the Moon, the mean and the true node at every instant (Julian days of Universal
// Time). A reference or engine fault stops the run with a message on the error stream and an empty result.
std::vector<BodyComparison> CompareWithReference(const std::vector<double>& instants);

// The calendar date (Gregorian, Universal Time) of a Julian day as YYYY-MM-DD.
std::string CivilDateOf(double julianDayUt);

// The comparison as a Markdown table, one row per body, figures in seconds of arc to one decimal.
std::string ComparisonTable(const std::vector<BodyComparison>& rows);

}  // namespace talvenor
