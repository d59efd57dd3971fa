#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/gl/gl_buffer_staging.h"
#include "platform/gl/gl_surface.h"

namespace gfx {

class GlTexture;
class GlVertexBuffer;

// The OpenGL context of one device, shared with every resource the device made. A resource
// released after the device finds the context gone and only frees its own memory; one released
// before it unbinds itself so that the device never draws with a freed resource.
class GlContext {
public:
    explicit GlContext(std::unique_ptr<GlSurface> surface);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    bool Alive() const { return Live; }
    // Makes the context current on this thread; false once it has been destroyed.
    bool MakeCurrent();
    // Deletes the context and every GL object in it.
    void Destroy();

    GlSurface& Surface() const { return *Window; }

    // The device's bindings, kept here so that a released resource can drop itself from them.
    GlTexture* BoundTexture = nullptr;
    GlVertexBuffer* StreamSource = nullptr;
    bool StreamChanged = true;
    // The texture GL has bound, as far as the device knows; resources that bind their own say so.
    unsigned int BoundTextureName = 0;
    // The device's Options::Optimise, for the resources.
    bool Optimise = true;
    // Where a locked texture is written, and what it held when locked: textures keep their
    // texels only in GL (on OpenGL ES a copy of them too). One texture at a time uses these;
    // another locked meanwhile makes its own.
    std::vector<uint8_t> LockWritten;
    std::vector<uint8_t> LockOriginal;
    bool LockBuffersInUse = false;
#ifdef BANNER_GL_ES
    GlBufferStaging::Spares SpareStaging;
    // Textures written since GL last had their texels, oldest first; some may have had them
    // since, on being drawn.
    std::deque<GlTexture*> Waiting;
#endif

private:
    std::unique_ptr<GlSurface> Window;
    bool Live = true;
};

}  // namespace gfx
