#include "platform/windows/win32_offscreen_platform.h"

#include "platform/process_globals.h"
#include "platform/windows/d3d9_device.h"
#include "platform/windows/d3d9_graphics_system.h"

std::unique_ptr<OffscreenPlatform> CreateOffscreenPlatform() {
    return std::make_unique<Win32OffscreenPlatform>();
}

gfx::GraphicsSystem* Win32OffscreenPlatform::CreateGraphicsSystem(std::string* error) {
    gfx::D3d9GraphicsSystem::Options options;
    options.Immediate = true;
    options.Bilinear = Bilinear;
    return gfx::D3d9GraphicsSystem::Create(options, error);
}

HRESULT Win32OffscreenPlatform::CreateAudioEngine(audio::Engine** engine) {
    Audio = std::make_unique<SilentAudioEngine>();
    *engine = Audio.get();
    return S_OK;
}

gfx::FrameCapture& Win32OffscreenPlatform::CaptureFrames() {
    return *static_cast<gfx::D3d9Device*>(GraphicsDevice);
}

void Win32OffscreenPlatform::TearDown() {
    Shell.TearDown();
    Audio.reset();
}
