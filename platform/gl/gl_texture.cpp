#include "platform/gl/gl_texture.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/gl/gl_same_bytes.h"

namespace gfx {
namespace {

// OpenGL ES takes no BGRA: there the texels go up as they are and the shader swaps them back.
#ifdef BANNER_GL_ES
constexpr GLenum TexelFormat = GL_RGBA;
#else
constexpr GLenum TexelFormat = GL_BGRA;
#endif

uint32_t FullChainLength(uint32_t width, uint32_t height) {
    return static_cast<uint32_t>(std::bit_width(std::max(width, height)));
}

GLuint MakeLevel0(uint32_t width, uint32_t height) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, TexelFormat, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return name;
}

}  // namespace

HRESULT GlTexture::Create(std::shared_ptr<GlContext> context, uint32_t width, uint32_t height,
                          uint32_t levels, GlTexture** texture) {
    if (texture == nullptr || width == 0 || height == 0 || !context->MakeCurrent()) {
        return E_FAIL;
    }
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width > static_cast<uint32_t>(maxSize) || height > static_cast<uint32_t>(maxSize)) {
        return E_FAIL;
    }
    GLuint name = MakeLevel0(width, height);
    if (GlReportsError()) {
        glDeleteTextures(1, &name);
        return E_FAIL;
    }
    context->BoundTextureName = name;
    uint32_t chain = FullChainLength(width, height);
    uint32_t count = levels == 0 ? chain : std::min(levels, chain);
    *texture = new GlTexture(std::move(context), width, height, count, name);
    return S_OK;
}

GlTexture::GlTexture(std::shared_ptr<GlContext> context, uint32_t width, uint32_t height,
                     uint32_t levels, GLuint name)
    : Context(std::move(context)),
      TextureWidth(width),
      TextureHeight(height),
      Levels(levels),
      TextureName(name) {}

HRESULT GlTexture::LockRect(uint32_t level, LockedRect* locked, const Rect* rect,
                            uint32_t /*flags*/) {
    if (level != 0 || locked == nullptr || !Context->MakeCurrent()) {
        return E_FAIL;
    }
    size_t offset = 0;
    if (rect != nullptr) {
        bool inside = rect->Left >= 0 && rect->Top >= 0 && rect->Left < rect->Right &&
                      rect->Top < rect->Bottom &&
                      static_cast<uint32_t>(rect->Right) <= TextureWidth &&
                      static_cast<uint32_t>(rect->Bottom) <= TextureHeight;
        if (!inside) {
            return E_FAIL;
        }
        offset = static_cast<size_t>(rect->Top) * Pitch() + static_cast<size_t>(rect->Left) * 4;
    }
    if (Written == nullptr) {
        BeginLock();
    }
    locked->Pitch = static_cast<int32_t>(Pitch());
    locked->Bits = Written->data() + offset;
    return S_OK;
}

void GlTexture::BeginLock() {
    bool shared = !Context->LockBuffersInUse;
    Context->LockBuffersInUse = Context->LockBuffersInUse || shared;
    Written = shared ? &Context->LockWritten : &OwnWritten;
    Original = shared ? &Context->LockOriginal : &OwnOriginal;
    Written->resize(ByteSize());
    if (!Uploaded) {
        std::fill(Written->begin(), Written->end(), 0);
    } else {
#ifdef BANNER_GL_ES
        Written->assign(Kept.begin(), Kept.end());
#else
        glBindTexture(GL_TEXTURE_2D, TextureName);
        Context->BoundTextureName = TextureName;
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, Written->data());
#endif
    }
#ifndef BANNER_GL_ES
    // Generators lock their textures every frame and often write what is there already; an
    // upload makes the driver wait for the draws that still read the texture.
    if (Context->Optimise && Uploaded) {
        Original->assign(Written->begin(), Written->end());
    }
#endif
}

bool GlTexture::Changed() const {
    if (!Context->Optimise || !Uploaded) {
        return true;
    }
#ifdef BANNER_GL_ES
    return !SameBytes(Written->data(), Kept.data(), ByteSize());
#else
    return std::memcmp(Written->data(), Original->data(), ByteSize()) != 0;
#endif
}

void GlTexture::EndLock() {
    // The largest texture, locked once at start-up, would otherwise keep 8 MB of buffers.
    constexpr size_t KeptBytes = size_t{1} << 20;
    if (Written == &Context->LockWritten) {
        Context->LockBuffersInUse = false;
        if (Written->size() > KeptBytes) {
            Context->LockWritten = {};
            Context->LockOriginal = {};
        }
    } else {
        OwnWritten = {};
        OwnOriginal = {};
    }
    Written = Original = nullptr;
}

HRESULT GlTexture::UnlockRect(uint32_t level) {
    if (level != 0 || Written == nullptr || !Context->MakeCurrent()) {
        return E_FAIL;
    }
    if (Changed()) {
#ifdef BANNER_GL_ES
        // GL gets the texels when a draw first samples them: most textures made at start-up are
        // written again before they are ever drawn.
        Kept.swap(*Written);
        if (!Pending) {
            Context->Waiting.push_back(this);
        }
        Pending = true;
        Uploaded = true;
#else
        Upload(Written->data());
#endif
    }
    EndLock();
    return S_OK;
}

void GlTexture::Prepare() {
#ifdef BANNER_GL_ES
    if (Pending) {
        Upload(Kept.data());
        Pending = false;
    }
#endif
}

void GlTexture::PrepareWaiting([[maybe_unused]] GlContext& context,
                               [[maybe_unused]] size_t bytes) {
#ifdef BANNER_GL_ES
    size_t sent = 0;
    while (sent < bytes && !context.Waiting.empty()) {
        GlTexture* texture = context.Waiting.front();
        context.Waiting.pop_front();
        if (texture->Pending) {
            texture->Prepare();
            sent += texture->ByteSize();
        }
    }
#endif
}

void GlTexture::Upload(const uint8_t* texels) {
#ifndef BANNER_GL_ES
    if (Context->Optimise && Uploaded) {
        ReplaceStorage();
    }
#endif
    glBindTexture(GL_TEXTURE_2D, TextureName);
    Context->BoundTextureName = TextureName;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(Pitch() / 4));
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, static_cast<GLsizei>(TextureWidth),
                    static_cast<GLsizei>(TextureHeight), TexelFormat, GL_UNSIGNED_BYTE, texels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    Uploaded = true;
}

// The software rasteriser may still count a texture as read by draws it has already finished;
// writing into it then hands the frame's draws so far over and waits for them, at every upload
// of a generated texture. A texture of its own that no draw has read never waits.
void GlTexture::ReplaceStorage() {
    if (Context->BoundTextureName == TextureName) {
        Context->BoundTextureName = 0;
    }
    glDeleteTextures(1, &TextureName);
    TextureName = MakeLevel0(TextureWidth, TextureHeight);
    Context->BoundTextureName = TextureName;
}

void GlTexture::Release() {
    if (Context->BoundTexture == this) {
        Context->BoundTexture = nullptr;
    }
#ifdef BANNER_GL_ES
    std::erase(Context->Waiting, this);
#endif
    if (Written != nullptr) {
        EndLock();
    }
    if (Context->BoundTextureName == TextureName) {
        Context->BoundTextureName = 0;
    }
    if (Context->MakeCurrent()) {
        glDeleteTextures(1, &TextureName);
    }
    delete this;
}

}  // namespace gfx
