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
    // The buffer's bytes, as GL holds them, for the bound array buffer of the given length.
    uint8_t* Begin(size_t length);
    // Uploads the staged bytes to the bound array buffer and lets them go.
    void End();

private:
    std::vector<uint8_t> Bytes;
    size_t UploadedLength = 0;  // GL holds zeros beyond it
};

}  // namespace gfx
