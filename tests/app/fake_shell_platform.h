#pragma once

#include <SDL2/SDL_events.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/shell_platform.h"
#include "tests/app/fake_graphics_system.h"
#include "tests/support/recording_audio.h"

// A platform whose window is a token, whose event queue is a script and whose graphics and audio
// are the recording doubles. Every call is written to the shared log.
class FakeShellPlatform final : public ShellPlatform {
public:
    explicit FakeShellPlatform(std::vector<std::string>& log) : Graphics(log), Log(log) {}

    SDL_Window* CreateWindow(std::string* error) override {
        Log.push_back("CreateWindow");
        if (!WindowError.empty()) {
            *error = WindowError;
            return nullptr;
        }
        return Window();
    }
    void ShowWindow(SDL_Window* window) override {
        Log.push_back("ShowWindow");
        ShownWindow = window;
        ++ShowCount;
    }
    bool PollEvent(SDL_Event* event) override {
        if (Events.empty()) {
            return false;
        }
        const std::optional<SDL_Event> next = Events.front();
        Events.pop_front();
        if (next) {
            *event = *next;
        }
        return next.has_value();
    }
    void WaitForEvent(int milliseconds) override {
        Log.push_back("WaitForEvent(" + std::to_string(milliseconds) + ")");
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

    SDL_Window* Window() { return reinterpret_cast<SDL_Window*>(&WindowToken); }
    // An event to be taken from the queue; an idle turn (no event waiting) in between.
    void QueueEvent(const SDL_Event& event) { Events.emplace_back(event); }
    void QueueIdleTurn() { Events.emplace_back(std::nullopt); }

    FakeGraphicsSystem Graphics;
    testing_support::RecordingAudioEngine Audio;
    std::string WindowError;
    bool GraphicsAvailable = true;
    HRESULT AudioResult = S_OK;
    SDL_Window* ShownWindow = nullptr;
    int ShowCount = 0;
    std::deque<std::optional<SDL_Event>> Events;

private:
    std::vector<std::string>& Log;
    int WindowToken = 0;
};
