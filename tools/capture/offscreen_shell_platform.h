#pragma once

#include <memory>
#include <string>

#include "app/shell_platform.h"
#include "platform/sdl_audio_engine.h"

// The shell's platform for headless runs: a hidden window on SDL's offscreen driver (software
// OpenGL, no X server), SDL's dummy audio output, and no events but those handed in. Unlike the
// programs' platform it tears everything down again, so one process can play many shows.
class OffscreenShellPlatform final : public ShellPlatform {
public:
    OffscreenShellPlatform();
    ~OffscreenShellPlatform() override;
    OffscreenShellPlatform(const OffscreenShellPlatform&) = delete;
    OffscreenShellPlatform& operator=(const OffscreenShellPlatform&) = delete;

    SDL_Window* CreateWindow(std::string* error) override;
    void ShowWindow(SDL_Window*) override {}
    bool PollEvent(SDL_Event*) override { return false; }
    void WaitForEvent(int) override {}
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) override;
    HRESULT CreateAudioEngine(audio::Engine** engine) override;
    std::string AudioError() const override { return AudioFailure; }

    // Closes the audio output and the window; the device must be released first.
    void TearDown();

private:
    SDL_Window* Window = nullptr;
    std::unique_ptr<audio::SdlAudioEngine> Audio;
    std::string AudioFailure;
};
