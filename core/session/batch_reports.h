// The report tool's runs over a whole names file: one chart a record, computed as a double-click on the
// name computes it, with the messages a computation would show handed back instead of shown.
#pragma once

#include <optional>
#include <string>

#include "datafiles/name_record.h"
#include "session/compute_charts.h"
#include "session/session.h"

namespace talvenor {

// Reads the record as a birth and computes its charts; the report buffer is emptied first, so that a long
// run holds one page at a time, and the run writes the page it was asked for. The diurnal window
// is left as it is. No value when the chart was computed; otherwise why not, in one line: the record's
// fault, or the messages the input checks or the computation would have shown.
std::optional<std::string> ComputeNamesRecord(Session& session, const NameRecord& record,
                                              ChartsWanted wanted = ChartsWanted::Both);
// The same with the second birth read once for a whole run, and where the record came from for messages
// ("names file NAMES.FIL, line 3"). The record is read once, into a Birth, and checked with the second.
std::optional<std::string> ComputeNamesRecord(Session& session, const NameRecord& record, const Birth& second,
                                              std::string source, ChartsWanted wanted = ChartsWanted::Both);

// Whether a report page reads the natal chart alone (as the report table says), so that a run over a
// names file need not compute the diurnal chart again for each record: the natal data page.
bool ReadsNatalChartOnly(const std::string& report);

// A table of computed charts for spreadsheets, tab-separated: the name, the fifteen natal longitudes
// (Sun ... Pluto, Moon, the nodes, Part of Fortune, Ascendant, Midheaven) and the twelve natal house cusps
// from the first house on, in degrees as the chart-state dump writes them; with the Uranian factors then
// the Aries point and the eight hypothetical points (ARI, CUP ... POS).
std::string ChartTableHeader(FactorSet set = FactorSet::Classic);
std::string ChartTableRow(const Chart& natal);

}  // namespace talvenor
