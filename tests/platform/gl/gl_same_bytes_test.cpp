#include <gtest/gtest.h>

#include <vector>

#include "platform/gl/gl_same_bytes.h"

namespace {

// One byte changed anywhere, in a whole block, a block's last word or the bytes after the last
// whole block, makes two buffers differ; lengths around the block size.
TEST(SameBytes, FindsOneChangedByteWherever) {
    for (size_t length : {0, 1, 7, 255, 256, 257, 263, 4096, 65536 + 13}) {
        std::vector<uint8_t> a(length);
        for (size_t i = 0; i < length; ++i) {
            a[i] = static_cast<uint8_t>(i * 31 + 7);
        }
        std::vector<uint8_t> b = a;
        EXPECT_TRUE(gfx::SameBytes(a.data(), b.data(), length)) << length;
        for (size_t at : {size_t{0}, size_t{7}, size_t{8}, size_t{255}, size_t{256}, length / 2,
                          length - 1}) {
            if (at >= length) {
                continue;
            }
            b[at] ^= 0x10;
            EXPECT_FALSE(gfx::SameBytes(a.data(), b.data(), length)) << length << " at " << at;
            b[at] = a[at];
        }
    }
}

}  // namespace
