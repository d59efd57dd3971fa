#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/result.h"
#include "platform/shell_platform.h"
#include "scene/talvo_scene.h"
#include "shell/fatal_box_counter.h"
#include "shell/light_switch.h"

// The program's top level: start-up in a fixed order, the message loop that renders a frame
// whenever no message waits, and the window procedure with Escape, the close request and the 'L'
// key.
class Application final : public shell::WindowProcedure {
public:
    static constexpr int ExitSuccess = 0;
    static constexpr int ExitFailure = 1;
    // How long the loop waits for a message after a turn that drew nothing.
    static constexpr int IdleWaitMilliseconds = 1;

    Application(ShellPlatform& platform, CTalvoScene& scene, LightSwitch& lights)
        : Platform(platform), Scene(scene), Lights(lights) {}
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the program to its end and gives its exit status: 0 when the show is over or the
    // window was closed, 1 after a failure, which one line on stderr (or its error box) names.
    // Returns with the window destroyed and the graphics released, whichever way it ended.
    int Run();

    // The start-up sequence up to the shown window; on failure, the exit status.
    std::optional<int> StartUp();
    // One turn of the message loop: a waiting message dispatched, or the scene's frame cycle.
    // Gives the exit status once the loop is over.
    std::optional<int> Turn();

    // Whether the window was destroyed and the loop is to end.
    bool QuitRequested() const { return QuitPosted; }

    HRESULT CreateGraphicsDevice(gfx::WindowHandle window);
    HRESULT CreateAudioEngine();
    void WindowProc(const shell::Event& event) override;

private:
    // The window's end: release the graphics objects, then leave the loop.
    void OnDestroy();
    void CloseWindow();
    void OnKeyDown(uint32_t key);
    void OnKeyUp(uint32_t key);
    int Fail(const std::string& what);
    int Fail(const std::string& what, HRESULT result);

    ShellPlatform& Platform;
    CTalvoScene& Scene;
    LightSwitch& Lights;
    FatalBoxCounter Boxes;
    gfx::WindowHandle Window = nullptr;
    bool WindowDestroyed = false;
    bool QuitPosted = false;
    // Set when an 'L' press is acted on, cleared when 'L' is released: one toggle per press,
    // however many repeats the keyboard sends.
    bool LKeyHeld = false;
};
