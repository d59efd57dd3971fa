#pragma once

#include <memory>
#include <optional>
#include <string>

#include "geometry/build_constants.h"
#include "platform/clock.h"
#include "platform/web/web_shell_platform.h"
#include "scene/talvo_scene0001.h"
#include "shell/application.h"
#include "shell/scene_light_switch.h"

// One show in the page, built as a fresh run of the program builds it (the generator in its
// first state, light indices from 1, a new scene), with the program's shell on the page's
// platform. Destroying it ends the show: the music stops and the graphics are released. The
// page builds another to play again.
class WebShow {
public:
    // timeGetTime reads clock while the show exists.
    WebShow(const BuildConstants& constants, platform::Clock& clock, const std::string& canvas);
    ~WebShow();
    WebShow(const WebShow&) = delete;
    WebShow& operator=(const WebShow&) = delete;

    // The program's start-up; on failure, the exit status.
    std::optional<int> StartUp() { return Shell->StartUp(); }
    // One turn of the program's loop; the exit status once it is over.
    std::optional<int> Turn();
    // A message from the page, for a later turn.
    void Post(const shell::Event& event) { Platform.Post(event); }
    // A back buffer of the canvas's new size for the frames to come; false without a device.
    bool ResizeBackBuffer(int width, int height);

    // As the capture tool drives the show: a key pressed and released straight through the
    // window procedure, and the scene's frame cycle without the loop around it.
    void PressKey(uint32_t key);
    HRESULT RenderFrame();
    bool QuitRequested() const { return Shell->QuitRequested(); }

    const CTalvoScene0001& Scene() const { return *TheScene; }
    // The clock's reading at which the scene draws its next frame.
    uint32_t NextFrameDue() const;
    // Milliseconds the show's clock has run since the music started (0 before).
    uint32_t ShowTime() const;

private:
    void NoteMusicStart();

    WebShellPlatform Platform;
    std::unique_ptr<CTalvoScene0001> TheScene;
    std::unique_ptr<SceneLightSwitch> Lights;
    std::unique_ptr<Application> Shell;
    // The clock's reading when the music started (phases restart the scene's own origin).
    std::optional<uint32_t> MusicStart;
};
