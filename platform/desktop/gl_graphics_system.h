#pragma once

#include <SDL2/SDL_video.h>

#include <string>

#include "platform/gl/gl_device.h"
#include "platform/graphics_system.h"

namespace gfx {

// The graphics system over SDL's video subsystem and OpenGL. It keeps the video subsystem
// initialised while it exists and makes OpenGL 3.3 core devices for windows made with
// SDL_WINDOW_OPENGL.
class GlGraphicsSystem final : public GraphicsSystem {
public:
    struct Options {
        // The context version asked for; tests ask for more than exists to see a clean failure.
        int ContextMajor = 3;
        int ContextMinor = 3;
        GlDevice::Options Device;
    };
    // Set to 1, this variable makes every device take the plain path (Options::Optimise false).
    static constexpr const char* UnoptimisedVariable = "BANNER_GL_UNOPTIMISED";

    // Null, with a one-line reason in *error, when SDL has no usable video driver or OpenGL.
    static GlGraphicsSystem* Create(std::string* error);

    // The device is a GlDevice. Fails with E_FAIL, and a reason in LastError, when no OpenGL 3.3
    // core context can be had for the window.
    HRESULT CreateDevice(WindowHandle window, const PresentParameters& parameters,
                         Device** device) override;
    void Release() override;

    void SetOptions(const Options& options) { Settings = options; }
    const std::string& LastError() const { return Error; }

private:
    GlGraphicsSystem() = default;
    ~GlGraphicsSystem() override = default;
    SDL_GLContext CreateContext(SDL_Window* window);

    Options Settings;
    std::string Error;
};

}  // namespace gfx

// The stand-in for creating Direct3D's top-level object: a GlGraphicsSystem, or null with a
// one-line reason in *error when the graphics platform is unusable.
gfx::GraphicsSystem* CreateGlGraphicsSystem(std::string* error);
