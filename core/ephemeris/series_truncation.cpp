#include "ephemeris/series_truncation.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace talvenor {

namespace {

constexpr double kArcSecond = std::numbers::pi / (180.0 * 3600.0);

// One term's place in its series and its weights at the edges of the two spans.
struct Candidate {
    std::size_t power = 0, index = 0;
    double inner = 0, outer = 0;
};

// Which terms of a series (by power, then index) to leave out, and the record of them.
template <typename Series>
std::vector<std::vector<bool>> ChooseDropped(const Series& full, const TruncationBudget& budget,
                                             double yearsPerUnit, DroppedAmplitudes& record) {
    const double innerT = kTruncationInnerYears / yearsPerUnit;
    const double outerT = kTruncationOuterYears / yearsPerUnit;
    std::vector<Candidate> candidates;
    std::vector<std::vector<bool>> dropped(full.size());
    for (std::size_t k = 0; k < full.size(); ++k) {
        dropped[k].assign(full[k].size(), false);
        for (std::size_t i = 0; i < full[k].size(); ++i) {
            const double a = std::fabs(full[k][i].a);
            candidates.push_back({k, i, a * std::pow(innerT, k), a * std::pow(outerT, k)});
        }
    }
    // The lightest first by the larger of their shares of the two budgets, so that neither budget is
    // spent on terms that weigh little in the other.
    const auto share = [&](const Candidate& c) {
        return std::max(c.inner / budget.inner, c.outer / budget.outer);
    };
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](const Candidate& x, const Candidate& y) { return share(x) < share(y); });
    double innerSum = 0, outerSum = 0;
    for (const Candidate& c : candidates) {
        if (innerSum + c.inner > budget.inner || outerSum + c.outer > budget.outer) continue;
        innerSum += c.inner;
        outerSum += c.outer;
        dropped[c.power][c.index] = true;
        record.byPower[c.power] += std::fabs(full[c.power][c.index].a);
        ++record.dropped;
    }
    record.kept = candidates.size() - record.dropped;
    return dropped;
}

template <typename Series>
Series KeepTerms(const Series& full, const std::vector<std::vector<bool>>& dropped) {
    Series shortened;
    for (std::size_t k = 0; k < full.size(); ++k) {
        for (std::size_t i = 0; i < full[k].size(); ++i) {
            if (!dropped[k][i]) shortened[k].push_back(full[k][i]);
        }
        shortened[k].shrink_to_fit();
    }
    return shortened;
}

}  // namespace

double DroppedAmplitudes::BoundAt(double absT) const {
    double bound = 0;
    for (std::size_t k = byPower.size(); k-- > 0;) bound = bound * absT + byPower[k];
    return bound;
}

Vsop87Budgets Vsop87TruncationBudgets(Vsop87Body body) {
    const std::size_t i = static_cast<std::size_t>(body);
    // The position budget in au: the angle at the closest approach to the Earth (for the Earth, the Sun's
    // angle at the Earth's least distance from it).
    const double arcsec = body == Vsop87Body::Earth ? kSunTruncationArcsec
                          : body == Vsop87Body::Uranus || body == Vsop87Body::Neptune
                              ? kOuterPlanetTruncationArcsec
                              : kPlanetTruncationArcsec;
    const double position = arcsec * kArcSecond * kPlanetReach[i].closestToEarth;
    const double angle = position / 3 / kPlanetReach[i].farthestFromSun;
    const double radius = position / 3;
    auto budget = [](double inner) { return TruncationBudget{inner, inner * kTruncationOuterFactor}; };
    return {budget(angle), budget(angle), budget(radius)};
}

ShortenedVsop87Series ShortenVsop87Series(const Vsop87Series& full, const TruncationBudget& budget) {
    ShortenedVsop87Series result;
    result.series = KeepTerms(full, ChooseDropped(full, budget, kVsop87YearsPerUnit, result.dropped));
    return result;
}

ShortenedElpSeries ShortenElpSeries(const ElpSeries& full, const TruncationBudget& budget) {
    ShortenedElpSeries result;
    result.series = KeepTerms(full, ChooseDropped(full, budget, kElpYearsPerUnit, result.dropped));
    return result;
}

ShortenedSeries ShortenModernSeries(const Vsop87Tables& vsop, const ElpTables& elp) {
    ShortenedSeries result;
    for (std::size_t i = 0; i < kVsop87Bodies; ++i) {
        const Vsop87Budgets budgets = Vsop87TruncationBudgets(static_cast<Vsop87Body>(i));
        const Vsop87Planet& full = vsop.planets[i];
        Vsop87Planet& shortened = result.vsop.planets[i];
        ShortenedVsop87Series l = ShortenVsop87Series(full.L, budgets.L);
        ShortenedVsop87Series b = ShortenVsop87Series(full.B, budgets.B);
        ShortenedVsop87Series r = ShortenVsop87Series(full.R, budgets.R);
        shortened = {std::move(l.series), std::move(b.series), std::move(r.series)};
        result.vsopDropped[i] = {l.dropped, b.dropped, r.dropped};
    }
    const TruncationBudget angle{kMoonTruncationArcsec, kMoonTruncationArcsec * kTruncationOuterFactor};
    const TruncationBudget distance{kMoonDistanceTruncationKm,
                                    kMoonDistanceTruncationKm * kTruncationOuterFactor};
    ShortenedElpSeries l = ShortenElpSeries(elp.L, angle);
    ShortenedElpSeries b = ShortenElpSeries(elp.B, angle);
    ShortenedElpSeries r = ShortenElpSeries(elp.R, distance);
    result.elp.w1 = elp.w1;
    result.elp.L = std::move(l.series);
    result.elp.B = std::move(b.series);
    result.elp.R = std::move(r.series);
    result.elpDropped = {l.dropped, b.dropped, r.dropped};
    return result;
}

}  // namespace talvenor
