#pragma once

#include <memory>
#include <string>

#include "platform/offscreen_platform.h"
#include "platform/silent_audio_engine.h"
#include "platform/windows/win32_shell_platform.h"

// The offscreen platform on Windows: the program's own window, never shown, with a Direct3D 9
// device that presents without waiting, and silent audio.
class Win32OffscreenPlatform final : public OffscreenPlatform {
public:
    Win32OffscreenPlatform() = default;
    ~Win32OffscreenPlatform() override { TearDown(); }
    Win32OffscreenPlatform(const Win32OffscreenPlatform&) = delete;
    Win32OffscreenPlatform& operator=(const Win32OffscreenPlatform&) = delete;

    gfx::WindowHandle CreateWindow(shell::WindowProcedure& procedure, std::string* error) override {
        return Shell.CreateWindow(procedure, error);
    }
    void ShowWindow(gfx::WindowHandle) override {}
    void DestroyWindow(gfx::WindowHandle window) override { Shell.DestroyWindow(window); }
    bool DispatchMessage() override { return false; }
    void WaitForMessage(int) override {}
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) override;
    HRESULT CreateAudioEngine(audio::Engine** engine) override;
    std::string AudioError() const override { return {}; }
    gfx::FrameCapture& CaptureFrames() override;
    void TearDown() override;
    void SampleBilinearly() override { Bilinear = true; }

private:
    Win32ShellPlatform Shell;
    bool Bilinear = false;
    std::unique_ptr<SilentAudioEngine> Audio;
};
