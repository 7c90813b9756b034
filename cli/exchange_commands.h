// The report tool's commands for births in and out of names files, and its runs over a whole names file.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/birth.h"
#include "session/session.h"

namespace talvenor::cli {

// talvenor-report import FILE [--format aaf|qck|csv] --to NAMES.FIL [--data-dir DIR]
int ImportCommand(const std::vector<std::string>& args);
// talvenor-report export NAMES.FIL --format aaf|qck|csv [--output FILE]
int ExportCommand(const std::vector<std::string>& args);

// talvenor-report --names FILE [--diurnal RECORD] REPORT, or --names FILE --tsv: `page` gives the output
// of one computed record as the single run prints it.
struct BatchRequest {
    std::string report;
    bool tsv = false;
    bool crlf = false;
    // The page of one computed chart; no value when it cannot be made (the message is already told).
    std::function<std::optional<std::string>(Session&)> page;
    // The second chart of every record, read once for the run.
    Birth second;
    // How many records are computed at once, each on a thread of its own.
    std::size_t jobs = 1;
};
int BatchCommand(Session& session, const std::string& namesFile, const BatchRequest& request);

inline constexpr const char* kExchangeCommandsUsage = R"(
  talvenor-report import FILE [--format aaf|qck|csv] --to NAMES.FIL [--data-dir DIR]
      adds the births of FILE (AAF, Quick*Chart or CSV with a header row; without --format the file's
      ending or its text tells which) at the end of the names file NAMES.FIL, which is created when it
      does not exist; the previous file is kept as NAMES.OLD. Times and positions are rounded to the minute,
      zones become hours west of UT with any daylight-saving time folded in; a record that gives no zone
      takes it from its Julian day, its zone id, or its place in the world atlas of DIR and the system's
      time-zone database. Every record that cannot be converted is named on stderr with its line and the
      reason. Exit 1 when any could not be (the others are added), 2 for bad arguments.
  talvenor-report export NAMES.FIL --format aaf|qck|csv [--output FILE]
      writes the births of NAMES.FIL in the format to FILE (default: stdout); a record that cannot be
      written is named on stderr with its line and the reason, and the exit status is then 1.
  talvenor-report --names NAMES.FIL [--diurnal RECORD] [--jobs N] [OPTIONS] REPORT
      the report for every record of NAMES.FIL in turn, the pages separated by a form feed; a record that
      cannot be computed is named on stderr with its line, and the exit status is then 1.
  talvenor-report --names NAMES.FIL [--jobs N] [OPTIONS] --tsv
      a table for spreadsheets instead, tab-separated with a header row: name, the fifteen natal longitudes
      (Sun ... Pluto, Moon, nodes, Part of Fortune, Ascendant, Midheaven) and the twelve house cusps.
      --jobs N computes N records at once, each on a thread of its own (1 to 256; default: one for every
      processor); pages, rows and messages come in the order of the file, the same as with --jobs 1.
      Interrupted (Ctrl+C) or terminated, the run stops after the last whole page and ends as the signal
      ends a program (exit status 130 or 143).
)";

}  // namespace talvenor::cli
