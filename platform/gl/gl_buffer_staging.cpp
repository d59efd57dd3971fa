#include "platform/gl/gl_buffer_staging.h"

#include <algorithm>
#include <cstring>

// WebGL 2's synchronous read of a buffer's bytes.
extern "C" void glGetBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, void* data);

namespace gfx {
namespace {

// The length without the zero bytes at the end.
size_t WrittenLength(const uint8_t* bytes, size_t length) {
    while (length >= 8) {
        uint64_t word;
        std::memcpy(&word, bytes + length - 8, 8);
        if (word != 0) {
            break;
        }
        length -= 8;
    }
    while (length > 0 && bytes[length - 1] == 0) {
        --length;
    }
    return length;
}

}  // namespace

uint8_t* GlBufferStaging::Begin(size_t length, Spares& spares) {
    // The smallest spare that holds the buffer, else a new one.
    auto fits = spares.end();
    for (auto spare = spares.begin(); spare != spares.end(); ++spare) {
        if (spare->size() >= length && (fits == spares.end() || spare->size() < fits->size())) {
            fits = spare;
        }
    }
    if (fits != spares.end()) {
        Bytes = std::move(*fits);
        spares.erase(fits);
    } else {
        Bytes.assign(length, 0);
    }
    Length = length;
    if (UploadedLength > 0) {
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(UploadedLength),
                           Bytes.data());
    }
    return Bytes.data();
}

// Buffers are often made larger than what is written into them, and a buffer GL makes holds
// zeros: only the part up to the last byte that is not zero needs to go up.
void GlBufferStaging::End(Spares& spares) {
    const size_t written = WrittenLength(Bytes.data(), Length);
    const size_t upload = std::max(written, UploadedLength);
    if (upload > 0) {
        glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(upload), Bytes.data());
    }
    UploadedLength = written;
    std::memset(Bytes.data(), 0, written);
    // Enough for every buffer that an object locks at once; the smallest goes.
    constexpr size_t KeptSpares = 4;
    spares.push_back(std::move(Bytes));
    if (spares.size() > KeptSpares) {
        spares.erase(
            std::min_element(spares.begin(), spares.end(),
                             [](const auto& a, const auto& b) { return a.size() < b.size(); }));
    }
    Bytes = {};
    Length = 0;
}

}  // namespace gfx
