// The factors of the event search and the graphic ephemeris: the transiting bodies as moving factors
// (longitudes from the engine's instant entry point), and the natal targets of a computed chart.
//
// Names are the three-letter names of the formulas report: SUN, MOO, MER, VEN, MAR, JUP, SAT, URA, NEP,
// PLU, NN, ASC, MC; a midpoint is SUN/MOO.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_state.h"
#include "environment/options.h"
#include "ephemeris/point_index.h"
#include "ephemeris/sky.h"
#include "events/event_search.h"

namespace talvenor {

// The sky at the moment last asked for, kept for the next question about the same moment: the bodies
// of one search share it, so that the day grid computes the sky once a day for all of them.
class SkyAtMoment {
  public:
    const Sky& At(double julianDate);

  private:
    double julianDate_ = -1e300;
    Sky sky_;
};

// A transiting body: its name and its point (the node is the mean node, as the second chart has it).
struct TransitBody {
    std::string_view name;
    int point;
};
inline constexpr std::array<TransitBody, 11> kTransitBodies = {{{"SUN", kSun},
                                                                {"MOO", kMoon},
                                                                {"MER", kMercury},
                                                                {"VEN", kVenus},
                                                                {"MAR", kMars},
                                                                {"JUP", kJupiter},
                                                                {"SAT", kSaturn},
                                                                {"URA", kUranus},
                                                                {"NEP", kNeptune},
                                                                {"PLU", kPluto},
                                                                {"NN", kNorthNode}}};

// The bodies a search moves when none are named: the Sun, the Moon and Mercury to Pluto.
std::vector<std::string> DefaultMoverNames();

// The longitude of a body (a point of kTransitBodies) in a computed sky.
double TransitLongitude(const Sky& sky, int point);

// Moving factors for the named transiting bodies, all reading one shared sky.
std::vector<MovingFactor> TransitMovers(const std::vector<std::string>& names,
                                        const std::shared_ptr<SkyAtMoment>& sky);

// Reads a list of names ("SUN,MAR,PLU", any case, blanks allowed) into the known names, in the order of
// kTransitBodies. The message for a name that is not one of them; no message when `names` was filled.
std::optional<std::string> ReadMoverNames(const std::string& list, std::vector<std::string>& names);

// Which targets a search has.
struct TargetChoice {
    bool natalFactors = true;    // the 13 midpoint factors
    bool natalMidpoints = true;  // their 78 midpoints
    bool pictures = false;       // planetary pictures A + B - C
    bool Any() const { return natalFactors || natalMidpoints || pictures; }
};

// Reads "natal", "midpoints", "pictures" or a comma-separated list of them. The message for a word that
// is not one of them; no message when `choice` was filled.
std::optional<std::string> ReadTargetChoice(const std::string& list, TargetChoice& choice);

// The targets of the natal chart: the factors and midpoints of its analysis table (the node as option
// 161 chooses), in table order.
std::vector<EventTarget> NatalTargets(const ChartState& chart, const Options& options,
                                      const TargetChoice& choice);

// A name of the analysis table without its padding: "SUN", "MOO" ... "NN", "MC", "SUN/MOO", "NN/ASC".
std::string FactorName(const std::string& label);

}  // namespace talvenor
