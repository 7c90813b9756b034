// What the report tool writes to standard output, checked: a write that fails ends the run with an error,
// never with a success.
#pragma once

#include <string_view>

namespace talvenor::cli {

// Writes the text to standard output; false when the write failed (the run then need not go on).
bool WriteOut(std::string_view text);

// True once a write to standard output has failed.
bool OutputFailed();

// The end of every command: flushes standard output and gives the exit status. `status` when all of the
// output was written; 1 when any of it was not, said in one line on standard error. A reader that has
// gone away (a closed pipe, as with "| head") ends the run quietly, as the shell's own tools end.
int FinishOutput(int status);

}  // namespace talvenor::cli
