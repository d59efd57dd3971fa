#include "platform/gl_vertex_buffer.h"

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
    glBufferData(GL_ARRAY_BUFFER, length, nullptr, GL_STATIC_DRAW);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &name);
        return E_FAIL;
    }
    *buffer = new GlVertexBuffer(std::move(context), length, name);
    return S_OK;
}

GlVertexBuffer::GlVertexBuffer(std::shared_ptr<GlContext> context, uint32_t length, GLuint name)
    : Context(std::move(context)), Bytes(length, 0), BufferName(name) {}

HRESULT GlVertexBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t /*flags*/) {
    if (data == nullptr || !Context->Alive() || offset > Bytes.size() ||
        size > Bytes.size() - offset) {
        return E_FAIL;
    }
    Locked = true;
    *data = Bytes.data() + offset;
    return S_OK;
}

HRESULT GlVertexBuffer::Unlock() {
    if (!Locked || !Context->MakeCurrent()) {
        return E_FAIL;
    }
    Locked = false;
    glBindBuffer(GL_ARRAY_BUFFER, BufferName);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(Bytes.size()), Bytes.data());
    if (Context->Optimise) {
        Sphere = GlBoundingSphere::OfVertices(Bytes.data(), VertexCount());
    }
    return S_OK;
}

uint32_t GlVertexBuffer::VertexCount() const {
    return Length() / VertexStride;
}

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
