#include "platform/desktop/offscreen_shell_platform.h"

#include <SDL2/SDL.h>

#include <cstdlib>

#include "geometry/build_constants.h"
#include "platform/desktop/gl_graphics_system.h"
#include "platform/process_globals.h"

std::unique_ptr<OffscreenPlatform> CreateOffscreenPlatform() {
    return std::make_unique<OffscreenShellPlatform>();
}

OffscreenShellPlatform::OffscreenShellPlatform() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // No window to close: Ctrl+C must end the tool, not queue a quit event nobody reads.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
}

OffscreenShellPlatform::~OffscreenShellPlatform() { TearDown(); }

gfx::WindowHandle OffscreenShellPlatform::CreateWindow(shell::WindowProcedure& procedure,
                                                       std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *error = std::string("no offscreen video: ") + SDL_GetError();
        return nullptr;
    }
    Window =
        SDL_CreateWindow("banner (offscreen)", 0, 0, WindowWidth, ProgramConstants->WindowHeight,
                         SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL);
    if (Window == nullptr) {
        *error = std::string("cannot create the offscreen window: ") + SDL_GetError();
        return nullptr;
    }
    // The program's window sends its creation messages to the procedure; so does this one.
    Procedure = &procedure;
    Procedure->WindowProc({shell::EventKind::Created, 0});
    return Window;
}

void OffscreenShellPlatform::DestroyWindow(gfx::WindowHandle) {
    Procedure->WindowProc({shell::EventKind::Destroy, 0});
}

gfx::GraphicsSystem* OffscreenShellPlatform::CreateGraphicsSystem(std::string* error) {
    return CreateGlGraphicsSystem(error);
}

HRESULT OffscreenShellPlatform::CreateAudioEngine(audio::Engine** engine) {
    Audio = std::make_unique<audio::SdlAudioEngine>();
    if (const HRESULT result = Audio->Initialize(); Failed(result)) {
        AudioFailure = Audio->LastError();
        Audio.reset();
        return result;
    }
    *engine = Audio.get();
    return S_OK;
}

gfx::FrameCapture& OffscreenShellPlatform::CaptureFrames() {
    auto& device = *static_cast<gfx::GlDevice*>(GraphicsDevice);
    device.SetSwapInterval(0);
    return device;
}

void OffscreenShellPlatform::TearDown() {
    Audio.reset();
    if (Window != nullptr) {
        SDL_DestroyWindow(Window);
        Window = nullptr;
    }
}
