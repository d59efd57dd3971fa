#pragma once

#include <SDL2/SDL_events.h>

#include <string>

#include "platform/audio_engine.h"
#include "platform/graphics_system.h"

struct SDL_Window;

// What the application shell needs from the machine: its one window, the event queue, and the
// graphics and audio platforms. The programs use SDL; tests put fakes in its place.
class ShellPlatform {
public:
    virtual ~ShellPlatform() = default;

    // The program's window, still hidden. Null, with the reason, when there is no display.
    virtual SDL_Window* CreateWindow(std::string* error) = 0;
    virtual void ShowWindow(SDL_Window* window) = 0;

    // Takes the next waiting event; false when none waits.
    virtual bool PollEvent(SDL_Event* event) = 0;
    // Waits until an event arrives, at most the given time, and leaves it queued.
    virtual void WaitForEvent(int milliseconds) = 0;

    // The top-level graphics object; null, with the reason, when graphics cannot be used.
    virtual gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) = 0;
    // A created and initialised audio engine, or the failing code (the engine is then gone).
    virtual HRESULT CreateAudioEngine(audio::Engine** engine) = 0;
    // Why the last audio operation failed, in words.
    virtual std::string AudioError() const = 0;
};
