#include "headless/offscreen_show.h"

#include "platform/crt_random.h"
#include "platform/process_globals.h"
#include "shell/release_graphics.h"

OffscreenShow::OffscreenShow(uint32_t startTime)
    : VirtualClock(startTime), Platform(CreateOffscreenPlatform()) {
    platform::UseClock(&VirtualClock);
    platform::UseMessageBoxSink(&Boxes);
    // As at program start: the generator in its first state, light indices from 1.
    crt::srand(1);
    NextLightIndex = 1;
    TheScene = std::make_unique<CTalvoScene0001>();
    Lights = std::make_unique<SceneLightSwitch>(*TheScene);
    Shell = std::make_unique<Application>(*Platform, *TheScene, *Lights);
}

OffscreenShow::~OffscreenShow() {
    TheScene.reset();
    ReleaseGraphics();
    GraphicsDevice = nullptr;
    Direct3DObject = nullptr;
    BackdropVertexBuffer = nullptr;
    AudioEngine = nullptr;
    MasteringVoice = nullptr;
    Platform->TearDown();
    platform::UseClock(nullptr);
    platform::UseMessageBoxSink(nullptr);
}

bool OffscreenShow::StartUp(std::string* error) {
    gfx::WindowHandle window = Platform->CreateWindow(*Shell, error);
    if (window == nullptr) {
        return false;
    }
    if (Failed(Shell->CreateGraphicsDevice(window))) {
        *error = "no graphics device";
        return false;
    }
    if (Failed(Shell->CreateAudioEngine())) {
        *error = "no audio output: " + Platform->AudioError();
        return false;
    }
    if (Failed(TheScene->InitAudio()) || Failed(TheScene->InitResources())) {
        *error = "the scene's start-up failed";
        return false;
    }
    Frames = &Platform->CaptureFrames();
    Frames->SetFrameCapture(true);
    Switch = new DrawSwitchDevice(GraphicsDevice, DrawSwitchDevice::Drops::Draws);
    GraphicsDevice = Switch;
    return true;
}

OffscreenShow::Frame OffscreenShow::Advance(uint32_t step) {
    VirtualClock.Advance(step);
    Frame frame;
    frame.Result = TheScene->RenderFrame();
    if (!Started) {
        Started = true;
        MusicStart = TheScene->GetPhaseStart();
    }
    frame.Drawn = TheScene->DrewFrame();
    frame.Number = DrawnFrameCount;
    frame.ShowTime = TheScene->GetNow() - MusicStart;
    if (frame.Drawn) {
        ++DrawnFrameCount;
    }
    return frame;
}

void OffscreenShow::PressKey(uint32_t key) {
    Shell->WindowProc({shell::EventKind::KeyDown, key});
    Shell->WindowProc({shell::EventKind::KeyUp, key});
}

void OffscreenShow::SetDrawing(bool drawing) {
    // Escape releases the device, and the switch with it.
    if (Switch != nullptr && GraphicsDevice == Switch) {
        Switch->SetDrawing(drawing);
        Frames->SetFrameCapture(drawing);
    }
}

bool OffscreenShow::ReadFrame(RgbaImage* image) const {
    return Frames != nullptr &&
           Frames->ReadPresentedFrame(image->Pixels, image->Width, image->Height);
}
