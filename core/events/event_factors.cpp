#include "events/event_factors.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "chart/factor_catalogue.h"
#include "chart/progressions.h"
#include "ephemeris/calendar.h"
#include "events/event_dates.h"
#include "midpoints/analysis_table.h"
#include "midpoints/planetary_pictures.h"

namespace talvenor {

namespace {

std::string Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return std::string(text);
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The comma-separated words of a list, trimmed; empty words are left out.
std::vector<std::string> Words(const std::string& list) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string word = Trimmed(std::string_view(list).substr(start, comma - start));
        if (!word.empty()) words.push_back(std::move(word));
        start = comma + 1;
    }
    return words;
}

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// "SA.MC" and "Pr.MC" for factor 13.
std::string DirectedName(std::string_view prefix, int factor) {
    return std::string(prefix) + PictureFactorName(factor);
}

// Whether a factor of the set moves as a directed or progressed factor: all of them directed, all but the
// Aries point progressed.
bool Directs(std::string_view prefix, int factor) {
    return prefix == kSolarArcPrefix || factor != kAriesPointFactor;
}

// A factor's longitude in a chart: the midpoint factors 1..13, the Aries point and the eight points.
double FactorLongitude(const Chart& chart, int factor) {
    if (factor <= kClassicFactorCount) return chart.MidpointFactor[static_cast<std::size_t>(factor)];
    return chart.UranianLon[static_cast<std::size_t>(factor - kAriesPointFactor)];
}

bool Named(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

constexpr std::size_t kKeptDays = 8;

}  // namespace

const Sky& SkyAtMoment::At(double julianDate) {
    if (julianDate != julianDate_) {
        sky_ = sampler_.At(InstantAtJulianDate(julianDate));
        julianDate_ = julianDate;
    }
    return sky_;
}

std::vector<std::string> DefaultMoverNames(FactorSet set) {
    std::vector<std::string> names;
    for (const TransitBody& b : kTransitBodies) {
        if (b.point <= kBodyCount) names.emplace_back(b.name);
    }
    if (set == FactorSet::Uranian) {
        for (int f = kFirstUranianFactor; f <= kUranianFactorCount; ++f) names.push_back(FactorName(f));
    }
    return names;
}

const std::array<double, kUranianPoints>& UranianAtMoment::Day(double day) {
    for (const auto& [at, lons] : days_) {
        if (at == day) return lons;
    }
    if (days_.size() >= kKeptDays) {
        // The day farthest from this one goes: a search asks about nearby days.
        auto far = std::max_element(days_.begin(), days_.end(), [day](const auto& a, const auto& b) {
            return std::fabs(a.first - day) < std::fabs(b.first - day);
        });
        days_.erase(far);
    }
    const UranianPlaces places = engine_.UranianAt(InstantAtJulianDate(day));
    std::array<double, kUranianPoints> lons{};
    for (std::size_t p = 0; p < kUranianPoints; ++p) lons[p] = places[p].longitude;
    days_.emplace_back(day, lons);
    return days_.back().second;
}

double UranianAtMoment::Longitude(std::size_t point, double julianDate) {
    if (!std::isfinite(julianDate) || point >= kUranianPoints) return kNotANumber;
    // 0h UT of the day and the day's share; Lagrange's cubic through the day before and the two after.
    const double day = std::floor(julianDate - 0.5) + 0.5;
    const double s = julianDate - day;
    const double at = Day(day)[point];
    double y[4];
    for (int k = -1; k <= 2; ++k) {
        const double lon = k == 0 ? at : Day(day + k)[point];
        // Unwound about the day's own longitude, so that a pass over 0 degrees does not jump.
        y[k + 1] = lon - 360.0 * std::round((lon - at) / 360.0);
    }
    if (s == 0) return at;
    const double w[4] = {-s * (s - 1) * (s - 2) / 6, (s + 1) * (s - 1) * (s - 2) / 2,
                         -(s + 1) * s * (s - 2) / 2, (s + 1) * s * (s - 1) / 6};
    return w[0] * y[0] + w[1] * y[1] + w[2] * y[2] + w[3] * y[3];
}

std::vector<MovingFactor> UranianMovers(const std::vector<std::string>& names,
                                        const std::shared_ptr<UranianAtMoment>& points) {
    std::vector<MovingFactor> movers;
    for (int f = kFirstUranianFactor; f <= kUranianFactorCount; ++f) {
        const std::string name = FactorName(f);
        if (!Named(names, name)) continue;
        const auto point = static_cast<std::size_t>(UranianIndexOfFactor(f));
        movers.push_back(
            {name, [points, point](double julianDate) { return points->Longitude(point, julianDate); }});
    }
    return movers;
}

double TransitLongitude(const Sky& sky, int point) {
    if (sky.Status != EngineStatus::Sound) return std::numeric_limits<double>::quiet_NaN();
    if (point == kNorthNode) return sky.MeanNode;
    return sky.Longitude[static_cast<std::size_t>(point)];
}

