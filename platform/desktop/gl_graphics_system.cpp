#include "platform/desktop/gl_graphics_system.h"

#include <SDL2/SDL.h>

#include <cstdlib>

#include "platform/desktop/sdl_gl_surface.h"
#include "platform/gl/gl_api.h"
#include "platform/gl/gl_scratch_memory.h"

namespace gfx {

GlGraphicsSystem* GlGraphicsSystem::Create(std::string* error) {
    PrepareHeapForDriver();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *error = std::string("no usable video driver: ") + SDL_GetError();
        return nullptr;
    }
    if (SDL_GL_LoadLibrary(nullptr) != 0) {
        *error = std::string("no usable OpenGL library: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return new GlGraphicsSystem();
}

void GlGraphicsSystem::Release() {
    SDL_GL_UnloadLibrary();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    delete this;
}

HRESULT GlGraphicsSystem::CreateDevice(WindowHandle handle, const PresentParameters& parameters,
                                       Device** device) {
    auto* window = static_cast<SDL_Window*>(handle);
    if (window == nullptr || device == nullptr) {
        Error = "no window to draw into";
        return E_FAIL;
    }
    SDL_GLContext context = CreateContext(window);
    if (context == nullptr) {
        return E_FAIL;
    }
    GlDevice::Options options = Settings.Device;
    const char* unoptimised = std::getenv(UnoptimisedVariable);
    if (unoptimised != nullptr && std::string(unoptimised) == "1") {
        options.Optimise = false;
    }
    GlDevice* created = nullptr;
    auto surface = std::make_unique<SdlGlSurface>(window, context);
    if (Failed(GlDevice::Create(std::move(surface), parameters, options, &created, &Error))) {
        return E_FAIL;
    }
    *device = created;
    return S_OK;
}

SDL_GLContext GlGraphicsSystem::CreateContext(SDL_Window* window) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, Settings.ContextMajor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, Settings.ContextMinor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        Error = "no OpenGL " + std::to_string(Settings.ContextMajor) + "." +
                std::to_string(Settings.ContextMinor) + " core context: " + SDL_GetError();
        return nullptr;
    }
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    if (major < Settings.ContextMajor ||
        (major == Settings.ContextMajor && minor < Settings.ContextMinor)) {
        Error = "OpenGL " + std::to_string(major) + "." + std::to_string(minor) +
                " is older than the " + std::to_string(Settings.ContextMajor) + "." +
                std::to_string(Settings.ContextMinor) + " core profile needed";
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    return context;
}

}  // namespace gfx

gfx::GraphicsSystem* CreateGlGraphicsSystem(std::string* error) {
    return gfx::GlGraphicsSystem::Create(error);
}
