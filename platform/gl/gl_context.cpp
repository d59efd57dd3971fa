#include "platform/gl/gl_context.h"

namespace gfx {

GlContext::GlContext(SDL_Window* window, SDL_GLContext context)
    : WindowHandle(window), Context(context) {}

GlContext::~GlContext() { Destroy(); }

bool GlContext::MakeCurrent() {
    if (Context == nullptr) {
        return false;
    }
    if (SDL_GL_GetCurrentContext() == Context) {
        return true;
    }
    return SDL_GL_MakeCurrent(WindowHandle, Context) == 0;
}

void GlContext::Destroy() {
    if (Context == nullptr) {
        return;
    }
    SDL_GL_DeleteContext(Context);
    Context = nullptr;
    BoundTexture = nullptr;
    StreamSource = nullptr;
}

}  // namespace gfx
