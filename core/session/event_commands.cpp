#include "session/event_commands.h"

#include <algorithm>

#include "chart/birth.h"
#include "midpoints/modulus_prompt.h"
#include "text/basic_text.h"

namespace talvenor {

EventSearchPreparation PrepareEventSearch(const Session& s, const EventSearchChoices& choices) {
    EventSearchPreparation out;
    DayRange range;
    if (auto problem = ReadDayRange(choices.from, choices.to, s.regional, kEventRangeLimits, range)) {
        out.message = *problem;
        return out;
    }
    // All of the text a number: "22,5" is refused, not read as 22.
    const auto modulus = static_cast<float>(WholeNumber(choices.modulus).value_or(-1));
    if (JudgeModulus(modulus) != ModulusAnswer::Accepted) {
        out.message = "The modulus must lie above 0 and be at most 360.";
        return out;
    }
    // Named as it was typed.
    const std::size_t first = choices.modulus.find_first_not_of(" \t");
    const std::string typed =
        choices.modulus.substr(first, choices.modulus.find_last_not_of(" \t") + 1 - first);
    if (auto refusal = SearchModulusRefusal(modulus, "The modulus " + typed)) {
        out.message = *refusal;
        return out;
    }
    if (choices.movers.empty()) {
        out.message = "Choose at least one moving factor.";
        return out;
    }
    if (!choices.targets.Any()) {
        out.message = "Choose at least one kind of target.";
        return out;
    }
    const bool directed = std::any_of(choices.movers.begin(), choices.movers.end(), IsDirectedMover);
    const CivilDate birth = HeadingOf(s.natalChart.birth).date;
    if (directed && range.fromJulianDate < JulianDateAtMidnight(birth)) {
        out.message =
            "Directions and progressions begin at the birth: the range must start on the birth date (" +
            FormatDateDdMmmYyyy(birth, s.regional) + ") or later.";
        return out;
    }
    PreparedEventSearch search;
    search.request.fromJulianDate = range.fromJulianDate;
    search.request.toJulianDate = range.toJulianDate;
    search.request.modulus = modulus;
    search.request.movers = EventMovers(choices.movers, s.natalChart, s.options);
    search.request.targets = NatalTargets(s.natalChart, s.options, choices.targets);
    search.heading = {range, modulus, choices.targets, HeadingOf(s.secondChart.birth).zone};
    out.search = std::move(search);
    return out;
}

ShowResult EventSearchCommand(Session& s, const EventSearchChoices& choices, EventSearchProgress& progress) {
    const EventSearchPreparation prepared = PrepareEventSearch(s, choices);
    if (!prepared.search) {
        s.dialogs->ShowMessage(prepared.message, kEventSearchTitle, MessageIcon::Exclamation);
        return ShowResult::NothingToShow;
    }
    const PreparedEventSearch& search = *prepared.search;
    const EventSearchResult result = SearchEvents(search.request, progress);
    if (result.outcome == EventSearchOutcome::Fault) {
        s.dialogs->ShowMessage(EventFaultMessage(search.request, result), kEventSearchTitle,
                               MessageIcon::Exclamation);
        return ShowResult::NothingToShow;
    }
    s.report.StartReport(EngineHeadingNote(s.natalChart));
    WriteEventPage(s.natalChart, s.regional, search.heading, search.request, result, s.report);
    return ShowSessionReport(s);
}

}  // namespace talvenor
