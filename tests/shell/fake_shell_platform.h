#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell_platform.h"
#include "tests/shell/fake_graphics_system.h"
#include "tests/support/recording_audio.h"

// A platform whose window is a token, whose message queue is a script and whose graphics and audio
// are the recording doubles. Every call is written to the shared log.
class FakeShellPlatform final : public ShellPlatform {
public:
    explicit FakeShellPlatform(std::vector<std::string>& log) : Graphics(log), Log(log) {}

    gfx::WindowHandle CreateWindow(shell::WindowProcedure& procedure, std::string* error) override {
        Log.push_back("CreateWindow");
        if (!WindowError.empty()) {
            *error = WindowError;
            return nullptr;
        }
        // As a native window's creation does, before the window is returned.
        Procedure = &procedure;
        Procedure->WindowProc({shell::EventKind::Created, 0});
        return Window();
    }
    void ShowWindow(gfx::WindowHandle window) override {
        Log.push_back("ShowWindow");
        ShownWindow = window;
        ++ShowCount;
    }
    void DestroyWindow(gfx::WindowHandle) override {
        Log.push_back("DestroyWindow");
        Procedure->WindowProc({shell::EventKind::Destroy, 0});
    }
    bool DispatchMessage() override {
        if (Events.empty()) {
            return false;
        }
        const std::optional<shell::Event> next = Events.front();
        Events.pop_front();
        if (next) {
            Procedure->WindowProc(*next);
        }
        return next.has_value();
    }
    void WaitForMessage(int milliseconds) override {
        Log.push_back("WaitForMessage(" + std::to_string(milliseconds) + ")");
    }
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) override {
        Log.push_back("CreateGraphicsSystem");
        if (!GraphicsAvailable) {
            *error = "no graphics here";
            return nullptr;
        }
        return &Graphics;
    }
    HRESULT CreateAudioEngine(audio::Engine** engine) override {
        Log.push_back("CreateAudioEngine");
        if (Failed(AudioResult)) {
            return AudioResult;
        }
        *engine = &Audio;
        return S_OK;
    }
    std::string AudioError() const override { return "no audio device here"; }

    gfx::WindowHandle Window() { return &WindowToken; }
    // A message to be taken from the queue; an idle turn (no message waiting) in between.
    void QueueEvent(const shell::Event& event) { Events.emplace_back(event); }
    void QueueIdleTurn() { Events.emplace_back(std::nullopt); }

    FakeGraphicsSystem Graphics;
    testing_support::RecordingAudioEngine Audio;
    std::string WindowError;
    bool GraphicsAvailable = true;
    HRESULT AudioResult = S_OK;
    gfx::WindowHandle ShownWindow = nullptr;
    int ShowCount = 0;
    std::deque<std::optional<shell::Event>> Events;

private:
    shell::WindowProcedure* Procedure = nullptr;
    std::vector<std::string>& Log;
    int WindowToken = 0;
};
