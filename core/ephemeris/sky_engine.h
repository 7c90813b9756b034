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

namespace talvenor {

enum class EphemerisChoice { Theory, Modern };

// The words of the settings file and the report tool: "theory" and "modern".
std::string_view EphemerisChoiceWord(EphemerisChoice choice);
// The word read back, any case; nothing for another word.
std::optional<EphemerisChoice> EphemerisChoiceOfWord(std::string_view word);

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
    // The angles of a place at an instant, and for a meridian given by its right ascension (radians).
    LocalAngles AnglesAt(const Instant& instant, const Place& place) const;
    LocalAngles AnglesForMeridian(double ramcRad, const Instant& instant, const Place& place) const;
    // The obliquity of the ecliptic the engine's angles take at an instant, radians, positive: the theory's
    // mean obliquity, or the true obliquity of the modern engine.
    double ObliquityRad(const Instant& instant) const;

    friend bool operator==(const SkyEngine& a, const SkyEngine& b) { return a.tables_ == b.tables_; }

  private:
    std::shared_ptr<const ModernTables> tables_;
};

}  // namespace talvenor
