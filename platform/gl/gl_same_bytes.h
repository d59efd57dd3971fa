#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace gfx {

// Whether a and b hold the same n bytes. Emscripten's memcmp stops to test every four bytes;
// generated textures are compared whole, hundreds of times a frame, and are mostly unchanged, so
// this tests a block at a time.
inline bool SameBytes(const uint8_t* a, const uint8_t* b, size_t n) {
    constexpr size_t Block = 256;
    size_t at = 0;
    for (; at + Block <= n; at += Block) {
        uint64_t differ = 0;
        // Unrolled even where the build optimises for size: this loop is the page's dearest.
#pragma GCC unroll 32
        for (size_t i = at; i < at + Block; i += 8) {
            uint64_t x;
            uint64_t y;
            std::memcpy(&x, a + i, 8);
            std::memcpy(&y, b + i, 8);
            differ |= x ^ y;
        }
        if (differ != 0) {
            return false;
        }
    }
    // memcmp may not be handed the null data of empty buffers, even for no bytes.
    return at == n || std::memcmp(a + at, b + at, n - at) == 0;
}

}  // namespace gfx
