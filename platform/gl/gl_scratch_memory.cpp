#include "platform/gl/gl_scratch_memory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace gfx {
namespace {

#if defined(__GLIBC__)
// The largest block the heap serves; larger ones get mappings of their own.
constexpr size_t LargestHeapBlock = size_t{32} << 20;
// More than the driver's start-up allocations, in blocks the heap serves: only what is touched
// becomes resident.
constexpr size_t StretchBlock = size_t{24} << 20;
constexpr int StretchBlocks = 4;
constexpr uintptr_t HugePage = uintptr_t{2} << 20;

// Freed, the blocks join the heap's free top, which the next allocations are cut from.
void BackHeapTopWithHugePages() {
    void* blocks[StretchBlocks] = {};
    uintptr_t start = UINTPTR_MAX;
    uintptr_t end = 0;
    for (void*& block : blocks) {
        block = std::malloc(StretchBlock);
        if (block != nullptr) {
            start = std::min(start, reinterpret_cast<uintptr_t>(block));
            end = std::max(end, reinterpret_cast<uintptr_t>(block) + StretchBlock);
        }
    }
    const uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const uintptr_t last = end & ~(HugePage - 1);
    // The blocks lie one after the other in the heap. Refused where huge pages are not offered;
    // nothing else changes then.
    if (first < last && last - first <= StretchBlocks * (StretchBlock + HugePage)) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
    for (void* block : blocks) {
        std::free(block);
    }
}
#endif

}  // namespace

void PrepareHeapForDriver() {
#if defined(__GLIBC__)
    static bool prepared = false;
    if (prepared) {
        return;
    }
    prepared = true;
    constexpr int NeverTrim = 1 << 30;
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(LargestHeapBlock));
    mallopt(M_TRIM_THRESHOLD, NeverTrim);
    BackHeapTopWithHugePages();
#endif
}

}  // namespace gfx
