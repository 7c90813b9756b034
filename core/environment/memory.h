// Memory the program has freed, given back to the system: the C library keeps freed memory for the
// program's next use, so that a page of a million lines, once emptied, would still be counted against it.
#pragma once

namespace talvenor {

// Gives back to the system every whole page of freed memory the C library holds (nothing where the
// library offers no way to).
void ReturnFreedMemory();

}  // namespace talvenor
