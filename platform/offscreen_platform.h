#pragma once

#include <memory>

#include "platform/frame_capture.h"
#include "platform/shell_platform.h"

// The shell's platform for headless runs: a window nobody sees, silent audio, no messages but
// those handed in, and a way to read back what the device presents. Each backend that plays
// headless has its own; unlike the programs' platforms it tears everything down again, so one
// process can play many shows.
class OffscreenPlatform : public ShellPlatform {
public:
    // Once the device exists: lets it present without waiting for the display and gives the
    // means to keep and read the frames it presents.
    virtual gfx::FrameCapture& CaptureFrames() = 0;
    // Closes the audio output and the window; the device must be released first.
    virtual void TearDown() = 0;
    // Before the device is made: it is to sample textures bilinearly. The OpenGL device always
    // does; Direct3D's samples the nearest texel unless told.
    virtual void SampleBilinearly() {}
};

// The platform this build of the tool plays on.
std::unique_ptr<OffscreenPlatform> CreateOffscreenPlatform();
