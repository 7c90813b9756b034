// The results of an event search as the data window shows them, and as the report tool prints them.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "chart/chart.h"
#include "environment/regional_format.h"
#include "events/event_dates.h"
#include "events/event_factors.h"
#include "events/event_search.h"
#include "report/report_buffer.h"

namespace talvenor {

// What was searched, for the page's heading.
struct EventSearchHeading {
    DayRange range;
    float modulus = 90;
    TargetChoice targets;
    double zoneWest = 0;  // the diurnal zone the local times are given in (hours, west positive)
};

// Appends the page: a blank line, the natal heading, the range, modulus, moving factors and targets, then
// one line per hit in time order (the moment in UT and in the diurnal zone, to the minute; the moving
// factor, D or R, the target), and the number of events. A search that was cancelled or stopped at its
// most events says so, and up to when it ran, under the heading and again under the events.
void WriteEventPage(const Chart& natal, const RegionalFormat& regional, const EventSearchHeading& heading,
                    const EventSearchRequest& request, const EventSearchResult& result, ReportBuffer& report);

// One line per hit, tab-separated: the UT moment "YYYY-MM-DD HH:MM", the moving factor, the target, D
// or R; each line ended by lineEnd.
std::string EventLines(const EventSearchRequest& request, std::span<const EventHit> hits,
                       std::string_view lineEnd);

// The message when a position could not be computed.
std::string EventFaultMessage(const EventSearchRequest& request, const EventSearchResult& result);

// The modulus as the headings write it, as typed: "90", "22.5", "7.3".
std::string ModulusNumberText(float modulus);

}  // namespace talvenor
