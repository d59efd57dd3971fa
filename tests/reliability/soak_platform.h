#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/shell_platform.h"
#include "tests/shell/fake_graphics_system.h"
#include "tests/support/recording_audio.h"

// A platform for playing whole shows through the shell on the device double: time passes only
// while the loop waits for events, and scripted events arrive when their time comes.
class SoakPlatform final : public ShellPlatform {
public:
    struct TimedEvent {
        uint32_t ShowTime;  // ms after the first frame
        shell::Event Event;
    };

    SoakPlatform(platform::VirtualClock& clock, std::vector<TimedEvent> script)
        : Graphics(Log), Clock(clock), Script(script.begin(), script.end()) {}

    gfx::WindowHandle CreateWindow(shell::WindowProcedure& procedure, std::string*) override {
        Procedure = &procedure;
        Procedure->WindowProc({shell::EventKind::Created, 0});
        return &WindowToken;
    }
    void ShowWindow(gfx::WindowHandle) override { Start = Clock.Milliseconds(); }
    void DestroyWindow(gfx::WindowHandle) override {
        Procedure->WindowProc({shell::EventKind::Destroy, 0});
    }
    bool DispatchMessage() override {
        if (Script.empty() || Clock.Milliseconds() - Start < Script.front().ShowTime) {
            return false;
        }
        const shell::Event event = Script.front().Event;
        Script.pop_front();
        ++Delivered;
        Procedure->WindowProc(event);
        return true;
    }
    // Waiting is where time goes by; a frame's own work takes no virtual time.
    void WaitForMessage(int milliseconds) override {
        Clock.Advance(static_cast<uint32_t>(milliseconds));
    }
    gfx::GraphicsSystem* CreateGraphicsSystem(std::string*) override { return &Graphics; }
    HRESULT CreateAudioEngine(audio::Engine** engine) override {
        *engine = &Audio;
        return S_OK;
    }
    std::string AudioError() const override { return {}; }

    std::vector<std::string> Log;
    FakeGraphicsSystem Graphics;
    testing_support::RecordingAudioEngine Audio;
    int Delivered = 0;

private:
    platform::VirtualClock& Clock;
    std::deque<TimedEvent> Script;
    shell::WindowProcedure* Procedure = nullptr;
    uint32_t Start = 0;
    int WindowToken = 0;
};
