// The factors of the event search and the graphic ephemeris: the transiting bodies as moving factors
// (longitudes from the engine's instant entry point), the natal factors directed by the solar arc and the
// factors of the progressed chart as moving factors too, and the natal targets of a computed chart.
//
// Names are the three-letter names of the formulas report: SUN, MOO, MER, VEN, MAR, JUP, SAT, URA, NEP,
// PLU, NN, ASC, MC; a midpoint is SUN/MOO, a planetary picture SUN+MOO-MAR, a directed factor SA.MC and
// a progressed one Pr.MOO. With the Uranian factors the eight hypothetical points move too (CUP, HAD,
// ZEU, KRO, APO, ADM, VUL, POS), and the Aries point is directed (SA.ARI, the solar arc itself).
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/chart.h"
#include "environment/factor_set.h"
#include "environment/options.h"
#include "ephemeris/point_index.h"
#include "ephemeris/sky.h"
#include "ephemeris/sky_engine.h"
#include "events/event_search.h"

namespace talvenor {

// The sky at the moment last asked for, kept for the next question about the same moment: the bodies
// of one search share it, so that the day grid computes the sky once a day for all of them.
class SkyAtMoment {
  public:
    // The points asked for as SkySampler takes them.
    explicit SkyAtMoment(SkyEngine engine = SkyEngine(), unsigned points = kAllSearchPoints)
        : sampler_(std::move(engine), points) {}
    const Sky& At(double julianDate);

  private:
    SkySampler sampler_;
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

// The bodies a search moves when none are named: the Sun, the Moon and Mercury to Pluto; with the Uranian
// factors the eight hypothetical points as well.
std::vector<std::string> DefaultMoverNames(FactorSet set = FactorSet::Classic);

// The longitude of a body (a point of kTransitBodies) in a computed sky.
double TransitLongitude(const Sky& sky, int point);

// Moving factors for the named transiting bodies, all reading one shared sky.
std::vector<MovingFactor> TransitMovers(const std::vector<std::string>& names,
                                        const std::shared_ptr<SkyAtMoment>& sky);

// The hypothetical points at the moment asked for: the engine is asked once a day (at 0h UT) and the
// longitude between is interpolated through the four days around the moment (the points move less than
// a tenth of a degree a day and turn slowly: the interpolation stays within a millionth of a degree of
// the engine). The points of one search share it.
class UranianAtMoment {
  public:
    explicit UranianAtMoment(SkyEngine engine = SkyEngine()) : engine_(std::move(engine)) {}
    // Point 0 (Cupido) .. 7 (Poseidon); not finite when the moment is not.
    double Longitude(std::size_t point, double julianDate);

  private:
    const std::array<double, kUranianPoints>& Day(double day);

    SkyEngine engine_;
    std::vector<std::pair<double, std::array<double, kUranianPoints>>> days_;
};

// Moving factors for the named transiting hypothetical points (CUP .. POS), all reading one shared
// sampling.
std::vector<MovingFactor> UranianMovers(const std::vector<std::string>& names,
                                        const std::shared_ptr<UranianAtMoment>& points);

// The prefixes of the directed and progressed factors: "SA.SUN" ... "SA.MC" is the natal factor moved on
// by the solar arc, "Pr.SUN" ... "Pr.MC" the factor of the progressed chart.
inline constexpr std::string_view kSolarArcPrefix = "SA.";
inline constexpr std::string_view kProgressedPrefix = "Pr.";

// Every moving factor's name in the search's order: the transiting bodies, then the 13 factors directed
// by the solar arc, then the 13 progressed factors. With the Uranian factors: the transiting bodies and
// the eight points, the 22 directed factors (SA.ARI the arc), the 21 progressed ones (the Aries point does
// not progress).
std::vector<std::string> AllMoverNames(FactorSet set = FactorSet::Classic);

// What a moving factor is, for a list to choose from: "Transiting Sun", "Solar arc Midheaven",
// "Progressed Moon", "Transiting North Node (mean)", "Transiting Cupido", "Solar arc Aries point".
std::string MoverCaption(const std::string& name);

// Whether a name is a directed or progressed factor (those move from the birth on).
bool IsDirectedMover(const std::string& name);

// Reads a list of names ("SUN,MAR,PLU", "sa.mc", "Pr.Moo", any case, blanks allowed; "SA" and "PR" stand
// for all the directed or progressed factors) into the names of the set, in the order of AllMoverNames.
// The message, which lists the set's names, for a name that is not one of them; no message when `names`
// was filled.
std::optional<std::string> ReadMoverNames(const std::string& list, std::vector<std::string>& names,
                                          FactorSet set = FactorSet::Classic);

// The age in years of life at a moment (UT): whole years from birthday to birthday as the progressions
// count them, running on evenly through each day; nothing before the birth date.
std::optional<double> AgeAtMoment(const Chart& natal, double julianDate);

// The progressed chart at the moment last asked for, kept for the next question about the same moment:
// the directed and progressed factors of one search share it.
class ProgressedAtMoment {
  public:
    ProgressedAtMoment(const Chart& natal, const Options& options) : natal_(natal), options_(options) {}
    // Nothing before the birth or when the chart cannot be computed.
    const Chart* At(double julianDate);
    const Chart& natal() const { return natal_; }

  private:
    Chart natal_;
    Options options_;
    double julianDate_ = -1e300;
    std::optional<Chart> progressed_;
};

// Moving factors for the named transiting, directed and progressed factors (AllMoverNames order of the
// natal chart's factor set; a name the set does not have is left out); the directed and progressed ones
// move from the natal chart as last computed, the transiting points with its engine.
std::vector<MovingFactor> EventMovers(const std::vector<std::string>& names, const Chart& natal,
                                      const Options& options);

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
// 161 chooses), in table order, then the planetary pictures A + B - C of its factors (A before B, C
// neither of them: 858 of them), named SUN+MOO-MAR.
std::vector<EventTarget> NatalTargets(const Chart& natal, const Options& options, const TargetChoice& choice);

// A name of the analysis table without its padding: "SUN", "MOO" ... "NN", "MC", "SUN/MOO", "NN/ASC".
std::string FactorName(const std::string& label);

}  // namespace talvenor
