#pragma once

#include <deque>
#include <memory>
#include <string>

#include "platform/gl/gl_device.h"
#include "platform/shell_platform.h"
#include "platform/web/web_audio_engine.h"

// The shell's platform in the page: the canvas as the window, the page's key events as the
// window's messages, WebGL 2 and the page's Web Audio player. The browser's event loop does the
// waiting: the page turns the program's loop from its own callbacks, so nothing here blocks.
class WebShellPlatform final : public ShellPlatform {
public:
    // canvas: the CSS selector of the canvas to draw into.
    explicit WebShellPlatform(std::string canvas) : Canvas(std::move(canvas)) {}
    WebShellPlatform(const WebShellPlatform&) = delete;
    WebShellPlatform& operator=(const WebShellPlatform&) = delete;

    gfx::WindowHandle CreateWindow(shell::WindowProcedure& procedure, std::string* error) override;
    void ShowWindow(gfx::WindowHandle) override {}
    void DestroyWindow(gfx::WindowHandle window) override;
    bool DispatchMessage() override;
    void WaitForMessage(int) override {}
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) override;
    HRESULT CreateAudioEngine(audio::Engine** engine) override;
    std::string AudioError() const override { return AudioFailure; }

    // A message from the page, handed to the window procedure by a later DispatchMessage.
    void Post(const shell::Event& event) { Queue.push_back(event); }
    // Gives the device made on the canvas a back buffer of the canvas's new size; false when
    // there is none to resize. Only while the device lives.
    bool ResizeBackBuffer(int width, int height);

private:
    std::string Canvas;
    shell::WindowProcedure* Procedure = nullptr;
    std::deque<shell::Event> Queue;
    gfx::GlDevice* Device = nullptr;
    std::unique_ptr<audio::WebAudioEngine> Audio;
    std::string AudioFailure;
};
