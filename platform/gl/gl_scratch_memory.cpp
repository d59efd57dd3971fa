#include "platform/gl/gl_scratch_memory.h"

#include <cstdlib>  // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace gfx {

void KeepDriverScratchMemory() {
#if defined(__GLIBC__)
    // Blocks up to the largest the heap may serve come from it rather than from mappings of
    // their own, and the heap's free top is never trimmed.
    constexpr int LargestHeapBlock = 32 << 20;
    constexpr int NeverTrim = 1 << 30;
    mallopt(M_MMAP_THRESHOLD, LargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, NeverTrim);
#endif
}

}  // namespace gfx
