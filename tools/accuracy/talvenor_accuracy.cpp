// Compares the engines with a modern reference ephemeris and prints two Markdown tables: the program's
// theory over 1900-2100 (the reference in its analytical mode) and the modern engine over 1900-2099 and
// 1800-1899 (the reference with its data files), per body the largest and the root-mean-square
// difference in seconds of arc.
//
//   talvenor-accuracy
//
// The figures go to standard output exactly as the README shows them; the time taken and any goal of
// the modern engine that is missed go to the error stream. Exit status 0, or 1 when the reference or an
// engine fails at some instant or the tables of either cannot be read.
#include <swephexp.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <iostream>

#include "comparison.h"
#include "modern_comparison.h"
#include "samples.h"

namespace {

using namespace talvenor;

// The modern engine's instants: a grid and random draws in each span, 100001 in all. An instant costs
// about 0.3 ms (the reference about as much as the modern sky and angles): half a minute in all.
constexpr double kModernMainStep = 1.826;
constexpr int kModernMainRandom = 40000;
constexpr double kModernEarlierStep = 3.653;
constexpr int kModernEarlierRandom = 10000;

std::vector<double> Concatenated(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        std::cerr << "usage: " << argv[0] << "\n(takes no arguments; prints the accuracy tables)\n";
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();

    SampleRange range;
    range.FirstJulianDay = swe_julday(1900, 1, 1, 0.0, SE_GREG_CAL);
    range.EndJulianDay = swe_julday(2101, 1, 1, 0.0, SE_GREG_CAL);
    range.StepDays = 1.7;
    range.RandomCount = 5000;
    range.Seed = 18;
    const std::vector<double> instants = SampleInstants(range);

    const std::vector<BodyComparison> rows = CompareWithReference(instants);
    if (rows.empty()) return 1;

    std::array<char, AS_MAXCH> version{};
    swe_version(version.data());
    std::cout << "Engine minus reference (Swiss Ephemeris " << version.data()
              << ", Moshier mode), ecliptic longitude of date,\n1900-01-01 to 2100-12-31, at "
              << instants.size() << " instants: every " << range.StepDays << " days from 0h UT and "
              << range.RandomCount << " drawn at random.\n\n"
              << ComparisonTable(rows);
    const auto theoryDone = std::chrono::steady_clock::now();

    // The modern engine, against the reference with its data files.
    const ModernTablesRead read = LoadModernTables(TALVENOR_EPHEMERIS_TABLES);
    if (!read.tables) {
        std::cerr << "modern tables: " << read.fault.value_or("not read") << '\n';
        return 1;
    }
    UseReferenceDataFiles(TALVENOR_SWE_DATA_FILES);
    SampleRange main;
    main.FirstJulianDay = swe_julday(1900, 1, 1, 0.0, SE_GREG_CAL);
    main.EndJulianDay = swe_julday(2099, 12, 31, 23.0, SE_GREG_CAL);
    main.StepDays = kModernMainStep;
    main.RandomCount = kModernMainRandom;
    main.Seed = 19;
    SampleRange earlier;
    earlier.FirstJulianDay = swe_julday(1800, 1, 1, 0.0, SE_GREG_CAL);
    earlier.EndJulianDay = swe_julday(1899, 12, 31, 23.0, SE_GREG_CAL);
    earlier.StepDays = kModernEarlierStep;
    earlier.RandomCount = kModernEarlierRandom;
    earlier.Seed = 20;
    const std::vector<double> mainInstants = SampleInstants(main);
    const std::vector<double> earlierInstants = SampleInstants(earlier);
    const std::vector<double> modernInstants = Concatenated(mainInstants, earlierInstants);
    const std::vector<Place> places = SamplePlaces(modernInstants.size(), 60.0, 21);
    const ModernComparison modern =
        CompareModernWithReference(read.tables, modernInstants, places, main.FirstJulianDay);
    swe_close();
    if (modern.Rows.empty()) return 1;

    std::cout << "\nModern engine minus reference (Swiss Ephemeris " << version.data()
              << " with its data files), apparent geocentric places\nof the true equinox and ecliptic of "
                 "date, both sides at the engine's Terrestrial Time; in the last two\ncolumns the reference "
                 "at the same Universal Time with its own Delta T. Ascendant and Midheaven at a\nplace drawn "
                 "at random for each instant, latitudes up to 60 north and south, the reference's sidereal\n"
                 "time IAU 2006. 1900-01-01 to 2099-12-31 at "
              << mainInstants.size() << " instants: every " << main.StepDays << " days from 0h UT and "
              << main.RandomCount << " drawn\nat random; 1800-01-01 to 1899-12-31 at "
              << earlierInstants.size() << " instants: every " << earlier.StepDays << " days and "
              << earlier.RandomCount << " drawn at random.\n\n"
              << ModernTable(modern.Rows) << '\n'
              << AwayFromSunNote(modern.Rows);
    char deltaT[256];
    std::snprintf(deltaT, sizeof deltaT,
                  "Delta T, engine minus reference: 1900-2099 largest %.1f s (%s), RMS %.1f s; "
                  "1800-1899 largest %.1f s.\n",
                  modern.DeltaT.Main().Largest(), CivilDateOf(modern.DeltaT.Main().LargestAt()).c_str(),
                  modern.DeltaT.Main().Rms(), modern.DeltaT.Earlier().Largest());
    std::cout << deltaT;

    const std::string missed = MissedGoals(modern.Rows);
    if (!missed.empty()) std::cerr << "modern engine, goals missed:\n" << missed;
    const auto done = std::chrono::steady_clock::now();
    const std::chrono::duration<double> theoryTook = theoryDone - started, modernTook = done - theoryDone;
    std::fprintf(stderr, "theory %.1f s, modern %.1f s (%.1f ms an instant)\n", theoryTook.count(),
                 modernTook.count(),
                 1000.0 * modernTook.count() / static_cast<double>(modernInstants.size()));
    return 0;
}
