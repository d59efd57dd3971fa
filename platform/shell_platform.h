#pragma once

#include <string>

#include "platform/audio_engine.h"
#include "platform/graphics_system.h"
#include "platform/shell_event.h"

// What the application shell needs from the machine: its one window, the messages that reach the
// window procedure, and the graphics and audio platforms. Each platform has its own; tests put
// fakes in its place.
class ShellPlatform {
public:
    virtual ~ShellPlatform() = default;

    // The program's window, still hidden; the messages its creation sends, and every later one,
    // go to procedure. Null, with the reason, when there is no display.
    virtual gfx::WindowHandle CreateWindow(shell::WindowProcedure& procedure,
                                           std::string* error) = 0;
    virtual void ShowWindow(gfx::WindowHandle window) = 0;
    // Destroys the window; the procedure receives Destroy before this returns.
    virtual void DestroyWindow(gfx::WindowHandle window) = 0;

    // Hands the next waiting message to the window procedure; false when none waits.
    virtual bool DispatchMessage() = 0;
    // Waits until a message arrives, at most the given time, and leaves it queued.
    virtual void WaitForMessage(int milliseconds) = 0;

    // The top-level graphics object; null, with the reason, when graphics cannot be used.
    virtual gfx::GraphicsSystem* CreateGraphicsSystem(std::string* error) = 0;
    // A created and initialised audio engine, or the failing code (the engine is then gone).
    virtual HRESULT CreateAudioEngine(audio::Engine** engine) = 0;
    // Why the last audio operation failed, in words.
    virtual std::string AudioError() const = 0;
};
