#pragma once

#include <string>

#include "app/shell_platform.h"
#include "platform/sdl_audio_engine.h"

// The shell's platform over SDL: an X11 (or other real) window, SDL's event queue, the graphics
// system the program was built with and the SDL audio engine. The window and the engine live
// until the process ends: the device and the scene's resources still refer to them at exit.
class SdlShellPlatform final : public ShellPlatform {
public:
    using GraphicsSystemFactory = gfx::GraphicsSystem* (*)(std::string* error);

    static constexpr const char* WindowClass = "D3D Tutorial";
    static constexpr const char* WindowTitle = "D3D Tutorial 03: Matrices";
    static constexpr int WindowX = 200;
    static constexpr int WindowY = 100;

    explicit SdlShellPlatform(GraphicsSystemFactory createGraphicsSystem)
        : CreateGraphics(createGraphicsSystem) {}

    // A driver that draws nowhere counts as a display only when the user asked for it.
    static bool IsDisplay(const char* driver, const char* requested);

    SDL_Window* CreateWindow(std::string* error) override;
    void ShowWindow(SDL_Window* window) override;
    bool PollEvent(SDL_Event* event) override;
    void WaitForEvent(int milliseconds) override;
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) override;
    HRESULT CreateAudioEngine(audio::Engine** engine) override;
    std::string AudioError() const override;

private:
    GraphicsSystemFactory CreateGraphics;
    audio::SdlAudioEngine* Audio = nullptr;
    std::string AudioFailure;
};
