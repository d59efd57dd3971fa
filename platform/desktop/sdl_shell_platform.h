#pragma once

#include <string>

#include "platform/desktop/sdl_audio_engine.h"
#include "platform/shell_platform.h"

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

    gfx::WindowHandle CreateWindow(shell::WindowProcedure& procedure, std::string* error) override;
    void ShowWindow(gfx::WindowHandle window) override;
    void DestroyWindow(gfx::WindowHandle window) override;
    bool DispatchMessage() override;
    void WaitForMessage(int milliseconds) override;
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) override;
    HRESULT CreateAudioEngine(audio::Engine** engine) override;
    std::string AudioError() const override;

private:
    GraphicsSystemFactory CreateGraphics;
    shell::WindowProcedure* Procedure = nullptr;
    audio::SdlAudioEngine* Audio = nullptr;
    std::string AudioFailure;
};
