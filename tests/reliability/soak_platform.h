#pragma once

#include <SDL2/SDL_events.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "app/shell_platform.h"
#include "platform/clock.h"
#include "tests/app/fake_graphics_system.h"
#include "tests/support/recording_audio.h"

// A platform for playing whole shows through the shell on the device double: time passes only
// while the loop waits for events, and scripted events arrive when their time comes.
class SoakPlatform final : public ShellPlatform {
public:
    struct TimedEvent {
        uint32_t ShowTime;  // ms after the first frame
        SDL_Event Event;
    };

    SoakPlatform(platform::VirtualClock& clock, std::vector<TimedEvent> script)
        : Graphics(Log), Clock(clock), Script(script.begin(), script.end()) {}

    SDL_Window* CreateWindow(std::string*) override {
        return reinterpret_cast<SDL_Window*>(&WindowToken);
    }
    void ShowWindow(SDL_Window*) override { Start = Clock.Milliseconds(); }
    bool PollEvent(SDL_Event* event) override {
        if (Script.empty() || Clock.Milliseconds() - Start < Script.front().ShowTime) {
            return false;
        }
        *event = Script.front().Event;
        Script.pop_front();
        ++Delivered;
        return true;
    }
    // Waiting is where time goes by; a frame's own work takes no virtual time.
    void WaitForEvent(int milliseconds) override {
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
    uint32_t Start = 0;
    int WindowToken = 0;
};
