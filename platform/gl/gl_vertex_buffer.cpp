#include "platform/gl/gl_vertex_buffer.h"

#include <cstring>

#include "geometry/vertex.h"

namespace gfx {

HRESULT GlVertexBuffer::Create(std::shared_ptr<GlContext> context, uint32_t length,
                               GlVertexBuffer** buffer) {
    if (buffer == nullptr || length == 0 || !context->MakeCurrent()) {
        return E_FAIL;
    }
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(GL_ARRAY_BUFFER, name);
#ifdef BANNER_GL_ES
    // WebGL zeroes every buffer it makes.
    glBufferData(GL_ARRAY_BUFFER, length, nullptr, GL_STATIC_DRAW);
    *buffer = new GlVertexBuffer(std::move(context), length, name);
    return S_OK;
#else
    glBufferData(GL_ARRAY_BUFFER, length, nullptr, GL_STATIC_DRAW);
    void* zeroed = glMapBufferRange(GL_ARRAY_BUFFER, 0, length, GL_MAP_WRITE_BIT);
    if (zeroed != nullptr) {
        std::memset(zeroed, 0, length);
    }
    if (zeroed == nullptr || glUnmapBuffer(GL_ARRAY_BUFFER) != GL_TRUE ||
        glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &name);
        return E_FAIL;
    }
    *buffer = new GlVertexBuffer(std::move(context), length, name);
    return S_OK;
#endif
}

GlVertexBuffer::GlVertexBuffer(std::shared_ptr<GlContext> context, uint32_t length, GLuint name)
    : Context(std::move(context)), ByteLength(length), BufferName(name) {}

HRESULT GlVertexBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t /*flags*/) {
    if (data == nullptr || offset > ByteLength || size > ByteLength - offset ||
        !Context->MakeCurrent()) {
        return E_FAIL;
    }
    if (Mapped == nullptr) {
        glBindBuffer(GL_ARRAY_BUFFER, BufferName);
#ifdef BANNER_GL_ES
        Mapped = Staging.Begin(ByteLength, Context->SpareStaging);
#else
        Mapped = static_cast<uint8_t*>(
            glMapBufferRange(GL_ARRAY_BUFFER, 0, ByteLength, GL_MAP_READ_BIT | GL_MAP_WRITE_BIT));
        if (Mapped == nullptr) {
            return E_FAIL;
        }
#endif
    }
    *data = Mapped + offset;
    return S_OK;
}

HRESULT GlVertexBuffer::Unlock() {
    if (Mapped == nullptr || !Context->MakeCurrent()) {
        return E_FAIL;
    }
    if (Context->Optimise) {
        Sphere = GlBoundingSphere::OfVertices(Mapped, VertexCount());
    }
    Mapped = nullptr;
    glBindBuffer(GL_ARRAY_BUFFER, BufferName);
#ifdef BANNER_GL_ES
    Staging.End(Context->SpareStaging);
    return S_OK;
#else
    return glUnmapBuffer(GL_ARRAY_BUFFER) == GL_TRUE ? S_OK : E_FAIL;
#endif
}

uint32_t GlVertexBuffer::VertexCount() const { return Length() / VertexStride; }

void GlVertexBuffer::Release() {
    if (Context->StreamSource == this) {
        Context->StreamSource = nullptr;
        Context->StreamChanged = true;
    }
    if (Context->MakeCurrent()) {
        glDeleteBuffers(1, &BufferName);
    }
    delete this;
}

}  // namespace gfx
