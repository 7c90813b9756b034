#include "environment/memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace talvenor {

void ReturnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace talvenor
