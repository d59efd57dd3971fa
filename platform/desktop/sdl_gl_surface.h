#pragma once

#include <SDL2/SDL_video.h>

#include "platform/gl/gl_surface.h"

namespace gfx {

// An OpenGL context of SDL's, made for one SDL window.
class SdlGlSurface final : public GlSurface {
public:
    // Takes ownership of context, which must have been made for window.
    SdlGlSurface(SDL_Window* window, SDL_GLContext context) : Window(window), Context(context) {}
    ~SdlGlSurface() override { Destroy(); }
    SdlGlSurface(const SdlGlSurface&) = delete;
    SdlGlSurface& operator=(const SdlGlSurface&) = delete;

    bool MakeCurrent() override;
    void Destroy() override;
    void DrawableSize(int* width, int* height) override;
    void Swap() override;
    bool SetSwapInterval(int interval) override;
    void* ProcAddress(const char* name) override;
    std::string Error() const override;

private:
    SDL_Window* Window;
    SDL_GLContext Context;
};

}  // namespace gfx
