#include "platform/desktop/sdl_gl_surface.h"

#include <SDL2/SDL.h>

namespace gfx {

bool SdlGlSurface::MakeCurrent() {
    if (Context == nullptr) {
        return false;
    }
    if (SDL_GL_GetCurrentContext() == Context) {
        return true;
    }
    return SDL_GL_MakeCurrent(Window, Context) == 0;
}

void SdlGlSurface::Destroy() {
    if (Context != nullptr) {
        SDL_GL_DeleteContext(Context);
        Context = nullptr;
    }
}

void SdlGlSurface::DrawableSize(int* width, int* height) {
    SDL_GL_GetDrawableSize(Window, width, height);
}

void SdlGlSurface::Swap() { SDL_GL_SwapWindow(Window); }

bool SdlGlSurface::SetSwapInterval(int interval) {
    return MakeCurrent() && SDL_GL_SetSwapInterval(interval) == 0;
}

void* SdlGlSurface::ProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

std::string SdlGlSurface::Error() const { return SDL_GetError(); }

}  // namespace gfx