std::vector<MovingFactor> TransitMovers(const std::vector<std::string>& names,
                                        const std::shared_ptr<SkyAtMoment>& sky) {
    std::vector<MovingFactor> movers;
    for (const TransitBody& b : kTransitBodies) {
        if (std::find(names.begin(), names.end(), b.name) == names.end()) continue;
        const int point = b.point;
        movers.push_back({std::string(b.name), [sky, point](double julianDate) {
                              return TransitLongitude(sky->At(julianDate), point);
                          }});
    }
    return movers;
}

std::vector<std::string> AllMoverNames(FactorSet set) {
    std::vector<std::string> names;
    for (const TransitBody& b : kTransitBodies) names.emplace_back(b.name);
    const int factors = FactorCountOf(set);
    for (int f = kFirstUranianFactor; f <= factors; ++f) names.push_back(FactorName(f));
    for (std::string_view prefix : {kSolarArcPrefix, kProgressedPrefix}) {
        for (int f = 1; f <= factors; ++f) {
            if (Directs(prefix, f)) names.push_back(DirectedName(prefix, f));
        }
    }
    return names;
}

std::string MoverCaption(const std::string& name) {
    struct Full {
        std::string_view name, full;
    };
    static constexpr Full kFull[] = {
        {"SUN", "Sun"},       {"MOO", "Moon"},      {"MER", "Mercury"}, {"VEN", "Venus"},   {"MAR", "Mars"},
        {"JUP", "Jupiter"},   {"SAT", "Saturn"},    {"URA", "Uranus"},  {"NEP", "Neptune"}, {"PLU", "Pluto"},
        {"NN", "North Node"}, {"ASC", "Ascendant"}, {"MC", "Midheaven"}};
    std::string kind = "Transiting ";
    std::string_view factor = name;
    if (name.starts_with(kSolarArcPrefix)) {
        kind = "Solar arc ";
        factor.remove_prefix(kSolarArcPrefix.size());
    } else if (name.starts_with(kProgressedPrefix)) {
        kind = "Progressed ";
        factor.remove_prefix(kProgressedPrefix.size());
    }
    for (const Full& f : kFull) {
        if (f.name != factor) continue;
        // The transiting node is the mean node; a directed or progressed one follows option 161.
        const bool meanNode = f.name == "NN" && kind == "Transiting ";
        return kind + std::string(f.full) + (meanNode ? " (mean)" : "");
    }
    for (int f = kAriesPointFactor; f <= kUranianFactorCount; ++f) {
        if (FactorName(f) == factor) return kind + std::string(FactorOf(f).caption);
    }
    return name;
}

bool IsDirectedMover(const std::string& name) {
    return name.starts_with(kSolarArcPrefix) || name.starts_with(kProgressedPrefix);
}

std::optional<std::string> ReadMoverNames(const std::string& list, std::vector<std::string>& names,
                                          FactorSet set) {
    const std::vector<std::string> all = AllMoverNames(set);
    std::vector<std::string> read;
    for (const std::string& word : Words(list)) {
        const std::string typed = Upper(word);
        std::vector<std::string> meant;
        for (const std::string& name : all) {
            const bool group = (typed == "SA" && name.starts_with(kSolarArcPrefix)) ||
                               (typed == "PR" && name.starts_with(kProgressedPrefix));
            if (group || Upper(name) == typed) meant.push_back(name);
        }
        if (meant.empty() && set == FactorSet::Uranian) {
            return "\"" + word +
                   "\" is not a moving factor (SUN, MOO, MER, VEN, MAR, JUP, SAT, URA, NEP, PLU, NN, CUP, "
                   "HAD, "
                   "ZEU, KRO, APO, ADM, VUL, POS; SA.SUN ... SA.POS and Pr.SUN ... Pr.POS without Pr.ARI, or "
                   "SA and PR for all of them).";
        }
        if (meant.empty()) {
            return "\"" + word +
                   "\" is not a moving factor (SUN, MOO, MER, VEN, MAR, JUP, SAT, URA, NEP, PLU, NN; SA.SUN "
                   "... "
                   "SA.MC and Pr.SUN ... Pr.MC, or SA and PR for all of them).";
        }
        read.insert(read.end(), meant.begin(), meant.end());
    }
    if (read.empty()) return "No moving factor is named.";
    // In the order of the table, whatever the order typed.
    names.clear();
    for (const std::string& name : all) {
        if (std::find(read.begin(), read.end(), name) != read.end()) names.push_back(name);
    }
    return std::nullopt;
}

