#include "ephemeris/sky_engine.h"

#include "ephemeris/apparent_sky_cache.h"
#include "ephemeris/modern_chart.h"
#include "text/basic_text.h"

namespace talvenor {

std::string_view EphemerisChoiceWord(EphemerisChoice choice) {
    return choice == EphemerisChoice::Modern ? "modern" : "theory";
}

std::optional<EphemerisChoice> EphemerisChoiceOfWord(std::string_view word) {
    if (IsWordInAnyCase(word, "theory")) return EphemerisChoice::Theory;
    if (IsWordInAnyCase(word, "modern")) return EphemerisChoice::Modern;
    return std::nullopt;
}

Sky SkyEngine::SkyAt(const Instant& instant) const {
    return tables_ ? ModernSkyAt(*tables_, instant) : talvenor::SkyAt(instant);
}

UranianPlaces SkyEngine::UranianAt(const Instant& instant) const {
    return tables_ ? ModernUranianAt(*tables_, instant) : TheoryUranianPlaces(instant);
}

LocalAngles SkyEngine::AnglesAt(const Instant& instant, const Place& place) const {
    return tables_ ? ModernAnglesAt(*tables_, instant, place) : talvenor::AnglesAt(instant, place);
}

LocalAngles SkyEngine::AnglesForMeridian(double ramcRad, const Instant& instant, const Place& place) const {
    return tables_ ? ModernAnglesForMeridian(*tables_, ramcRad, instant, place)
                   : talvenor::AnglesForMeridian(ramcRad, instant, place);
}

double SkyEngine::ObliquityRad(const Instant& instant) const {
    if (!tables_) return ObliquityRadAt(instant.CenturiesT);
    return ModernTrueObliquity(TerrestrialTime(*tables_, JulianDayUt(instant)));
}

SkySampler::SkySampler(SkyEngine engine, unsigned points) : engine_(std::move(engine)), points_(points) {
    if (engine_.IsModern()) cache_ = std::make_unique<ApparentSkyCache>(*engine_.Tables(), kChartNutation);
}

SkySampler::~SkySampler() = default;

Sky SkySampler::At(const Instant& instant) {
    return cache_ ? ModernSearchSkyAt(*engine_.Tables(), *cache_, instant, points_) : engine_.SkyAt(instant);
}

}  // namespace talvenor
