#pragma once

#include <SDL2/SDL_events.h>

#include <cstdint>
#include <string>

#include "app/fatal_box_counter.h"
#include "app/light_switch.h"
#include "app/shell_platform.h"
#include "platform/result.h"
#include "scene/talvo_scene.h"

// The program's top level: start-up in a fixed order, the event loop that renders a frame
// whenever no event waits, and the window procedure with Escape, the close request and the 'L'
// key.
class Application {
public:
    static constexpr int ExitSuccess = 0;
    static constexpr int ExitFailure = 1;
    // How long the loop waits for an event after a turn that drew nothing.
    static constexpr int IdleWaitMilliseconds = 1;

    Application(ShellPlatform& platform, CTalvoScene& scene, LightSwitch& lights)
        : Platform(platform), Scene(scene), Lights(lights) {}
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the program to its end and gives its exit status: 0 when the show is over or the
    // window was closed, 1 after a failure, which one line on stderr (or its error box) names.
    int Run();

    // Whether the window was destroyed and the loop is to end.
    bool QuitRequested() const { return QuitPosted; }

    HRESULT CreateGraphicsDevice(SDL_Window* window);
    HRESULT CreateAudioEngine();
    void WindowProc(const SDL_Event& event);

private:
    int RunMessageLoop();
    // The window's end: release the graphics objects, then leave the loop.
    void DestroyWindow();
    void OnKeyDown(uint32_t key);
    void OnKeyUp(uint32_t key);
    int Fail(const std::string& what);
    int Fail(const std::string& what, HRESULT result);

    ShellPlatform& Platform;
    CTalvoScene& Scene;
    LightSwitch& Lights;
    FatalBoxCounter Boxes;
    bool WindowDestroyed = false;
    bool QuitPosted = false;
    // Set when an 'L' press is acted on, cleared when 'L' is released: one toggle per press,
    // however many repeats the keyboard sends.
    bool LKeyHeld = false;
};
