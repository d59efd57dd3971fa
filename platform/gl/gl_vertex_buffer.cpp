#include "platform/gl/gl_vertex_buffer.h"

#include <cstddef>
#include <cstring>
#include <utility>

#include "geometry/vertex.h"

namespace gfx {
namespace {

#ifdef BANNER_GL_ES
// OpenGL ES reads no BGRA vertex colours: it gets R and B swapped in each vertex's diffuse word.
void UploadWithRgbaColours(const std::vector<uint8_t>& vertices) {
    std::vector<uint8_t> upload(vertices);
    for (size_t at = offsetof(Vertex, Diffuse); at + 4 <= upload.size(); at += VertexStride) {
        std::swap(upload[at], upload[at + 2]);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(upload.size()), upload.data());
}
#endif

}  // namespace

HRESULT GlVertexBuffer::Create(std::shared_ptr<GlContext> context, uint32_t length,
                               GlVertexBuffer** buffer) {
    if (buffer == nullptr || length == 0 || !context->MakeCurrent()) {
        return E_FAIL;
    }
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(GL_ARRAY_BUFFER, name);
#ifdef BANNER_GL_ES
    std::vector<uint8_t> zeroes(length, 0);
    glBufferData(GL_ARRAY_BUFFER, length, zeroes.data(), GL_STATIC_DRAW);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &name);
        return E_FAIL;
    }
    *buffer = new GlVertexBuffer(std::move(context), length, name);
    (*buffer)->Kept = std::move(zeroes);
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
#ifdef BANNER_GL_ES
        Mapped = Kept.data();
#else
        glBindBuffer(GL_ARRAY_BUFFER, BufferName);
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
    UploadWithRgbaColours(Kept);
    return glGetError() == GL_NO_ERROR ? S_OK : E_FAIL;
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
