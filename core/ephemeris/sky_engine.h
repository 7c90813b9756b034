// The engine a chart's sky is computed with: the program's own planetary and lunar theory, or the modern
// series (VSOP87B, ELP/MPP02, the Pluto table, Delta T and the IAU conventions). One value, passed to every
// computation that needs the sky, the angles or the houses; a default one is the program's theory.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "ephemeris/chart_angles.h"
#include "ephemeris/modern_sky.h"
#include "ephemeris/sky.h"
#include "ephemeris/uranian_points.h"

namespace talvenor {

enum class EphemerisChoice { Theory, Modern };

// The words of the settings file and the report tool: "theory" and "modern".
std::string_view EphemerisChoiceWord(EphemerisChoice choice);
// The word read back, any case; nothing for another word.
std::optional<EphemerisChoice> EphemerisChoiceOfWord(std::string_view word);

class ApparentSkyCache;

class SkyEngine {
  public:
    // The program's theory.
    SkyEngine() = default;
    // The modern series, from tables already read (LoadModernTables).
    explicit SkyEngine(std::shared_ptr<const ModernTables> tables) : tables_(std::move(tables)) {}

    bool IsModern() const { return tables_ != nullptr; }
    EphemerisChoice Choice() const { return IsModern() ? EphemerisChoice::Modern : EphemerisChoice::Theory; }

    // The sky at an instant of the chart's civil time (SkyAt of the theory or ModernSkyAt).
    Sky SkyAt(const Instant& instant) const;
    // The eight hypothetical points at such an instant, as the engine's planets are computed.
    UranianPlaces UranianAt(const Instant& instant) const;
    // The angles of a place at an instant, and for a meridian given by its right ascension (radians).
    LocalAngles AnglesAt(const Instant& instant, const Place& place) const;
    LocalAngles AnglesForMeridian(double ramcRad, const Instant& instant, const Place& place) const;
    // The obliquity of the ecliptic the engine's angles take at an instant, radians, positive: the theory's
    // mean obliquity, or the true obliquity of the modern engine.
    double ObliquityRad(const Instant& instant) const;

    friend bool operator==(const SkyEngine& a, const SkyEngine& b) { return a.tables_ == b.tables_; }

    // The modern tables; null for the program's theory.
    const std::shared_ptr<const ModernTables>& Tables() const { return tables_; }

  private:
    std::shared_ptr<const ModernTables> tables_;
};

// The sky at the many instants of a search or a graph. The program's theory computes each sky whole; the
// modern engine reads Chebyshev fits of its sky, made on demand over windows of a month (within a
// hundredth of a second of arc of its computed sky), for the points asked for: bit p for point p, Sun ..
// Moon, and kNorthNode for the mean node (see ModernSearchSkyAt). One sampler belongs to one thread.
inline constexpr unsigned kAllSearchPoints = ~0u;
class SkySampler {
  public:
    explicit SkySampler(SkyEngine engine, unsigned points = kAllSearchPoints);
    ~SkySampler();
    SkySampler(const SkySampler&) = delete;
    SkySampler& operator=(const SkySampler&) = delete;

    Sky At(const Instant& instant);

  private:
    SkyEngine engine_;
    unsigned points_;
    std::unique_ptr<ApparentSkyCache> cache_;
};

}  // namespace talvenor
