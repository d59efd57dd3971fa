#pragma once

#include <memory>

#include "platform/gl/gl_api.h"
#include "platform/gl/gl_bounding_sphere.h"
#include "platform/gl/gl_buffer_staging.h"
#include "platform/gl/gl_context.h"
#include "platform/graphics_device.h"

namespace gfx {

// A vertex buffer in a GL buffer object: Lock maps it for reading and writing, so a later Lock
// still sees what was written before, and Unlock unmaps it. Zero-filled when created. On OpenGL ES
// (WebGL 2) a lock stages the bytes in memory instead.
class GlVertexBuffer final : public VertexBuffer {
public:
    static HRESULT Create(std::shared_ptr<GlContext> context, uint32_t length,
                          GlVertexBuffer** buffer);

    HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    HRESULT Unlock() override;
    uint32_t Length() const override { return ByteLength; }
    void Release() override;

    GLuint Name() const { return BufferName; }
    uint32_t VertexCount() const;
    // Of what the last Unlock made current; kept only on the device's optimised path.
    const GlBoundingSphere& Bound() const { return Sphere; }

private:
    GlVertexBuffer(std::shared_ptr<GlContext> context, uint32_t length, GLuint name);
    ~GlVertexBuffer() override = default;

    std::shared_ptr<GlContext> Context;
    uint32_t ByteLength;
    GLuint BufferName;
    uint8_t* Mapped = nullptr;  // while locked
#ifdef BANNER_GL_ES
    GlBufferStaging Staging;
#endif
    GlBoundingSphere Sphere;
};

}  // namespace gfx
