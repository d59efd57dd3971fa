#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gl/gl_api.h"

namespace gfx {

// Where a locked vertex buffer is written on OpenGL ES as WebGL 2 offers it, which maps no
// buffer at all: the bytes are staged in memory while the buffer is locked and uploaded when it
// is unlocked. Nothing is kept in between; a buffer locked again reads back what GL holds.
class GlBufferStaging {
public:
    // Zeroed memory that staged a buffer before and can stage the next: a fresh allocation for
    // every buffer would land on fresh pages, which the browser makes slow to touch.
    using Spares = std::vector<std::vector<uint8_t>>;

    // The buffer's bytes, as GL holds them, for the bound array buffer of the given length.
    uint8_t* Begin(size_t length, Spares& spares);
    // Uploads the staged bytes to the bound array buffer and hands the memory back, zeroed.
    void End(Spares& spares);

private:
    std::vector<uint8_t> Bytes;  // zero beyond Length
    size_t Length = 0;
    size_t UploadedLength = 0;  // GL holds zeros beyond it
};

}  // namespace gfx
