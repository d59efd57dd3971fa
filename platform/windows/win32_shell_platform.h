#pragma once

#include <string>

#include "platform/shell_platform.h"
#include "platform/windows/xaudio2_engine.h"

// The shell's platform on Windows: the program's window class and WS_POPUPWINDOW window, the
// thread's message queue, Direct3D 9 and XAudio2. Every message of the window reaches the window
// procedure, from its creation to its destruction and no further; the system's own handling (the
// close command, system keys) follows through the default procedure. One window at a time. The
// audio engine it makes lives as long as the platform: it ends, with its threads, before the
// process does.
class Win32ShellPlatform final : public ShellPlatform {
public:
    static constexpr const char* WindowClass = "D3D Tutorial";
    static constexpr const char* WindowTitle = "D3D Tutorial 03: Matrices";
    static constexpr int WindowX = 200;
    static constexpr int WindowY = 100;

    Win32ShellPlatform() = default;
    // Tears down, ends the audio engine, then unregisters the window class.
    ~Win32ShellPlatform() override;
    Win32ShellPlatform(const Win32ShellPlatform&) = delete;
    Win32ShellPlatform& operator=(const Win32ShellPlatform&) = delete;

    gfx::WindowHandle CreateWindow(shell::WindowProcedure& procedure, std::string* error) override;
    void ShowWindow(gfx::WindowHandle window) override;
    void DestroyWindow(gfx::WindowHandle window) override;
    bool DispatchMessage() override;
    void WaitForMessage(int milliseconds) override;
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) override;
    HRESULT CreateAudioEngine(audio::Engine** engine) override;
    std::string AudioError() const override { return AudioFailure; }

    // Destroys the window, if it still exists, without telling the procedure.
    void TearDown();

private:
    void* Window = nullptr;
    audio::XAudio2Engine* Audio = nullptr;
    std::string AudioFailure;
};
