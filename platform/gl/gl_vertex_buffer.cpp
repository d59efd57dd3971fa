#include "platform/gl/gl_vertex_buffer.h"

#include <cstddef>
#include <cstring>

#include "geometry/vertex.h"

namespace gfx {
namespace {

// The attributes of the vertex format, read from offset bytes into the bound buffer.
void DescribeVertices(uint32_t offset) {
    auto at = [offset](size_t field) { return reinterpret_cast<const void*>(offset + field); };
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, VertexStride, at(offsetof(Vertex, Position)));
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, VertexStride, at(offsetof(Vertex, Normal)));
    // ARGB in a little-endian word lies in memory as B, G, R, A; OpenGL ES reads it as R, G, B, A
    // and its shader swaps it back.
#ifdef BANNER_GL_ES
    constexpr GLint DiffuseSize = 4;
#else
    constexpr GLint DiffuseSize = GL_BGRA;
#endif
    glVertexAttribPointer(2, DiffuseSize, GL_UNSIGNED_BYTE, GL_TRUE, VertexStride,
                          at(offsetof(Vertex, Diffuse)));
    glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, VertexStride, at(offsetof(Vertex, U)));
}

GLuint MakeLayout(GLuint buffer) {
    GLuint layout = 0;
    glGenVertexArrays(1, &layout);
    glBindVertexArray(layout);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    for (GLuint attribute = 0; attribute < 4; ++attribute) {
        glEnableVertexAttribArray(attribute);
    }
    DescribeVertices(0);
    return layout;
}

}  // namespace

HRESULT GlVertexBuffer::Create(std::shared_ptr<GlContext> context, uint32_t length,
                               GlVertexBuffer** buffer) {
    if (buffer == nullptr || length == 0 || !context->MakeCurrent()) {
        return E_FAIL;
    }
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBufferData(GL_ARRAY_BUFFER, length, nullptr, GL_STATIC_DRAW);
#ifndef BANNER_GL_ES
    // WebGL zeroes every buffer it makes; OpenGL leaves that to us.
    void* zeroed = glMapBufferRange(GL_ARRAY_BUFFER, 0, length, GL_MAP_WRITE_BIT);
    if (zeroed != nullptr) {
        std::memset(zeroed, 0, length);
    }
    if (zeroed == nullptr || glUnmapBuffer(GL_ARRAY_BUFFER) != GL_TRUE ||
        glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &name);
        return E_FAIL;
    }
#endif
    GLuint layout = MakeLayout(name);
    // The device's stream is no longer the bound one.
    context->StreamChanged = true;
    *buffer = new GlVertexBuffer(std::move(context), length, name, layout);
    return S_OK;
}

GlVertexBuffer::GlVertexBuffer(std::shared_ptr<GlContext> context, uint32_t length, GLuint name,
                               GLuint layout)
    : Context(std::move(context)), ByteLength(length), BufferName(name), Layout(layout) {}

void GlVertexBuffer::BindLayout(uint32_t offset) {
    glBindVertexArray(Layout);
    if (offset != LayoutOffset) {
        glBindBuffer(GL_ARRAY_BUFFER, BufferName);
        DescribeVertices(offset);
        LayoutOffset = offset;
    }
}

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
        glDeleteVertexArrays(1, &Layout);
        glDeleteBuffers(1, &BufferName);
    }
    delete this;
}

}  // namespace gfx
