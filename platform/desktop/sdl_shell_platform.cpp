#include "platform/desktop/sdl_shell_platform.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <string_view>

#include "geometry/build_constants.h"
#include "platform/desktop/virtual_key.h"

namespace {

bool DrawsNowhere(std::string_view driver) {
    return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

// SDL_VIDEODRIVER may name several drivers, separated by commas.
bool Requested(std::string_view driver, std::string_view requested) {
    while (!requested.empty()) {
        const size_t comma = requested.find(',');
        if (requested.substr(0, comma) == driver) {
            return true;
        }
        requested = comma == std::string_view::npos ? "" : requested.substr(comma + 1);
    }
    return false;
}

}  // namespace

bool SdlShellPlatform::IsDisplay(const char* driver, const char* requested) {
    if (driver == nullptr) {
        return false;
    }
    return !DrawsNowhere(driver) || (requested != nullptr && Requested(driver, requested));
}

gfx::WindowHandle SdlShellPlatform::CreateWindow(shell::WindowProcedure& procedure,
                                                 std::string* error) {
    // SDL's X11 driver names every window's class after this variable when video starts.
    setenv("SDL_VIDEO_X11_WMCLASS", WindowClass, 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *error = std::string("no display: ") + SDL_GetError();
        return nullptr;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!IsDisplay(driver, std::getenv("SDL_VIDEODRIVER"))) {
        *error = std::string("no display (SDL fell back to its '") + driver +
                 "' video driver; is DISPLAY set?)";
        return nullptr;
    }
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS;
    SDL_Window* window = SDL_CreateWindow(WindowTitle, WindowX, WindowY, WindowWidth,
                                          ProgramConstants->WindowHeight, flags);
    if (window == nullptr) {
        *error = std::string("cannot create the window: ") + SDL_GetError();
        return nullptr;
    }
    // A native window's creation sends its procedure messages before the window is returned.
    Procedure = &procedure;
    Procedure->WindowProc({shell::EventKind::Created, 0});
    return window;
}

void SdlShellPlatform::ShowWindow(gfx::WindowHandle window) {
    SDL_ShowWindow(static_cast<SDL_Window*>(window));
}

void SdlShellPlatform::DestroyWindow(gfx::WindowHandle) {
    // The window itself stays: the device still refers to it, and the process ends next.
    Procedure->WindowProc({shell::EventKind::Destroy, 0});
}

bool SdlShellPlatform::DispatchMessage() {
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0) {
        return false;
    }
    Procedure->WindowProc(ShellEvent(event));
    return true;
}

void SdlShellPlatform::WaitForMessage(int milliseconds) {
    SDL_WaitEventTimeout(nullptr, milliseconds);
}

gfx::GraphicsSystem* SdlShellPlatform::CreateGraphicsSystem(std::string* error) {
    return CreateGraphics(error);
}

HRESULT SdlShellPlatform::CreateAudioEngine(audio::Engine** engine) {
    auto* created = new audio::SdlAudioEngine();
    if (const HRESULT result = created->Initialize(); Failed(result)) {
        AudioFailure = created->LastError();
        delete created;
        return result;
    }
    Audio = created;
    *engine = created;
    return S_OK;
}

std::string SdlShellPlatform::AudioError() const {
    return Audio != nullptr ? Audio->LastError() : AudioFailure;
}
