#pragma once

#include <string>

namespace gfx {

// What the device needs of the window system around its OpenGL context: an SDL window on the
// desktop, a canvas in the browser. The surface owns the context.
class GlSurface {
public:
    virtual ~GlSurface() = default;

    // Makes the context current on this thread; false once it has been destroyed.
    virtual bool MakeCurrent() = 0;
    // Deletes the context and every GL object in it.
    virtual void Destroy() = 0;
    // The size in pixels of what the default framebuffer shows.
    virtual void DrawableSize(int* width, int* height) = 0;
    // Shows what was drawn into the default framebuffer.
    virtual void Swap() = 0;
    // How many vertical syncs Swap waits for; false if the window system refuses.
    virtual bool SetSwapInterval(int interval) = 0;
    // An entry point beyond the ones linked directly; null where there is none.
    virtual void* ProcAddress(const char* name) = 0;
    // Why the last operation failed, in words.
    virtual std::string Error() const = 0;
};

}  // namespace gfx
