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
//
// Each buffer has a vertex array object of its own that describes its vertices, so that drawing
// from another buffer binds a different object rather than describing the attributes afresh: a
// driver may lay the attributes out differently once they change often, and build its vertex
// code again for that layout.
class GlVertexBuffer final : public VertexBuffer {
public:
    static HRESULT Create(std::shared_ptr<GlContext> context, uint32_t length,
                          GlVertexBuffer** buffer);

    HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    HRESULT Unlock() override;
    uint32_t Length() const override { return ByteLength; }
    void Release() override;

    GLuint Name() const { return BufferName; }
    // Binds the vertex array object, with the vertices read from offset bytes on.
    void BindLayout(uint32_t offset);
    uint32_t VertexCount() const;
    // Of what the last Unlock made current; kept only on the device's optimised path.
    const GlBoundingSphere& Bound() const { return Sphere; }

private:
    GlVertexBuffer(std::shared_ptr<GlContext> context, uint32_t length, GLuint name, GLuint layout);
    ~GlVertexBuffer() override = default;

    std::shared_ptr<GlContext> Context;
    uint32_t ByteLength;
    GLuint BufferName;
    GLuint Layout;
    uint32_t LayoutOffset = 0;
    uint8_t* Mapped = nullptr;  // while locked
#ifdef BANNER_GL_ES
    GlBufferStaging Staging;
#endif
    GlBoundingSphere Sphere;
};

}  // namespace gfx
