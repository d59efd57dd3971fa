#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "headless/draw_switch_device.h"
#include "headless/rgba_image.h"
#include "headless/show_timing.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/offscreen_platform.h"
#include "scene/talvo_scene0001.h"
#include "shell/application.h"
#include "shell/scene_light_switch.h"

// The show played headless: the programs' own start-up (window, device, audio engine, music
// voice, scene resources) on an offscreen window of the platform it is built for, then
// frames on a virtual clock. Each show is built as a fresh process would build it, so several can
// be played one after another.
class OffscreenShow {
public:
    struct Frame {
        HRESULT Result = S_OK;  // what RenderFrame returned
        bool Drawn = false;
        uint32_t Number = 0;    // drawn frames before this one
        uint32_t ShowTime = 0;  // ms since the music started
    };

    // The clock reads startTime at start-up.
    explicit OffscreenShow(uint32_t startTime);
    ~OffscreenShow();
    OffscreenShow(const OffscreenShow&) = delete;
    OffscreenShow& operator=(const OffscreenShow&) = delete;

    // Before StartUp: the device is to sample textures bilinearly, as the OpenGL device does.
    void SampleBilinearly() { Platform->SampleBilinearly(); }
    // False with the reason when any start-up step fails.
    bool StartUp(std::string* error);
    // Moves the clock on by step ms and lets the scene render.
    Frame Advance(uint32_t step = ShowFrameStep);
    // A key press and release (a virtual-key code) through the window procedure, between frames.
    void PressKey(uint32_t key);
    // Any message through the window procedure.
    void Send(const shell::Event& event) { Shell->WindowProc(event); }
    // Whether Present keeps each frame for ReadFrame (on after start-up; reading frames back
    // stalls the pipeline).
    void SetFrameCapture(bool capture) { Frames->SetFrameCapture(capture); }
    // The last drawn frame as RGBA pixels.
    bool ReadFrame(RgbaImage* image) const;
    // Whether the next frames are rasterised and kept. Off, every step of the show still runs
    // but the draws, so the frames drawn afterwards are exactly those of a show drawn in full.
    void SetDrawing(bool drawing);
    // Frames drawn so far.
    uint32_t DrawnFrames() const { return DrawnFrameCount; }

    bool Finished() const { return TheScene->ShowFinished(); }
    // Escape or a close request reached the window procedure: the program would end now.
    bool QuitRequested() const { return Shell->QuitRequested(); }
    CTalvoScene0001& Scene() { return *TheScene; }
    // The platform's own device, behind its means of reading frames back.
    gfx::FrameCapture& FrameSource() const { return *Frames; }
    platform::VirtualClock& Clock() { return VirtualClock; }

private:
    platform::VirtualClock VirtualClock;
    platform::StderrMessageBox Boxes;
    std::unique_ptr<CTalvoScene0001> TheScene;
    std::unique_ptr<OffscreenPlatform> Platform;
    std::unique_ptr<SceneLightSwitch> Lights;
    std::unique_ptr<Application> Shell;
    gfx::FrameCapture* Frames = nullptr;
    DrawSwitchDevice* Switch = nullptr;  // in front of the platform's device after start-up
    bool Started = false;
    uint32_t MusicStart = 0;
    uint32_t DrawnFrameCount = 0;
};
