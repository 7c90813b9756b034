// The run of a report over a whole names file: the records computed on several threads, each with a
// session of its own, and the pages, the table rows and the messages written in the order of the file.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "datafiles/names_file.h"
#include "exchange_commands.h"
#include "session/session.h"

namespace talvenor::cli {

// What one record gives: its page (or table row) without the form feed that separates it from the one
// before, or none when it failed; and the lines it has for standard error, line ends and all.
struct BatchRecordOutput {
    std::optional<std::string> page;
    std::string told;
};

// One record of the names file NAMES computed in `worker`, a session that no other thread uses. Reads
// nothing else that changes: records computed side by side give what they give one after the other.
BatchRecordOutput BatchRecord(Session& worker, const NumberedRecord& numbered, const std::string& namesFile,
                              const BatchRequest& request);

// Where the run writes: the pages and rows (false when the write failed, which ends the run), and the
// lines for standard error.
struct BatchSinks {
    std::function<bool(std::string_view)> out;
    std::function<void(std::string_view)> err;
};

// The report for every record of the names file in the order of the file, computed on request.jobs
// threads, each with its own copy of `session`: the same bytes whatever the number of threads. Gives the
// exit status: 0, 1 when a record failed or a write did (nothing is written after it), 2 when the file
// cannot be read. `stopped` is looked at between records; once it is true no further page is written
// and the run ends with the status so far.
int RunBatch(const Session& session, const std::string& namesFile, const BatchRequest& request,
             const BatchSinks& sinks, const std::function<bool()>& stopped);

// The default number of threads: one for every processor, from 1 to kMostBatchJobs.
inline constexpr std::size_t kMostBatchJobs = 256;
std::size_t DefaultBatchJobs();

}  // namespace talvenor::cli