std::optional<double> AgeAtMoment(const Chart& natal, double julianDate) {
    // The age on the civil (UT) date of the day and on the next, and the day's share between them: the
    // age runs evenly from birthday to birthday, and birthdays begin at a day's start.
    const double x = julianDate + 0.5;
    const double day = std::floor(x);
    const CivilDate born = HeadingOf(natal.birth).date;
    auto ageOn = [&born](double dayNumber) {
        const DayOfCalendar d = CalendarDayOf(dayNumber);
        return AgeInYears(born.year, born.month, born.day, d.year, d.month, d.day);
    };
    const std::optional<double> today = ageOn(day);
    const std::optional<double> tomorrow = ageOn(day + 1);
    if (!today || !tomorrow) return std::nullopt;
    return *today + (x - day) * (*tomorrow - *today);
}

const Chart* ProgressedAtMoment::At(double julianDate) {
    if (julianDate != julianDate_) {
        julianDate_ = julianDate;
        const std::optional<double> age = AgeAtMoment(natal_, julianDate);
        progressed_.reset();
        if (age) progressed_ = ComputeProgressedChart(natal_, options_, *age).chart;
    }
    return progressed_ ? &*progressed_ : nullptr;
}

std::vector<MovingFactor> EventMovers(const std::vector<std::string>& names, const Chart& natal,
                                      const Options& options) {
    unsigned points = 0;
    for (const TransitBody& b : kTransitBodies) {
        if (std::find(names.begin(), names.end(), b.name) != names.end()) points |= 1u << b.point;
    }
    std::vector<MovingFactor> movers =
        TransitMovers(names, std::make_shared<SkyAtMoment>(natal.engine, points));
    const int factors = FactorCountOf(natal.factors);
    if (natal.factors == FactorSet::Uranian) {
        std::vector<MovingFactor> more =
            UranianMovers(names, std::make_shared<UranianAtMoment>(natal.engine));
        for (MovingFactor& m : more) movers.push_back(std::move(m));
    }
    const bool directed = std::any_of(names.begin(), names.end(), IsDirectedMover);
    if (!directed) return movers;
    const auto progressed = std::make_shared<ProgressedAtMoment>(natal, options);
    for (int f = 1; f <= factors; ++f) {
        const std::string name = DirectedName(kSolarArcPrefix, f);
        if (!Named(names, name)) continue;
        movers.push_back({name, [progressed, f](double julianDate) {
                              const Chart* p = progressed->At(julianDate);
                              if (!p) return kNotANumber;
                              const Chart& from = progressed->natal();
                              return FactorLongitude(from, f) + SolarArc(from, *p);
                          }});
    }
    for (int f = 1; f <= factors; ++f) {
        const std::string name = DirectedName(kProgressedPrefix, f);
        if (!Directs(kProgressedPrefix, f) || !Named(names, name)) continue;
        movers.push_back({name, [progressed, f](double julianDate) {
                              const Chart* p = progressed->At(julianDate);
                              return p ? FactorLongitude(*p, f) : kNotANumber;
                          }});
    }
    return movers;
}

std::optional<std::string> ReadTargetChoice(const std::string& list, TargetChoice& choice) {
    TargetChoice read{false, false, false};
    for (const std::string& word : Words(list)) {
        const std::string w = Upper(word);
        if (w == "NATAL") {
            read.natalFactors = true;
        } else if (w == "MIDPOINTS") {
            read.natalMidpoints = true;
        } else if (w == "PICTURES") {
            read.pictures = true;
        } else {
            return "\"" + word + "\" is not a kind of target (natal, midpoints, pictures).";
        }
    }
    if (!read.Any()) return "No kind of target is named.";
    choice = read;
    return std::nullopt;
}

std::string FactorName(const std::string& label) {
    if (label.find('/') == std::string::npos) return Trimmed(std::string_view(label).substr(0, 3));
    // "NN /ASC  " holds the node's padding inside it.
    std::string name;
    for (char c : label) {
        if (c != ' ') name += c;
    }
    return name;
}

std::vector<EventTarget> NatalTargets(const Chart& natal, const Options& options,
                                      const TargetChoice& choice) {
    const AnalysisTable table = NatalAnalysisTable(natal, options);
    std::vector<EventTarget> targets;
    const int factors = table.FactorCount();
    for (int e = 1; e <= table.EntryCount(); ++e) {
        const bool factor = e <= factors;
        if (factor ? !choice.natalFactors : !choice.natalMidpoints) continue;
        const auto i = static_cast<std::size_t>(e);
        targets.push_back({FactorName(table.Label[i]), table.Lon[i]});
    }
    if (!choice.pictures) return targets;
    for (int a = 1; a < factors; ++a) {
        for (int b = a + 1; b <= factors; ++b) {
            for (int c = 1; c <= factors; ++c) {
                if (c == a || c == b) continue;
                const double lon = PicturePosition(table.Lon[static_cast<std::size_t>(a)],
                                                   table.Lon[static_cast<std::size_t>(b)],
                                                   table.Lon[static_cast<std::size_t>(c)], 360);
                targets.push_back(
                    {PictureFactorName(a) + "+" + PictureFactorName(b) + "-" + PictureFactorName(c), lon});
            }
        }
    }
    return targets;
}

}  // namespace talvenor
