#pragma once

#include <memory>
#include <string>

#include "platform/shell_platform.h"

struct SDL_Window;
#include "platform/desktop/sdl_audio_engine.h"

// The shell's platform for headless runs: a hidden window on SDL's offscreen driver (software
// OpenGL, no X server), SDL's dummy audio output, and no events but those handed in. Unlike the
// programs' platform it tears everything down again, so one process can play many shows.
class OffscreenShellPlatform final : public ShellPlatform {
public:
    OffscreenShellPlatform();
    ~OffscreenShellPlatform() override;
    OffscreenShellPlatform(const OffscreenShellPlatform&) = delete;
    OffscreenShellPlatform& operator=(const OffscreenShellPlatform&) = delete;

    gfx::WindowHandle CreateWindow(shell::WindowProcedure& procedure, std::string* error) override;
    void ShowWindow(gfx::WindowHandle) override {}
    void DestroyWindow(gfx::WindowHandle) override;
    bool DispatchMessage() override { return false; }
    void WaitForMessage(int) override {}
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) override;
    HRESULT CreateAudioEngine(audio::Engine** engine) override;
    std::string AudioError() const override { return AudioFailure; }

    // Closes the audio output and the window; the device must be released first.
    void TearDown();

private:
    SDL_Window* Window = nullptr;
    shell::WindowProcedure* Procedure = nullptr;
    std::unique_ptr<audio::SdlAudioEngine> Audio;
    std::string AudioFailure;
};
