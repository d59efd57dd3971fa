#include "tools/capture/capture_session.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/application.h"
#include "app/build_constants.h"
#include "app/scene_light_switch.h"
#include "app/sdl_shell_platform.h"
#include "platform/clock.h"
#include "platform/gl_device.h"
#include "platform/gl_graphics_system.h"
#include "platform/message_box.h"
#include "platform/process_globals.h"
#include "scene/talvo_scene0001.h"

namespace {

constexpr uint32_t FrameStep = 40;

int Fail(const std::string& what) {
    std::fprintf(stderr, "banner_capture: %s\n", what.c_str());
    return 1;
}

SDL_Event KeyEvent(uint32_t type, SDL_Keycode key) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    return event;
}

std::string TimeText(uint32_t milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", milliseconds / 1000.0);
    return text;
}

}  // namespace

CaptureSession::CaptureSession(const CaptureOptions& options)
    : Options(options),
      AtDone(options.AtSeconds.size(), false),
      PressDone(options.PressSeconds.size(), false),
      Sheet(static_cast<int>(options.SheetColumns)) {}

int CaptureSession::Run() {
    // Headless on purpose: software OpenGL offscreen, audio that plays nowhere.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::StderrMessageBox boxes;
    platform::UseMessageBoxSink(&boxes);
    platform::VirtualClock clock(Options.StartTime);
    platform::UseClock(&clock);
    std::error_code ignored;
    std::filesystem::create_directories(Options.OutputDirectory, ignored);

    // Built as the program builds its scene: first, with the generator untouched.
    CTalvoScene0001 scene;
    SdlShellPlatform platform(CreateGlGraphicsSystem);
    SceneLightSwitch lights(scene);
    Application shell(platform, scene, lights);
    std::string reason;
    SDL_Window* window = platform.CreateWindow(&reason);
    if (window == nullptr) {
        return Fail(reason);
    }
    if (Failed(shell.CreateGraphicsDevice(window)) || Failed(shell.CreateAudioEngine()) ||
        Failed(scene.InitAudio()) || Failed(scene.InitResources())) {
        return Fail("start-up failed");
    }
    auto* device = static_cast<gfx::GlDevice*>(GraphicsDevice);
    device->SetSwapInterval(0);
    device->SetFrameCapture(true);

    Progress progress;
    uint32_t musicStart = 0;
    bool started = false;
    for (;;) {
        clock.Advance(FrameStep);
        const uint32_t showTime = started ? clock.Milliseconds() - musicStart : 0;
        for (size_t i = 0; i < Options.PressSeconds.size(); ++i) {
            if (!PressDone[i] && showTime >= Options.PressSeconds[i] * 1000.0) {
                PressDone[i] = true;
                shell.WindowProc(KeyEvent(SDL_KEYDOWN, SDLK_l));
                shell.WindowProc(KeyEvent(SDL_KEYUP, SDLK_l));
            }
        }
        const HRESULT result = scene.RenderFrame();
        if (!started) {
            started = true;
            musicStart = scene.GetPhaseStart();
        }
        if (scene.DrewFrame()) {
            progress.ShowTime = scene.GetNow() - musicStart;
            if (Wanted(progress) && !SaveFrame(progress)) {
                return Finish(1);
            }
            ++progress.Frame;
        }
        if (Failed(result)) {
            return Finish(scene.ShowFinished() ? 0 : Fail("a frame failed"));
        }
        if (Options.UntilSeconds >= 0 && progress.ShowTime >= Options.UntilSeconds * 1000.0) {
            return Finish(0);
        }
    }
}

bool CaptureSession::Wanted(const Progress& progress) {
    bool wanted = Options.Every > 0 && progress.Frame % Options.Every == 0;
    for (uint32_t frame : Options.Frames) {
        wanted = wanted || frame == progress.Frame;
    }
    for (size_t i = 0; i < Options.AtSeconds.size(); ++i) {
        if (!AtDone[i] && progress.ShowTime >= Options.AtSeconds[i] * 1000.0) {
            AtDone[i] = true;
            wanted = true;
        }
    }
    return wanted;
}

bool CaptureSession::SaveFrame(const Progress& progress) {
    RgbaImage image;
    auto* device = static_cast<gfx::GlDevice*>(GraphicsDevice);
    if (!device->ReadPresentedFrame(image.Pixels, image.Width, image.Height)) {
        Fail("cannot read the frame back");
        return false;
    }
    char name[96];
    std::snprintf(name, sizeof name, "%s_%05u_%07.2fs.png", ProgramConstants->ProgramName,
                  progress.Frame, progress.ShowTime / 1000.0);
    const std::string path = (std::filesystem::path(Options.OutputDirectory) / name).string();
    std::string error;
    if (!WritePng(path, image, &error)) {
        Fail(error);
        return false;
    }
    ++Saved;
    if (!Options.SheetPath.empty()) {
        Sheet.Add(image, "f" + std::to_string(progress.Frame) + " " + TimeText(progress.ShowTime) + "s");
    }
    return true;
}

int CaptureSession::Finish(int status) {
    if (status == 0 && !Options.SheetPath.empty() && !Sheet.Empty()) {
        std::string error;
        if (!WritePng(Options.SheetPath, Sheet.Compose(), &error)) {
            return Fail(error);
        }
    }
    std::fprintf(stderr, "banner_capture: %u frames written to %s\n", Saved,
                 Options.OutputDirectory.c_str());
    return status;
}
