#pragma once

#include <SDL2/SDL_video.h>

namespace gfx {

class GlTexture;
class GlVertexBuffer;

// The OpenGL context of one device, shared with every resource the device made. A resource
// released after the device finds the context gone and only frees its own memory; one released
// before it unbinds itself so that the device never draws with a freed resource.
class GlContext {
  public:
    // Takes ownership of context, which must have been made for window.
    GlContext(SDL_Window* window, SDL_GLContext context);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    bool Alive() const { return Context != nullptr; }
    // Makes the context current on this thread; false once it has been destroyed.
    bool MakeCurrent();
    // Deletes the context and every GL object in it.
    void Destroy();

    SDL_Window* Window() const { return WindowHandle; }

    // The device's bindings, kept here so that a released resource can drop itself from them.
    GlTexture* BoundTexture = nullptr;
    GlVertexBuffer* StreamSource = nullptr;
    bool StreamChanged = true;

  private:
    SDL_Window* WindowHandle;
    SDL_GLContext Context;
};

}  // namespace gfx
