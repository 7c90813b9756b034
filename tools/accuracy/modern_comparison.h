// The modern engine's apparent places, nodes and angles against the reference ephemeris with its data
// files, over a main span of years and an earlier one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "arc_statistics.h"
#include "ephemeris/chart_angles.h"
#include "ephemeris/modern_sky.h"

namespace talvenor {

// Points the reference at the folder of its data files and sets its sidereal time to IAU 2006 (its own
// default outside 1850-2050 is a long-term model of its own). Call before CompareModernWithReference.
void UseReferenceDataFiles(const std::string& folder);

// What one row of the table is held to, in seconds of arc: the largest difference allowed in the main
// span (1900-2099) and in the earlier one (1800-1899).
struct AccuracyGoal {
    double Main = 0, Earlier = 0;
};

// The distance from the Sun's centre beyond which ModernRow::AwayFromSun counts a planet, degrees: just
// outside the Sun's disk (its radius is 0.26 to 0.27 degree).
inline constexpr double kAwayFromSunDeg = 0.3;

struct ModernRow {
    std::string Name;
    AccuracyGoal Goal;
    // Both sides at the engine's Terrestrial Time (the Universal Time plus the engine's Delta T): what the
    // series and the conventions of the engine are worth.
    TwoSpanStatistics SameTt;
    // The reference at the same Universal Time with its own Delta T: what a chart shows, Delta T included.
    TwoSpanStatistics SameUt;
    // For the planets (and their declinations): as SameTt, at the instants when the body stands at least
    // kAwayFromSunDeg from the Sun. Closer in, behind the Sun's disk at a superior conjunction, the two
    // sides bend its light round the Sun differently: the reference lets the bending fade inside the disk.
    TwoSpanStatistics AwayFromSun;
    // For a row over several bodies (the declinations), the body of the largest main-span difference.
    std::string LargestOf;
};

struct ModernComparison {
    std::vector<ModernRow> Rows;  // Sun, Moon, Mercury .. Pluto, mean and true node, declinations, angles
    // The engine's Delta T minus the reference's, seconds of time.
    TwoSpanStatistics DeltaT;
};

// Compares the modern engine (SkyEngine with the tables: the sky and the angles a chart gets) with the
// reference at every instant (Julian days of Universal Time), the angles at the place of the same index.
// Instants from mainFirstJulianDay on count to the main span, earlier ones to the earlier span. A
// reference or engine fault (or a reference that did not use its data files) stops the run with a message
// on the error stream and an empty result.
ModernComparison CompareModernWithReference(const std::shared_ptr<const ModernTables>& tables,
                                            const std::vector<double>& instants,
                                            const std::vector<Place>& places, double mainFirstJulianDay);

// The rows as a Markdown table, seconds of arc to two decimals, with the goals and the date (and for the
// declinations the body) of the largest main-span difference.
std::string ModernTable(const std::vector<ModernRow>& rows);

// For the rows whose largest difference in the main span is larger than the largest of the instants
// away from the Sun, one line such as
//   At least 0.3 degree from the Sun, 1900-2099 largest ": Mercury 0.14, Venus 0.14.
// or nothing when there is no such row.
std::string AwayFromSunNote(const std::vector<ModernRow>& rows);

// The rows whose largest difference at the same Terrestrial Time exceeds their goal in either span, as
// "name (span): largest > goal", one per line; empty when every goal is met.
std::string MissedGoals(const std::vector<ModernRow>& rows);

}  // namespace talvenor
