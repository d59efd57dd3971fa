#pragma once

#include <memory>
#include <string>

#include "platform/desktop/sdl_audio_engine.h"
#include "platform/offscreen_platform.h"

struct SDL_Window;

// The offscreen platform over SDL: a hidden window on SDL's offscreen driver (software OpenGL,
// no X server) and SDL's dummy audio output.
class OffscreenShellPlatform final : public OffscreenPlatform {
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
    gfx::FrameCapture& CaptureFrames() override;
    void TearDown() override;

private:
    SDL_Window* Window = nullptr;
    shell::WindowProcedure* Procedure = nullptr;
    std::unique_ptr<audio::SdlAudioEngine> Audio;
    std::string AudioFailure;
};
